// The generated Csound text run through the real csound, offline to a WAV file.

#include <fstream>
#include <string>
#include <vector>

#include "CsoundRunner.h"
#include "base/ByteCodec.h"
#include "engine/AudioFormats.h"
#include "scripts/CsoundText.h"

namespace {

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

// The WAV header's channel count and sample rate.
struct WavFormat {
    int channels = 0;
    int rate = 0;
};
WavFormat ReadWavFormat(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[44] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (in.gcount() != 44 || std::string(reinterpret_cast<char*>(header), 4) != "RIFF") {
        return {};
    }
    return {header[22] | header[23] << 8,
            header[24] | header[25] << 8 | header[26] << 16 | header[27] << 24};
}

class CsoundAcceptsText : public CsoundTest {
protected:
    // Renders the scripts to `wav`; csound ran cleanly and wrote the format's rate and channels.
    CsoundResult Render(const std::string& orchestra, const std::string& score,
                        const std::string& wav, const AudioFormat& format) {
        const auto orc = folder.Write("test.orc", orchestra);
        const auto sco = folder.Write("test.sco", score);
        const CsoundResult run = RunCsound(
            {"-+rtmidi=null", "-o", (folder.Path() / wav).string(), orc.string(), sco.string()});
        EXPECT_EQ(run.exitCode, 0) << wav << "\n" << run.output;
        EXPECT_EQ(ErrorLines(run.output), std::vector<std::string>{}) << run.output;
        const WavFormat written = ReadWavFormat(folder.Path() / wav);
        EXPECT_EQ(written.rate, format.rate) << wav;
        EXPECT_EQ(written.channels, format.channels) << wav;
        return run;
    }
};

} // namespace

TEST_F(CsoundAcceptsText, TheOrchestraOf128MixedSlidersEveryTableAndThePFieldsRender) {
    std::vector<SliderRecord> sliders = MixedPanel();
    std::vector<std::string> pieces = InferredOrchestraPieces(sliders, kDefaultAudioFormat);
    // A minimal audio line before the instrument's end, reading two of the controllers.
    pieces.insert(pieces.end() - 1,
                  "\r\na1\toscili\t0.1 + 0.1 * kFader_0_cut_off_freq, 220 + kFader_1_gain, 1"
                  "\r\n\t\touts\ta1, a1\r\n");
    // The dummy table keeps the score alive for 3600 beats; the tempo makes that 0.6 seconds.
    std::string score = "t 0 360000\r\n";
    for (int piece = 1; piece <= kFunctionTableCount; ++piece) {
        score += FunctionTablePiece(piece);
    }
    score += "i1\t0\t1000\r\n" + Join(PFieldPieces(sliders));
    const CsoundResult run =
        Render(Join(pieces), score, "panel.wav", AudioFormatOf(kDefaultAudioFormat));
    // Each table is reported on a line of its own, with nothing after it when it was built.
    for (int table : {1, 2, 3, 4, 20, 21, 22, 23, 24, 25, 26, 27}) {
        const std::string line = "ftable " + std::to_string(table) + ":\n";
        EXPECT_NE(run.output.find(line), std::string::npos) << line << run.output;
    }
}

TEST_F(CsoundAcceptsText, EveryHeaderRendersAtItsOwnRateAndChannels) {
    for (int index = 0; index < kAudioFormatCount; ++index) {
        const AudioFormat format = AudioFormatOf(index);
        const std::string orchestra =
            CsoundHeaderPiece(index) + InstrumentOpeningPiece() + "a1\toscili\t0.1, 440, 1\r\n" +
            (format.channels == 2 ? "\t\touts\ta1, a1\r\n" : "\t\tout\ta1\r\n") +
            InstrumentEndPiece();
        Render(orchestra, FunctionTablePiece(1) + "i1 0 0.1\r\n",
               "format" + std::to_string(index) + ".wav", format);
    }
}
