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

using Calls = std::vector<std::string>;
const std::string kPreset0 = "-odac -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0";

class EngineLibraryWithEngine : public EngineLibrary {
public:
    std::string String(int) override { return "engine"; }
    std::optional<Bytes> Resource(const std::string& name, const std::string& type) override {
        auto it = resources.find(type + "/" + name);
        return it == resources.end() ? std::nullopt : std::optional<Bytes>(it->second);
    }
    std::map<std::string, Bytes> resources = {{"GLUT/GLUT_DLL", Bytes(10, 1)},
                                              {"ENGINE/SOUNDENGINE", Bytes(1000, 2)}};
};

class EngineRun : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        g_engineFolder = "/data/drive_c";
        RegisterEngineCommands();
        OpenOutput();
        g_sliderCount = 0; // the transport's message alone, not a panel's worth of sliders
        launcher.endsOnStopSignal = true;
        // What had reached the wire when the engine was started.
        launcher.onLaunch = [this] { sentAtLaunch = Sent(); };
    }
    void TearDown() override {
        g_engineLibrary = nullptr;
        g_scriptPanes = nullptr;
        CoreServices::TearDown();
    }
    void UseEmbeddedEngine() {
        g_engineLibrary = &library;
        SetEngineSettingsDefaults();
    }
    void OpenProject(const std::string& script1, const std::string& script2) {
        g_projectOpen = 1;
        SetProjectFile("/music/live set/set.vtp");
        SetText(g_scriptPaths[0], script1);
        SetText(g_scriptPaths[1], script2);
    }
    bool Sends(const std::string& bytes) {
        const std::vector<std::string> sent = Sent();
        return std::find(sent.begin(), sent.end(), bytes) != sent.end();
    }

    EngineLibraryWithEngine library;
    std::vector<std::string> sentAtLaunch;
};

TEST_F(EngineRun, StopWithoutAnEngineDoesNothing) {
    ui.onCommand(kCmdStopEngine);
    EXPECT_EQ(Sent(), std::vector<std::string>());
    EXPECT_EQ(launcher.calls, Calls());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EngineRun, RunsTheExternalEngineOnTheEnvironmentFilesWithoutAProject) {
    ui.onCommand(kCmdRunEngine);
    const EngineCommand command = CurrentEngineCommand();
    EXPECT_EQ(command.program, "csound");
    EXPECT_EQ(command.parameters, kPreset0 + " test.orc test.sco");
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0].arguments,
              (Calls{"-odac", "-+rtaudio=alsa", "-+rtmidi=alsaseq", "-MVentaro.2", "-b880", "-m0",
                     "test.orc", "test.sco"}));
    // The transport was stopped first (the default stop message); the output is the console's.
    EXPECT_EQ(sentAtLaunch, std::vector<std::string>{"80 3C 40"});
    EXPECT_EQ(launcher.calls, Calls{"start csound"});
    EXPECT_EQ(g_engineRunning, 1);
    EXPECT_EQ(ui.toolButtons[kCmdRunEngine], std::pair(true, true));
    EXPECT_EQ(ui.toolButtons[kCmdStopEngine], std::pair(true, false));
    EXPECT_EQ(ui.enabledCommands.back(), std::pair(static_cast<int>(kCmdStopEngine), true));
}

TEST_F(EngineRun, RunWhileRunningStopsTheEngineFirst) {
    ui.onCommand(kCmdRunEngine);
    Sent();
    ui.onCommand(kCmdRunEngine);
    // Stop signal, the engine's end awaited, the devices reset, and only then the new engine.
    ASSERT_GE(sentAtLaunch.size(), 3u);
    EXPECT_EQ(std::vector(sentAtLaunch.begin(), sentAtLaunch.begin() + 3),
              (std::vector<std::string>{"80 3C 40", "80 3C 40", "F5 00 00"}));
    EXPECT_EQ(sentAtLaunch.back(), "BF 7B 00"); // the reset's last All Notes Off
    EXPECT_EQ(launcher.calls, (Calls{"start csound", "wait 1000 ended", "start csound"}));
    EXPECT_FALSE(ui.waitCursor);
    EXPECT_EQ(g_engineRunning, 1);
}

// Csound ignores the stop signal: SIGTERM after the wait; SIGKILL only when forced.
TEST_F(EngineRun, AnEngineThatIgnoresTheStopSignalIsTerminated) {
    struct Row {
        bool ignoresTerm;
        std::int32_t force;
        Calls calls;
    };
    const Row rows[] = {
        {false, -1, {"wait 1000", "term", "wait 1000 ended"}},
        {true, -1, {"wait 1000", "term", "wait 1000"}},
        {true, 1, {"wait 1000", "term", "wait 1000", "kill", "wait 1000 ended"}},
    };
    for (const Row& row : rows) {
        launcher.endsOnStopSignal = false;
        launcher.ignoresTerm = row.ignoresTerm;
        g_soundEngine.forceTermination = row.force;
        ui.onCommand(kCmdRunEngine);
        launcher.calls.clear();
        ui.onCommand(kCmdStopEngine);
        EXPECT_EQ(launcher.calls, row.calls);
        EXPECT_EQ(g_engineRunning, 0);
        EXPECT_EQ(ui.toolButtons[kCmdRunEngine], std::pair(true, false));
        EXPECT_EQ(ui.toolButtons[kCmdStopEngine], std::pair(false, false));
    }
}

TEST_F(EngineRun, TheEmbeddedEngineIsExportedRunAndDeletedAtStop) {
    UseEmbeddedEngine();
    ui.onCommand(kCmdRunEngine);
    EXPECT_EQ(files.writes,
              (Calls{"/data/drive_c/glut.dll", "/data/drive_c/VentaroEmebeddedEngine.exe"}));
    EXPECT_EQ(files.executables, std::set<std::string>{"/data/drive_c/VentaroEmebeddedEngine.exe"});
    EXPECT_EQ(launcher.calls, Calls{"start /data/drive_c/VentaroEmebeddedEngine.exe"});
    ui.onCommand(kCmdStopEngine);
    EXPECT_EQ(files.removed, Calls{"/data/drive_c/VentaroEmebeddedEngine.exe"});
    EXPECT_TRUE(files.files.count("/data/drive_c/glut.dll"));
}

TEST_F(EngineRun, AFailedExportEndsRunWithItsMessage) {
    UseEmbeddedEngine();
    files.failCreate = true; // the support file cannot be created: the engine is never written
    ui.onCommand(kCmdRunEngine);
    EXPECT_EQ(files.writes, Calls{"/data/drive_c/glut.dll"});
    files.failCreate = false;
    files.diskFree = 500; // the engine's write is short
    ui.onCommand(kCmdRunEngine);
    library.resources.erase("GLUT/GLUT_DLL");
    ui.onCommand(kCmdRunEngine);
    g_engineFolder.clear(); // no home folder
    ui.onCommand(kCmdRunEngine);
    EXPECT_EQ(ui.MessageTexts(), Calls(4, Str(kStrEngineExportError)));
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(g_engineRunning, 0);
}

TEST_F(EngineRun, TheProjectsScriptsArePassedWholeAndFoundBesideTheProject) {
    OpenProject("orc\\my drums.orc", "");
    g_soundEngine.flagsPreset = 1;
    ui.onCommand(kCmdRunEngine);
    const std::string jack = "-odac -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0";
    EXPECT_EQ(CurrentEngineCommand().parameters, jack + " orc\\my drums.orc");
    EXPECT_EQ(launcher.launched[0].arguments.back(), "/music/live set/orc/my drums.orc");
    EXPECT_EQ(launcher.calls, Calls{"start csound in /music/live set/."});
    SetText(g_scriptPaths[0], "");
    EXPECT_EQ(CurrentEngineCommand().parameters, jack);
}

TEST_F(EngineRun, TheScriptsAreSavedFromTheEditorWhenThePreferenceAsks) {
    class OnePane : public ScriptPanes {
    public:
        int PaneCount() override { return 1; }
        std::string PaneText(int) override { return "instr 1\nendin\n"; }
        void SetPaneText(int, const std::string&) override {}
    } pane;
    OpenProject("a.orc", "b.sco");
    g_scriptPanes = &pane;
    g_preferences.editor.saveScriptsBeforeRun = 0;
    ui.onCommand(kCmdRunEngine);
    EXPECT_TRUE(files.writes.empty());
    g_preferences.editor.saveScriptsBeforeRun = 1;
    ui.onCommand(kCmdRunEngine);
    const std::string text = "instr 1\nendin\n";
    EXPECT_EQ(files.files["/music/live set/a.orc"],
              std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST_F(EngineRun, ACommandLineTooLongOrAProgramThatDoesNotStartIsReported) {
    SetText(g_soundEngine.flagsPresets[0], std::string(481, 'x'));
    ui.onCommand(kCmdRunEngine); // 481 + " test.orc test.sco": 499 characters fit
    EXPECT_EQ(launcher.launched.size(), 1u);
    SetText(g_environmentFiles.script1, "test1.orc");
    ui.onCommand(kCmdRunEngine);
    EXPECT_EQ(launcher.launched.size(), 1u);
    SetText(g_soundEngine.flagsPresets[0], kPreset0);
    launcher.fail = true;
    ui.onCommand(kCmdRunEngine);
    EXPECT_EQ(ui.MessageTexts(),
              (Calls{Str(kStrEngineCommandTooLong) + "499, 500.", NotStartedMessage("csound")}));
    EXPECT_EQ(g_engineRunning, 0);
}

TEST_F(EngineRun, AFailedDeviceResetIsReportedAndStopGoesOn) {
    ui.onCommand(kCmdRunEngine);
    ports->sendError = "gone";
    ui.onCommand(kCmdStopEngine);
    EXPECT_EQ(ui.MessageTexts(), Calls{Str(kStrDevicesResetError)});
    EXPECT_EQ(g_engineRunning, 0);
}

} // namespace
