#include "panel/PanelText.h"
#include "base/ByteCodec.h"
#include "panel/PanelLayout.h"
#include "panel/PanelTestFixture.h"

namespace {

using PanelTextTest = PanelFixture;

TEST_F(PanelTextTest, NumbersKeepTenSignificantDigitsAndReadBackFromTheirStart) {
    std::string texts; // a float's binary rounding shows
    for (const double value :
         {0.0, -0.25, 64.0 / 127.0, double{0.1f}, 1234567890.0, 12345678901.0, 0.00001}) {
        texts += FormatPanelNumber(value) + " ";
    }
    EXPECT_EQ(texts, "0 -0.25 0.5039370079 0.1000000015 1234567890 1.23456789e+10 1e-05 ");
    EXPECT_FLOAT_EQ(ParsePanelNumber("0.5"), 0.5f);
    EXPECT_FLOAT_EQ(ParsePanelNumber("  -2.5e1 dB"), -25.0f);
    EXPECT_FLOAT_EQ(ParsePanelNumber("+3"), 3.0f);
    EXPECT_FLOAT_EQ(ParsePanelNumber(".25"), 0.25f);
    EXPECT_FLOAT_EQ(ParsePanelNumber(FormatPanelNumber(0.1f)), 0.1f);
    for (const char* text : {"", "x1", "+", "+-1", "0x10", "inf", "nan", "1e39"}) {
        EXPECT_EQ(ParsePanelNumber(text), 0.0f) << text; // "0x10" reads as its leading 0
    }
}

TEST_F(PanelTextTest, ToolTipAndSummaryFollowTheirFormats) {
    // type, value, scaled value, minimum, maximum, channel, controllers, reserved, curve, locked
    Slider(0) = {{}, kSevenBitType, 0, 0.5f, 0.0f, 1.0f, 0, 74, 0, 0, kCurveLogarithmic, 0};
    Slider(1) = {{}, kFourteenBitType, 0, 0.25f, -1.0f, 1.0f, 15, 1, 33, 0, kCurveCubic, 0};
    SetText(Slider(0).name, "Cutoff");
    SetText(Slider(1).name, "Res");
    EXPECT_EQ(SliderToolTip(0), "Cutoff (Logarithmic, 7 bits) - CC 74 - Current: 0.5");
    EXPECT_EQ(FormatSliderSummary(0),
              "Cutoff (7 bits) - Ch 1 - CC 74 - Min: 0 - Max: 1 - Current: 0.5");
    EXPECT_EQ(FormatSliderSummary(1),
              "Res (14 bits) - Ch 16 - CC 1/33 - Min: -1 - Max: 1 - Current: 0.25");
    Slider(1).curve = 9; // an unknown curve is sent linearly
    EXPECT_EQ(SliderToolTip(1), "Res (Linear, 14 bits) - CC 1/33 - Current: 0.25");
}

TEST_F(PanelTextTest, LayoutPlacesStripsAndBoxesAndKeepsTheMinimumHeight) {
    // 620 pixels for 16 strips: c = 620 ÷ 31 = 20; base units 6 × 13.
    const PanelLayout scroll = LayoutPanel(620, 400, 16, 0, 6, 13);
    EXPECT_EQ(scroll.sliders[15], (Rect{603, 96, 16, 302}));
    EXPECT_EQ(scroll.lockBoxes[1], (Rect{44, 80, 14, 10}));
    EXPECT_EQ(LayoutPanel(620, 400, 16, 1, 6, 13).sliders[1], (Rect{41, 92, 20, 308}));
    EXPECT_EQ(scroll.numberEdits[2], (Rect{242, 18, 59, 21}));
    EXPECT_EQ(scroll.controlButtons[5], (Rect{475, 18, 32, 45}));
    // 128 strips in 500 pixels: c = 1, every strip one pixel wide.
    EXPECT_EQ(LayoutPanel(500, 400, 128, 1, 6, 13).sliders[127].width, 1);

    // The window is never lower than 200 pixels; a top edge stops at 0.
    for (const auto& [edge, top, bottom, newTop, newBottom] :
         std::vector<std::array<int, 5>>{{kSizingTop, 100, 250, 50, 250},
                                         {kSizingBottomRight, 100, 250, 100, 300},
                                         {kSizingLeft, 100, 250, 100, 250},
                                         {kSizingTop, 0, 400, 0, 400}}) {
        int t = top;
        int b = bottom;
        KeepMinimumHeight(edge, t, b);
        EXPECT_EQ(t, newTop) << edge;
        EXPECT_EQ(b, newBottom) << edge;
    }
}

} // namespace
