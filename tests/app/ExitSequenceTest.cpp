#include "app/ExitSequence.h"
#include "FrameFixture.h"
#include "base/CommandIds.h"
#include "base/WindowGeometry.h"

namespace {

// The little-endian words of a placement record with the normal rectangle (10, 20)-(810, 620),
// shown maximized, followed by the record's own words.
Bytes PlacedWords(std::initializer_list<std::int32_t> after) {
    Bytes bytes;
    std::vector<std::int32_t> words{44, 0, 3, -1, -1, -1, -1, 10, 20, 810, 620};
    words.insert(words.end(), after);
    for (const std::int32_t word : words) {
        const Bytes one = EncodeInt32(word);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

} // namespace

class ExitSequence : public CreatedFrame {
protected:
    void SetUp() override {
        CreatedFrame::SetUp();
        ASSERT_TRUE(OpenMidiDevices());
        view.placement = PlacementFromGeometry({10, 20, 800, 600, kShowMaximized});
    }
};

TEST_F(ExitSequence, WritesFrameWindowAndBarsClosesTheDevicesAndQuitsAndTheNextStartReadsThem) {
    DispatchCommand(kCmdAlwaysOnTop);
    DispatchCommand(kCmdShowStatusBar);
    DispatchCommand(kCmdExit);
    ASSERT_NE(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_EQ(*store.Get(kWindowsKey, "FrameWindow"), PlacedWords({1}));
    EXPECT_EQ(*store.Get(kWindowsKey, "Bars"), (Bytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(midi->OutputIsOpen());
    EXPECT_EQ(g_midiDevices.outputOpened, 0);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));

    CreateFrameState(clock);
    EXPECT_EQ(g_frame.framePlacement, view.placement);
    EXPECT_EQ(g_frame.alwaysOnTop, 1);
    EXPECT_EQ(g_frame.statusBarShown, -1);
    EXPECT_TRUE(view.On("topmost"));
    EXPECT_EQ(view.Last("statusbar"), "hidden");
}

TEST_F(ExitSequence, ACancelledSavePromptKeepsTheProgramRunningAndWritesNothing) {
    g_frameHooks.exitProject = [] { return false; };
    EXPECT_FALSE(RunExitSequence());
    EXPECT_EQ(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_TRUE(midi->OutputIsOpen());
    EXPECT_TRUE(ui.quitCodes.empty());
    // Quit at once skips the whole sequence.
    DispatchCommand(kCmdQuitAtOnce);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
    EXPECT_EQ(store.Get(kWindowsKey, "FrameWindow"), nullptr);
    EXPECT_TRUE(midi->OutputIsOpen());
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
        ui.windowPlacements[command] = view.placement;
    }
    RunExitSequence();
    EXPECT_EQ(*store.Get(kWindowsKey, "MIDIScope"), PlacedWords({1, 1}));
    EXPECT_EQ(*store.Get(kWindowsKey, "ScratchPad"), PlacedWords({1}));
    EXPECT_EQ(*store.Get(kWindowsKey, "AudioRecorder"), PlacedWords({1}));
    EXPECT_EQ(store.Get(kWindowsKey, "MIDISend"), nullptr);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"destroy 18000", "destroy 58000", "destroy 59000"}));

    // A key that cannot be made loses the settings, but the exit goes on.
    store.DeleteKey(kWindowsKey);
    store.failCreate = true;
    ASSERT_TRUE(OpenMidiDevices());
    RunExitSequence();
    EXPECT_EQ(store.Get(kWindowsKey, "MIDIScope"), nullptr);
    EXPECT_FALSE(midi->OutputIsOpen());
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0, 0}));
}
