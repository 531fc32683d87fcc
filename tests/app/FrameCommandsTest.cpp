#include <filesystem>
#include <fstream>

#include "FrameFixture.h"
#include "app/FrameLayout.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "engine/EngineSettings.h"
#include "panel/PanelState.h"
#include "random/NoiseSources.h"
#include "tools/KeyboardMapping.h"

namespace {

std::vector<int> Enabled(int menu) {
    std::vector<int> enabled;
    for (const auto& [command, on] : MenuStatesOnOpen(menu)) {
        enabled.insert(enabled.end(), on, command);
    }
    return enabled;
}

} // namespace

// With no stored settings; the bars are made before the toggles run in their order.
TEST_F(FrameFixture, CreationMakesTheBarsThenRunsTheTogglesInTheirOrder) {
    EnvironmentFilesRecord environment;
    SetText(environment.script1, "piece.csd");
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(environment));
    CreateFrameState(clock);
    const std::vector<std::string> expected = {
        "create bars",  "check 1200 off",  "image 1200 3",  "press 1200 off",
        "topmost off",  "check 800 on",    "toolbar shown", "relayout",
        "check 900 on", "statusbar shown", "relayout",      "check 60000 off"};
    EXPECT_EQ(view.log, expected);
    EXPECT_EQ(TextOf(g_environmentFilesCommitted.script1), "piece.csd");
    // The toggle at creation stores the mapping, so the key and the value exist afterwards.
    EXPECT_EQ((store.values[{kSettingsKey, "KeyboardMapping"}]), EncodeInt32(-1));
    // The generator is seeded from the clock before the random curve draws its table.
    EXPECT_EQ(randomSeed, 16385);
    EXPECT_EQ(NoiseSource(randomSourceSelector, &randomSeed), 0.482806325f);
}

TEST_F(CreatedFrame, AlwaysOnTopTwiceReturnsToTheFirstStateWithTheButtonFollowingTheMenu) {
    for (const bool on : {true, false}) {
        DispatchCommand(kCmdAlwaysOnTop);
        EXPECT_EQ(view.Last("topmost") + view.Last("check 1200") + view.Last("press 1200") +
                      view.Last("image 1200"),
                  on ? "ononon4" : "offoffoff3");
        EXPECT_EQ(g_frame.alwaysOnTop, on ? 1 : -1);
    }
}

// Switched on, it is on at the next start, with the velocity and channel at their start values.
TEST_F(CreatedFrame, KeyboardMappingShowsKbmAndStoresOnlyAChangedState) {
    const int writes = store.writes;
    CreateFrameState(clock); // unchanged: not written again at the next start
    EXPECT_EQ(store.writes, writes);
    ui.statusTexts.clear();
    DispatchCommand(kCmdKeyboardMapping);
    EXPECT_EQ(ui.statusTexts, (std::vector<std::pair<int, std::string>>{{3, "KBM"}, {4, ""}}));
    EXPECT_EQ(view.Last("check 60000"), "on");
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(store.writes, writes + 1);
    g_keyboardMapping.velocity = 10;
    g_keyboardMapping.channel = 3;
    ui.statusTexts.clear();
    CreateFrameState(clock);
    EXPECT_EQ(g_frame.keyboardMapping, 1);
    EXPECT_EQ(StatusOf(3), std::vector<std::string>{"KBM"});
    EXPECT_EQ(std::pair(g_keyboardMapping.velocity, g_keyboardMapping.channel), std::pair(64, 0));
}

TEST_F(CreatedFrame, TrayHidesTheWindowOrMinimizesAndRestoringRefreshesTheButtons) {
    DispatchCommand(kCmdMinimizeToTray);
    EXPECT_TRUE(view.log == std::vector<std::string>{"minimize"} && g_frame.inTray == 0);

    view.trayAvailable = true;
    DispatchCommand(kCmdAlwaysOnTop);
    DispatchCommand(kCmdMinimizeToTray);
    EXPECT_TRUE(view.log.back() == "hide in tray" && g_frame.inTray == 1);
    ui.openWindows.insert(kCmdMidiScope);
    view.log.clear();
    DispatchCommand(kCmdMaximize);
    EXPECT_TRUE(view.log.front() == "restore maximized" && g_frame.inTray == 0);
    EXPECT_EQ(view.Last("press 1200") + view.Last("press 58000") + view.Last("press 18000"),
              "ononoff");
}

TEST(FrameLayout, StatusPartsEndAtSixTwelveEighteenAndNineteenTwentieths) {
    EXPECT_EQ(StatusPartEdges(1366), (std::array<int, 5>{409, 819, 1229, 1297, 1366}));
}

// The preferences go back to their defaults; the window places and the devices stay.
TEST_F(FrameFixture, ClearingPreferencesAsksRemakesTheBarsAndKeepsWindowPlacesAndDevices) {
    store.Put(kSettingsKey, "Global", EncodeGlobal({0, 1, 1, 1, 2048}));
    ToolWindowRecord scope;
    scope.placement.right = 300;
    scope.open = 1;
    store.Put(kWindowsKey, "MIDIScope", EncodeToolWindow(scope, true));
    CreateFrameState(clock);
    ASSERT_TRUE(OpenMidiDevices());
    view.log.clear();
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    DispatchCommand(kCmdClearPreferences);
    EXPECT_TRUE(ui.messages.size() == 1 && view.log.empty());
    EXPECT_EQ(g_preferences.global.smallButtons, 1);

    ui.openWindows.insert(kCmdVirtualPanel); // its button on the new strip shows it open
    DispatchCommand(kCmdClearPreferences);
    EXPECT_EQ(g_preferences.global.smallButtons, 0);
    EXPECT_EQ(view.log.front() + ", " + view.log[1], "destroy bars, create bars");
    EXPECT_EQ(view.Last("press 15000"), "on");
    EXPECT_EQ(view.Last("topmost") + view.Last("toolbar") + view.Last("statusbar"),
              "offshownshown");
    EXPECT_EQ(g_toolWindows[kToolMidiScope].placement.right, 300);
    EXPECT_TRUE(midi->OutputIsOpen());
}

TEST_F(CreatedFrame, MidiCommandsReachTheDevicesAndResetReportsItsOutcome) {
    ASSERT_TRUE(OpenMidiDevices());
    Sent();
    DispatchCommand(kCmdPanic);
    EXPECT_EQ(Sent().size(), 32u); // panic's words are pinned down by the device tests
    g_startMessage = {0xB1, 2, 3}; // the panel's configured messages, not fixed ones
    DispatchCommand(kCmdStart);
    EXPECT_EQ(Sent().back(), "B1 02 03");
    DispatchCommand(kCmdStop);
    EXPECT_EQ(Sent().back(), "80 3C 40");
    ports->gone = true; // a reset over a lost device reports it, and reopens it once it is back
    DispatchCommand(kCmdResetDevices);
    ports->gone = false;
    DispatchCommand(kCmdResetDevices);
    midi->CloseOutput();
    DispatchCommand(kCmdResetDevices);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{
                  "MIDI OUTPUT ERROR:\r\nThe device \"Out A\" is not connected.",
                  "Current MIDI devices resetted.", "Error while resetting the MIDI devices!"}));
}

TEST_F(FrameFixture, ProgramsAndAddressesOpenWithTheirOpenersAndFailuresAreReported) {
    DispatchCommand(kCmdWebSite);
    EXPECT_TRUE(launcher.launched.size() == 1 && ui.messages.empty());
    launcher.fail = true;
    DispatchCommand(kCmdBugReport);
    DispatchCommand(kCmdVolumeControl); // the program is named: the user knows what to install
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{
                  "Error while running the process!\r\n\"xdg-open\" could not be started.",
                  "Error while running the process!\r\n\"pavucontrol\" could not be started."}));
}

TEST_F(FrameFixture, OverviewOpensTheInstalledHelpWhileThePreferenceNamesTheDefault) {
    const std::filesystem::path help =
        std::filesystem::temp_directory_path() / "ventaro-frame-test-help.html";
    std::ofstream(help) << "<html></html>";
    g_installedHelpFile = help.string();
    DispatchCommand(kCmdOverview);
    std::filesystem::remove(help);
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0].arguments, (std::vector<std::string>{help.string()}));
    EXPECT_EQ(view.log.back(), "focus");

    SetText(g_preferences.help.helpFile, "/nonexistent/own.hlp");
    DispatchCommand(kCmdOverview);
    EXPECT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Sorry, can't find the help file:\r\n/nonexistent/own.hlp"});
}

TEST_F(CreatedFrame, EditAndInsertItemsFollowTheScriptEditorAndItsPane) {
    EditorMenuState editor{false, true, true, true}; // hidden: everything gray
    g_frameHooks.editorMenuState = [&] { return editor; };
    for (int menu : {kMenuFile, kMenuEdit, kMenuInsert}) {
        EXPECT_TRUE(Enabled(menu).empty()) << menu;
    }
    editor = {true, false, true, false};
    EXPECT_EQ(Enabled(kMenuEdit), (std::vector<int>{31000, 33000}));
    editor = {true, true, false, true};
    EXPECT_EQ(Enabled(kMenuEdit), (std::vector<int>{28000, 29000, 30000, 32000, 33000}));
    EXPECT_EQ(Enabled(kMenuFile), (std::vector<int>{52000, 53000}));
    EXPECT_EQ(Enabled(kMenuInsert).size(), 16u);
}

TEST_F(CreatedFrame, HelpLineShowsTheItemsStringABlankForSubmenusAndReadyAfterWhileTheBarShows) {
    ShowMenuHelp(kCmdMidiDevices, false);
    ShowMenuHelp(0, true);
    MenuClosed();
    EXPECT_EQ(StatusOf(0),
              (std::vector<std::string>{"Selects and opens the MIDI destinations", " ", "Ready"}));
    DispatchCommand(kCmdShowStatusBar);
    ui.statusTexts.clear();
    ShowMenuHelp(kCmdMidiDevices, false);
    MenuClosed();
    EXPECT_TRUE(StatusOf(0).empty());
}

TEST_F(CreatedFrame, ToolWindowMarksCheckTheMenusAndPressTheButtonOnlyWithTheToolBarShown) {
    MarkToolWindowOpen(kCmdMidiScope, true);
    EXPECT_EQ(view.Last("check 58000") + view.Last("check popup 58000") + view.Last("press 58000"),
              "ononon");
    MarkToolWindowOpen(kCmdMidiScope, false);
    EXPECT_EQ(view.Last("check popup 58000"), "off");
    DispatchCommand(kCmdShowToolBar);
    view.hasToolBar = false;
    DispatchCommand(kCmdShowToolBar); // without the strip the toggle does nothing
    MarkToolWindowOpen(kCmdScratchPad, true);
    MarkToolWindowOpen(kCmdAudioRecorder, true);
    EXPECT_EQ(view.Last("check 59000"), "on");
    EXPECT_EQ(view.Last("check popup 59000"), ""); // not in the right-click menu
    EXPECT_EQ(view.Last("press 18000") + view.Last("toolbar"), "hidden");
}
