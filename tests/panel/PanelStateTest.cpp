#include <gtest/gtest.h>

#include <cstring>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "panel/PanelState.h"
#include "snapshots/SnapshotState.h"

namespace {

class PanelStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        for (int i = 0; i < 16; ++i) {
            SetDefaultSlider(i, false); // Slider1..Slider16 on controllers 0..15
        }
    }
    void TearDown() override { ResetAllState(); }
};

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
}

TEST_F(PanelStateTest, InsertCountsTheDisplacedSliderIgnoresStaleSlotsAndWrapsAt127) {
    g_sliders[3].controller1 = 50;   // the occupant moved up one place still counts
    g_sliders[16].controller1 = 100; // beyond the count: stale, never read
    g_sliders[16].controller2 = 120;
    InsertSlider(3);
    EXPECT_EQ(g_sliders[3].controller1, 51);
    EXPECT_EQ(g_sliders[3].controller2, 1);

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
    EXPECT_EQ(FindSliderByName("Slider2"), 1);
    EXPECT_EQ(FindSliderByName("slider2"), kSliderNotFound);
    SetText(g_sliders[16].name, "Ghost");
    EXPECT_EQ(FindSliderByName("Ghost"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName(""), kSliderNotFound);
}

} // namespace
