#include "app/FrameCommands.h"

#include <filesystem>

#include "app/CommandTable.h"
#include "app/ExitSequence.h"
#include "app/FrameLayout.h"
#include "app/FrameView.h"
#include "base/AllState.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/ProgramLauncher.h"
#include "base/SettingsKeys.h"
#include "base/Ui.h"
#include "engine/EngineSettings.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "project/ProjectState.h"
#include "random/NoiseSources.h"
#include "resources/Strings.h"

std::string g_installedHelpFile;

namespace {

constexpr int kAlwaysOnTopImage = 3;

void Message(int text, MessageIcon icon) {
    if (g_ui) {
        g_ui->ShowMessage(Str(text), icon);
    }
}

// A program that could not be started is named, so that the user knows what to install.
void ReportNotStarted(const std::string& program) {
    if (g_ui) {
        g_ui->ShowMessage(NotStartedMessage(program), MessageIcon::Warning);
    }
}

void SetStatus(int part, const std::string& text) {
    if (g_ui) {
        g_ui->SetStatusText(part, text);
    }
}

bool StatusBarShowing() {
    return g_frameView && g_frameView->HasStatusBar() && g_frame.statusBarShown > 0;
}

void StoreKeyboardMapping() {
    SettingsStore* store = g_settingsStore;
    const Bytes value = EncodeInt32(g_frame.keyboardMapping);
    // The toggle at every start would otherwise rewrite (and flush) an unchanged value.
    if (!store || ReadRecord(*store, kSettingsKey, kValueKeyboardMapping, value.size()) == value) {
        return;
    }
    // A failure here is not reported: the toggle has already taken effect for this run.
    if (store->CreateKey(kSettingsKey)) {
        store->WriteValue(kSettingsKey, kValueKeyboardMapping, value);
    }
}

void ApplyCreationToggles() {
    for (int command : {kCmdAlwaysOnTop, kCmdShowToolBar, kCmdShowStatusBar, kCmdKeyboardMapping}) {
        DispatchCommand(command);
    }
}

} // namespace

void SetProgramStartValues(Clock& clock) {
    // The engine settings' defaults depend on whether the engine library is there.
    if (g_frameHooks.loadEngineLibrary) {
        g_frameHooks.loadEngineLibrary();
    }
    ResetAllState();
    // The generator is seeded before the curve tables: the random curve draws from it.
    InitRandomState(clock.TickCount());
    BuildCurveTables();
}

void CreateFrameState(Clock& clock) {
    // The frame's flags start opposite to what is wanted: the toggles at the end turn them round.
    SetProgramStartValues(clock);
    ReadWindowSettings();
    ReadPreferences();
    ReadEnvironmentFiles(); // stored with the preferences, kept by the engine settings
    if (g_frameView) {
        g_frameView->CreateBars();
    }
    ApplyCreationToggles();
}

void ToggleAlwaysOnTop() {
    const bool on = g_frame.alwaysOnTop < 0;
    if (g_frameView) {
        g_frameView->CheckMenuItem(MenuKind::MenuBar, kCmdAlwaysOnTop, on);
        g_frameView->SetToolButtonImage(kCmdAlwaysOnTop,
                                        on ? kAlwaysOnTopCheckedImage : kAlwaysOnTopImage);
        g_frameView->SetToolButtonPressed(kCmdAlwaysOnTop, on);
        g_frameView->SetTopmost(on);
    }
    g_frame.alwaysOnTop = -g_frame.alwaysOnTop;
}

void ToggleToolBar() {
    if (!g_frameView || !g_frameView->HasToolBar()) {
        return;
    }
    const bool show = g_frame.toolBarShown < 0;
    g_frameView->CheckMenuItem(MenuKind::MenuBar, kCmdShowToolBar, show);
    g_frameView->ShowToolBar(show);
    g_frame.toolBarShown = -g_frame.toolBarShown;
    g_frameView->Relayout();
}

void ToggleStatusBar() {
    if (!g_frameView || !g_frameView->HasStatusBar()) {
        return;
    }
    const bool show = g_frame.statusBarShown < 0;
    g_frameView->CheckMenuItem(MenuKind::MenuBar, kCmdShowStatusBar, show);
    g_frameView->ShowStatusBar(show);
    g_frame.statusBarShown = -g_frame.statusBarShown;
    g_frameView->Relayout();
}

void ToggleKeyboardMapping() {
    const bool on = g_frame.keyboardMapping < 0;
    // The keys held now will not reach the mapping when they go up: their notes end here.
    if (!on && g_frameHooks.keyboardMappingRelease) {
        g_frameHooks.keyboardMappingRelease();
    }
    if (g_frameView) {
        g_frameView->CheckMenuItem(MenuKind::MenuBar, kCmdKeyboardMapping, on);
    }
    SetStatus(kStatusPartKeyboard, on ? Str(kStrKeyboardMappingOn) : "");
    g_frame.keyboardMapping = -g_frame.keyboardMapping;
    SetStatus(kStatusPartLast, "");
    StoreKeyboardMapping();
}

void MinimizeToTray() {
    if (!g_frameView) {
        return;
    }
    if (g_frameView->TrayAvailable()) {
        g_frameView->HideInTray();
        g_frame.inTray = 1;
    } else {
        g_frameView->Minimize(); // a desktop without a tray: the window goes to the task bar
    }
}

void RestoreFromTray(bool maximized) {
    if (!g_frameView) {
        return;
    }
    g_frameView->RestoreFromTray(maximized);
    RefreshToolBarChecks();
    g_frame.inTray = 0;
}

void RefreshToolBarChecks() {
    if (!g_frameView) {
        return;
    }
    const bool onTop = g_frame.alwaysOnTop > 0;
    g_frameView->SetToolButtonImage(kCmdAlwaysOnTop,
                                    onTop ? kAlwaysOnTopCheckedImage : kAlwaysOnTopImage);
    g_frameView->SetToolButtonPressed(kCmdAlwaysOnTop, onTop);
    for (const ToolBarEntry& entry : ToolBarLayout()) {
        if (!entry.separator && !entry.checkButton && g_ui) {
            g_frameView->SetToolButtonPressed(entry.id, g_ui->IsWindowOpen(entry.id));
        }
    }
}

void MarkToolWindowOpen(int command, bool open) {
    if (!g_frameView) {
        return;
    }
    g_frameView->CheckMenuItem(MenuKind::MenuBar, command, open);
    const CommandRow* row = FindCommand(command);
    if (row && row->popupPosition > 0) {
        g_frameView->CheckMenuItem(MenuKind::Popup, command, open);
    }
    if (row && row->toolBarImage >= 0 && (!open || g_frame.toolBarShown > 0)) {
        g_frameView->SetToolButtonPressed(command, open);
    }
}

bool TakesFrameAccelerators(int command) {
    switch (command) {
    case kCmdProjectManager:
    case kCmdScriptEditor:
    case kCmdMidiScope:
    case kCmdScratchPad:
    case kCmdGlobalMemory:
        return true;
    default:
        return false;
    }
}

void ClearAllPreferences() {
    if (!g_ui || g_ui->ShowMessage(Str(kStrClearPreferencesQuestion), MessageIcon::Question,
                                   MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    ClearPreferences();
    if (g_frameView) {
        g_frameView->DestroyBars();
    }
    // The preferences go back to their start values as at creation; the open devices, the
    // project and the places of the tool windows survive the command.
    ToolWindowSettings windows[kToolWindowCount];
    std::copy(std::begin(g_toolWindows), std::end(g_toolWindows), std::begin(windows));
    const FrameFlags before = g_frame;
    const std::int32_t filter = g_midiScopeFilterActiveSensing;
    SetPreferenceDefaults();
    for (int w = 0; w < kToolWindowCount; ++w) {
        g_toolWindows[w] = windows[w];
        g_toolWindows[w].openAtExit = 0;
    }
    g_midiScopeFilterActiveSensing = filter;
    g_frame.framePlacement = before.framePlacement;
    g_frame.framePlacementLoaded = before.framePlacementLoaded;
    g_frame.inTray = before.inTray;
    if (g_frameView) {
        g_frameView->CreateBars();
    }
    ApplyCreationToggles();
    if (g_frameView) {
        g_frameView->Relayout();
    }
    RefreshToolBarChecks(); // the new strip's buttons show the windows still open as pressed
}

void SendTransport(bool start) {
    g_transportStopped = start ? 0 : 1;
    SendPanelAndTransport();
}

void ResetCurrentDevices() {
    // A device whose server or port went away is opened anew first, or the failure reported:
    // a reset never answers success over a device that delivers nothing.
    if (NoticeLostMidiDevices() && !ReopenLostMidiDevices(true)) {
        return;
    }
    if (ResetMidiDevices()) {
        Message(kStrDevicesReset, MessageIcon::Information);
    } else {
        Message(kStrDevicesResetError, MessageIcon::Warning);
    }
}

void RunVolumeControl() {
    if (!RunProgram(Str(kStrVolumeControlProgram), "")) {
        ReportNotStarted(Str(kStrVolumeControlProgram));
    }
}

std::string HelpFileToOpen() {
    const std::string preferred(TextOf(g_preferences.help.helpFile));
    const std::string standard = Str(kStrProductName) + ".hlp";
    if (preferred == standard && !g_installedHelpFile.empty()) {
        return g_installedHelpFile;
    }
    return preferred;
}

void ShowHelpOverview() {
    const std::string file = HelpFileToOpen();
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrHelpFileMissing) + file, MessageIcon::Warning);
        }
    } else if (!OpenDocument(file)) {
        ReportNotStarted(Str(kStrDocumentOpener));
    }
    if (g_frameView) {
        g_frameView->FocusMainWindow();
    }
}

void OpenWebSite() {
    if (!OpenDocument(Str(kStrWebAddress))) {
        ReportNotStarted(Str(kStrDocumentOpener));
    }
}

void OpenBugReport() {
    if (!OpenDocument(Str(kStrReportAddress))) {
        ReportNotStarted(Str(kStrDocumentOpener));
    }
}

std::vector<std::pair<int, bool>> MenuStatesOnOpen(int menuPosition) {
    const EditorMenuState editor =
        g_frameHooks.editorMenuState ? g_frameHooks.editorMenuState() : EditorMenuState{};
    const bool shown = editor.editorVisible;
    std::vector<std::pair<int, bool>> states;
    switch (menuPosition) {
    case kMenuFile:
        states = {{kCmdPrintScript1, shown}, {kCmdPrintScript2, shown}};
        break;
    case kMenuEdit:
        states = {{kCmdUndo, shown && editor.canUndo},
                  {kCmdCut, shown && editor.selectionNotEmpty},
                  {kCmdCopy, shown && editor.selectionNotEmpty},
                  {kCmdPaste, shown && editor.clipboardHasText},
                  {kCmdDelete, shown && editor.selectionNotEmpty},
                  {kCmdSelectAll, shown}};
        break;
    case kMenuInsert:
        for (int command = kCmdInsertHeader; command <= kCmdInsertSliderValues; command += 1000) {
            states.emplace_back(command, shown);
        }
        break;
    default:
        break;
    }
    return states;
}

void ShowMenuHelp(int command, bool submenu) {
    if (StatusBarShowing()) {
        SetStatus(kStatusPartHelp, submenu ? " " : MenuHelpText(command));
    }
}

void MenuClosed() {
    if (StatusBarShowing()) {
        SetStatus(kStatusPartHelp, Str(kStrReady));
    }
}

void RegisterFrameCommands() {
    RouteCommand(kCmdQuitAtOnce, [] {
        if (g_ui) {
            g_ui->PostQuit(0);
        }
    });
    RouteCommand(kCmdExit, [] { RunExitSequence(); });
    RouteCommand(kCmdShowToolBar, ToggleToolBar);
    RouteCommand(kCmdShowStatusBar, ToggleStatusBar);
    RouteCommand(kCmdClearPreferences, ClearAllPreferences);
    RouteCommand(kCmdAlwaysOnTop, ToggleAlwaysOnTop);
    RouteCommand(kCmdMinimizeToTray, MinimizeToTray);
    RouteCommand(kCmdOverview, ShowHelpOverview);
    RouteCommand(kCmdRestore, [] { RestoreFromTray(false); });
    RouteCommand(kCmdMaximize, [] { RestoreFromTray(true); });
    RouteCommand(kCmdMidiDevices, [] {
        if (g_frameView) {
            g_frameView->RunMidiDevicesDialog();
        }
    });
    RouteCommand(kCmdStart, [] { SendTransport(true); });
    RouteCommand(kCmdStop, [] { SendTransport(false); });
    RouteCommand(kCmdPanic, SendPanic);
    RouteCommand(kCmdResetDevices, ResetCurrentDevices);
    RouteCommand(kCmdVolumeControl, RunVolumeControl);
    RouteCommand(kCmdKeyboardMapping, ToggleKeyboardMapping);
    RouteCommand(kCmdWebSite, OpenWebSite);
    RouteCommand(kCmdBugReport, OpenBugReport);
}
