// Run and Stop end to end on a private JACK server: a project's engine hears a slider moved on
// the "Ventaro.2" output, as the level of the WAV file its orchestra writes shows.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sndfile.h>
#include <thread>
#include <unistd.h>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "base/FileSettingsStore.h"
#include "base/PosixFileSystem.h"
#include "base/PosixProgramLauncher.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "base/TempFolderTest.h"
#include "engine/CsoundOutput.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineRun.h"
#include "engine/EngineSettings.h"
#include "fakes/FakeUi.h"
#include "midi/JackServer.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

// The engine program as the engine library carries it.
struct BuiltEngineLibrary : EngineLibrary {
    std::string String(int) override { return "engine"; }
    std::optional<Bytes> Resource(const std::string& name, const std::string&) override {
        std::ifstream file(name == "SOUNDENGINE" ? VENTARO_ENGINE_PROGRAM : "/dev/null",
                           std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};

// The level of controller 20 on channel 1 is the tone's amplitude; the flags are the JACK preset,
// whose -b880 needs a ksmps that divides it once audio input is on.
constexpr const char* kOrchestra = "sr = 44100\nksmps = 16\nnchnls = 1\n0dbfs = 1\n"
                                   "instr 1\n  kAmp ctrl7 1, 20, 0, 1\n  aTone oscili kAmp, 440\n"
                                   "  fout \"played.wav\", 14, aTone\nendin\n";
constexpr const char* kFlags = "-odac -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0";

// The engine's output as the console gets it, read once the engine has ended.
struct CapturedOutput : EngineOutputView {
    void EngineStarted(const KeptProcess& process, const EngineCommand&) override {
        fd = process.outputFd;
    }
    std::string Take() {
        std::string text;
        char buffer[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        fd = -1;
        return text;
    }
    int fd = -1;
};

class EngineRealRun : public TempFolderTest {
protected:
    void SetUp() override {
        ResetAllState();
        if (std::system("command -v jackd >/dev/null && command -v csound >/dev/null") != 0) {
            GTEST_SKIP() << "jackd or csound is not installed";
        }
        ASSERT_TRUE(jack.Start()) << "the private JACK server did not start";
        g_ui = &ui;
        g_fileSystem = &files;
        g_programLauncher = &launcher;
        g_engineFolder = (folder / "drive_c").string();
        g_engineOutputView = &output;
        g_engineLibrary = &library;
        g_soundEngine.useEmbedded = 1;
        service = CreatePlatformMidiService();
        g_midiService = service.get();
        Write("test.orc", kOrchestra);
        Write("test.sco", "i1 0 3600\ne\n");
        g_projectOpen = 1;
        SetProjectFile((folder / "live.vtp").string());
        SetText(g_scriptPaths[0], "test.orc");
        SetText(g_scriptPaths[1], "test.sco");
        g_preferences.editor.saveScriptsBeforeRun = 0;
        SetText(g_soundEngine.flagsPresets[0], kFlags);
        g_sliderCount = 1;
        g_sliders[0] = SliderRecord{};
        g_sliders[0].type = kSevenBitType;
        g_sliders[0].controller1 = 20;
    }
    void TearDown() override {
        g_engineOutputView = nullptr;
        g_midiService = nullptr;
        service.reset();
        g_engineLibrary = nullptr;
        g_programLauncher = nullptr;
        g_fileSystem = nullptr;
        g_ui = nullptr;
    }

    void OpenVentaroPort() { ASSERT_EQ(service->OpenOutput(FindMidiOutput("Ventaro.2")), kMidiOk); }
    // Moves the slider to the top half a second into the file, however slowly the engine starts;
    // returns how long Stop took.
    double PlayAndStop(ProcessExit& exit) {
        RunSoundEngine();
        if (!service->OutputIsOpen()) {
            OpenVentaroPort(); // the embedded engine connects to the port when it appears
        }
        EXPECT_EQ(g_engineRunning, 1) << ::testing::PrintToString(ui.MessageTexts());
        const long engine = g_engineProcess;
        EXPECT_TRUE(WaitFor("jack_lsp -c Ventaro.2:Ventaro.2 | grep -q '^   '", 10000));
        const fs::path played = folder / "played.wav";
        EXPECT_TRUE(
            WaitUntil([&] { return fs::exists(played) && fs::file_size(played) > 44100; }, 10000));
        g_sliders[0].value = 127;
        SendSlider(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const auto start = std::chrono::steady_clock::now();
        StopSoundEngine();
        const double stopped =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // Ended and reaped; csound, ended by SIGTERM, may take longer than the wait.
        EXPECT_TRUE(launcher.WaitForExit(engine, 10000, &exit));
        SF_INFO info{};
        SNDFILE* file = sf_open(played.c_str(), SFM_READ, &info);
        EXPECT_TRUE(file && info.frames > 44100 / 2) << "the WAV file is not whole";
        std::vector<short> samples(file ? static_cast<std::size_t>(info.frames) : 0);
        const auto level = [&samples](std::size_t from) { // of a tenth of a second, 0 to 1
            double sum = 0;
            for (std::size_t i = from; i < from + 4410 && i < samples.size(); ++i) {
                sum += double(samples[i]) * samples[i];
            }
            return std::sqrt(sum / 4410) / 32768;
        };
        if (file) {
            sf_read_short(file, samples.data(), info.frames);
            sf_close(file);
            EXPECT_LT(level(0), 0.01);
            EXPECT_GT(level(samples.size() - 4410), 0.5);
        }
        return stopped;
    }

    JackServer jack{44100};
    CapturedOutput output;
    BuiltEngineLibrary library;
    FakeUi ui;
    PosixFileSystem files;
    PosixProgramLauncher launcher;
    std::unique_ptr<MidiService> service;
};

TEST_F(EngineRealRun, TheEmbeddedEngineHearsTheSliderAndEndsCleanlyOnTheStopSignal) {
    SetText(g_soundEngine.flagsPresets[0], std::string(kFlags) + " -m135"); // warnings shown
    ProcessExit exit{true, -1};
    EXPECT_LT(PlayAndStop(exit), 1.0);
    EXPECT_EQ(exit, ProcessExit{});
    const std::string printed = output.Take();
    EXPECT_EQ(ErrorLines(printed), std::vector<std::string>{}) << printed;
    // The preset names Csound's JACK MIDI module; the engine's own input takes its place.
    EXPECT_EQ(printed.find("rtmidi: JACK module enabled"), std::string::npos) << printed;
}

// csound does not know the stop signal: SIGTERM after the wait, and it still closes its files.
// The JACK preset with audio input: the default presets' widest real-time set.
TEST_F(EngineRealRun, TheExternalCsoundHearsTheSliderAndIsEndedBySigterm) {
    SetText(g_soundEngine.flagsPresets[0],
            "-odac -iadc -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0");
    SetText(g_soundEngine.programName, "csound");
    g_soundEngine.useEmbedded = -1;
    g_engineOutputView = nullptr; // on the test's output
    OpenVentaroPort();            // csound connects to it once, at its start
    ProcessExit exit;
    const double stopped = PlayAndStop(exit);
    EXPECT_GT(stopped, 0.9);
    EXPECT_LT(stopped, 2.5);
}

// The tool stops the engine with the stop signal through its own "Ventaro.2" output.
TEST_F(EngineRealRun, TheToolRunsTheProjectsEmbeddedEngineAndStopsIt) {
    g_midiService = nullptr;
    service.reset(); // the tool's own output is the "Ventaro.2" port
    SoundEngineRecord settings = DefaultSoundEngine(true);
    SetText(settings.flagsPresets[0], kFlags);
    FileSettingsStore store(folder / "config");
    ASSERT_TRUE(store.CreateKey(kSettingsKey) &&
                store.WriteValue(kSettingsKey, kValueSoundEngine, EncodeSoundEngine(settings)));
    const std::string environment =
        "cd " + folder.string() + " && XDG_CONFIG_HOME=" + (folder / "config").string() +
        " XDG_DATA_HOME=" + (folder / "data").string() + " " VENTARO_TOOL;
    ASSERT_EQ(std::system((environment + " project new --bits 7 --sliders 1 -o set.vtp").c_str()),
              0);
    EXPECT_EQ(std::system((environment + " engine run set.vtp --seconds 2 >/dev/null").c_str()), 0);
    EXPECT_GT(fs::file_size(folder / "played.wav"), 2u * 44100); // a second of 16-bit samples
}

// SIGTERM is what the program's exit sends.
TEST_F(EngineRealRun, TheEmbeddedEngineEndsCleanlyOnSigtermAndReportsABrokenScript) {
    RunSoundEngine();
    ASSERT_TRUE(WaitFor("jack_lsp | grep -q 'Ventaro.2 engine'", 10000)); // it listens: it runs
    launcher.Terminate(g_engineProcess, false);
    ProcessExit exit{true, -1};
    EXPECT_TRUE(launcher.WaitForExit(g_engineProcess, 5000, &exit));
    EXPECT_EQ(exit, ProcessExit{});
    StopSoundEngine();
    output.Take();
    Write("test.orc", "instr 1\n a1 oscilx 0.1, 440\nendin\n");
    RunSoundEngine();
    EXPECT_TRUE(launcher.WaitForExit(g_engineProcess, 10000, &exit));
    EXPECT_NE(exit, ProcessExit{});
    const std::string printed = output.Take();
    EXPECT_NE(printed.find("oscilx"), std::string::npos) << printed;
    EXPECT_NE(ErrorLines(printed), std::vector<std::string>{});
}

} // namespace
