// The default flags presets of this platform against the real csound: each runs for a fraction of
// a second on the inferred orchestra, with its real-time audio and MIDI modules, connected to the
// "Ventaro.2" MIDI port. The presets' texts themselves are the engine settings' golden bytes.

#include <RtMidi.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CsoundRunner.h"
#include "base/ByteCodec.h"
#include "base/ProgramLauncher.h"
#include "engine/AudioFormats.h"
#include "engine/EngineSettings.h"
#include "midi/JackServer.h"
#include "scripts/CsoundText.h"

namespace {

// The port the program offers to the engine: an RtMidi virtual output of client "Ventaro.2".
std::unique_ptr<RtMidiOut> OpenVentaroPort(RtMidi::Api api) {
    try {
        auto out = std::make_unique<RtMidiOut>(api, "Ventaro.2");
        out->openVirtualPort("Ventaro.2");
        return out;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

class CsoundFlagsPreset : public CsoundTest {
protected:
    void SetUp() override {
        CsoundTest::SetUp();
        std::vector<SliderRecord> sliders(2);
        SetText(sliders[0].name, "Master volume");
        sliders[0].type = kSevenBitType;
        sliders[0].maxValue = 1.0f;
        SetText(sliders[1].name, "Pitch");
        sliders[1].controller1 = 1;
        sliders[1].controller2 = 33;
        sliders[1].minValue = 220.0f;
        sliders[1].maxValue = 880.0f;
        std::vector<std::string> pieces = InferredOrchestraPieces(sliders, kDefaultAudioFormat);
        pieces.insert(pieces.end() - 1, "\r\na1\toscili\t0.1 * kMaster_volume, kPitch, 1\r\n"
                                        "\t\touts\ta1, a1\r\n");
        m_orc = folder.Write("test.orc", Join(pieces)).string();
        m_sco = folder.Write("test.sco", FunctionTablePiece(1) + "i1 0 0.3\r\n").string();
        // An ALSA configuration whose default device discards the sound: the real ALSA module
        // runs on a machine without a sound card.
        std::filesystem::create_directories(folder.Path() / "home");
        folder.Write("home/.asoundrc", "pcm.!default { type null }\n");
    }

    // csound with the preset's words as the engine launcher passes them, the message level
    // raised after them so that warnings show, then the two scripts.
    CsoundResult Run(int preset, const std::vector<std::string>& extra = {}) {
        const SoundEngineRecord defaults = DefaultSoundEngine(false);
        std::vector<std::string> args =
            SplitParameters(TextOf(defaults.flagsPresets[static_cast<std::size_t>(preset)]));
        args.push_back("-m135");
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {m_orc, m_sco});
        return RunCsound(args, {"HOME=" + (folder.Path() / "home").string()});
    }

    std::string m_orc;
    std::string m_sco;
};

} // namespace

TEST_F(CsoundFlagsPreset, JackPresetsPlayAndConnectToTheVentaroPort) {
    JackServer jack(44100); // the rate of the default audio format
    ASSERT_TRUE(jack.Start()) << "jackd did not come up";
    const auto port = OpenVentaroPort(RtMidi::UNIX_JACK);
    ASSERT_TRUE(port);
    for (int preset : {1, 3}) {
        const CsoundResult run = Run(preset);
        EXPECT_EQ(run.exitCode, 0) << preset << "\n" << run.output;
        EXPECT_NE(run.output.find("rtaudio: JACK module enabled"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("rtmidi: JACK module enabled"), std::string::npos);
        // csound warns when it cannot connect its MIDI input to the named port.
        EXPECT_EQ(run.output.find("failed to connect to: Ventaro.2"), std::string::npos)
            << run.output;
        EXPECT_EQ(ErrorLines(run.output), std::vector<std::string>{}) << run.output;
    }
}

TEST_F(CsoundFlagsPreset, AlsaPresetsPlayThroughTheAlsaModule) {
    const bool sequencer = std::filesystem::exists("/dev/snd/seq");
    const auto port = sequencer ? OpenVentaroPort(RtMidi::LINUX_ALSA) : nullptr;
    for (int preset : {0, 2}) {
        const CsoundResult run = Run(preset);
        if (sequencer) {
            ASSERT_TRUE(port);
            EXPECT_EQ(run.exitCode, 0) << preset << "\n" << run.output;
            EXPECT_NE(run.output.find("ALSASEQ: connected from"), std::string::npos) << run.output;
            EXPECT_EQ(ErrorLines(run.output), std::vector<std::string>{}) << run.output;
            continue;
        }
        // Without a sequencer device the alsaseq module fails to open, which shows that the
        // flags chose it; nothing else may be refused.
        EXPECT_NE(run.output.find("ALSASEQ: error opening sequencer"), std::string::npos)
            << run.output;
        for (const std::string& line : ErrorLines(run.output)) {
            EXPECT_TRUE(line.find("ALSASEQ") != std::string::npos ||
                        line.find("seq_hw.c") != std::string::npos ||
                        line.find("MIDI in device") != std::string::npos ||
                        line.find("1 errors in performance") != std::string::npos)
                << line;
        }
        // The same flags with only the MIDI module left out play through real ALSA audio.
        const CsoundResult audio = Run(preset, {"-+rtmidi=null"});
        EXPECT_EQ(audio.exitCode, 0) << preset << "\n" << audio.output;
        EXPECT_EQ(ErrorLines(audio.output), std::vector<std::string>{}) << audio.output;
        EXPECT_NE(audio.output.find("0 errors in performance"), std::string::npos);
    }
}
