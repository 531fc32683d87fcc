#pragma once
// What the preferences sheet does with the live values and their committed copies: the clicks
// that change a live value at once, OK of the pages the user opened (the delay clamp, the store,
// the panel's tool tips, the tool bar rebuild, the commit) and Cancel restoring them. The dialog
// only shows the values and hands the user's actions here.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/SettingsRecords.h"

enum PreferencePage : int { kPageGlobal, kPageHelp, kPageEditor, kPageCount };

// The check boxes of the "Global" page.
enum GlobalFlag : int { kFlagNoFlash, kFlagSmallButtons, kFlagCoolBar, kFlagPanelToolTips };

inline constexpr std::int32_t kMinToolTipDelay = 1;
inline constexpr std::int32_t kMaxToolTipDelay = 10000;

// The delay edit read as an unsigned number (digits only; anything else reads as 0), clamped to
// 1..10000.
std::int32_t ClampedToolTipDelay(std::string_view text);

// What a confirmed sheet leaves to the windows: the open script editor's panes take the font.
struct PreferencesFollowUp {
    bool refreshEditorFont = false;
};

// One showing of the sheet. A page takes part in OK and Cancel only once it was opened.
class PreferencesSheet {
public:
    void OpenPage(PreferencePage page) { m_opened[page] = true; }
    bool PageOpened(PreferencePage page) const { return m_opened[page]; }

    // "Global": whether a box is checked for the live values, and a click flipping one.
    static bool FlagChecked(GlobalFlag flag);
    static void FlipFlag(GlobalFlag flag);
    // "Help": Browse for the browser (file chooser mode 1) or the help file (mode 2); a chosen
    // path becomes the live value at once. False when nothing was chosen.
    static bool BrowseBrowser();
    static bool BrowseHelpFile();
    // "Script editor".
    static void SetEditorFont(const LogFontRecord& font);
    static void FlipSaveScripts();

    // The edits' texts at OK.
    struct Fields {
        std::string toolTipDelay;
        std::string browser;
        std::string helpFile;
    };
    // OK: false when a help path does not fit its 260-byte field (reported; nothing changed, the
    // sheet stays open). Otherwise the opened pages take their fields, the preferences are
    // stored once, and the pages' follow-ups and commits are carried out.
    bool Confirm(const Fields& fields, PreferencesFollowUp* followUp);
    // Cancel: the opened pages' live values return to their committed copies.
    void Cancel();

private:
    bool m_opened[kPageCount] = {false, false, false};
};
