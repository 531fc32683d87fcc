#pragma once
// The panel configuration dialog without its window: what it shows on opening, the control
// style, the six start and stop message bytes with their up-down arrows, the scroll step, the
// slider list with Delete and Add new, the project's files, OK, Cancel, and the refresh of the
// other windows when sliders came or went. The dialog shows Items() and Selected() after every
// step and ends when Closed() turns true.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineSettingsEditing.h"

// 1 while the dialog is open: a second one is not opened. Defined and reset with the panel.
extern int g_panelPropsOpen;

inline constexpr int kScrollStepCount = 30;

// The six message fields, in the order the dialog and the checks take them.
enum MessageField : int {
    kStartStatusField,
    kStartData1Field,
    kStartData2Field,
    kStopStatusField,
    kStopData1Field,
    kStopData2Field,
    kMessageFieldCount,
};
using MessageFieldTexts = std::array<std::string, kMessageFieldCount>;

inline bool IsStatusField(int field) {
    return field == kStartStatusField || field == kStopStatusField;
}

// The new text of a message field after a click on its up-down control. The up arrow moves a
// status byte toward 128 and a data byte toward 0, the down arrow toward 255 and 127; neither
// goes past its end. A text that is no number in range starts from the up arrow's end.
std::string StepMessageByte(std::string_view text, int field, bool up);

// Reads the six fields as decimal numbers. A status byte outside 128..255 or a data byte outside
// 0..127, or a text that is no number at all, is refused with its message and nothing changes;
// otherwise the bytes go into g_startMessage and g_stopMessage.
bool ValidatePanelMessages(const MessageFieldTexts& fields);

// The scroll-step list: "1/1" .. "1/30"; entry k − 1 stands for the step k.
std::vector<std::string> ScrollStepEntries();
// The entry of a step; a step outside 1..30 (a damaged file) shows its nearest entry.
int ScrollStepEntry(int step);

// What the dialog shows when it opens.
struct PanelConfigContents {
    bool slidersStyle = false; // "Sliders" checked, else "Scroll bars"
    int scrollStepEntry = 0;
    MessageFieldTexts messages;
    std::string script1;
    std::string script2;
    std::string audioFile;
    int audioFormat = 0;
};

// What the dialog's fields hold when OK is pressed.
struct PanelConfigFields {
    MessageFieldTexts messages;
    int scrollStepEntry = 0;
    std::string script1;
    std::string script2;
    std::string audioFile;
    int audioFormat = 0;
};

// The window the dialog was opened from: that window is not refreshed behind its back.
enum class PanelConfigOwner { MainWindow, Panel };

// Runs the slider properties dialog on the new slider of that name: true after its OK.
using EditNewSlider = std::function<bool(const std::string& name)>;

class PanelConfiguration {
public:
    // Opening: 16000 greyed, the dialog marked open, the contents read from the panel and the
    // project, the slider list with entry 0 selected.
    explicit PanelConfiguration(PanelConfigOwner owner);
    // Ended without OK or Cancel (the program quitting under it): the committed values come
    // back and 16000 is enabled, without refreshing windows that are going anyway.
    ~PanelConfiguration();
    PanelConfiguration(const PanelConfiguration&) = delete;
    PanelConfiguration& operator=(const PanelConfiguration&) = delete;

    const PanelConfigContents& Contents() const { return m_contents; }
    // The slider names in panel order, then one empty entry that stands for "after the last".
    const std::vector<std::string>& Items() const { return m_items; }
    int Selected() const { return m_selected; }
    bool Closed() const { return m_closed; }

    // "Sliders" (true) or "Scroll bars": the style changes at once; Cancel takes it back.
    void ChooseControlStyle(bool sliders);
    // "Browse" of a path: the chosen file goes straight into the live path; false when the user
    // cancelled the chooser.
    bool Browse(AdditionalFileField field, std::string& path);
    // "Delete" on list position p, after the user's confirmation.
    void Delete(int position);
    // "Add new" at list position p (the empty last entry appends): a new slider edited by
    // `edit`, and taken out again when the edit is cancelled.
    void AddNew(int position, const EditNewSlider& edit);
    // A double click: a named entry is deleted, the empty entry adds a new slider.
    void Activate(int position, const EditNewSlider& edit);
    // OK: false, with nothing committed, when a path is too long or a message byte refused.
    bool Ok(const PanelConfigFields& fields);
    void Cancel();
    // The dialog lost activation: after sliders came or went, the project manager and the
    // panel (unless it opened the dialog) show the panel again.
    void LoseActivation();

private:
    void RestoreCommitted();
    void Finish();

    PanelConfigOwner m_owner;
    PanelConfigContents m_contents;
    std::vector<std::string> m_items;
    int m_selected = 0;
    int m_lastSeenCount = 0;
    bool m_closed = false;
};
