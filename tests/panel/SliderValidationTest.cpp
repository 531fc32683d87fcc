#include <array>

#include "base/ByteCodec.h"
#include "panel/PanelLogic.h"
#include "panel/PanelTestFixture.h"

namespace {

class SliderValidationTest : public PanelFixture {
protected:
    // The controllers chosen for the edited slider, checked with every question answered so.
    int Controllers(int type, int c1, int c2, MessageAnswer answer = MessageAnswer::Yes) {
        g_sliderScratch.type = type;
        g_sliderScratch.controller1 = c1;
        g_sliderScratch.controller2 = c2;
        ui.answers.assign(8, answer);
        return ValidateControllers();
    }
    SliderPropsFields m_fields; // the properties dialog's editable copy
};

TEST_F(SliderValidationTest, NameMustBeFilledAndUniqueAsTheRecordWouldHoldIt) {
    g_editedSlider = 2;
    EXPECT_EQ(ValidateSliderName(""), 0);
    EXPECT_EQ(ValidateSliderName("Slider3"), 1); // its own name
    EXPECT_EQ(ValidateSliderName("Slider5"), 0); // the name of index 4
    EXPECT_EQ(ValidateSliderName("slider5"), 1); // names compare case-sensitively
    EXPECT_EQ(ui.MessageTexts(),
              (Lines{"Sorry, you can't leave the field empty!",
                     "The name you have type is already present. (Slider n. 5)"}));
    // A name longer than the field is compared as cut to 499 characters.
    const std::string longName(600, 'x');
    SetText(Slider(0).name, longName);
    EXPECT_EQ(std::pair(ValidateSliderName(longName), CutSliderName(longName).size()),
              std::pair(0, std::size_t{499}));
}

TEST_F(SliderValidationTest, FourteenBitCountNeverLetsTheSixtyFifthThrough) {
    MakePanel(66, false);
    for (int i = 0; i < 64; ++i) {
        Slider(i).type = kFourteenBitType;
    }
    // A 7-bit slider turned 14-bit would make 65.
    g_editedSlider = 64;
    g_sliderScratch.type = kFourteenBitType;
    EXPECT_EQ(ValidateFourteenBitCount(), 0);
    EXPECT_EQ(ui.MessageTexts(), Lines{"There are too many 14-bits sliders!"});
    // Editing one of the 64 without changing its type passes; with 63, the 64th passes.
    g_editedSlider = 10;
    EXPECT_EQ(ValidateFourteenBitCount(), 1);
    Slider(0).type = kSevenBitType;
    g_editedSlider = 64;
    EXPECT_EQ(ValidateFourteenBitCount(), 1);
}

TEST_F(SliderValidationTest, NumbersAreCheckedMinMaxFirstThenCurrent) {
    EXPECT_EQ(ValidateSliderNumbers("1", "0", "1"), 1);
    EXPECT_EQ(ValidateSliderNumbers("1.0001", "0", "1"), 0);
    EXPECT_EQ(ValidateSliderNumbers("-0.0001", "0", "1"), 0);
    EXPECT_EQ(ValidateSliderNumbers("7", "2", "1"), 0); // current never looked at
    EXPECT_EQ(ValidateSliderNumbers("3", "3", "3"), 1); // equal min and max pass
    EXPECT_EQ(ui.MessageTexts(), (Lines{"The current value you have entered is out of range!",
                                        "The current value you have entered is out of range!",
                                        "The min value can't be greater than the max value!"}));
    EXPECT_FLOAT_EQ(g_sliderScratch.current, 3.0f);
    // Positions stay in range, also when min equals max.
    EXPECT_EQ(PositionFromValue(0.5f, 0.0f, 1.0f, 127), 63);
    EXPECT_EQ(PositionFromValue(1.0f, 0.0f, 1.0f, 16383), 16383);
    EXPECT_EQ(PositionFromValue(2.0f, 2.0f, 2.0f, 127), 0);
    EXPECT_EQ(PositionFromValue(5.0f, 0.0f, 1.0f, 127), 127);
    EXPECT_EQ(PositionFromValue(-5.0f, 0.0f, 1.0f, 127), 0);
}

TEST_F(SliderValidationTest, ControllerQuestionsComeInOrderAndYesContinuesTheScanOfOtherSliders) {
    Slider(3).controller1 = 40;
    Slider(7).controller1 = 40;
    Slider(9).type = kFourteenBitType;
    Slider(9).controller2 = 40;
    g_editedSlider = 0;
    EXPECT_EQ(Controllers(kFourteenBitType, 40, 40), 1);
    const std::string inUse = " is already in use.\r\nContinue anyway? (Slider n. ";
    const std::string c1 = "The MIDI controller 1" + inUse, c2 = "The MIDI controller 2" + inUse;
    const std::string same =
        "MIDI controller 1 and MIDI controller 2 are the same.\r\nContinue anyway?";
    EXPECT_EQ(ui.MessageTexts(),
              (Lines{c1 + "4)", c1 + "8)", c1 + "10)", same, c2 + "4)", c2 + "8)", c2 + "10)"}));
    EXPECT_EQ(std::pair(ui.messages[0].icon, ui.messages[0].buttons),
              std::pair(MessageIcon::Question, MessageButtons::YesNo));

    // A No refuses at once, at any of the questions.
    ui.messages.clear();
    EXPECT_EQ(Controllers(kSevenBitType, 40, 0, MessageAnswer::No), 0);
    EXPECT_EQ(Controllers(kFourteenBitType, 50, 50, MessageAnswer::No), 0);
    EXPECT_EQ(ui.MessageTexts(), (Lines{c1 + "4)", same}));

    // Only a 14-bit choice meets a 14-bit slider's second controller; channels and the edited
    // slider don't count.
    ui.messages.clear();
    Slider(5).type = kFourteenBitType;
    Slider(5).controller2 = 90;
    EXPECT_EQ(Controllers(kSevenBitType, 90, 0, MessageAnswer::No), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Controllers(kFourteenBitType, 90, 91, MessageAnswer::No), 0);
    Slider(1).channel = 9;
    g_editedSlider = 1;
    EXPECT_EQ(Controllers(kSevenBitType, 1, 0, MessageAnswer::No), 1);
    g_editedSlider = 0;
    EXPECT_EQ(Controllers(kSevenBitType, 1, 0, MessageAnswer::No), 0);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(SliderValidationTest, AChannelModeControllerIsAskedForByTheMessageItSends) {
    g_editedSlider = 0;
    EXPECT_EQ(Controllers(kSevenBitType, 119, 0, MessageAnswer::No), 1); // an ordinary one
    EXPECT_EQ(Controllers(kSevenBitType, 123, 0, MessageAnswer::No), 0);
    EXPECT_EQ(Controllers(kFourteenBitType, 100, 120, MessageAnswer::No), 0); // as the second
    EXPECT_EQ(Controllers(kFourteenBitType, 127, 100), 1);
    const std::string tail = "\": a slider on it silences or resets the receiver whenever it "
                             "moves.\r\nContinue anyway?";
    EXPECT_EQ(ui.MessageTexts(),
              (Lines{"The MIDI controller 123 is the channel mode message \"All Notes Off" + tail,
                     "The MIDI controller 120 is the channel mode message \"All Sound Off" + tail,
                     "The MIDI controller 127 is the channel mode message \"Poly Mode On" + tail}));
}

TEST_F(SliderValidationTest, PropsOpeningFillsTheFieldsAndAMissingSliderEndsAsCancel) {
    // type, value, scaled value, minimum, maximum, channel, controllers, reserved, curve, locked
    Slider(4) = {{}, kFourteenBitType, 0, 0.25f, -1.0f, 1.0f, 3, 4, 0, 0, kCurveCubic, 1};
    SetText(Slider(4).name, "Slider5");
    ASSERT_EQ(OpenSliderProps("Slider5", m_fields), 1);
    EXPECT_EQ(std::pair(g_sliderPropsOpen, g_editedSlider), std::pair(1, 4));
    EXPECT_EQ((Lines{m_fields.name, m_fields.current, m_fields.minimum, m_fields.maximum}),
              (Lines{"Slider5", "0.25", "-1", "1"}));
    EXPECT_EQ(m_fields.curve, kCurveCubic);
    const auto& s = g_sliderScratch;
    EXPECT_EQ(std::tuple(s.type, s.channel, s.controller1, s.controller2, s.locked),
              std::tuple(kFourteenBitType, 3, 4, 0, 1));
    EXPECT_TRUE(SliderPropsController2Enabled());
    ChooseSliderPropsType(kSevenBitType);
    EXPECT_FALSE(SliderPropsController2Enabled());

    EXPECT_EQ(OpenSliderProps("Nobody", m_fields), 0);
    EXPECT_EQ(g_sliderPropsOpen, 0);
    EXPECT_EQ(ui.MessageTexts(), Lines{"Error: can't locate the selected slider!"});
}

TEST_F(SliderValidationTest, PropsOkStoresEveryFieldOnlyAfterAllChecksPassAndRefreshesThePanel) {
    ASSERT_EQ(OpenSliderProps("Slider1", m_fields), 1);
    const SliderRecord before = Slider(0);
    m_fields = {"Cutoff", "5", "0", "1", kCurveQuadratic};
    ChooseSliderPropsType(kFourteenBitType);
    ChooseSliderPropsChannel(2);
    ChooseSliderPropsController1(74);
    ChooseSliderPropsController2(75);
    ToggleSliderPropsLocked();
    EXPECT_EQ(AcceptSliderProps(m_fields), 0);
    EXPECT_EQ(std::pair(Slider(0), g_sliderPropsOpen), std::pair(before, 1));

    m_fields.current = "0.5";
    EXPECT_EQ(AcceptSliderProps(m_fields), 1);
    EXPECT_EQ(g_sliderPropsOpen, 0);
    // The position is trunc(16383 × 0.5) in the new type's range.
    SliderRecord stored{{}, kFourteenBitType, 8191, 0.5f, 0.0f, 1.0f, 2, 74, 75,
                        0,  kCurveQuadratic,  1};
    SetText(stored.name, "Cutoff");
    EXPECT_EQ(Slider(0), stored);
    EXPECT_TRUE(Sent().empty()); // the panel is closed: nothing is sent

    ASSERT_EQ(OpenSliderProps("Slider3", m_fields), 1);
    EXPECT_EQ(CancelSliderProps(), 0);
    EXPECT_EQ(g_sliderPropsOpen, 0);

    // With the panel open, OK refreshes it and the project manager.
    AttachViews();
    g_currentSlider = 1;
    ASSERT_EQ(OpenSliderProps("Slider2", m_fields), 1);
    m_fields.current = "0.5";
    EXPECT_EQ(AcceptSliderProps(m_fields), 1);
    // The current slider is refreshed by a one-step scroll toward the minimum: 63 → 62, sent.
    EXPECT_EQ(Sent(), Lines{"B0 01 3E"});
    EXPECT_EQ(m_panel.CallsOf("lock"), Lines{"lock 1=0"});
    EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Panel});

    // Another slider: its control follows, nothing is sent.
    m_panel.calls.clear();
    ASSERT_EQ(OpenSliderProps("Slider4", m_fields), 1);
    m_fields.current = "1";
    EXPECT_EQ(AcceptSliderProps(m_fields), 1);
    EXPECT_EQ(m_panel.calls, (Lines{"range 3=127", "position 3=127", "lock 3=0"}));
    EXPECT_TRUE(Sent().empty());
}

} // namespace
