#include "panel/PanelLogic.h"
#include "base/ByteCodec.h"
#include "panel/PanelTestFixture.h"
#include "panel/PanelText.h"

#include <cstring>

namespace {

using PanelLogicTest = PanelFixture;

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
    EXPECT_EQ(std::pair(g_currentSlider, Slider(2).value), std::pair(2, 16));
    EXPECT_EQ(Sent(), Lines{"B0 02 10"});
    EXPECT_EQ(m_panel.calls, (Lines{"range 2=127", "properties Slider3 -1..1", "position 2=16",
                                    "current -0.748031497"}));

    // The end of a drag changes nothing and sends nothing.
    m_panel.calls.clear();
    MoveSlider(4, kScrollEnd);
    EXPECT_EQ(g_currentSlider, 4);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(m_panel.calls, Lines{"range 4=127"});
}

// The positions each preset leaves on a 7-bit panel at 50, slider 1 locked from three on.
TEST_F(PanelLogicTest, PresetsSetAndSendEveryUnlockedSlider) {
    struct Row {
        int command;
        int count;
        std::vector<int> values;
    };
    const Row rows[] = {
        {kCommandPresetLeftToRight, 8, {0, 50, 36, 54, 72, 90, 108, 126}},
        {kCommandPresetRightToLeft, 4, {126, 50, 42, 0}},
        {kCommandPresetLeftToRight, 2, {0, 127}},
        {kCommandPresetRightToLeft, 1, {50}},
        {kCommandPresetTriangle, 8, {93, 50, 31, 0, 0, 31, 62, 93}},
        {kCommandPresetInverseTriangle, 8, {0, 50, 62, 93, 93, 62, 31, 0}},
        {kCommandPresetTriangle, 5, {126, 50, 0, 63, 126}},
        {kCommandPresetInverseTriangle, 5, {0, 50, 126, 63, 0}},
        {kCommandPresetInverseTriangle, 2, {50, 50}},
        {kCommandPresetReset, 3, {0, 50, 0}},
        {kCommandPresetMaximize, 3, {127, 50, 127}},
        {kCommandPresetHalf, 3, {63, 50, 63}},
        {kCommandPresetLowRandom, 4, {6, 50, 6, 4}},
        {kCommandPresetMediumRandom, 4, {52, 50, 52, 50}},
        {kCommandPresetHighRandom, 4, {99, 50, 99, 97}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.command << " on " << row.count);
        MakePanel(row.count, false);
        for (int i = 0; i < row.count; ++i) {
            Slider(i).value = 50;
        }
        Slider(1).locked = row.count >= 3;
        ResetNoiseSources();
        RunPreset(row.command);
        EXPECT_EQ(Values(), row.values);
        Lines sent = SevenBitBytes(row.values);
        if (row.values == std::vector<int>(static_cast<std::size_t>(row.count), 50)) {
            sent.clear();
        } else if (Slider(1).locked) {
            sent.erase(sent.begin() + 1);
        }
        EXPECT_EQ(Sent(), sent);
    }
}

TEST_F(PanelLogicTest, PresetsForceTheMostSignificantByteAndSetTheEnds) {
    MakePanel(2, false);
    Slider(1).type = kFourteenBitType;
    Slider(1).controller2 = 33;
    Slider(0).minValue = 2.0f;
    Slider(0).maxValue = 4.0f;
    RunPreset(kCommandPresetMaximize);
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 4.0f);
    EXPECT_EQ(Sent(), (Lines{"B0 00 7F", "B0 01 7F", "B0 21 7F"}));
    for (int twice = 0; twice < 2; ++twice) { // the same MSB again: still sent
        RunPreset(kCommandPresetHalf);
        EXPECT_EQ(Values(), (std::vector<int>{63, 8191}));
        EXPECT_EQ(Sent(), (Lines{"B0 00 3F", "B0 01 3F", "B0 21 7F"}));
    }
    EXPECT_EQ(g_forceMsbResend, 0);
    RunPreset(kCommandPresetReset);
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 2.0f);
}

// The locked slider keeps its position and sends nothing, but Resend All includes it.
TEST_F(PanelLogicTest, RandomButtonSpreadsOverTheWholeRangeAndResendAllKeepsPositions) {
    MakePanel(3, true);
    Slider(1).locked = 1;
    Slider(1).value = 77;
    ResetNoiseSources();
    RandomizeSliders();
    EXPECT_EQ(Values(), (std::vector<int>{3589, 77, 3377}));
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 3589.0f / 16383.0f);
    // both messages of the unlocked sliders, forced
    EXPECT_EQ(Sent(), (Lines{"B0 00 1C", "B0 40 05", "B0 02 1A", "B0 42 31"}));
    ResendAllSliders();
    EXPECT_EQ(Sent(),
              (Lines{"B0 00 1C", "B0 40 05", "B0 01 00", "B0 41 4D", "B0 02 1A", "B0 42 31"}));
}

TEST_F(PanelLogicTest, SwitchingTypesRoundTrips16383To127To16129WithoutSending) {
    AttachPanelWindow(&m_panel);
    Slider(0).type = kFourteenBitType;
    Slider(0).controller2 = 64;
    Slider(0).value = 16383;
    ChooseSevenBits();
    ChooseSevenBits(); // already 7-bit: nothing
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Stored);
    EXPECT_EQ(std::pair(Slider(0).type, Slider(0).value), std::pair(kFourteenBitType, 16129));
    EXPECT_EQ(m_panel.calls, (Lines{"controller2 off", "range 0=127", "position 0=127",
                                    "controller2 on", "range 0=16383", "position 0=16129"}));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PanelLogicTest, FourteenBitsChecksTheCountThenTheControllers) {
    Slider(0).controller2 = 5; // the controller 1 of slider 6
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Ignored);
    EXPECT_EQ(Slider(0).type, kFourteenBitType);
    ui.answers = {MessageAnswer::Yes}; // already 14-bit: only the check runs again
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Stored);

    // A panel of 64 refuses the 65th and leaves it as it was.
    MakePanel(65, true);
    Slider(64).type = kSevenBitType;
    Slider(64).value = 100;
    g_currentSlider = 64;
    EXPECT_EQ(ChooseFourteenBits(), EditOutcome::Refused);
    EXPECT_EQ(std::pair(Slider(64).type, Slider(64).value), std::pair(kSevenBitType, 100));
}

TEST_F(PanelLogicTest, NameAndNumberEditsAreValidatedThenStoredAndIgnoreTheirOwnMessage) {
    g_projectManagerView = &m_manager;
    g_currentSlider = 40; // left over from a larger panel
    EXPECT_EQ(CommitSliderName("Slider4"), EditOutcome::Refused);
    EXPECT_EQ(CommitSliderName("Slider16"), EditOutcome::Stored); // its own name
    EXPECT_EQ(CommitSliderName("Lead"), EditOutcome::Stored);
    EXPECT_EQ(std::pair(g_currentSlider, TextOf(Slider(15).name)),
              std::pair(15, std::string_view("Lead")));
    EXPECT_EQ(m_manager.rebuilds.size(), 2u);

    g_currentSlider = 1;
    EXPECT_EQ(CommitSliderNumbers("0.5", "0", "1"), EditOutcome::Stored);
    EXPECT_EQ(Sent(), Lines{"B0 01 3F"}); // 63
    EXPECT_EQ(CommitSliderNumbers("1", "2", "1"), EditOutcome::Refused);
    EXPECT_FLOAT_EQ(Slider(1).minValue, 0.0f);
    EXPECT_TRUE(Sent().empty());

    // The focus the edit loses to its own message is ignored, not checked a second time.
    ReenteringUi reentering;
    g_ui = &reentering;
    EXPECT_EQ(CommitSliderNumbers("9", "0", "1"), EditOutcome::Refused);
    EXPECT_EQ(reentering.inner, std::vector<EditOutcome>{EditOutcome::Ignored});
    EXPECT_EQ(CommitSliderNumbers("0.5", "0", "1"), EditOutcome::Stored);
    g_ui = &ui;
}

TEST_F(PanelLogicTest, ChannelControllersLockAndCurveEdits) {
    AttachViews();
    g_currentSlider = 2;
    ChooseChannel(9);
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(ChooseControllers(7, 0), EditOutcome::Refused); // 7 belongs to slider 8
    EXPECT_EQ(Slider(2).controller1, 2);
    EXPECT_EQ(ChooseControllers(100, 0), EditOutcome::Stored);
    EXPECT_EQ(std::pair(Slider(2).channel, Slider(2).controller1), std::pair(9, 100));
    ToggleSliderLock(5);
    ToggleSliderLock(5);
    EXPECT_EQ(m_panel.CallsOf("lock"), (Lines{"lock 5=1", "lock 5=0"}));
    EXPECT_EQ(m_manager.rebuilds.size(), 2u);
    ChooseCurve(kCommandCurveLinear + kCurveQuadratic);
    ChooseCurve(15017); // no such curve
    EXPECT_EQ(CheckedCurveCommand(), 15014);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PanelLogicTest, OpeningShowsEveryControlAndSelectsTheCurrentSliderWithoutMovingIt) {
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

    // Opening and every resize select the current slider, brought within the panel, unmoved.
    g_currentSlider = 40;
    m_panel.calls.clear();
    ReselectCurrentSlider();
    EXPECT_EQ(std::pair(g_currentSlider, Slider(1).value), std::pair(1, 300));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(m_panel.calls, (Lines{"range 1=16383", "properties Slider18 0..1 cc2", "current 0"}));
}

TEST_F(PanelLogicTest, InsertedSliderTakesTheNextControllersAndNameAndDeletingKeepsSnapshots) {
    const SliderRecord oldThird = g_sliders[3];
    InsertSlider(3);
    SliderRecord expected{{}, kSevenBitType, 0, 0.0f, 0.0f, 1.0f, 0, 16, 1, 0, 0, 0};
    SetText(expected.name, "Slider17");
    EXPECT_EQ(std::pair(g_sliders[3], g_sliders[4]), std::pair(expected, oldThird));
    EXPECT_EQ(TextOf(g_sliders[16].name), "Slider16");
    EXPECT_EQ(std::pair(g_sliderCount, g_sliderCountCommitted), std::pair(17, 17));

    // The displaced occupant still counts, and 127 wraps to 0.
    g_sliders[4].controller1 = 50;
    InsertSlider(4);
    EXPECT_EQ(g_sliders[4].controller1, 51);
    g_sliders[0].controller1 = 127;
    g_sliders[1].controller2 = 127;
    InsertSlider(0);
    EXPECT_EQ(std::pair(g_sliders[0].controller1, g_sliders[0].controller2), std::pair(0, 0));

    // Deleting the first of two sliders keeps the snapshots' values.
    g_sliderCount = g_sliderCountCommitted = 2;
    g_snapshots[1].values = {10, 11};
    g_snapshotCount = 1;
    const SliderRecord second = g_sliders[1];
    DeleteSlider(0);
    EXPECT_EQ(std::pair(g_sliderCount, g_sliderCountCommitted), std::pair(1, 1));
    EXPECT_EQ(g_sliders[0], second);
    EXPECT_EQ(g_snapshots[1].values, (std::array<std::int32_t, kMaxSliders>{10, 11}));
}

TEST_F(PanelLogicTest, CopySliderCopiesTheNameAsTextAndFindSliderIsExact) {
    std::memcpy(g_sliders[2].name.data(), "Src\0junk", 8);
    g_sliders[2].scaledValue = 0.25f;
    g_sliders[2].reserved = 9;
    g_sliders[2].locked = 1;
    SetText(g_sliders[5].name, "AMuchLongerName");
    CopySlider(2, 5);
    SliderRecord expected = g_sliders[2];
    SetText(expected.name, "Src");
    EXPECT_EQ(g_sliders[5], expected);

    // Found by its exact name, within the count only.
    SetText(g_sliders[16].name, "Ghost");
    EXPECT_EQ(FindSliderByName("Slider2"), 1);
    EXPECT_EQ(FindSliderByName("slider2"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName("Ghost"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName(""), kSliderNotFound);
}

} // namespace
