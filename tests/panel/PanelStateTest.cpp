#include <cstring>

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

TEST_F(PanelStateTest, DeletingTheFirstOfTwoSlidersKeepsSnapshotValues) {
    g_sliderCount = g_sliderCountCommitted = 2;
    g_snapshots[1].values = {10, 11};
    g_snapshotCount = 1;
    const SliderRecord second = g_sliders[1];
    DeleteSlider(0);
    EXPECT_EQ(g_sliderCount, 1);
    EXPECT_EQ(g_sliderCountCommitted, 1);
    EXPECT_EQ(g_sliders[0], second);
    EXPECT_EQ(g_snapshots[1].values[0], 10);
    EXPECT_EQ(g_snapshots[1].values[1], 11);
}

TEST_F(PanelStateTest, CopySliderCopiesTheNameAsText) {
    std::memcpy(g_sliders[2].name.data(), "Src\0junk", 8);
    g_sliders[2].scaledValue = 0.25f;
    g_sliders[2].reserved = 9;
    g_sliders[2].locked = 1;
    SetText(g_sliders[5].name, "AMuchLongerName");
    CopySlider(2, 5);
    SliderRecord expected = g_sliders[2];
    SetText(expected.name, "Src");
    EXPECT_EQ(g_sliders[5], expected);
}

TEST_F(PanelStateTest, FindSliderByNameIsExactWithinTheCount) {
    SetText(g_sliders[16].name, "Ghost");
    EXPECT_EQ(FindSliderByName("Slider2"), 1);
    EXPECT_EQ(FindSliderByName("slider2"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName("Ghost"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName(""), kSliderNotFound);
}

} // namespace
