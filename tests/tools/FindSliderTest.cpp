#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "panel/PanelRecords.h"
#include "panel/PanelState.h"
#include "tools/FindSlider.h"

namespace {

class FindSlider : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        g_sliderCount = 4;
        Set(0, "Slider1", kSevenBitType, 0, 7, 0, 0.0f, 1.0f, 0.5f);
        Set(1, "Cutoff", 0, 2, 1, 33, -1.0f, 1.0f, 0.1f);
        Set(2, "Slider3", kSevenBitType, 15, 9, 33, 0.0f, 1.0f, 0.0f);
        Set(3, "Res", 0, 0, 74, 106, 20.0f, 20000.0f, 440.0f);
    }
    void TearDown() override { ResetAllState(); }

    static void Set(int i, const char* name, int type, int channel, int cc1, int cc2, float min,
                    float max, float value) {
        SliderRecord& s = g_sliders[static_cast<std::size_t>(i)];
        SetText(s.name, name);
        s.type = type;
        s.channel = channel;
        s.controller1 = cc1;
        s.controller2 = cc2;
        s.minValue = min;
        s.maxValue = max;
        s.scaledValue = value;
    }
};

// Each criterion with the way it reads its text; 130 is the "No sliders found." row.
TEST_F(FindSlider, EachCriterionReadsItsTextAndComparesAsItSays) {
    const std::tuple<int, const char*, std::vector<int>> rows[] = {
        {kFindByName, "slider1", {130}},
        {kFindByValue, "0.1", {1}}, // single precision: 0.1f is not the double 0.1
        {kFindByValue, "440 Hz", {3}},
        {kFindByMin, "-1", {1}},
        {kFindByMax, "2e4", {3}},
        {kFindByValue, "abc", {2}},
        {kFindByType, "7", {0, 2}},
        {kFindByType, "8", {130}},
        {kFindByChannel, "16", {2}},
        {kFindByChannel, " +3", {1}},
        {kFindByController1, "74th", {3}},
        {kFindByController2, "33", {1}}, // never a 7-bit slider
        {kFindByController1, "99999999999999999999999", {130}},
        {kFindByController1, "-7", {130}},
    };
    for (const auto& [criterion, text, sliders] : rows) {
        std::vector<int> found;
        std::ranges::transform(FindSliders(criterion, text), std::back_inserter(found),
                               &FindRow::slider);
        EXPECT_EQ(found, sliders) << criterion << " " << text;
    }
}

TEST_F(FindSlider, RowsAreTheSlidersSummaries) {
    EXPECT_EQ(FindSliders(kFindByName, "Slider1"),
              (std::vector<FindRow>{
                  {"Slider1 (7 bits) - Ch 1 - CC 7 - Min: 0 - Max: 1 - Current: 0.5", 0}}));
    EXPECT_EQ(FindSliders(kFindByName, "None"),
              (std::vector<FindRow>{{"No sliders found.", kNoSliderRow}}));
}

} // namespace
