#include "app/ExitSequence.h"
#include "FrameFixture.h"
#include "base/CommandIds.h"
#include "base/WindowGeometry.h"

class ExitSequence : public CreatedFrame {
protected:
    void SetUp() override {
        CreatedFrame::SetUp();
        ASSERT_TRUE(OpenMidiDevices());
        view.placement = PlacementFromGeometry({10, 20, 800, 600, kShowMaximized});
    }
    const Bytes* Stored(const char* name) const { return store.Get(kWindowsKey, name); }
};

TEST_F(ExitSequence, ACancelledSavePromptKeepsTheProgramRunningAndQuitAtOnceSkipsTheSequence) {
    g_frameHooks.exitProject = [] { return false; };
    EXPECT_FALSE(RunExitSequence());
    EXPECT_TRUE(ui.quitCodes.empty());
    DispatchCommand(kCmdQuitAtOnce);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
    EXPECT_TRUE(!Stored("FrameWindow") && midi->OutputIsOpen());
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

TEST_F(ExitSequence, StoresEachVisibleToolWindowWithItsOpenFlagAndDestroysIt) {
    ui.onCommand = nullptr;
    ui.recorderState = RecorderState::Playing; // stopped only while its window is open
    RunExitSequence();
    EXPECT_TRUE(ui.commands.empty());

    g_midiScopeFilterActiveSensing = 1;
    ui.openWindows = {kCmdMidiScope, kCmdScratchPad, kCmdAudioRecorder};
    for (int command : ui.openWindows) {
        ui.windowPlacements[command] = view.placement;
    }
    view.log.clear();
    RunExitSequence();
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdRecorderStop}));
    EXPECT_EQ(*Stored("MIDIScope"), EncodeToolWindow({view.placement, 1, 1}, true));
    EXPECT_EQ(*Stored("ScratchPad"), EncodeToolWindow({view.placement, 1, 0}, false));
    EXPECT_EQ(Stored("MIDISend"), nullptr);
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"destroy 18000", "destroy 58000", "destroy 59000"}));

    // A key that cannot be made loses the settings, but the exit goes on.
    store.DeleteKey(kWindowsKey);
    store.failCreate = true;
    ASSERT_TRUE(OpenMidiDevices());
    RunExitSequence();
    EXPECT_EQ(Stored("MIDIScope"), nullptr);
    EXPECT_FALSE(midi->OutputIsOpen() || g_midiDevices.outputOpened);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0, 0, 0}));
}
