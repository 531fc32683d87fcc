#include <climits>

#include "panel/PanelLogic.h"
#include "panel/PanelTestFixture.h"
#include "project/ProjectState.h"

namespace {

class SliderOutputTest : public PanelFixture {
protected:
    static SliderRecord& Set(int index, bool fourteenBit, int channel, int cc1, int cc2,
                             int curve = kCurveLinear) {
        SliderRecord& s = Slider(index);
        s.type = fourteenBit ? kFourteenBitType : kSevenBitType;
        s.channel = channel;
        s.controller1 = cc1;
        s.controller2 = cc2;
        s.curve = curve;
        return s;
    }
    Lines Move(int index, int value) {
        Sent();
        Slider(index).value = value;
        SendSlider(index);
        return Sent();
    }
};

TEST_F(SliderOutputTest, LinearSlidersSendTheirPosition) {
    Set(0, false, 1, 7, 0);
    EXPECT_EQ(Move(0, 100), Lines{"B1 07 64"});
    Set(1, true, 0, 1, 33);
    EXPECT_EQ(Move(1, 0), (Lines{"B0 01 00", "B0 21 00"}));
    EXPECT_EQ(Move(1, 200), (Lines{"B0 01 01", "B0 21 48"}));
    EXPECT_EQ(Move(1, 201), Lines{"B0 21 49"});
}

// The most significant message is left out only when the receiver has just seen the same one.
TEST_F(SliderOutputTest, MostSignificantMessageIsLeftOutOnlyWhenTheSameWentLast) {
    // The cache starts empty: controller 0 into band 0 is not mistaken for a repeat.
    Set(0, true, 0, 0, 32);
    EXPECT_EQ(Move(0, 5), (Lines{"B0 00 00", "B0 20 05"}));
    EXPECT_EQ(Move(0, 130), (Lines{"B0 00 01", "B0 20 02"}));
    EXPECT_EQ(Move(0, 131), Lines{"B0 20 03"});
    Set(1, true, 1, 0, 32); // same controller on another channel
    EXPECT_EQ(Move(1, 131), (Lines{"B1 00 01", "B1 20 03"}));
    Set(2, true, 0, 5, 37); // another controller on the first channel, same band
    EXPECT_EQ(Move(2, 131), (Lines{"B0 05 01", "B0 25 03"}));
    Set(3, true, 0, 5, 38); // the very same channel and controller share the cache
    EXPECT_EQ(Move(3, 140), Lines{"B0 26 0C"});
    g_forceMsbResend = 1;
    EXPECT_EQ(Move(3, 140), (Lines{"B0 05 01", "B0 26 0C"}));
}

TEST_F(SliderOutputTest, CurvesMapThePositionBeforeSendingAndSetTheScaledValue) {
    Set(0, false, 0, 7, 0, kCurveQuadratic);
    EXPECT_EQ(Move(0, 127), Lines{"B0 07 7E"});
    Set(1, false, 0, 8, 0, kCurveLogarithmic);
    EXPECT_EQ(Move(1, 1), Lines{"B0 08 3F"});
    EXPECT_EQ(Move(1, 0), Lines{"B0 08 00"});
    SliderRecord& cubic = Set(2, true, 0, 1, 33, kCurveCubic);
    cubic.minValue = 1.0f;
    cubic.maxValue = 3.0f;
    EXPECT_EQ(Move(2, 16383), (Lines{"B0 01 7F", "B0 21 7F"}));
    EXPECT_EQ(Move(2, 8192), (Lines{"B0 01 10", "B0 21 00"}));
    EXPECT_NEAR(MapSliderValue(2), 2048.25, 1e-2); // (8192 / 16383)^3 of the range
    EXPECT_NEAR(cubic.scaledValue, 1.0 + 2.0 * 2048.25 / 16383.0, 1e-5);

    // The random curve holds source 4's draws from seed -1, its largest (at 7531) at the top.
    Set(3, true, 0, 1, 33, kCurveRandom);
    EXPECT_EQ(Move(3, 7531), (Lines{"B0 01 7F", "B0 21 7F"}));
    for (const auto& [position, mapped] :
         {std::pair{0, 3589}, std::pair{1, 3377}, std::pair{1000, 1820}, std::pair{9999, 9100}}) {
        Slider(3).value = position;
        EXPECT_EQ(static_cast<int>(MapSliderValue(3)), mapped) << position;
    }
    EXPECT_EQ(randomSeed, 16385);
}

TEST_F(SliderOutputTest, OutOfRangePositionsAndUnknownCurvesStayInsideTheTables) {
    Set(0, false, 0, 7, 0, kCurveLogarithmic);
    for (int position : {129, 1000, INT_MAX}) {
        EXPECT_EQ(Move(0, position), Lines{"B0 07 7F"}) << position;
    }
    EXPECT_EQ(Move(0, INT_MIN), Lines{"B0 07 00"});
    Set(1, true, 0, 1, 33, kCurveQuadratic);
    EXPECT_EQ(Move(1, -5), (Lines{"B0 01 00", "B0 21 00"}));
    EXPECT_EQ(Move(1, 99999), (Lines{"B0 01 7F", "B0 21 7F"}));
    for (int curve : {5, -1, INT_MAX}) {
        Set(2, false, 0, 9, 0, curve); // an unknown curve sends the position unmapped
        EXPECT_EQ(Move(2, 100), Lines{"B0 09 64"}) << curve;
    }
    Set(3, false, INT_MAX, 9, 0); // the status byte takes the channel modulo 256
    EXPECT_EQ(Move(3, 1), Lines{"AF 09 01"});
}

TEST_F(SliderOutputTest, StartStopResendsUnlockedSlidersFromZero) {
    AttachPanelWindow(&m_panel);
    MakePanel(1, false);
    Set(0, false, 0, 10, 0).value = 64;
    SendPanelAndTransport();
    EXPECT_EQ(Sent(), (Lines{"B0 0A 00", "B0 0A 40", "80 3C 40"}));
    EXPECT_EQ(Slider(0).value, 64);
    EXPECT_EQ(m_panel.calls, Lines{"transport 1"}); // the controls stay where they are
    EXPECT_EQ(std::pair(g_forceMsbResend, g_updateSliderControls), std::pair(0, 1));
    EXPECT_TRUE(ui.enabledCommands.empty()); // no project open

    // A locked slider sends nothing; a 14-bit one sends both bytes both times.
    MakePanel(2, false);
    Slider(0).locked = 1;
    Set(1, true, 2, 1, 33).value = 5;
    g_projectOpen = 1;
    ToggleTransport(); // the start button
    EXPECT_EQ(Sent(), (Lines{"B2 01 00", "B2 21 00", "B2 01 00", "B2 21 05", "90 3C 40"}));
    EXPECT_EQ(ui.enabledCommands,
              (std::vector<std::pair<int, bool>>{{20000, false}, {21000, true}}));
}

} // namespace
