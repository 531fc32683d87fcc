#include "app/PreferencesEditing.h"

#include <algorithm>

#include "app/FrameCommands.h"
#include "app/FrameView.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/Preferences.h"
#include "base/Ui.h"
#include "panel/PanelLogic.h"
#include "panel/PanelViews.h"
#include "resources/Strings.h"

namespace {

constexpr int kBrowserChooserMode = 1;
constexpr int kHelpFileChooserMode = 2;

std::int32_t& FlagValue(GlobalFlag flag) {
    GlobalRecord& global = g_preferences.global;
    switch (flag) {
    case kFlagNoFlash:
        return global.flashOnExit;
    case kFlagSmallButtons:
        return global.smallButtons;
    case kFlagCoolBar:
        return global.toolBarLook;
    default:
        return global.panelToolTips;
    }
}

bool Browse(int mode, std::array<char, kPathWidth>& field) {
    std::string path;
    std::string title;
    if (!g_ui || !g_ui->SelectFile(mode, path, title)) {
        return false;
    }
    // The chooser refuses longer paths; a cut one would name another program or file.
    if (path.size() >= kPathWidth) {
        ShowWarning(Str(kStrPathTooLong));
        return false;
    }
    SetText(field, path);
    return true;
}

// The strip is made anew with the new button size or look; it is shown first, so the user sees
// the change, and the window stays on top (or not) as it was, its button showing that state.
void RebuildToolBar() {
    if (!g_frameView || !g_frameView->HasToolBar()) {
        return;
    }
    if (g_frame.toolBarShown < 0) {
        DispatchCommand(kCmdShowToolBar);
    }
    g_frameView->RebuildToolBar();
    g_frame.alwaysOnTop = -g_frame.alwaysOnTop;
    DispatchCommand(kCmdAlwaysOnTop);
    RefreshToolBarChecks();
    g_frameView->Relayout();
}

} // namespace

std::int32_t ClampedToolTipDelay(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    std::int64_t value = 0;
    if (first != std::string_view::npos) {
        for (const char c : text.substr(first, last - first + 1)) {
            if (c < '0' || c > '9') {
                value = 0;
                break;
            }
            value = std::min<std::int64_t>(value * 10 + (c - '0'), kMaxToolTipDelay + 1);
        }
    }
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, kMinToolTipDelay, kMaxToolTipDelay));
}

bool PreferencesSheet::FlagChecked(GlobalFlag flag) {
    const GlobalRecord& global = g_preferences.global;
    switch (flag) {
    case kFlagNoFlash:
        return global.flashOnExit != 1;
    case kFlagCoolBar:
        return global.toolBarLook == kFlatToolBar;
    default:
        return FlagValue(flag) == 1;
    }
}

void PreferencesSheet::FlipFlag(GlobalFlag flag) {
    std::int32_t& value = FlagValue(flag);
    if (flag == kFlagCoolBar) {
        value = value == kFlatToolBar ? 0 : kFlatToolBar;
    } else {
        value = value == 1 ? 0 : 1;
    }
}

bool PreferencesSheet::BrowseBrowser() {
    return Browse(kBrowserChooserMode, g_preferences.help.browser);
}

bool PreferencesSheet::BrowseHelpFile() {
    return Browse(kHelpFileChooserMode, g_preferences.help.helpFile);
}

void PreferencesSheet::SetEditorFont(const LogFontRecord& font) {
    g_preferences.editor.font = font;
}

void PreferencesSheet::FlipSaveScripts() {
    std::int32_t& flag = g_preferences.editor.saveScriptsBeforeRun;
    flag = flag == 1 ? 0 : 1;
}

bool PreferencesSheet::Confirm(const Fields& fields, PreferencesFollowUp* followUp) {
    if (m_opened[kPageHelp] &&
        (fields.browser.size() >= kPathWidth || fields.helpFile.size() >= kPathWidth)) {
        ShowWarning(Str(kStrPathTooLong));
        return false;
    }
    if (m_opened[kPageGlobal]) {
        g_preferences.global.toolTipDelay = ClampedToolTipDelay(fields.toolTipDelay);
        if (g_panelWindow) {
            DispatchCommand(kCommandToolTipDelay);
        }
    }
    if (m_opened[kPageHelp]) {
        SetText(g_preferences.help.browser, fields.browser);
        SetText(g_preferences.help.helpFile, fields.helpFile);
    }
    // Stored once for all pages: a failure is reported once, and the live values stay in force.
    SavePreferences();

    if (m_opened[kPageGlobal]) {
        const GlobalRecord& live = g_preferences.global;
        const GlobalRecord& committed = g_preferencesCommitted.global;
        if (live.smallButtons != committed.smallButtons ||
            live.toolBarLook != committed.toolBarLook) {
            RebuildToolBar();
        }
        g_preferencesCommitted.global = g_preferences.global;
    }
    if (m_opened[kPageHelp]) {
        g_preferencesCommitted.help = g_preferences.help;
    }
    if (m_opened[kPageEditor]) {
        if (followUp) {
            followUp->refreshEditorFont = true;
        }
        g_preferencesCommitted.editor = g_preferences.editor;
    }
    return true;
}

void PreferencesSheet::Cancel() {
    if (m_opened[kPageGlobal]) {
        g_preferences.global = g_preferencesCommitted.global;
    }
    if (m_opened[kPageHelp]) {
        g_preferences.help = g_preferencesCommitted.help;
    }
    if (m_opened[kPageEditor]) {
        g_preferences.editor = g_preferencesCommitted.editor;
    }
}
