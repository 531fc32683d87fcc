#include "app/ExitSequence.h"
#include "FrameFixture.h"
#include "base/CommandIds.h"
#include "base/WindowGeometry.h"

namespace {

// Little-endian 32-bit words, as the records lay them out.
Bytes Words(std::initializer_list<std::int32_t> words) {
    Bytes bytes;
    for (const std::int32_t word : words) {
        const Bytes one = EncodeInt32(word);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

// A placement with the normal rectangle (10, 20)-(810, 620), shown maximized.
Bytes PlacementBytes() {
    return Words({44, 0, 3, -1, -1, -1, -1, 10, 20, 810, 620});
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class ExitSequence : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        CreateFrameState(clock);
        ASSERT_TRUE(OpenMidiDevices());
        view.placement = PlacementFromGeometry({10, 20, 800, 600, kShowMaximized});
        view.log.clear();
        Sent();
        ui.commands.clear();
    }
};

TEST_F(ExitSequence, WritesFrameWindowAndBarsThenClosesTheDevicesAndQuits) {
    DispatchCommand(kCmdAlwaysOnTop);
    DispatchCommand(kCmdShowStatusBar);
    DispatchCommand(kCmdExit);
    const Bytes* frame = store.Get(kWindowsKey, "FrameWindow");
    const Bytes* bars = store.Get(kWindowsKey, "Bars");
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(*frame, Concat(PlacementBytes(), Words({1})));
    EXPECT_EQ(*bars, Words({1, -1}));
    EXPECT_FALSE(midi->OutputIsOpen());
    EXPECT_EQ(ports->Opens().back(), "close out");
    EXPECT_EQ(g_midiDevices.outputOpened, 0);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(ExitSequence, ACancelledSavePromptKeepsTheProgramRunningAndWritesNothing) {
    g_frameHooks.exitProject = [] { return false; };
    EXPECT_FALSE(RunExitSequence());
    EXPECT_EQ(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_TRUE(midi->OutputIsOpen());
    EXPECT_TRUE(ui.quitCodes.empty());
}

TEST_F(ExitSequence, RunsItsStepsInOrder) {
    std::vector<std::string> steps;
    g_frameHooks.exitProject = [&] {
        steps.push_back("project");
        return true;
    };
    g_frameHooks.closeEngineOnExit = [&] {
        steps.push_back("engine preference");
        return true;
    };
    g_frameHooks.deleteEmbeddedEngineFile = [&] { steps.push_back("delete engine file"); };
    ui.onCommand = [&](int command) { steps.push_back("command " + std::to_string(command)); };
    ui.recorderState = RecorderState::Recording;
    ui.openWindows = {kCmdMidiScope};
    ui.windowPlacements[kCmdMidiScope] = PlacementFromGeometry({1, 2, 3, 4, 1});
    view.trayAvailable = true;
    DispatchCommand(kCmdMinimizeToTray);
    view.log.clear();

    ASSERT_TRUE(RunExitSequence());
    EXPECT_EQ(steps, (std::vector<std::string>{"project", "engine preference", "command 25000",
                                               "delete engine file", "command 18003"}));
    EXPECT_EQ(view.log, (std::vector<std::string>{"destroy 58000", "remove tray icon"}));
    EXPECT_EQ(g_frame.inTray, 0);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(ExitSequence, StopsThePlayingRecorderOnlyWhileItsWindowIsOpen) {
    ui.recorderState = RecorderState::Playing;
    ui.onCommand = nullptr;
    RunExitSequence();
    EXPECT_TRUE(ui.commands.empty());
    ui.openWindows = {kCmdAudioRecorder};
    RunExitSequence();
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdRecorderStop}));
}

TEST_F(ExitSequence, StoresEachVisibleToolWindowWithItsOpenFlagAndDestroysIt) {
    g_midiScopeFilterActiveSensing = 1;
    ui.openWindows = {kCmdMidiScope, kCmdScratchPad, kCmdAudioRecorder};
    for (int command : ui.openWindows) {
        ui.windowPlacements[command] = PlacementFromGeometry({10, 20, 800, 600, kShowMaximized});
    }
    RunExitSequence();
    const Bytes* scope = store.Get(kWindowsKey, "MIDIScope");
    const Bytes* pad = store.Get(kWindowsKey, "ScratchPad");
    const Bytes* recorder = store.Get(kWindowsKey, "AudioRecorder");
    ASSERT_TRUE(scope && pad && recorder);
    EXPECT_EQ(*scope, Concat(PlacementBytes(), Words({1, 1})));
    EXPECT_EQ(*pad, Concat(PlacementBytes(), Words({1})));
    EXPECT_EQ(recorder->size(), 48u);
    EXPECT_EQ(store.Get(kWindowsKey, "MIDISend"), nullptr);
    EXPECT_EQ(store.Get(kWindowsKey, "GlobalMemory"), nullptr);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"destroy 18000", "destroy 58000", "destroy 59000"}));
}

TEST_F(ExitSequence, AWindowsKeyThatCannotBeMadeLosesTheSettingsButTheExitGoesOn) {
    store.failCreate = true;
    ui.openWindows = {kCmdMidiScope};
    RunExitSequence();
    EXPECT_EQ(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_EQ(store.Get(kWindowsKey, "MIDIScope"), nullptr);
    EXPECT_FALSE(midi->OutputIsOpen());
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(ExitSequence, TheNextStartReadsBackWhatTheExitWrote) {
    DispatchCommand(kCmdShowToolBar);
    DispatchCommand(kCmdAlwaysOnTop);
    RunExitSequence();
    CreateFrameState(clock);
    EXPECT_EQ(g_frame.framePlacementLoaded, 1);
    EXPECT_EQ(g_frame.framePlacement, view.placement);
    EXPECT_EQ(g_frame.alwaysOnTop, 1);
    EXPECT_EQ(g_frame.toolBarShown, -1);
    EXPECT_EQ(g_frame.statusBarShown, 1);
    EXPECT_TRUE(view.topmost);
    EXPECT_FALSE(view.toolBarVisible);
}

TEST_F(ExitSequence, QuitAtOnceSkipsTheExitSequence) {
    DispatchCommand(kCmdQuitAtOnce);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
    EXPECT_EQ(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_TRUE(midi->OutputIsOpen());
}
