#include "engine/EngineSettingsEditing.h"

#include <initializer_list>

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "engine/AudioFormats.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "resources/Strings.h"

namespace {

bool IsPresetIndex(int index) {
    return index >= 0 && index < static_cast<int>(kFlagsPresetCount);
}

AudioDeviceList DeviceList(const std::vector<std::string>& names, int stored) {
    AudioDeviceList list;
    list.enabled = !names.empty();
    for (std::size_t i = 0; i < names.size(); ++i) {
        list.entries.push_back(std::to_string(i) + " - " + names[i]);
    }
    if (stored >= 0 && static_cast<std::size_t>(stored) < names.size()) {
        list.selected = stored;
    }
    return list;
}

// A path cut to its 260-byte field would name another program or file: it is refused whole.
bool PathsFit(std::initializer_list<std::string_view> paths) {
    for (const std::string_view path : paths) {
        if (path.size() >= kPathWidth) {
            ShowWarning(Str(kStrPathTooLong));
            return false;
        }
    }
    return true;
}

} // namespace

SoundEngineControls SoundEngineControlStates() {
    return {EngineLibraryLoaded(), g_soundEngine.useEmbedded > 0, !EmbeddedEngineInUse(),
            EngineWindowShown(),   CloseEngineOnExit(),           ForceEngineTermination()};
}

void ToggleEmbeddedEngine() {
    if (EngineLibraryLoaded()) {
        g_soundEngine.useEmbedded = -g_soundEngine.useEmbedded;
    }
}

void ToggleViewEngineWindow() {
    g_soundEngine.viewWindow = -g_soundEngine.viewWindow;
}

void ToggleCloseEngineOnExit() {
    g_soundEngine.closeOnExit = -g_soundEngine.closeOnExit;
}

bool ToggleForceTermination() {
    if (ForceEngineTermination()) {
        g_soundEngine.forceTermination = -1;
        return false;
    }
    const bool confirmed = AskYesNo(Str(kStrForceTerminationWarning), MessageIcon::Warning);
    if (confirmed) {
        g_soundEngine.forceTermination = 1;
    }
    return confirmed;
}

void SelectFlagsPreset(int index) {
    if (IsPresetIndex(index)) {
        g_soundEngine.flagsPreset = index;
    }
}

void EditFlagsText(std::string_view text) {
    if (IsPresetIndex(g_soundEngine.flagsPreset)) {
        SetText(g_soundEngine.flagsPresets[static_cast<std::size_t>(g_soundEngine.flagsPreset)],
                text);
    }
}

std::string FlagsPresetText(int index) {
    if (!IsPresetIndex(index)) {
        return {};
    }
    return std::string(TextOf(g_soundEngine.flagsPresets[static_cast<std::size_t>(index)]));
}

bool ConfirmSoundEngine(std::string_view programName, std::string_view scriptEditor) {
    if (!PathsFit({programName, scriptEditor})) {
        return false;
    }
    SetText(g_soundEngine.programName, programName);
    SetText(g_soundEngine.scriptEditor, scriptEditor);
    g_soundEngineCommitted = g_soundEngine;
    return SaveSoundEngineSettings();
}

void CancelSoundEngine() {
    g_soundEngine = g_soundEngineCommitted;
}

bool AdditionalFilePathsFit(std::string_view script1, std::string_view script2,
                            std::string_view audioFile) {
    return PathsFit({audioFile, script1, script2});
}

AdditionalFiles EnvironmentFilesToEdit() {
    return {std::string(TextOf(g_environmentFiles.script1)),
            std::string(TextOf(g_environmentFiles.script2)),
            std::string(TextOf(g_environmentFiles.audioFile)), g_environmentFiles.audioFormat};
}

bool ConfirmEnvironmentFiles(std::string_view script1, std::string_view script2,
                             std::string_view audioFile, int audioFormat) {
    if (!AdditionalFilePathsFit(script1, script2, audioFile)) {
        return false;
    }
    SetText(g_environmentFiles.script1, script1);
    SetText(g_environmentFiles.script2, script2);
    SetText(g_environmentFiles.audioFile, audioFile);
    if (IsAudioFormatIndex(audioFormat)) {
        g_environmentFiles.audioFormat = audioFormat;
    }
    g_environmentFilesCommitted = g_environmentFiles;
    return SaveEnvironmentFiles();
}

void CancelEnvironmentFiles() {
    g_environmentFiles = g_environmentFilesCommitted;
}

// A chosen file goes into its field only: the names are taken on OK.
const AdditionalFilesRole kEnvironmentFilesRole = {kStrEnvironmentFilesTitle,
                                                   EnvironmentFilesToEdit, nullptr,
                                                   ConfirmEnvironmentFiles, CancelEnvironmentFiles};

AudioDeviceLists BuildAudioDeviceLists(const std::vector<std::string>& inputNames,
                                       const std::vector<std::string>& outputNames) {
    // The output devices are listed whether or not an input device exists.
    return {DeviceList(inputNames, g_audioDevices.input),
            DeviceList(outputNames, g_audioDevices.output)};
}

bool ConfirmAudioDevices(int input, int output) {
    g_audioDevices.input = input;
    g_audioDevices.output = output;
    return SaveAudioDevices();
}
