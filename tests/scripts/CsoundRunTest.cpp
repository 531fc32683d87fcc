// The real csound on what the program writes for it: the generated text rendered to WAV files,
// and the default ALSA presets run briefly with their real-time modules on the "Ventaro.2" port.

#include <gtest/gtest.h>

#include <RtMidi.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "base/ByteCodec.h"
#include "base/ProgramLauncher.h"
#include "base/TempFolderTest.h"
#include "engine/AudioFormats.h"
#include "engine/CsoundOutput.h"
#include "engine/EngineSettings.h"
#include "scripts/CsoundText.h"

namespace {

struct CsoundResult {
    int exitCode = -1;  // 137 when csound had to be stopped
    std::string output; // its standard output and error
};

std::string Join(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

// 64 7-bit and 64 14-bit sliders with blanks in their names, all channels, mixed ranges.
std::vector<SliderRecord> MixedPanel() {
    const float ranges[][2] = {{0.0f, 1.0f},  {20.0f, 20000.0f}, {0.001f, 0.1f},
                               {-1.0f, 1.0f}, {0.0f, 127.0f},    {-0.25f, 1e11f}};
    std::vector<SliderRecord> sliders(128);
    for (int i = 0; i < 128; ++i) {
        SliderRecord& s = sliders[static_cast<std::size_t>(i)];
        SetText(s.name, "Fader " + std::to_string(i) + (i % 3 ? " gain" : " cut off freq"));
        s.type = i % 2 ? kFourteenBitType : kSevenBitType;
        s.channel = i % 16;
        s.controller1 = i % 64;
        s.controller2 = i % 64 + 32;
        s.minValue = ranges[i % 6][0];
        s.maxValue = ranges[i % 6][1];
        s.value = i;
    }
    return sliders;
}

// The mixed panel's inferred orchestra with an audio line that reads two of the controllers.
std::string Orchestra(int format) {
    std::vector<std::string> pieces = InferredOrchestraPieces(MixedPanel(), format);
    pieces.insert(pieces.end() - 1,
                  "\r\na1\toscili\t0.1 + 0.1 * kFader_0_cut_off_freq, 220 + kFader_1_gain, 1\r\n" +
                      std::string(AudioFormatOf(format).channels == 2 ? "\t\touts\ta1, a1\r\n"
                                                                      : "\t\tout\ta1\r\n"));
    return Join(pieces);
}

// csound runs in the test's own folder, its home there with an ALSA default device that discards
// the sound, so that the real ALSA module runs on a machine without a sound card.
class CsoundRun : public TempFolderTest {
protected:
    void SetUp() override {
        if (std::system("command -v csound >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "csound is not installed";
        }
        fs::create_directories(folder / "home");
        Write("home/.asoundrc", "pcm.!default { type null }\n");
    }

    // A csound that hangs is stopped after 30 seconds.
    CsoundResult Run(const std::vector<std::string>& arguments) {
        const auto quoted = [](const std::string& word) {
            return "'" + std::regex_replace(word, std::regex("'"), "'\\''") + "'";
        };
        std::string command = "HOME=" + quoted(folder / "home") +
                              " timeout -s KILL 30 csound --nodisplays -+msg_color=false";
        for (const std::string& word : arguments) {
            command += " " + quoted(word);
        }
        const fs::path log = folder / "csound.log";
        const int status = std::system((command + " >" + quoted(log) + " 2>&1").c_str());
        std::stringstream text;
        text << std::ifstream(log, std::ios::binary).rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
    }

    // A default preset's words as the engine launcher passes them, with warnings shown.
    CsoundResult RunPreset(int preset, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = SplitParameters(
            TextOf(DefaultSoundEngine(false).flagsPresets[static_cast<std::size_t>(preset)]));
        args.push_back("-m135");
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(Write("test.orc", Orchestra(kDefaultAudioFormat)));
        args.push_back(Write("test.sco", FunctionTablePiece(1) + "i1 0 0.3\r\n"));
        return Run(args);
    }
};

} // namespace

TEST_F(CsoundRun, TheOrchestraEveryTableAndThePFieldsRenderInEveryFormat) {
    std::vector<SliderRecord> sliders = MixedPanel();
    // The dummy table keeps the score alive for 3600 beats; the tempo makes that 0.6 seconds.
    std::string score = "t 0 360000\r\n";
    for (int piece = 1; piece <= kFunctionTableCount; ++piece) {
        score += FunctionTablePiece(piece);
    }
    score += "i1\t0\t1000\r\n" + Join(PFieldPieces(sliders));
    for (int format = 0; format < kAudioFormatCount; ++format) {
        SCOPED_TRACE(format);
        const fs::path wav = folder / ("format" + std::to_string(format) + ".wav");
        const CsoundResult run =
            Run({"-+rtmidi=null", "-o", wav.string(), Write("test.orc", Orchestra(format)),
                 Write("test.sco", score)});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(ErrorLines(run.output), std::vector<std::string>{}) << run.output;
        unsigned char h[44] = {};
        std::ifstream(wav, std::ios::binary).read(reinterpret_cast<char*>(h), sizeof h);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(h), 4), "RIFF");
        EXPECT_EQ(h[22] | h[23] << 8, AudioFormatOf(format).channels);
        EXPECT_EQ(h[24] | h[25] << 8 | h[26] << 16 | h[27] << 24, AudioFormatOf(format).rate);
        // Each table is reported on a line of its own, with nothing after it when it was built.
        for (int table : {1, 2, 3, 4, 20, 21, 22, 23, 24, 25, 26, 27}) {
            const std::string line = "ftable " + std::to_string(table) + ":\n";
            EXPECT_NE(run.output.find(line), std::string::npos) << line << run.output;
        }
    }
}

TEST_F(CsoundRun, AlsaPresetsPlayThroughTheAlsaModule) {
    // The port the program offers to the engine: an RtMidi virtual output of client "Ventaro.2".
    const bool sequencer = fs::exists("/dev/snd/seq");
    std::optional<RtMidiOut> port;
    if (sequencer) {
        port.emplace(RtMidi::LINUX_ALSA, "Ventaro.2");
        port->openVirtualPort("Ventaro.2");
    }
    for (int preset : {0, 2}) {
        // Without a sequencer device, alsaseq failing to open still shows that the flags chose it.
        const CsoundResult run = RunPreset(preset);
        EXPECT_NE(run.output.find(sequencer ? "ALSASEQ: connected from"
                                            : "ALSASEQ: error opening sequencer"),
                  std::string::npos)
            << run.output;
        if (sequencer) {
            EXPECT_EQ(ErrorLines(run.output), std::vector<std::string>{}) << run.output;
        }
        // Without only the MIDI module, the same flags play through real ALSA audio.
        const CsoundResult audio = RunPreset(preset, {"-+rtmidi=null"});
        EXPECT_EQ(audio.exitCode, 0) << preset << "\n" << audio.output;
        EXPECT_EQ(ErrorLines(audio.output), std::vector<std::string>{}) << audio.output;
        EXPECT_NE(audio.output.find("0 errors in performance"), std::string::npos);
    }
}
