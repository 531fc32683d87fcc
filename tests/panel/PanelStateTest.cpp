#include "base/ByteCodec.h"
#include "panel/PanelTestFixture.h"

namespace {

class PanelStateTest : public PanelFixture {};

TEST_F(PanelStateTest, InsertedSliderTakesTheNextControllersAndName) {
    const SliderRecord oldThird = g_sliders[3];
    InsertSlider(3);
    SliderRecord expected;
    SetText(expected.name, "Slider17");
    expected.type = kSevenBitType;
    expected.maxValue = 1.0f;
    expected.controller1 = 16;
    expected.controller2 = 1;
    EXPECT_EQ(g_sliders[3], expected);
    EXPECT_EQ(g_sliders[4], oldThird);
    EXPECT_EQ(TextOf(g_sliders[16].name), "Slider16");
    EXPECT_EQ(g_sliderCount, 17);
    EXPECT_EQ(g_sliderCountCommitted, 17);

    // The displaced occupant still counts, and 127 wraps to 0.
    g_sliders[4].controller1 = 50;
    InsertSlider(4);
    EXPECT_EQ(g_sliders[4].controller1, 51);
    g_sliders[0].controller1 = 127;
    g_sliders[1].controller2 = 127;
    InsertSlider(0);
    EXPECT_EQ(g_sliders[0].controller1, 0);
    EXPECT_EQ(g_sliders[0].controller2, 0);
}

TEST_F(PanelStateTest, FindSliderByNameIsExactWithinTheCount) {
    SetText(g_sliders[16].name, "Ghost");
    EXPECT_EQ(FindSliderByName("Slider2"), 1);
    EXPECT_EQ(FindSliderByName("slider2"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName("Ghost"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName(""), kSliderNotFound);
}

} // namespace
