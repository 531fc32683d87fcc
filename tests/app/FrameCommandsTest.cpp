#include <filesystem>
#include <fstream>

#include "FrameFixture.h"
#include "app/FrameLayout.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "engine/EngineSettings.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "random/NoiseSources.h"

namespace {

Bytes Toggle(std::int32_t value) {
    return EncodeInt32(value);
}

} // namespace

class FrameCreation : public FrameFixture {};

// With no stored settings: not topmost, both bars shown, mapping off; the bars are made before
// the toggles run in their order.
TEST_F(FrameCreation, WithNoStoredSettingsMakesTheBarsThenRunsTheTogglesInTheirOrder) {
    CreateFrameState(clock);
    const std::vector<std::string> expected = {
        "create bars",  "check 1200 off",  "image 1200 3",  "press 1200 off",
        "topmost off",  "check 800 on",    "toolbar shown", "relayout",
        "check 900 on", "statusbar shown", "relayout",      "check 60000 off"};
    EXPECT_EQ(view.log, expected);
    EXPECT_EQ(g_frame.alwaysOnTop, -1);
    EXPECT_EQ(g_frame.toolBarShown, 1);
    EXPECT_EQ(g_frame.statusBarShown, 1);
    EXPECT_EQ(g_frame.keyboardMapping, -1);
    EXPECT_EQ(StatusOf(3), (std::vector<std::string>{""}));
    // The toggle at creation stores the mapping, so the key and the value exist afterwards.
    ASSERT_NE(store.Get(kSettingsKey, "KeyboardMapping"), nullptr);
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(FrameCreation, AppliesTheStoredTogglesThroughTheirCommands) {
    FrameWindowRecord frame;
    frame.placement.right = 640;
    frame.placement.bottom = 480;
    frame.alwaysOnTop = 1;
    store.Put(kWindowsKey, "FrameWindow", EncodeFrameWindow(frame));
    store.Put(kWindowsKey, "Bars", EncodeBars({-1, 1}));
    store.Put(kSettingsKey, "KeyboardMapping", Toggle(1));
    EnvironmentFilesRecord environment;
    SetText(environment.script1, "piece.csd");
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(environment));
    CreateFrameState(clock);
    EXPECT_EQ(TextOf(g_environmentFilesCommitted.script1), "piece.csd");
    EXPECT_TRUE(view.topmost);
    EXPECT_EQ(view.buttonImages[kCmdAlwaysOnTop], 4);
    EXPECT_TRUE(view.pressedButtons[kCmdAlwaysOnTop]);
    EXPECT_FALSE(view.toolBarVisible);
    EXPECT_FALSE(view.Checked(kCmdShowToolBar));
    EXPECT_TRUE(view.statusBarVisible);
    EXPECT_TRUE(view.Checked(kCmdKeyboardMapping));
    EXPECT_EQ(StatusOf(3), (std::vector<std::string>{"KBM"}));
    EXPECT_EQ(g_frame.framePlacementLoaded, 1);
    EXPECT_EQ(g_frame.framePlacement.right, 640);
}

TEST_F(FrameCreation, SeedsTheGeneratorFromTheClockBeforeBuildingTheCurveTables) {
    ResetNoiseSources();
    InitRandomState(clock.TickCount());
    BuildCurveTables();
    const std::int32_t expected = randomSeed;
    ResetNoiseSources();
    randomSeed = 0;
    CreateFrameState(clock);
    EXPECT_EQ(randomSeed, expected);
    EXPECT_EQ(randomSourceSelector, 4);
}

class FrameToggles : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        CreateFrameState(clock);
        view.log.clear();
        ui.statusTexts.clear();
    }
};

TEST_F(FrameToggles, AlwaysOnTopTwiceReturnsToTheFirstStateWithTheButtonFollowingTheMenu) {
    for (const bool on : {true, false}) {
        DispatchCommand(kCmdAlwaysOnTop);
        EXPECT_EQ(view.topmost, on);
        EXPECT_EQ(view.Checked(kCmdAlwaysOnTop), on);
        EXPECT_EQ(view.pressedButtons[kCmdAlwaysOnTop], on);
        EXPECT_EQ(view.buttonImages[kCmdAlwaysOnTop], on ? 4 : 3);
        EXPECT_EQ(g_frame.alwaysOnTop, on ? 1 : -1);
    }
}

TEST_F(FrameToggles, ToolBarAndStatusBarHideShowAndLayTheWindowOutAgain) {
    DispatchCommand(kCmdShowToolBar);
    DispatchCommand(kCmdShowStatusBar);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"check 800 off", "toolbar hidden", "relayout",
                                        "check 900 off", "statusbar hidden", "relayout"}));
    EXPECT_EQ(g_frame.toolBarShown, -1);
    EXPECT_EQ(g_frame.statusBarShown, -1);
    DispatchCommand(kCmdShowToolBar);
    EXPECT_TRUE(view.toolBarVisible);
    EXPECT_EQ(g_frame.toolBarShown, 1);
    // Without the strip the toggle does nothing.
    view.hasToolBar = false;
    view.log.clear();
    DispatchCommand(kCmdShowToolBar);
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(g_frame.toolBarShown, 1);
}

TEST_F(FrameToggles, KeyboardMappingShowsKbmEmptiesPartFourAndStoresEachState) {
    DispatchCommand(kCmdKeyboardMapping);
    EXPECT_EQ(ui.statusTexts, (std::vector<std::pair<int, std::string>>{{3, "KBM"}, {4, ""}}));
    EXPECT_TRUE(view.Checked(kCmdKeyboardMapping));
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{1, 0, 0, 0}));
    DispatchCommand(kCmdKeyboardMapping);
    EXPECT_EQ(StatusOf(3).back(), "");
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(FrameToggles, TrayHidesTheWindowOrMinimizesWithoutATray) {
    DispatchCommand(kCmdMinimizeToTray);
    EXPECT_EQ(view.log, (std::vector<std::string>{"minimize"}));
    EXPECT_EQ(g_frame.inTray, 0);

    view.trayAvailable = true;
    view.log.clear();
    DispatchCommand(kCmdMinimizeToTray);
    EXPECT_EQ(view.log, (std::vector<std::string>{"hide in tray"}));
    EXPECT_EQ(g_frame.inTray, 1);
    DispatchCommand(kCmdMaximize);
    EXPECT_EQ(view.log[1], "restore maximized");
    EXPECT_FALSE(view.trayIcon);
    EXPECT_EQ(g_frame.inTray, 0);
}

TEST_F(FrameToggles, RestoringFromTheTrayRefreshesTheToolBarChecks) {
    view.trayAvailable = true;
    DispatchCommand(kCmdAlwaysOnTop);
    DispatchCommand(kCmdMinimizeToTray);
    ui.openWindows.insert(kCmdMidiScope);
    view.pressedButtons.clear();
    DispatchCommand(kCmdRestore);
    EXPECT_TRUE(view.pressedButtons[kCmdAlwaysOnTop]);
    EXPECT_TRUE(view.pressedButtons[kCmdMidiScope]);
    EXPECT_FALSE(view.pressedButtons[kCmdAudioRecorder]);
}

TEST(FrameLayout, StatusPartsEndAtSixTwelveEighteenAndNineteenTwentieths) {
    EXPECT_EQ(StatusPartEdges(1000), (std::array<int, 5>{300, 600, 900, 950, 1000}));
    EXPECT_EQ(StatusPartEdges(0), (std::array<int, 5>{0, 0, 0, 0, 0}));
    EXPECT_EQ(StatusPartEdges(1366), (std::array<int, 5>{409, 819, 1229, 1297, 1366}));
}

TEST(FrameLayout, ToolBandIsThirtyEightOrTwentyTwoPixelsAndThreeMoreWhenClassic) {
    GlobalRecord global;
    EXPECT_EQ(ToolBandHeight(global), 38);
    EXPECT_EQ(ToolButtonSize(global), 32);
    global.smallButtons = 1;
    EXPECT_EQ(ToolBandHeight(global), 22);
    EXPECT_EQ(ToolButtonSize(global), 16);
    global.toolBarLook = 0;
    EXPECT_EQ(ToolBandHeight(global), 25);
}

class FrameClearPreferences : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        store.Put(kSettingsKey, "Global", EncodeGlobal({0, 1, 1, 1, 2048}));
        store.Put(kSettingsKey, "KeyboardMapping", Toggle(1));
        store.Put(kWindowsKey, "FrameWindow", EncodeFrameWindow({{}, 1}));
        ToolWindowRecord scope;
        scope.placement.right = 300;
        scope.open = 1;
        store.Put(kWindowsKey, "MIDIScope", EncodeToolWindow(scope, true));
        CreateFrameState(clock);
        view.log.clear();
    }
};

TEST_F(FrameClearPreferences, NoLeavesEverythingAsItWas) {
    ui.answers = {MessageAnswer::No};
    DispatchCommand(kCmdClearPreferences);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "This operation will clear all the current preferences.\r\nAre you sure?");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(g_preferences.global.smallButtons, 1);
}

TEST_F(FrameClearPreferences, YesDeletesTheSettingsRemakesTheBarsAndTurnsTheTogglesOff) {
    ui.answers = {MessageAnswer::Yes};
    DispatchCommand(kCmdClearPreferences);
    EXPECT_EQ(store.Get(kSettingsKey, "Global"), nullptr);
    EXPECT_EQ(g_preferences.global.smallButtons, 0);
    EXPECT_EQ(view.log.front(), "destroy bars");
    EXPECT_EQ(view.log[1], "create bars");
    EXPECT_EQ(view.log.back(), "relayout");
    EXPECT_FALSE(view.topmost);
    EXPECT_TRUE(view.toolBarVisible);
    EXPECT_TRUE(view.statusBarVisible);
    EXPECT_EQ(g_frame.keyboardMapping, -1);
    // The mapping toggle writes the key again; the window settings stay where they were.
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_NE(store.Get(kWindowsKey, "MIDIScope"), nullptr);
    EXPECT_TRUE(g_toolWindows[kToolMidiScope].placementValid);
    EXPECT_EQ(g_toolWindows[kToolMidiScope].placement.right, 300);
}

TEST_F(FrameClearPreferences, OpenDevicesSurviveTheCommand) {
    g_midiDevices.outputDeviceIndex = 1;
    ASSERT_TRUE(OpenMidiDevices());
    ui.answers = {MessageAnswer::Yes};
    DispatchCommand(kCmdClearPreferences);
    EXPECT_TRUE(midi->OutputIsOpen());
    EXPECT_EQ(g_midiDevices.outputOpened, 1);
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
}

class FrameMidiCommands : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        CreateFrameState(clock);
        ASSERT_TRUE(OpenMidiDevices());
        Sent();
        ui.messages.clear();
    }
};

TEST_F(FrameMidiCommands, ResetReportsSuccessAndFailure) {
    DispatchCommand(kCmdResetDevices);
    midi->CloseOutput();
    DispatchCommand(kCmdResetDevices);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Current MIDI devices resetted.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages[1].text, "Error while resetting the MIDI devices!");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Warning);
}

// Panic's words are pinned down by the device tests; here only that the commands reach them.
TEST_F(FrameMidiCommands, PanicStartAndStopSendTheirMessages) {
    DispatchCommand(kCmdPanic);
    EXPECT_EQ(Sent().size(), 32u);
    DispatchCommand(kCmdStart);
    EXPECT_EQ(g_transportStopped, 0);
    EXPECT_EQ(Sent().back(), "90 3C 40");
    DispatchCommand(kCmdStop);
    EXPECT_EQ(g_transportStopped, 1);
    EXPECT_EQ(Sent().back(), "80 3C 40");
}

class FramePrograms : public FrameFixture {};

TEST_F(FramePrograms, VolumeControlStartsPavucontrolAndReportsAFailure) {
    DispatchCommand(kCmdVolumeControl);
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0].program, "pavucontrol");
    EXPECT_TRUE(launcher.launched[0].arguments.empty());
    EXPECT_TRUE(ui.messages.empty());
    launcher.fail = true;
    DispatchCommand(kCmdVolumeControl);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error while running the process!");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

TEST_F(FramePrograms, WebSiteAndReportOpenTheirAddressesWithTheDesktopOpener) {
    DispatchCommand(kCmdWebSite);
    DispatchCommand(kCmdBugReport);
    ASSERT_EQ(launcher.launched.size(), 2u);
    EXPECT_EQ(launcher.launched[0].program, "xdg-open");
    EXPECT_EQ(launcher.launched[0].arguments,
              (std::vector<std::string>{"https://ventaro2.example.org/"}));
    EXPECT_EQ(launcher.launched[1].arguments[0].rfind("mailto:", 0), 0u);
    EXPECT_NE(launcher.launched[1].arguments[0].find("subject=Ventaro%20report"),
              std::string::npos);
}

TEST_F(FramePrograms, OverviewOpensTheInstalledHelpWhileThePreferenceNamesTheDefault) {
    const std::filesystem::path help =
        std::filesystem::temp_directory_path() / "ventaro-frame-test-help.html";
    std::ofstream(help) << "<html></html>";
    SetPreferenceDefaults();
    g_installedHelpFile = help.string();
    DispatchCommand(kCmdOverview);
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0].arguments, (std::vector<std::string>{help.string()}));
    EXPECT_EQ(view.log.back(), "focus");

    SetText(g_preferences.help.helpFile, "/nonexistent/own.hlp");
    DispatchCommand(kCmdOverview);
    EXPECT_EQ(launcher.launched.size(), 1u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Sorry, can't find the help file:\r\n/nonexistent/own.hlp");
    std::filesystem::remove(help);
}

class FrameMenus : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        CreateFrameState(clock);
        ui.statusTexts.clear();
    }
};

TEST_F(FrameMenus, EditAndInsertItemsAreGrayWhileTheScriptEditorIsHidden) {
    for (const auto& [command, enabled] : MenuStatesOnOpen(kMenuEdit)) {
        EXPECT_FALSE(enabled) << command;
    }
    const auto insert = MenuStatesOnOpen(kMenuInsert);
    EXPECT_EQ(insert.size(), 16u);
    for (const auto& [command, enabled] : insert) {
        EXPECT_FALSE(enabled) << command;
    }
    EXPECT_EQ(MenuStatesOnOpen(kMenuFile),
              (std::vector<std::pair<int, bool>>{{52000, false}, {53000, false}}));
    EXPECT_TRUE(MenuStatesOnOpen(2).empty());
}

TEST_F(FrameMenus, EditItemsFollowThePaneWhileTheEditorIsVisible) {
    EditorMenuState editor{true, false, true, false};
    g_frameHooks.editorMenuState = [&] { return editor; };
    EXPECT_EQ(MenuStatesOnOpen(kMenuEdit), (std::vector<std::pair<int, bool>>{{28000, false},
                                                                              {29000, false},
                                                                              {30000, false},
                                                                              {31000, true},
                                                                              {32000, false},
                                                                              {33000, true}}));
    editor = {true, true, false, true};
    EXPECT_EQ(MenuStatesOnOpen(kMenuEdit), (std::vector<std::pair<int, bool>>{{28000, true},
                                                                              {29000, true},
                                                                              {30000, true},
                                                                              {31000, false},
                                                                              {32000, true},
                                                                              {33000, true}}));
    for (const auto& [command, enabled] : MenuStatesOnOpen(kMenuInsert)) {
        EXPECT_TRUE(enabled) << command;
    }
}

TEST_F(FrameMenus, HelpLineShowsTheItemsStringABlankForSubmenusAndReadyAfterWhileTheBarShows) {
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

TEST_F(FrameMenus, CommandsOfLaterPartsAreNotRouted) {
    for (int command :
         {kCmdQuitAtOnce, kCmdExit, kCmdShowToolBar, kCmdShowStatusBar, kCmdClearPreferences,
          kCmdAlwaysOnTop, kCmdMinimizeToTray, kCmdOverview, kCmdRestore, kCmdMaximize,
          kCmdMidiDevices, kCmdStart, kCmdStop, kCmdPanic, kCmdResetDevices, kCmdVolumeControl,
          kCmdKeyboardMapping, kCmdWebSite, kCmdBugReport}) {
        EXPECT_TRUE(IsCommandRouted(command)) << command;
    }
    for (int command : {kCmdPreferences, kCmdVirtualPanel, kCmdMidiScope, kCmdRunEngine,
                        kCmdNewProject, kCmdSpecialFeatures}) {
        EXPECT_FALSE(IsCommandRouted(command)) << command;
        EXPECT_FALSE(DispatchCommand(command));
    }
}

TEST_F(FrameMenus, ToolWindowMarksCheckTheMenusAndPressTheButtonOnlyWithTheToolBarShown) {
    MarkToolWindowOpen(kCmdMidiScope, true);
    EXPECT_TRUE(view.Checked(kCmdMidiScope));
    EXPECT_TRUE(view.Checked(kCmdMidiScope, MenuKind::Popup));
    EXPECT_TRUE(view.pressedButtons[kCmdMidiScope]);
    MarkToolWindowOpen(kCmdMidiScope, false);
    EXPECT_FALSE(view.Checked(kCmdMidiScope, MenuKind::Popup));
    DispatchCommand(kCmdShowToolBar);
    view.pressedButtons.clear();
    MarkToolWindowOpen(kCmdScratchPad, true);
    MarkToolWindowOpen(kCmdAudioRecorder, true);
    EXPECT_TRUE(view.Checked(kCmdScratchPad));
    EXPECT_EQ(view.checks.count({MenuKind::Popup, kCmdScratchPad}), 0u);
    EXPECT_EQ(view.pressedButtons.count(kCmdAudioRecorder), 0u);
}

TEST_F(FrameToggles, AnUnchangedMappingIsNotWrittenAgainAtTheNextStart) {
    const int writes = store.writes;
    CreateFrameState(clock);
    EXPECT_EQ(store.writes, writes);
    DispatchCommand(kCmdKeyboardMapping);
    EXPECT_EQ(store.writes, writes + 1);
    EXPECT_EQ(*store.Get(kSettingsKey, "KeyboardMapping"), (Bytes{1, 0, 0, 0}));
}
