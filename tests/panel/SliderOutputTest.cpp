#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "base/AllState.h"
#include "fakes/FakeMidiService.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "project/ProjectState.h"
#include "random/NoiseSources.h"

namespace {

using Lines = std::vector<std::string>;

class RecordingControls : public SliderControls {
public:
    void SetSliderPosition(int slider, int value) override {
        moves.push_back(std::to_string(slider) + "=" + std::to_string(value));
    }
    void SetTransportButton(int stopped) override { transport.push_back(stopped); }
    Lines moves;
    std::vector<int> transport;
};

class SliderOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        BuildCurveTables();
        m_midi.OpenOutput(0);
        g_midiService = &m_midi;
    }
    void TearDown() override {
        g_midiService = nullptr;
        g_panelControls = nullptr;
        g_ui = nullptr;
        ResetAllState();
    }

    static SliderRecord& Slider(int index, bool fourteenBit, int channel, int cc1, int cc2,
                                int curve = kCurveLinear) {
        SliderRecord& s = g_sliders[static_cast<std::size_t>(index)];
        s.type = fourteenBit ? kFourteenBitType : kSevenBitType;
        s.channel = channel;
        s.controller1 = cc1;
        s.controller2 = cc2;
        s.curve = curve;
        s.maxValue = 1.0f;
        return s;
    }
    // Moves the slider and returns what it sent.
    Lines Move(int index, int value) {
        m_midi.words.clear();
        g_sliders[static_cast<std::size_t>(index)].value = value;
        SendSlider(index);
        return m_midi.SentBytes();
    }

    FakeMidiService m_midi;
};

TEST_F(SliderOutputTest, LinearSlidersSendTheirPosition) {
    Slider(0, false, 1, 7, 0);
    EXPECT_EQ(Move(0, 100), Lines{"B1 07 64"});
    Slider(1, true, 0, 1, 33);
    EXPECT_EQ(Move(1, 0), (Lines{"B0 01 00", "B0 21 00"}));
    EXPECT_EQ(Move(1, 200), (Lines{"B0 01 01", "B0 21 48"}));
    EXPECT_EQ(Move(1, 201), Lines{"B0 21 49"});
}

TEST_F(SliderOutputTest, FirstMostSignificantMessageOfEverySliderGoesOut) {
    // The cache starts empty: controller 0 into band 1 is not mistaken for a repeat.
    Slider(0, true, 0, 0, 32);
    EXPECT_EQ(Move(0, 130), (Lines{"B0 00 01", "B0 20 02"}));
    g_msbCache = MsbCache{};
    EXPECT_EQ(Move(0, 5), (Lines{"B0 00 00", "B0 20 05"}));
    EXPECT_EQ(Move(0, 130), (Lines{"B0 00 01", "B0 20 02"}));
    EXPECT_EQ(Move(0, 131), Lines{"B0 20 03"});
    // Same controller on another channel: its receiver has not seen band 1 yet.
    Slider(1, true, 1, 0, 32);
    EXPECT_EQ(Move(1, 131), (Lines{"B1 00 01", "B1 20 03"}));
    // Another controller on the first channel, same band.
    Slider(2, true, 0, 5, 37);
    EXPECT_EQ(Move(2, 131), (Lines{"B0 05 01", "B0 25 03"}));
    // A second slider on the very same channel and controller does share the cache.
    Slider(3, true, 0, 5, 38);
    EXPECT_EQ(Move(3, 140), Lines{"B0 26 0C"});
}

TEST_F(SliderOutputTest, ForcedResendRepeatsTheMostSignificantMessage) {
    Slider(0, true, 0, 1, 33);
    Move(0, 200);
    g_forceMsbResend = 1;
    EXPECT_EQ(Move(0, 200), (Lines{"B0 01 01", "B0 21 48"}));
    g_forceMsbResend = 0;
    EXPECT_EQ(Move(0, 201), Lines{"B0 21 49"});
}

TEST_F(SliderOutputTest, CurvesMapThePositionBeforeSendingAndSetTheScaledValue) {
    Slider(0, false, 0, 7, 0, kCurveQuadratic);
    EXPECT_EQ(Move(0, 127), Lines{"B0 07 7E"});
    Slider(1, false, 0, 8, 0, kCurveLogarithmic);
    EXPECT_EQ(Move(1, 1), Lines{"B0 08 3F"});
    EXPECT_EQ(Move(1, 0), Lines{"B0 08 00"});
    SliderRecord& cubic = Slider(2, true, 0, 1, 33, kCurveCubic);
    cubic.minValue = 1.0f;
    cubic.maxValue = 3.0f;
    EXPECT_EQ(Move(2, 16383), (Lines{"B0 01 7F", "B0 21 7F"}));
    EXPECT_EQ(Move(2, 8192), (Lines{"B0 01 10", "B0 21 00"}));
    EXPECT_NEAR(MapSliderValue(2), 2048.25, 1e-2); // (8192 / 16383)^3 of the range
    EXPECT_NEAR(cubic.scaledValue, 1.0 + 2.0 * 2048.25 / 16383.0, 1e-5);
}

TEST_F(SliderOutputTest, RandomCurveIsNormalisedByItsLargestDraw) {
    // The table holds the draws of source 4 from seed -1; the largest one maps to the top.
    std::int32_t seed = -1;
    std::vector<float> draws;
    for (int i = 0; i < kCurveTableSize; ++i) {
        draws.push_back(NoiseSource4(&seed));
    }
    EXPECT_EQ(randomSeed, seed);
    int top = 0;
    for (int i = 0; i < kCurveTableSize; ++i) {
        top = draws[static_cast<std::size_t>(i)] > draws[static_cast<std::size_t>(top)] ? i : top;
    }
    const double largest = draws[static_cast<std::size_t>(top)];
    Slider(0, true, 0, 1, 33, kCurveRandom);
    EXPECT_EQ(Move(0, top), (Lines{"B0 01 7F", "B0 21 7F"}));
    for (int i : {1, 2, 3, 1000, 9999}) {
        const double m = draws[static_cast<std::size_t>(i)] / largest * 16383.0;
        if (std::abs(m - std::round(m)) < 1e-3) {
            continue; // within rounding distance of an integer: either side is right
        }
        g_sliders[0].value = i;
        EXPECT_EQ(static_cast<int>(MapSliderValue(0)), static_cast<int>(m)) << i;
    }
}

TEST_F(SliderOutputTest, OutOfRangePositionsAndUnknownCurvesStayInsideTheTables) {
    Slider(0, false, 0, 7, 0, kCurveLogarithmic);
    EXPECT_EQ(Move(0, 129), Lines{"B0 07 7F"});
    EXPECT_EQ(Move(0, 1000), Lines{"B0 07 7F"});
    EXPECT_EQ(Move(0, INT_MAX), Lines{"B0 07 7F"});
    EXPECT_EQ(Move(0, INT_MIN), Lines{"B0 07 00"});
    Slider(1, true, 0, 1, 33, kCurveQuadratic);
    EXPECT_EQ(Move(1, -5), (Lines{"B0 01 00", "B0 21 00"}));
    EXPECT_EQ(Move(1, 99999), (Lines{"B0 01 7F", "B0 21 7F"}));
    for (int curve : {5, -1, INT_MAX}) {
        Slider(2, false, 0, 9, 0, curve); // an unknown curve sends the position unmapped
        EXPECT_EQ(Move(2, 100), Lines{"B0 09 64"}) << curve;
    }
    Slider(3, false, INT_MAX, 9, 0); // the status byte takes the channel modulo 256
    EXPECT_EQ(Move(3, 1), Lines{"AF 09 01"});
}

TEST_F(SliderOutputTest, ControlFollowsTheSliderUnlessSwitchedOff) {
    RecordingControls controls;
    g_panelControls = &controls;
    Slider(0, false, 0, 7, 0);
    Move(0, 5);
    g_updateSliderControls = 0;
    Move(0, 6);
    EXPECT_EQ(controls.moves, Lines{"0=5"});
}

TEST_F(SliderOutputTest, StartStopResendsUnlockedSlidersFromZero) {
    RecordingControls controls;
    g_panelControls = &controls;
    g_sliderCount = 1;
    Slider(0, false, 0, 10, 0).value = 64;
    SendPanelAndTransport();
    EXPECT_EQ(m_midi.SentBytes(), (Lines{"B0 0A 00", "B0 0A 40", "80 3C 40"}));
    EXPECT_EQ(g_sliders[0].value, 64);
    EXPECT_TRUE(controls.moves.empty());
    EXPECT_EQ(controls.transport, std::vector<int>{1});
    EXPECT_EQ(g_forceMsbResend, 0);
    EXPECT_EQ(g_updateSliderControls, 1);

    // A locked slider sends nothing; a 14-bit one sends both bytes both times.
    g_sliderCount = 2;
    g_sliders[0].locked = 1;
    Slider(1, true, 2, 1, 33).value = 5;
    g_transportStopped = 0;
    m_midi.words.clear();
    SendPanelAndTransport();
    EXPECT_EQ(m_midi.SentBytes(),
              (Lines{"B2 01 00", "B2 21 00", "B2 01 00", "B2 21 05", "90 3C 40"}));
}

TEST_F(SliderOutputTest, StartStopSetsTheMenuOfAnOpenProject) {
    FakeUi ui;
    g_ui = &ui;
    g_sliderCount = 1;
    SendPanelAndTransport();
    EXPECT_TRUE(ui.enabledCommands.empty()); // no project open
    g_projectOpen = 1;
    g_transportStopped = 0;
    SendPanelAndTransport();
    EXPECT_EQ(ui.enabledCommands,
              (std::vector<std::pair<int, bool>>{{20000, false}, {21000, true}}));
}

} // namespace
