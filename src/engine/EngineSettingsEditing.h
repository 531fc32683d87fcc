#pragma once
// What the three engine settings dialogs do with the live values, apart from showing them: the
// check boxes and their enabling, the force-termination warning, the flags combo box, OK and
// Cancel, and the audio device lists.

#include <string>
#include <string_view>
#include <vector>

// Sound engine configuration.
struct SoundEngineControls {
    bool embeddedEnabled; // "Use embedded engine" can be used only with the engine library
    bool embeddedChecked;
    bool programNameEnabled; // the program name and its Browse, exactly while no embedded engine
    bool viewChecked;
    bool closeChecked;
    bool forceChecked;
};
SoundEngineControls SoundEngineControlStates();

void ToggleEmbeddedEngine();
void ToggleViewEngineWindow();
void ToggleCloseEngineOnExit();
// Turning the force toggle off happens at once; turning it on asks first, and No leaves it off.
// Returns whether it is on afterwards.
bool ToggleForceTermination();

// A new selection of the flags box makes that preset current.
void SelectFlagsPreset(int index);
// Edited text of the flags box becomes the current preset's text (499 characters at most).
void EditFlagsText(std::string_view text);
// The list entry of preset `index`, renewed when the list drops down or the box loses focus.
std::string FlagsPresetText(int index);

// OK: takes the two fields (259 bytes at most), commits and writes "SoundEngine". False when a
// field is longer (refused with a message, nothing changed) or when the write failed and was
// reported: the dialog stays open, the values stay committed.
bool ConfirmSoundEngine(std::string_view programName, std::string_view scriptEditor);
// Cancel: the live values return to the committed copy.
void CancelSoundEngine();

// The paths and the audio format an additional files dialog edits.
struct AdditionalFiles {
    std::string script1;
    std::string script2;
    std::string audioFile;
    int audioFormat = 0;
};
enum AdditionalFileField : int { kScript1Field, kScript2Field, kAudioFileField };
// The file chooser's mode for a field: an orchestra first, a score first, a wave file to save.
inline int FileChooserModeOf(AdditionalFileField field) {
    return field == kScript1Field ? 4 : field == kScript2Field ? 5 : 6;
}

// Whether each path fits its 260-byte field; warns "Sorry, the selected path is too long..."
// when one does not, as a path cut to its field would name another file.
bool AdditionalFilePathsFit(std::string_view script1, std::string_view script2,
                            std::string_view audioFile);

// The rules of one additional files dialog: the environment's (below) or the open project's
// (project/ProjectFilesEditing.h). The dialog shows `current()` under the string `title`, hands
// each "Browse" choice to `chosen` when there is one, and OK and Cancel to `confirm` and
// `cancel`; a false `confirm` keeps it open.
struct AdditionalFilesRole {
    int title;
    AdditionalFiles (*current)();
    void (*chosen)(AdditionalFileField field, const std::string& path);
    bool (*confirm)(std::string_view script1, std::string_view script2, std::string_view audioFile,
                    int audioFormat);
    void (*cancel)();
};

// Environment additional files: OK with the three names and the selected format index; a name
// longer than its field is refused as for the sound engine.
AdditionalFiles EnvironmentFilesToEdit();
bool ConfirmEnvironmentFiles(std::string_view script1, std::string_view script2,
                             std::string_view audioFile, int audioFormat);
void CancelEnvironmentFiles();
extern const AdditionalFilesRole kEnvironmentFilesRole;

// Audio devices: one list of "%d - %s" entries for each direction.
struct AudioDeviceList {
    std::vector<std::string> entries;
    bool enabled = false;
    int selected = -1; // the stored index, or -1 when it names no listed device
};
struct AudioDeviceLists {
    AudioDeviceList input;
    AudioDeviceList output;
};
AudioDeviceLists BuildAudioDeviceLists(const std::vector<std::string>& inputNames,
                                       const std::vector<std::string>& outputNames);
// OK: stores the two selected indices (-1 for none) and writes "AudioDevices".
bool ConfirmAudioDevices(int input, int output);
