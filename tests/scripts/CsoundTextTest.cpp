#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ByteCodec.h"
#include "scripts/CsoundText.h"

namespace {

SliderRecord Slider(const std::string& name, std::int32_t type, float minValue, float maxValue,
                    std::int32_t channel, std::int32_t controller1, std::int32_t controller2 = 0) {
    SliderRecord slider;
    SetText(slider.name, name);
    slider.type = type;
    slider.minValue = minValue;
    slider.maxValue = maxValue;
    slider.channel = channel;
    slider.controller1 = controller1;
    slider.controller2 = controller2;
    return slider;
}

SliderRecord DefaultSlider(int index) {
    return Slider("Slider" + std::to_string(index + 1), kSevenBitType, 0.0f, 1.0f, 0, index);
}

} // namespace

TEST(NumberText, WritesEveryExampleOfTheTable) {
    EXPECT_EQ(NumberText(0.0), "0.");
    EXPECT_EQ(NumberText(1.0), "1.");
    EXPECT_EQ(NumberText(0.5), "0.5");
    EXPECT_EQ(NumberText(-0.25), "-0.25");
    EXPECT_EQ(NumberText(127.0), "127.");
    EXPECT_EQ(NumberText(100000), "100000.");
    EXPECT_EQ(NumberText(0.1f), "0.1000000015");
    EXPECT_EQ(NumberText(0.05f), "5.000000075e-002");
    EXPECT_EQ(NumberText(0.001f), "1.000000047e-003");
    EXPECT_EQ(NumberText(1e11f), "9.999999795e+010");
    EXPECT_EQ(NumberText(64.0 / 127.0), "0.5039370079");
}

TEST(NumberText, SwitchesToScientificOutsideTenDigitsAndBelowATenth) {
    EXPECT_EQ(NumberText(1234567890.0), "1234567890.");      // d = 10 keeps the point
    EXPECT_EQ(NumberText(12345678901.0), "1.23456789e+010"); // d = 11
    EXPECT_EQ(NumberText(9999999999.7), "1.e+010");          // rounding carries into d = 11
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(-20000.0), "-20000.");
    EXPECT_EQ(NumberText(-0.05), "-5.e-002");
    EXPECT_EQ(NumberText(1e-300), "1.e-300");
    EXPECT_EQ(NumberText(-0.0), "0.");
}

TEST(CsoundHeader, FollowsTheRateAndChannelsOfTheFormat) {
    EXPECT_EQ(CsoundHeaderPiece(15), "sr\t\t=\t44100\r\nkr\t\t=\t4410\r\nksmps\t\t=\t10\r\n"
                                     "nchnls\t=\t2\r\n\r\n");
    EXPECT_EQ(CsoundHeaderPiece(4), "sr\t\t=\t11025\r\nkr\t\t=\t2205\r\nksmps\t\t=\t5\r\n"
                                    "nchnls\t=\t1\r\n\r\n");
    EXPECT_EQ(CsoundHeaderPiece(1), "sr\t\t=\t8000\r\nkr\t\t=\t800\r\nksmps\t\t=\t10\r\n"
                                    "nchnls\t=\t2\r\n\r\n");
    EXPECT_EQ(CsoundHeaderPiece(10), "sr\t\t=\t22050\r\nkr\t\t=\t2205\r\nksmps\t\t=\t10\r\n"
                                     "nchnls\t=\t1\r\n\r\n");
    EXPECT_EQ(CsoundHeaderPiece(99), CsoundHeaderPiece(15));
}

TEST(SliderControllerLine, WritesSevenAndFourteenBitLines) {
    EXPECT_EQ(SliderControllerLine(DefaultSlider(0)), "\r\nkSlider1\tctrl7\t\t1, 0, 0., 1.\r\n");
    EXPECT_EQ(SliderControllerLine(Slider("Cutoff", kFourteenBitType, 20.0f, 20000.0f, 2, 7, 39)),
              "\r\nkCutoff\tctrl14\t3, 7, 39, 20., 20000.\r\n");
    EXPECT_EQ(SliderControllerLine(Slider("Q", kSevenBitType, 0.001f, 0.1f, 15, 127)),
              "\r\nkQ\tctrl7\t\t16, 127, 1.000000047e-003, 0.1000000015\r\n");
    // Any type other than 1 is a 14-bit slider.
    EXPECT_EQ(SliderControllerLine(Slider("X", 7, 0.0f, 1.0f, 0, 1, 33)),
              "\r\nkX\tctrl14\t1, 1, 33, 0., 1.\r\n");
}

TEST(SliderControllerLine, TurnsOnlyBlanksIntoUnderscoresAndKeepsAFullLengthNameWhole) {
    EXPECT_EQ(SliderControllerLine(Slider("Low pass cutoff", kSevenBitType, 0, 1, 0, 0)),
              "\r\nkLow_pass_cutoff\tctrl7\t\t1, 0, 0., 1.\r\n");
    EXPECT_EQ(SliderControllerLine(Slider("a\tb.c  d", kSevenBitType, 0, 1, 0, 0)),
              "\r\nka\tb.c__d\tctrl7\t\t1, 0, 0., 1.\r\n");
    const std::string name(499, 'n'); // and the widest numbers too
    EXPECT_EQ(SliderControllerLine(Slider(name, kFourteenBitType, -1e11f, 1e11f, 15, 127, 127)),
              "\r\nk" + name + "\tctrl14\t16, 127, 127, -9.999999795e+010, 9.999999795e+010\r\n");
}

TEST(InferredOrchestra, InsertsHeaderOpeningOneLinePerSliderAndEnd) {
    std::vector<SliderRecord> sliders;
    for (int i = 0; i < 16; ++i) {
        sliders.push_back(DefaultSlider(i));
    }
    const std::vector<std::string> pieces = InferredOrchestraPieces(sliders, 15);
    ASSERT_EQ(pieces.size(), 19u);
    EXPECT_EQ(pieces[0], CsoundHeaderPiece(15));
    EXPECT_EQ(pieces[1], "\r\n\t\tinstr\t1\r\n\r\n");
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(pieces[2 + i], "\r\nkSlider" + std::to_string(i + 1) + "\tctrl7\t\t1, " +
                                     std::to_string(i) + ", 0., 1.\r\n");
    }
    EXPECT_EQ(pieces[18], "\r\n\r\n\t\tendin\r\n\r\n");
    EXPECT_EQ(InferredOrchestraPieces({}, 0).size(), 3u);
}

TEST(FunctionTables, AreTheThirteenFixedTexts) {
    const char* const expected[] = {
        "; Sine function\r\nf1\t0\t4096\t10\t1\r\n\r\n",
        "; Square function\r\nf2\t0\t4096\t10\t1\t0\t.33\t0\t.2\t0\t.14\t0\t.11\r\n\r\n",
        "; Sigmoid function\r\nf3\t0\t1024\t19\t .5\t1\t270\t1\r\n\r\n",
        "; Saw function\r\nf4\t0\t4096\t10\t1\t.5\t.33\t.25\t.2\t.16\t.14\t.125\t.11\r\n\r\n",
        "; Dummy function\r\nf0\t3600\r\n\r\n",
        "; Hamming function\r\nf20\t 0\t 8192\t20\t1\t1\r\n\r\n",
        "; Hanning function\r\nf21\t0\t8192\t20\t2\t456\r\n\r\n",
        "; Bartlett function\r\nf22\t0\t8192\t20\t3\t1\r\n\r\n",
        "; Blackman function\r\nf23\t0\t8192\t20\t4\t1\r\n\r\n",
        "; Blackman-Harris function\r\nf24\t0\t16384\t20\t5\t1\r\n\r\n",
        "; Gaussian function\r\nf25\t0\t16384\t20\t6\t1\r\n\r\n",
        "; Kaiser function\r\nf26\t0\t16384\t20\t7\t1\t2\r\n\r\n",
        "; Rectangle function\r\nf27\t0\t8192\t-20\t8\t.1\r\n\r\n",
    };
    for (int piece = 1; piece <= kFunctionTableCount; ++piece) {
        EXPECT_EQ(FunctionTablePiece(piece), expected[piece - 1]) << "piece " << piece;
    }
    EXPECT_EQ(FunctionTablePiece(0), "");
    EXPECT_EQ(FunctionTablePiece(14), "");
}

TEST(PFields, WriteTheLinearValuesAndStoreThemBack) {
    std::vector<SliderRecord> sliders{DefaultSlider(0),
                                      Slider("F", kFourteenBitType, 20.0f, 20000.0f, 0, 1, 33)};
    sliders[0].value = 64;
    sliders[0].curve = kCurveCubic; // the linear mapping is written whatever the curve
    sliders[1].value = 16383;
    const std::vector<std::string> pieces = PFieldPieces(sliders);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], "; Current values (P-fields)\r\ni.\t+\t.");
    EXPECT_EQ(pieces[1], "\t0.5039370079");
    EXPECT_EQ(pieces[2], "\t20000.");
    EXPECT_EQ(pieces[3], "\r\n\r\n");
    EXPECT_EQ(sliders[0].scaledValue, static_cast<float>(64.0 / 127.0));
    EXPECT_EQ(sliders[1].scaledValue, 20000.0f);
}

TEST(PFields, UseTheDoubleValueNotItsSinglePrecisionCopy) {
    std::vector<SliderRecord> sliders{Slider("S", kSevenBitType, 0.0f, 0.1f, 0, 0)};
    sliders[0].value = 1;
    const std::vector<std::string> pieces = PFieldPieces(sliders);
    // (0.1f / 127) in double, not its float copy 7.874015719e-004.
    EXPECT_EQ(pieces[1], "\t7.874015865e-004");
}
