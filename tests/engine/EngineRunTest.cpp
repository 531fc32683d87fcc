#include <map>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Preferences.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "fakes/CoreServices.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

const std::string kPreset0 = "-odac -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0";
const std::string kEngine = "/data/drive_c/VentaroEmebeddedEngine.exe";

struct EngineLibraryWithEngine : EngineLibrary {
    std::string String(int) override { return "engine"; }
    std::optional<Bytes> Resource(const std::string& name, const std::string& type) override {
        auto it = resources.find(type + "/" + name);
        return it == resources.end() ? std::nullopt : std::optional<Bytes>(it->second);
    }
    std::map<std::string, Bytes> resources = {{"GLUT/GLUT_DLL", Bytes(10, 1)},
                                              {"ENGINE/SOUNDENGINE", Bytes(1000, 2)}};
};

struct OnePane : ScriptPanes {
    int PaneCount() override { return 1; }
    std::string PaneText(int) override { return "instr 1\n"; }
    void SetPaneText(int, const std::string&) override {}
};

class EngineRun : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        g_engineFolder = "/data/drive_c";
        RegisterEngineCommands();
        OpenOutput();
        g_sliderCount = 0; // the transport's stop message alone, not a panel's worth of sliders
        launcher.endsOnStopSignal = true;
        launcher.onLaunch = [this] { sentAtLaunch = Sent(); };
    }
    void TearDown() override {
        g_engineLibrary = nullptr;
        g_scriptPanes = nullptr;
        CoreServices::TearDown();
    }
    void Run() { ui.onCommand(kCmdRunEngine); }
    void Stop() { ui.onCommand(kCmdStopEngine); }

    EngineLibraryWithEngine library;
    Texts sentAtLaunch; // what had reached the wire when the engine was started
};

TEST_F(EngineRun, StopWithoutAnEngineDoesNothing) {
    Stop();
    EXPECT_EQ(Sent(), Texts());
    EXPECT_EQ(launcher.calls, Texts());
}

// No project: the environment files after the preset.
TEST_F(EngineRun, RunStartsTheEngineAndARunWhileRunningStopsItFirst) {
    Run();
    EXPECT_EQ(launcher.launched[0].arguments, SplitParameters(kPreset0 + " test.orc test.sco"));
    EXPECT_EQ(sentAtLaunch, Texts{"80 3C 40"}); // the transport's stop message
    EXPECT_EQ(ui.toolButtons[kCmdRunEngine], std::pair(true, true));
    EXPECT_EQ(ui.toolButtons[kCmdStopEngine], std::pair(true, false));
    Run();
    EXPECT_EQ(Texts(sentAtLaunch.begin(), sentAtLaunch.begin() + 3),
              (Texts{"80 3C 40", "80 3C 40", "F5 00 00"}));
    EXPECT_EQ(sentAtLaunch.back(), "BF 7B 00"); // the reset's last All Notes Off
    EXPECT_EQ(launcher.calls, (Texts{"start csound", "wait 1000 ended", "start csound"}));
    EXPECT_EQ(g_engineRunning, 1);
}

// Csound ignores the stop signal: SIGTERM after the wait; SIGKILL only when forced.
TEST_F(EngineRun, AnEngineThatIgnoresTheStopSignalIsTerminated) {
    const std::tuple<bool, std::int32_t, Texts> rows[] = {
        {false, -1, {"wait 1000", "term", "wait 1000 ended"}},
        {true, -1, {"wait 1000", "term", "wait 1000"}},
        {true, 1, {"wait 1000", "term", "wait 1000", "kill", "wait 1000 ended"}},
    };
    launcher.endsOnStopSignal = false;
    for (const auto& [ignoresTerm, force, calls] : rows) {
        launcher.ignoresTerm = ignoresTerm;
        g_soundEngine.forceTermination = force;
        Run();
        launcher.calls.clear();
        Stop();
        EXPECT_EQ(launcher.calls, calls);
        EXPECT_EQ(g_engineRunning, 0);
        EXPECT_EQ(ui.toolButtons[kCmdRunEngine], std::pair(true, false));
        EXPECT_EQ(ui.toolButtons[kCmdStopEngine], std::pair(false, false));
    }
}

TEST_F(EngineRun, TheEmbeddedEngineIsExportedRunAndDeletedAtStop) {
    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    Run();
    EXPECT_EQ(files.writes, (Texts{"/data/drive_c/glut.dll", kEngine}));
    EXPECT_EQ(files.executables, std::set<std::string>{kEngine});
    EXPECT_EQ(launcher.calls, Texts{"start " + kEngine});
    Stop();
    EXPECT_EQ(files.removed, Texts{kEngine});
    EXPECT_TRUE(files.files.count("/data/drive_c/glut.dll"));
}

TEST_F(EngineRun, AFailedExportEndsRunWithItsMessage) {
    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    files.failCreate = true; // the support file cannot be created: the engine is never written
    Run();
    EXPECT_EQ(files.writes, Texts{"/data/drive_c/glut.dll"});
    files.failCreate = false;
    files.diskFree = 500; // the engine's write is short
    Run();
    library.resources.erase("GLUT/GLUT_DLL");
    Run();
    g_engineFolder.clear(); // no home folder
    Run();
    EXPECT_EQ(ui.MessageTexts(), Texts(4, Str(kStrEngineExportError)));
    EXPECT_TRUE(launcher.launched.empty());
}

// The editor's text is saved first when the preference asks.
TEST_F(EngineRun, TheProjectsScriptsAreSavedAndPassedWholeBesideTheProject) {
    OnePane pane;
    g_scriptPanes = &pane;
    g_projectOpen = 1;
    SetProjectFile("/music/live set/set.vtp");
    SetText(g_scriptPaths[0], "orc\\my drums.orc");
    SetText(g_scriptPaths[1], "");
    g_preferences.editor.saveScriptsBeforeRun = 0;
    Run();
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(CurrentEngineCommand().parameters, kPreset0 + " orc\\my drums.orc");
    EXPECT_EQ(launcher.launched[0].arguments.back(), "/music/live set/orc/my drums.orc");
    EXPECT_EQ(launcher.calls[0], "start csound in /music/live set/.");
    g_preferences.editor.saveScriptsBeforeRun = 1;
    Run();
    EXPECT_EQ(files.files["/music/live set/orc/my drums.orc"],
              (Bytes{'i', 'n', 's', 't', 'r', ' ', '1', '\n'}));
    SetText(g_scriptPaths[0], "");
    EXPECT_EQ(CurrentEngineCommand().parameters, kPreset0);
}

TEST_F(EngineRun, WhatCannotStartOrResetIsReported) {
    SetText(g_soundEngine.flagsPresets[0], std::string(481, 'x'));
    Run(); // 481 + " test.orc test.sco": 499 characters fit
    ports->sendError = "gone";
    SetText(g_environmentFiles.script1, "test1.orc");
    Run(); // the reset of the first engine's Stop fails, and 500 characters do not fit
    EXPECT_EQ(launcher.launched.size(), 1u);
    ports->sendError.clear();
    SetText(g_soundEngine.flagsPresets[0], kPreset0);
    launcher.fail = true;
    Run();
    EXPECT_EQ(ui.MessageTexts(),
              (Texts{Str(kStrDevicesResetError), Str(kStrEngineCommandTooLong) + "499, 500.",
                     NotStartedMessage("csound")}));
    EXPECT_EQ(g_engineRunning, 0);
}

} // namespace
