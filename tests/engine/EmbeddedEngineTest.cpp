// The embedded engine on a private JACK server, with a stand-in for the program's "Ventaro.2"
// port: it ends cleanly on SIGTERM, reports a broken script, and runs every template of the
// template library to its stop signal. Run, Stop and the slider heard: EngineRealRunTest.

#include <gtest/gtest.h>

#include <fstream>
#include <sndfile.h>
#include <sstream>
#include <string>
#include <vector>

#include "EngineHarness.h"
#include "base/ByteCodec.h"
#include "base/ProgramLauncher.h"
#include "base/TempFolderTest.h"
#include "engine/EngineSettings.h"
#include "midi/JackServer.h"

namespace {

constexpr int kRate = 44100; // the templates' rate
constexpr int kJackPreset = 1;

// A tone whose amplitude follows controller 7 of channel 1, starting at 0.1, written to the
// server and to level.wav.
constexpr const char* kLevelOrchestra = R"(sr = 44100
ksmps = 32
nchnls = 2
0dbfs = 1
initc7 1, 7, 0.1
instr 1
  kamp ctrl7 1, 7, 0, 1
  a1 oscili kamp * 0.5, 440
  outs a1, a1
  fout "level.wav", 14, a1
endin
)";

class EmbeddedEngine : public TempFolderTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(jack.Start()) << "jackd did not come up";
        ASSERT_TRUE(program.Open());
    }
    // The words of the JACK flags preset, as the launcher passes them, then `files`.
    static std::vector<std::string> JackArguments(const std::vector<std::string>& files) {
        std::vector<std::string> words = SplitParameters(
            TextOf(DefaultSoundEngine(true).flagsPresets[static_cast<std::size_t>(kJackPreset)]));
        words.push_back("-m135"); // warnings and errors shown
        words.insert(words.end(), files.begin(), files.end());
        return words;
    }
    // Sends the stop signal and expects a clean end within a second of it.
    void StopWithSignal(EngineProcess& engine) {
        const EngineClock::time_point sent = program.Send(0xF5, 0x00, 0x00);
        ASSERT_NE(sent, EngineClock::time_point{}) << "the stop signal was not sent";
        ProcessExit exit{true, -1};
        ASSERT_TRUE(engine.WaitForExit(1000, &exit)) << engine.Output();
        EXPECT_LT(EngineClock::now() - sent, std::chrono::seconds(1));
        EXPECT_EQ(exit, (ProcessExit{false, 0})) << engine.Output();
    }

    JackServer jack{kRate};
    ProgramPortStandIn program;
};

} // namespace

TEST_F(EmbeddedEngine, EndsCleanlyOnSigtermAndReportsABrokenScript) {
    {
        EngineProcess engine(
            VENTARO_ENGINE_PROGRAM,
            JackArguments({Write("level.orc", kLevelOrchestra), Write("level.sco", "i1 0 3600\n")}),
            folder.string());
        ASSERT_TRUE(program.WaitConnected(5000)) << engine.Output();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        engine.Terminate();
        ProcessExit exit{true, -1};
        ASSERT_TRUE(engine.WaitForExit(1000, &exit)) << engine.Output();
        EXPECT_EQ(exit, (ProcessExit{false, 0})) << engine.Output();
        SF_INFO info{};
        SNDFILE* file = sf_open((folder / "level.wav").c_str(), SFM_READ, &info);
        EXPECT_NE(file, nullptr);
        sf_close(file);
    }
    // An unknown opcode: Csound's own message, and a failure as the exit code.
    EngineProcess broken(
        VENTARO_ENGINE_PROGRAM,
        JackArguments({Write("broken.orc", "instr 1\n a1 oscilx 0.1, 440\nendin\n"),
                       Write("broken.sco", "i1 0 1\n")}),
        folder.string());
    ProcessExit exit{};
    ASSERT_TRUE(broken.WaitForExit(10000, &exit)) << broken.Output();
    EXPECT_EQ(exit.signalled, false);
    EXPECT_NE(exit.code, 0);
    EXPECT_NE(broken.Output().find("oscilx"), std::string::npos) << broken.Output();
    EXPECT_NE(ErrorLines(broken.Output()), std::vector<std::string>{}) << broken.Output();
    // With csound's -O the messages go to that file instead.
    EngineProcess logged(VENTARO_ENGINE_PROGRAM, {"-O", "broken.log", "broken.orc", "broken.sco"},
                         folder.string());
    ASSERT_TRUE(logged.WaitForExit(10000, &exit));
    EXPECT_NE(exit.code, 0);
    std::stringstream log;
    log << std::ifstream(folder / "broken.log").rdbuf();
    EXPECT_NE(log.str().find("oscilx"), std::string::npos) << log.str();
    EXPECT_EQ(logged.Output().find("oscilx"), std::string::npos);
}

// Every template plays for two seconds without an error and ends on the stop signal. Those that
// read the voice sample find it in their folder, as beside a project made from them.
TEST_F(EmbeddedEngine, EveryTemplatePlaysWithoutErrorsAndStops) {
    fs::copy_file(VENTARO_TEMPLATE_BUILD_DIR "/Voice.wav", folder / "Voice.wav");
    const std::string names = VENTARO_TEMPLATE_NAMES;
    std::stringstream list(names);
    for (std::string name; std::getline(list, name, ',');) {
        SCOPED_TRACE(name);
        const fs::path sources = VENTARO_TEMPLATE_SOURCE_DIR;
        std::vector<std::string> files;
        for (const char* suffix : {".csd", ".orc", ".sco"}) {
            if (fs::exists(sources / (name + suffix))) {
                files.push_back((sources / (name + suffix)).string());
            }
        }
        ASSERT_FALSE(files.empty());
        EngineProcess engine(VENTARO_ENGINE_PROGRAM, JackArguments(files), folder.string());
        ASSERT_TRUE(program.WaitConnected(5000)) << engine.Output();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        StopWithSignal(engine);
        const std::string output = engine.Output();
        EXPECT_EQ(ErrorLines(output), std::vector<std::string>{}) << output;
        EXPECT_NE(output.find("rtaudio: JACK module enabled"), std::string::npos) << output;
        // The preset names Csound's JACK MIDI module; the engine's own input takes its place.
        EXPECT_EQ(output.find("rtmidi: JACK module enabled"), std::string::npos) << output;
    }
}
