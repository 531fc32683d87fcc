// The MIDI device manager and its dialog's logic, over the routing service.

#include <gtest/gtest.h>

#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"
#include "midi/MidiDeviceChoice.h"
#include "midi/MidiDevices.h"

namespace {

using Status = std::vector<std::pair<int, std::string>>;

class MidiDevices : public CoreServices {
protected:
    void Choose(int input, int output, int inputEnabled) {
        g_midiDevices.inputDeviceIndex = input;
        g_midiDevices.outputDeviceIndex = output;
        g_midiDevices.inputEnabled = inputEnabled;
    }
    Texts Opened() { return ports->TakeOpens(); }
    void Forget() {
        Opened();
        Sent();
        ui.messages.clear();
        ui.statusTexts.clear();
    }
    // A note played into the open input reaches the queue and, connected through, the output.
    void ExpectConnectedThrough() {
        Sent();
        ports->Arrive({0x90, 60, 1});
        EXPECT_EQ(Words(midiInput.Drain()), std::vector<std::uint32_t>{0x00013C90});
        EXPECT_EQ(Sent(), Texts{"90 3C 01"});
    }
    // What silences all sixteen channels with these two controllers, channel by channel.
    static Texts Silencing(int first = 0x78, int second = 0x7B) {
        Texts texts;
        for (int channel = 0; channel < 16; ++channel) {
            for (int controller : {first, second}) {
                char text[16];
                std::snprintf(text, sizeof text, "B%X %02X 00", channel, controller);
                texts.push_back(text);
            }
        }
        return texts;
    }
};

TEST(MidiDeviceRecords, TheChoiceIsTwelveBytesAndTheNamesEachEndWithAZero) {
    const Bytes choice{2, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodeMidiDeviceSettings({2, 1, -1}), choice);
    EXPECT_EQ(EncodeMidiDeviceSettings(DecodeMidiDeviceSettings(choice).value()), choice);
    EXPECT_FALSE(DecodeMidiDeviceSettings(Bytes(11)) || DecodeMidiDeviceSettings(Bytes(13)));

    const Bytes names{'I', 'n', 0, 'O', 'u', 't', 0};
    EXPECT_EQ(EncodeMidiDeviceNames({"In", "Out"}), names);
    EXPECT_EQ(EncodeMidiDeviceNames(DecodeMidiDeviceNames(names).value()), names);
    EXPECT_FALSE(DecodeMidiDeviceNames({'I', 'n'}) || DecodeMidiDeviceNames({'I', 0, 'O'}) ||
                 DecodeMidiDeviceNames({0, 0, 0}));
}

// The stored names find the chosen devices again when the stored indices name others now.
TEST_F(MidiDevices, AStoredChoiceOpensBothDevicesByNameConnectedAndNamesThemInTheStatusBar) {
    Choose(1, 0, 1);
    ASSERT_TRUE(StoreMidiDeviceSettings());
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 1, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(Opened(), (Texts{"out 0", "in 1"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: In B"}, {2, "Out: Out A"}}));
    ExpectConnectedThrough();
    EXPECT_TRUE(ui.messages.empty() && ui.commands.empty() && !ui.waitCursor);
    EXPECT_EQ((std::array{g_midiDevices.devicesConfigured, g_midiDialog.checkbox,
                          g_midiDialog.rememberedCheckbox, g_midiDialog.inputListEnabled,
                          g_midiDialog.rememberedInputEnabled}),
              (std::array{1, 1, 1, 1, 1}));
}

// A stopped server or an unplugged device leaves ports that deliver nothing.
TEST_F(MidiDevices, ALostDeviceIsShownReportedAndReopenedByNameOnceItIsBack) {
    Choose(1, 1, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    CheckMidiDevices();
    EXPECT_TRUE(Opened().empty()); // nothing lost, nothing done
    ports->gone = true;
    CheckMidiDevices();
    EXPECT_EQ(Opened(), (Texts{"close in", "close out"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: In B (lost)"}, {2, "Out: Out B (lost)"}}));
    EXPECT_FALSE(ReopenLostMidiDevices(true));
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI OUTPUT ERROR:\r\nThe device \"Out B\" is not connected."});

    ports->gone = false;
    Forget();
    CheckMidiDevices();
    EXPECT_EQ(Opened(), (Texts{"out 1", "in 1"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: In B"},
                                      {2, "Out: Out B"},
                                      {0, "The MIDI device \"Out B\" is connected again."}}));
    ExpectConnectedThrough();
    EXPECT_TRUE(ui.messages.empty());
}

// A stored device that is gone is never replaced by another.
TEST_F(MidiDevices, FirstStartOrAStoredChoiceThatCannotOpenIsReportedThenTheDialogShows) {
    store.Put(kSettingsKey, kValueMidiDevices, Bytes(11)); // a value of the wrong size is no choice
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(), Texts{"This is the first execution so you need to setup the\r\n"
                                       "MIDI input and output devices."});
    ui.messages.clear();

    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 0, 1}));
    store.Put(kSettingsKey, kValueMidiDeviceNames, EncodeMidiDeviceNames({"In A", "Gone Synth"}));
    LoadMidiDeviceSettings();
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(OpenMidiDevicesChoice()->outputSelection, -1);

    store.values.clear();
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 5, -1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(),
              (Texts{"MIDI OUTPUT ERROR:\r\nThe device \"Gone Synth\" is not connected.",
                     "MIDI OUTPUT ERROR:\r\nThe specified device identifier is out of range."}));
    EXPECT_EQ(ui.commands, (std::vector<int>{12000, 12000, 12000}));
    EXPECT_EQ(std::pair(g_midiDevices.openOutputIndex, g_midiDevices.outputOpened),
              std::pair(-1, 0));
    EXPECT_TRUE(ui.statusTexts.empty() && !ui.waitCursor);
}

TEST_F(MidiDevices, AnInputThatFailsToOpenIsReportedAndTheOutputStaysOpen) {
    ports->refused = {{0, "The device is in use by another program."}};
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 1, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI INPUT ERROR:\r\nThe device is in use by another program."});
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_EQ(Opened(), Texts{"out 1"});
    EXPECT_EQ((std::array{g_midiDevices.outputOpened, g_midiDevices.inputOpened,
                          g_midiDevices.openInputIndex}),
              (std::array{1, 0, -1}));

    // Opening again once the input is free: the open output is kept, neither lost nor reported.
    Forget();
    ports->refused.clear();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(Opened(), Texts{"in 0"});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
}

// Closed: a code, no box.
TEST_F(MidiDevices, MessagesGoOutWholeAndPanicResetAndClosingSilenceChannelByChannel) {
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiErrorInvalidHandle);
    EXPECT_FALSE(ResetMidiDevices());
    EXPECT_EQ(g_midiDevices.lastResult, kMidiErrorInvalidHandle);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiOk);
    EXPECT_EQ(Sent(), Texts{"B3 07 64"});
    SendPanic();
    EXPECT_EQ(Sent(), Silencing(0x7B, 0x79));
    EXPECT_TRUE(ResetMidiDevices());
    EXPECT_EQ(Sent(), Silencing());
    g_midiDevices.inputEnabled = 1;
    EXPECT_FALSE(ResetMidiDevices()); // an enabled input that is not open

    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    CloseMidiDevices(); // the input first
    EXPECT_EQ(Opened(), (Texts{"close in", "close out"}));
    EXPECT_EQ(Sent(), Silencing());
    EXPECT_EQ(std::pair(g_midiDevices.inputOpened, g_midiDevices.outputOpened), std::pair(0, 0));
    CloseMidiDevices(); // nothing open: nothing happens
    EXPECT_TRUE(Opened().empty());
}

TEST_F(MidiDevices, TheSameChoiceKeepsItsDevicesOpenAnotherSwitchesAndAFailedSwitchIsShown) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_TRUE(Opened().empty());
    EXPECT_TRUE(ui.messages.empty());

    Choose(1, 1, 1);
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(Opened(), (Texts{"close out", "out 1", "close in", "in 1"}));
    EXPECT_EQ(g_midiInputStatusText + " " + g_midiOutputStatusText, "In: In B Out: Out B");

    // A switch that fails leaves no status text naming a closed device.
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    ports->refused = {{1, "The device is in use by another program."}};
    g_midiDevices.inputDeviceIndex = 1;
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi->InputIsOpen());
    EXPECT_EQ(g_midiInputStatusText + " " + g_midiOutputStatusText, "In: none Out: Out A");

    g_midiDevices.outputDeviceIndex = 1;
    Forget();
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi->OutputIsOpen()); // the old output was closed, not lost
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: none"}, {2, "Out: none"}}));
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI OUTPUT ERROR:\r\nThe device is in use by another program."});
}

TEST_F(MidiDevices, TheDialogListsTheDevicesByNumberAndSelectsTheChosenOnes) {
    g_midiDevices.outputDeviceIndex = 1;
    const auto choice = OpenMidiDevicesChoice();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->inputs, (Texts{"0 - In A", "1 - In B", "2 - Loopback"}));
    EXPECT_EQ(choice->outputs, (Texts{"0 - Out A", "1 - Out B", "2 - Loopback"}));
    EXPECT_EQ(
        (std::array<int, 5>{choice->inputSelection, choice->outputSelection, choice->inputChecked,
                            choice->inputCheckEnabled, choice->inputListEnabled}),
        (std::array<int, 5>{0, 1, false, true, false}));
    g_midiDevices.outputDeviceIndex = 3; // the first index past the list selects nothing
    EXPECT_EQ(OpenMidiDevicesChoice()->outputSelection, -1);
}

TEST_F(MidiDevices, OkOpensTheChosenDevicesAndStoresTheChoiceOrNoneMeansTheFirst) {
    ClickEnableMidiInput();
    EXPECT_TRUE(ConfirmMidiDevicesChoice(1, 0));
    EXPECT_EQ(Opened(), (Texts{"out 0", "in 1"}));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({1, 0, 1}));
    EXPECT_EQ(std::pair(g_midiDialog.rememberedInputEnabled, g_midiDialog.rememberedCheckbox),
              std::pair(1, 1));

    ClickEnableMidiInput();
    EXPECT_TRUE(ConfirmMidiDevicesChoice(-1, -1));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({0, 0, -1}));
}

TEST_F(MidiDevices, AFailedOpenOrStoreIsReportedAndKeepsTheDialogOpen) {
    ports->refused = {{1, "The device is in use by another program."}};
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 1));
    store.failCreate = true;
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_TRUE(midi->OutputIsOpen()); // the devices stay open
    store.failCreate = false;
    store.failWriteOf.insert(kValueMidiDevices);
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_EQ(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
    EXPECT_EQ(ui.MessageTexts(),
              (Texts{"MIDI OUTPUT ERROR:\r\nThe device is in use by another program.",
                     "Error while creating/opening the registry entry!",
                     "Error while writing on the registry!"}));
}

// Cancel brings back the state before the dialog, except that an input that never opened in this
// run is turned off, and with no output ever open the program ends.
TEST_F(MidiDevices, TheCheckboxActsAtOnceAndCancelRestoresItOrTurnsANeverOpenedInputOff) {
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(ui.MessageTexts(), Texts{"No devices selected. Sorry, Ventaro can't work."});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));

    ASSERT_TRUE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_TRUE(ClickEnableMidiInput());
    EXPECT_EQ(std::pair(g_midiDevices.inputEnabled, g_midiDialog.inputListEnabled),
              std::pair(1, 1));
    EXPECT_FALSE(ClickEnableMidiInput());
    EXPECT_EQ(std::pair(g_midiDevices.inputEnabled, g_midiDialog.inputListEnabled),
              std::pair(-1, 0));
    ClickEnableMidiInput();
    g_midiDialog.rememberedInputEnabled = 1; // as a stored choice with the input enabled
    g_midiDialog.rememberedCheckbox = 1;
    CancelMidiDevicesChoice();
    EXPECT_EQ((std::array{g_midiDevices.inputEnabled, g_midiDialog.rememberedInputEnabled,
                          g_midiDialog.checkbox, g_midiDialog.rememberedCheckbox}),
              (std::array{-1, -1, 0, 0}));
    EXPECT_EQ(g_midiInputStatusText, "In: none");

    ClickEnableMidiInput();
    ASSERT_TRUE(ConfirmMidiDevicesChoice(1, 0));
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(std::pair(g_midiDevices.inputEnabled, g_midiDialog.checkbox), std::pair(1, 1));
    EXPECT_TRUE(midi->InputIsOpen());
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0})); // only the first time
}

} // namespace
