#include <cmath>

#include "base/ByteCodec.h"
#include "panel/PanelLogic.h"
#include "panel/PanelTestFixture.h"
#include "panel/PanelText.h"

namespace {

class PanelLogicTest : public PanelFixture {
protected:
    // The bytes each slider of a 7-bit panel sends for the given values (controller = index).
    static Lines SevenBitBytes(const std::vector<int>& values) {
        Lines lines;
        for (std::size_t i = 0; i < values.size(); ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "B0 %02X %02X", static_cast<unsigned>(i),
                          static_cast<unsigned>(values[i]));
            lines.push_back(text);
        }
        return lines;
    }
    // The next `count` draws the panel's random source will make from a fresh state.
    static std::vector<double> Draws(int count) {
        ResetNoiseSources();
        randomSeed = -1;
        std::vector<double> draws;
        for (int i = 0; i < count; ++i) {
            draws.push_back(NoiseSource(randomSourceSelector, &randomSeed));
        }
        ResetNoiseSources();
        randomSeed = -1;
        return draws;
    }
};

TEST_F(PanelLogicTest, ScrollCodesStepLinesPagesAndEnds) {
    EXPECT_EQ(ScrolledValue(0, 127, kScrollPageDown, 0, 8), 16); // 127 ÷ 8 = 15, plus 1
    EXPECT_EQ(ScrolledValue(16, 127, kScrollPageUp, 0, 8), 0);
    EXPECT_EQ(ScrolledValue(120, 127, kScrollPageDown, 0, 8), 127);
    EXPECT_EQ(ScrolledValue(0, 16383, kScrollPageDown, 0, 8), 2048);
    EXPECT_EQ(ScrolledValue(0, 127, kScrollLineUp, 0, 8), 0);
    EXPECT_EQ(ScrolledValue(5, 127, kScrollLineUp, 0, 8), 4);
    EXPECT_EQ(ScrolledValue(127, 127, kScrollLineDown, 0, 8), 127);
    EXPECT_EQ(ScrolledValue(50, 127, kScrollTop, 0, 8), 0);
    EXPECT_EQ(ScrolledValue(50, 16383, kScrollBottom, 0, 8), 16383);
    EXPECT_EQ(ScrolledValue(50, 16383, kScrollThumbTrack, 9000, 8), 9000);
    EXPECT_EQ(ScrolledValue(50, 127, kScrollThumbPosition, 9000, 8), 127);
    EXPECT_EQ(ScrolledValue(50, 127, kScrollEnd, 0, 8), std::nullopt);
    EXPECT_EQ(ScrolledValue(50, 127, 9, 0, 8), std::nullopt);
    // A damaged step never divides by zero: 0 pages by the whole range.
    EXPECT_EQ(ScrolledValue(0, 127, kScrollPageDown, 0, 0), 127);
}

TEST_F(PanelLogicTest, MovingASliderShowsItAndSendsIt) {
    AttachPanelWindow(&m_panel);
    Slider(2).minValue = -1.0f;
    MoveSlider(2, kScrollPageDown);
    EXPECT_EQ(g_currentSlider, 2);
    EXPECT_EQ(Slider(2).value, 16);
    EXPECT_FLOAT_EQ(Slider(2).scaledValue, -1.0f + 2.0f / 127.0f * 16.0f);
    EXPECT_EQ(Sent(), Lines{"B0 02 10"});
    EXPECT_EQ(m_panel.calls, (Lines{"range 2=127", "properties Slider3", "position 2=16",
                                    "current " + FormatPanelNumber(Slider(2).scaledValue)}));
    EXPECT_EQ(m_panel.properties[0].minimum, "-1");
    EXPECT_FALSE(m_panel.properties[0].controller2Enabled);
    EXPECT_EQ(g_sliderScratch.controller1, 2);

    // The end of a drag changes nothing and sends nothing.
    m_panel.calls.clear();
    MoveSlider(4, kScrollEnd);
    EXPECT_EQ(g_currentSlider, 4);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(m_panel.calls, Lines{"range 4=127"});
}

TEST_F(PanelLogicTest, DraggingA14BitSliderSendsTheMsbOnlyWhenItChanges) {
    MakePanel(1, true);
    MoveSlider(0, kScrollThumbTrack, 200);
    MoveSlider(0, kScrollThumbTrack, 201);
    EXPECT_EQ(Sent(), (Lines{"B0 00 01", "B0 40 48", "B0 40 49"}));
}

TEST_F(PanelLogicTest, RampsStopShortOfTheTopBecauseOfIntegerDivision) {
    RunPreset(kCommandPresetLeftToRight);
    const std::vector<int> ramp{0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 104, 112, 120};
    EXPECT_EQ(Values(), ramp);
    EXPECT_EQ(Sent(), SevenBitBytes(ramp));
    RunPreset(kCommandPresetRightToLeft);
    const std::vector<int> down(ramp.rbegin(), ramp.rend());
    EXPECT_EQ(Values(), down);
    EXPECT_EQ(Sent(), SevenBitBytes(down));
    EXPECT_EQ(g_forceMsbResend, 0);
}

TEST_F(PanelLogicTest, TrianglesOnSixteenAndFiveSliders) {
    RunPreset(kCommandPresetTriangle); // h = 8, 127 ÷ 8 = 15
    EXPECT_EQ(Values(),
              (std::vector<int>{105, 90, 75, 60, 45, 30, 15, 0, 0, 15, 30, 45, 60, 75, 90, 105}));
    RunPreset(kCommandPresetInverseTriangle);
    EXPECT_EQ(Values(),
              (std::vector<int>{0, 15, 30, 45, 60, 75, 90, 105, 105, 90, 75, 60, 45, 30, 15, 0}));
    MakePanel(5, false);
    Sent();
    RunPreset(kCommandPresetTriangle);
    EXPECT_EQ(Sent(), SevenBitBytes({126, 63, 0, 63, 126}));
    RunPreset(kCommandPresetInverseTriangle);
    EXPECT_EQ(Sent(), SevenBitBytes({0, 63, 126, 63, 0}));
}

TEST_F(PanelLogicTest, RampsNeedTwoSlidersAndTrianglesThree) {
    MakePanel(1, false);
    Slider(0).value = 50;
    RunPreset(kCommandPresetLeftToRight);
    RunPreset(kCommandPresetRightToLeft);
    MakePanel(2, false);
    Slider(0).value = 50;
    RunPreset(kCommandPresetTriangle);
    RunPreset(kCommandPresetInverseTriangle);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Slider(0).value, 50);
    RunPreset(kCommandPresetLeftToRight);
    EXPECT_EQ(Sent(), SevenBitBytes({0, 127}));
}

TEST_F(PanelLogicTest, ResetMaximizeAndHalfSetTheirEnds) {
    MakePanel(2, false);
    Slider(1).type = kFourteenBitType;
    Slider(1).controller2 = 33;
    Slider(1).curve = kCurveLinear;
    Slider(0).minValue = 2.0f;
    Slider(0).maxValue = 4.0f;
    RunPreset(kCommandPresetMaximize);
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 4.0f);
    EXPECT_EQ(Sent(), (Lines{"B0 00 7F", "B0 01 7F", "B0 21 7F"}));
    RunPreset(kCommandPresetHalf);
    EXPECT_EQ(Values(), (std::vector<int>{63, 8191}));
    EXPECT_EQ(Sent(), (Lines{"B0 00 3F", "B0 01 3F", "B0 21 7F"}));
    // The same MSB again: the preset forces it out.
    RunPreset(kCommandPresetHalf);
    EXPECT_EQ(Sent(), (Lines{"B0 00 3F", "B0 01 3F", "B0 21 7F"}));
    RunPreset(kCommandPresetReset);
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 2.0f);
    EXPECT_EQ(Values(), (std::vector<int>{0, 0}));
}

TEST_F(PanelLogicTest, LockedSlidersKeepTheirPositionUnderEveryPresetAndRandom) {
    Slider(3).locked = 1;
    Slider(3).value = 77;
    for (int command = kCommandPresetReset; command <= kCommandPresetHighRandom; ++command) {
        RunPreset(command);
        EXPECT_EQ(Slider(3).value, 77) << command;
    }
    RandomizeSliders();
    EXPECT_EQ(Slider(3).value, 77);
    for (const std::string& line : Sent()) {
        EXPECT_NE(line.substr(0, 5), "B0 03");
    }
    // Resend all includes it.
    ResendAllSliders();
    const Lines resent = Sent();
    ASSERT_EQ(resent.size(), 16u);
    EXPECT_EQ(resent[3], "B0 03 4D");
}

TEST_F(PanelLogicTest, RandomPresetsDrawOncePerUnlockedSlider) {
    Slider(1).locked = 1;
    const std::vector<double> u = Draws(15);
    RunPreset(kCommandPresetMediumRandom);
    std::size_t draw = 0;
    for (int i = 0; i < 16; ++i) {
        if (i == 1) {
            continue;
        }
        const int expected = static_cast<int>(u[draw++] * 127 * 0.25 + 15 + 31);
        EXPECT_EQ(Slider(i).value, expected) << i;
        EXPECT_GE(Slider(i).value, 46);
        EXPECT_LE(Slider(i).value, 77);
    }
    const std::vector<double> next = Draws(2);
    MakePanel(2, true);
    RunPreset(kCommandPresetHighRandom);
    EXPECT_EQ(Slider(0).value, static_cast<int>(next[0] * 16383 * 0.25 + 4095 * 3));
    EXPECT_EQ(Slider(1).value, static_cast<int>(next[1] * 16383 * 0.25 + 4095 * 3));
    const std::vector<double> low = Draws(1);
    MakePanel(1, false);
    RunPreset(kCommandPresetLowRandom);
    EXPECT_EQ(Slider(0).value, static_cast<int>(low[0] * 127 * 0.25));
}

TEST_F(PanelLogicTest, RandomButtonSpreadsOverTheWholeRangeAndResendAllKeepsPositions) {
    MakePanel(2, true);
    const std::vector<double> u = Draws(2);
    RandomizeSliders();
    const int v0 = static_cast<int>(u[0] * 16383);
    EXPECT_EQ(Slider(0).value, v0);
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, static_cast<float>(v0 / 16383.0));
    const Lines sent = Sent();
    ASSERT_EQ(sent.size(), 4u); // both messages of both sliders, forced
    char msb[16];
    std::snprintf(msb, sizeof msb, "B0 00 %02X", static_cast<unsigned>(v0 / 128));
    EXPECT_EQ(sent[0], msb);
    ResendAllSliders();
    EXPECT_EQ(Sent(), sent);
    EXPECT_EQ(Slider(0).value, v0);
}

TEST_F(PanelLogicTest, StartStopButtonFlipsTheTransportAndResendsThePanel) {
    MakePanel(1, false);
    AttachPanelWindow(&m_panel);
    Slider(0).value = 64;
    ToggleTransport();
    EXPECT_EQ(g_transportStopped, 0);
    EXPECT_EQ(Sent(), (Lines{"B0 00 00", "B0 00 40", "90 3C 40"}));
    EXPECT_EQ(m_panel.CallsOf("transport"), Lines{"transport 0"});
    ToggleTransport();
    EXPECT_EQ(g_transportStopped, 1);
    EXPECT_EQ(Sent().back(), "80 3C 40");
}

TEST_F(PanelLogicTest, SwitchingTypesRoundTrips16383To127To16129WithoutSending) {
    AttachPanelWindow(&m_panel);
    Slider(0).type = kFourteenBitType;
    Slider(0).controller2 = 64;
    Slider(0).value = 16383;
    ChooseSevenBits();
    EXPECT_EQ(Slider(0).type, kSevenBitType);
    EXPECT_EQ(Slider(0).value, 127);
    EXPECT_EQ(m_panel.calls, (Lines{"controller2 off", "range 0=127", "position 0=127"}));
    m_panel.calls.clear();
    ChooseSevenBits(); // already 7-bit: nothing
    EXPECT_TRUE(m_panel.calls.empty());
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Stored);
    EXPECT_EQ(Slider(0).type, kFourteenBitType);
    EXPECT_EQ(Slider(0).value, 16129);
    EXPECT_EQ(m_panel.calls, (Lines{"controller2 on", "range 0=16383", "position 0=16129"}));
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PanelLogicTest, FourteenBitsRunsTheControllerCheckAndKeepsTheTypeWhenDeclined) {
    Slider(0).controller2 = 5; // the controller 1 of slider 6
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Ignored);
    EXPECT_EQ(Slider(0).type, kFourteenBitType);
    EXPECT_EQ(ui.MessageTexts(),
              Lines{"The MIDI controller 2 is already in use.\r\nContinue anyway? (Slider n. 6)"});
    // Already 14-bit: only the check runs again.
    ui.answers = {MessageAnswer::Yes};
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Stored);
    EXPECT_EQ(Slider(0).value, 0);
}

TEST_F(PanelLogicTest, FourteenBitsIsRefusedWhenThePanelHoldsSixtyFour) {
    MakePanel(65, true);
    Slider(64).type = kSevenBitType;
    Slider(64).value = 100;
    g_currentSlider = 64;
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Refused);
    EXPECT_EQ(Slider(64).type, kSevenBitType);
    EXPECT_EQ(Slider(64).value, 100);
    EXPECT_EQ(ui.MessageTexts(), Lines{"There are too many 14-bits sliders!"});
}

TEST_F(PanelLogicTest, NameEditsAreValidatedAgainstTheOtherSliders) {
    g_projectManagerView = &m_manager;
    g_currentSlider = 40; // left over from a larger panel
    EXPECT_EQ(CommitSliderName(""), EditOutcome::Refused);
    EXPECT_EQ(CommitSliderName("Slider4"), EditOutcome::Refused);
    EXPECT_EQ(CommitSliderName("Slider16"), EditOutcome::Stored); // its own name
    EXPECT_EQ(CommitSliderName("Lead"), EditOutcome::Stored);
    EXPECT_EQ(g_currentSlider, 15);
    EXPECT_EQ(TextOf(Slider(15).name), "Lead");
    EXPECT_EQ(ui.messages.size(), 2u); // their texts are pinned down by the validation tests
    EXPECT_EQ(m_manager.rebuilds.size(), 2u);
}

TEST_F(PanelLogicTest, NumberEditsStoreAndSendTheNewPosition) {
    g_currentSlider = 1;
    EXPECT_EQ(CommitSliderNumbers("0.5", "0", "1"), EditOutcome::Stored);
    EXPECT_EQ(Slider(1).value, 63);
    EXPECT_EQ(Sent(), Lines{"B0 01 3F"});
    EXPECT_EQ(CommitSliderNumbers("1", "2", "1"), EditOutcome::Refused);
    EXPECT_FLOAT_EQ(Slider(1).minValue, 0.0f);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(CommitSliderNumbers("3", "3", "3"), EditOutcome::Stored);
    EXPECT_EQ(Slider(1).value, 0);
    EXPECT_FLOAT_EQ(Slider(1).scaledValue, 3.0f);
    EXPECT_EQ(Sent(), Lines{"B0 01 00"});
}

// A user interface whose message box lets the edit report its lost focus once more.
class ReenteringUi : public FakeUi {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override {
        inner.push_back(CommitSliderNumbers("0.5", "0", "1"));
        return FakeUi::ShowMessage(text, icon, buttons);
    }
    std::vector<EditOutcome> inner;
};

TEST_F(PanelLogicTest, NumberEditsIgnoreTheFocusLostToTheirOwnMessage) {
    ReenteringUi reentering;
    g_ui = &reentering;
    EXPECT_EQ(CommitSliderNumbers("9", "0", "1"), EditOutcome::Refused);
    EXPECT_EQ(reentering.inner, std::vector<EditOutcome>{EditOutcome::Ignored});
    EXPECT_EQ(CommitSliderNumbers("0.5", "0", "1"), EditOutcome::Stored);
    g_ui = &ui;
}

TEST_F(PanelLogicTest, ChannelControllersLockAndCurveEdits) {
    AttachPanelWindow(&m_panel);
    g_projectManagerView = &m_manager;
    g_currentSlider = 2;
    ChooseChannel(9);
    EXPECT_EQ(Slider(2).channel, 9);
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(ChooseControllers(7, 0), EditOutcome::Refused); // 7 belongs to slider 8
    EXPECT_EQ(Slider(2).controller1, 2);
    EXPECT_EQ(ChooseControllers(100, 0), EditOutcome::Stored);
    EXPECT_EQ(Slider(2).controller1, 100);
    ToggleSliderLock(5);
    EXPECT_EQ(Slider(5).locked, 1);
    ToggleSliderLock(5);
    EXPECT_EQ(Slider(5).locked, 0);
    EXPECT_EQ(m_panel.CallsOf("lock"), (Lines{"lock 5=1", "lock 5=0"}));
    EXPECT_EQ(m_manager.rebuilds.size(), 2u);
    ChooseCurve(kCommandCurveLinear + kCurveQuadratic);
    EXPECT_EQ(Slider(2).curve, kCurveQuadratic);
    EXPECT_EQ(CheckedCurveCommand(), 15014);
    ChooseCurve(15017);
    EXPECT_EQ(Slider(2).curve, kCurveQuadratic);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(PresetMenuText(15001), "R&eset sliders");
    EXPECT_EQ(PresetMenuText(15010), "High r&andom values");
}

TEST_F(PanelLogicTest, OpeningAndResizingLowerTheCurrentSliderByOneAndResendIt) {
    AttachPanelWindow(&m_panel);
    g_currentSlider = 40;
    Slider(15).value = 10;
    ReselectCurrentSlider();
    EXPECT_EQ(g_currentSlider, 15);
    EXPECT_EQ(Slider(15).value, 9);
    ReselectCurrentSlider();
    EXPECT_EQ(Sent(), (Lines{"B0 0F 09", "B0 0F 08"}));
    Slider(15).value = 0;
    ReselectCurrentSlider();
    EXPECT_EQ(Sent(), Lines{"B0 0F 00"});
}

TEST_F(PanelLogicTest, OpeningShowsEveryControlAndTheSnapshotList) {
    MakePanel(2, true);
    Slider(1).locked = 1;
    Slider(1).value = 300;
    TakeSnapshot();
    AttachPanelWindow(&m_panel);
    ShowPanelContents();
    EXPECT_EQ(m_panel.calls,
              (Lines{"transport 1", "range 0=16383", "position 0=0", "lock 0=0", "range 1=16383",
                     "position 1=300", "lock 1=1", "fill list 2 select 1"}));
    EXPECT_EQ(m_panel.list, (Lines{"Organize", "Snap1"}));
}

} // namespace
