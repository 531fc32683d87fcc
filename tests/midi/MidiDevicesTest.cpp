// The MIDI device manager and the MIDI devices dialog's logic, over the program's routing service
// with a scripted back end: which devices open and close, what reaches the wire, what is stored
// and what the user is told.

#include <gtest/gtest.h>

#include "base/SettingsKeys.h"
#include "fakes/CoreServices.h"
#include "midi/MidiDeviceChoice.h"
#include "midi/MidiDevices.h"

namespace {

using Texts = std::vector<std::string>;
using Status = std::vector<std::pair<int, std::string>>;

class MidiDevices : public CoreServices {
protected:
    void Choose(int input, int output, int inputEnabled) {
        g_midiDevices.inputDeviceIndex = input;
        g_midiDevices.outputDeviceIndex = output;
        g_midiDevices.inputEnabled = inputEnabled;
    }
    // The ports opened and closed since the last call ("out 0", "in 1", "close in", ...).
    Texts Opened() {
        const Texts all = ports->Opens();
        Texts recent(all.begin() + static_cast<std::ptrdiff_t>(m_seen), all.end());
        m_seen = all.size();
        return recent;
    }
    // Forgets what happened so far, so that a test sees only what the next step does.
    void Forget() {
        Opened();
        Sent();
        ui.messages.clear();
        ui.statusTexts.clear();
    }
    // A message played into the open input: what the queue got, and what thru passed on.
    std::pair<std::vector<std::uint32_t>, Texts> Play(const MidiBytes& message) {
        Sent();
        ports->Arrive(message);
        return {Words(midiInput.Drain()), Sent()};
    }
    // What silences all sixteen channels with these two controllers, channel by channel.
    static Texts Silencing(int first = 0x78, int second = 0x7B) {
        Texts texts;
        for (int channel = 0; channel < 16; ++channel) {
            char text[2][16];
            std::snprintf(text[0], sizeof text[0], "B%X %02X 00", channel, first);
            std::snprintf(text[1], sizeof text[1], "B%X %02X 00", channel, second);
            texts.insert(texts.end(), {text[0], text[1]});
        }
        return texts;
    }

private:
    std::size_t m_seen = 0;
};

TEST(MidiDeviceRecord, IsTwelveBytesInputOutputEnabledAndOnlyThatSizeIsAChoice) {
    const Bytes golden{2, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodeMidiDeviceSettings({2, 1, -1}), golden);
    for (std::size_t size : {11u, 13u}) {
        EXPECT_FALSE(DecodeMidiDeviceSettings(Bytes(size)));
    }
    const auto settings = DecodeMidiDeviceSettings(golden);
    ASSERT_TRUE(settings);
    EXPECT_EQ((std::array<int, 3>{settings->inputDeviceIndex, settings->outputDeviceIndex,
                                  settings->inputEnabled}),
              (std::array<int, 3>{2, 1, -1}));
}

TEST_F(MidiDevices, FirstStartShowsTheFirstExecutionMessageThenTheDevicesDialog) {
    store.Put(kSettingsKey, kValueMidiDevices, Bytes(11)); // a value of the wrong size is no choice
    LoadMidiDeviceSettings();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "This is the first execution so you need to setup the\r\nMIDI "
                                   "input and output devices.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(g_midiDevices.devicesConfigured, 0);
}

TEST_F(MidiDevices, AStoredChoiceOpensBothDevicesConnectedAndNamesThemInTheStatusBar) {
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({1, 0, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(Opened(), (Texts{"out 0", "in 1"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: In B"}, {2, "Out: Out A"}}));
    // Started and connected through: what arrives is queued for the user interface and thru.
    EXPECT_EQ(Play({0x90, 60, 1}),
              std::make_pair(std::vector<std::uint32_t>{0x00013C90}, Texts{"90 3C 01"}));
    EXPECT_TRUE(ui.messages.empty() && ui.commands.empty() && !ui.waitCursor);
    EXPECT_EQ((std::array<int, 3>{g_midiDevices.devicesConfigured, g_midiDevices.outputOpened,
                                  g_midiDevices.inputOpened}),
              (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(
        (std::array<int, 4>{g_midiDialog.checkbox, g_midiDialog.rememberedCheckbox,
                            g_midiDialog.inputListEnabled, g_midiDialog.rememberedInputEnabled}),
        (std::array<int, 4>{1, 1, 1, 1}));
}

// A server that stops (or a device unplugged) leaves ports that deliver nothing: the status bar
// says so, a reset reports it, and once a device of the same name is back it opens by itself.
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
    EXPECT_EQ(Play({0x90, 60, 1}),
              std::make_pair(std::vector<std::uint32_t>{0x00013C90}, Texts{"90 3C 01"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MidiDeviceNamesRecord, IsBothNamesEachEndedByAZeroAndNothingElse) {
    const Bytes golden{'I', 'n', 0, 'O', 'u', 't', 0};
    EXPECT_EQ(EncodeMidiDeviceNames({"In", "Out"}), golden);
    const auto names = DecodeMidiDeviceNames(golden);
    ASSERT_TRUE(names);
    EXPECT_EQ(names->input + "|" + names->output, "In|Out");
    for (const Bytes& damaged : {Bytes{'I', 'n'}, Bytes{'I', 0, 'O'}, Bytes{0, 0, 0}}) {
        EXPECT_FALSE(DecodeMidiDeviceNames(damaged));
    }
}

// When the device lists change, the stored indices may name other devices: the stored names
// find the chosen ones again, and a device that is gone is reported, never replaced by another.
TEST_F(MidiDevices, StoredDevicesAreFoundByNameAndAMissingOneIsReportedNotReplaced) {
    Choose(1, 1, 1);
    ASSERT_TRUE(StoreMidiDeviceSettings());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDeviceNames),
              EncodeMidiDeviceNames({"In B", "Out B"}));
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 0, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(Opened(), (Texts{"out 1", "in 1"}));
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
    EXPECT_TRUE(ui.messages.empty());

    CloseMidiDevices();
    ResetMidiDeviceState();
    Forget();
    store.Put(kSettingsKey, kValueMidiDeviceNames, EncodeMidiDeviceNames({"In A", "Gone Synth"}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI OUTPUT ERROR:\r\nThe device \"Gone Synth\" is not connected."});
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(OpenMidiDevicesChoice()->outputSelection, -1); // the dialog asks for a choice
}

TEST_F(MidiDevices, AStoredChoiceThatFailsToOpenShowsTheOutputErrorThenTheDialog) {
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 5, -1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI OUTPUT ERROR:\r\nThe specified device identifier is out of range."});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_EQ(g_midiDevices.openOutputIndex, -1);
    EXPECT_EQ(g_midiDevices.outputOpened, 0);
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_FALSE(ui.waitCursor);
}

TEST_F(MidiDevices, AnInputThatFailsToOpenIsReportedAndTheOutputStaysOpen) {
    ports->refused = {0};
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 1, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI INPUT ERROR:\r\nThe device is in use by another program."});
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_EQ(Opened(), Texts{"out 1"});
    EXPECT_EQ(g_midiDevices.outputOpened, 1);
    EXPECT_EQ(g_midiDevices.inputOpened, 0);
    EXPECT_EQ(g_midiDevices.openInputIndex, -1);

    // Opening again once the input is free: the open output is kept, neither lost nor reported.
    Forget();
    ports->refused.clear();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(Opened(), Texts{"in 0"});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
}

TEST_F(MidiDevices, ADisabledInputReadsNoneAndNegativeIndicesBecomeZero) {
    Choose(-1, -3, -1);
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(g_midiDevices.inputDeviceIndex, 0);
    EXPECT_EQ(g_midiDevices.outputDeviceIndex, 0);
    EXPECT_EQ(Opened(), Texts{"out 0"});
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: none"}, {2, "Out: Out A"}}));
}

TEST_F(MidiDevices, MessagesGoOutWholeStatusFirstAndPanicSilencesChannelByChannel) {
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiErrorInvalidHandle); // closed: a code, no box
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(OpenMidiDevices());
    Sent();
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiOk);
    EXPECT_EQ(Sent(), Texts{"B3 07 64"});
    EXPECT_EQ(g_midiDevices.shortMessage, (std::array<std::uint8_t, 4>{0xB3, 7, 100, 0}));

    SendPanic();
    EXPECT_EQ(Sent(), Silencing(0x7B, 0x79));
}

TEST_F(MidiDevices, ResetSilencesTheOutputAndFailsWithoutItOrWithAnEnabledInputNotOpen) {
    EXPECT_FALSE(ResetMidiDevices());
    EXPECT_EQ(g_midiDevices.lastResult, kMidiErrorInvalidHandle);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_TRUE(ResetMidiDevices());
    EXPECT_EQ(Sent(), Silencing());
    g_midiDevices.inputEnabled = 1;
    EXPECT_FALSE(ResetMidiDevices());
}

TEST_F(MidiDevices, ClosingSilencesTheOutputAndClosesTheInputFirst) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    CloseMidiDevices();
    EXPECT_EQ(Opened(), (Texts{"close in", "close out"}));
    EXPECT_EQ(Sent(), Silencing());
    EXPECT_FALSE(midi->InputIsOpen());
    EXPECT_FALSE(midi->OutputIsOpen());
    EXPECT_EQ(g_midiDevices.inputOpened, 0);
    EXPECT_EQ(g_midiDevices.outputOpened, 0);
    CloseMidiDevices(); // nothing open: nothing happens
    EXPECT_TRUE(Opened().empty());
}

TEST_F(MidiDevices, StoringTheChoiceReportsAKeyOrWriteFailure) {
    Choose(2, 1, -1);
    EXPECT_TRUE(StoreMidiDeviceSettings());
    ASSERT_NE(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({2, 1, -1}));
    EXPECT_TRUE(ui.messages.empty());

    store.values.clear();
    store.failCreate = true;
    EXPECT_FALSE(StoreMidiDeviceSettings());
    store.failCreate = false;
    store.failWriteOf.insert(kValueMidiDevices);
    EXPECT_FALSE(StoreMidiDeviceSettings());
    EXPECT_EQ(ui.MessageTexts(), (Texts{"Error while creating/opening the registry entry!",
                                        "Error while writing on the registry!"}));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
}

TEST_F(MidiDevices, TheSameChoiceKeepsItsDevicesOpenAndAnotherSwitchesAtOnce) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_TRUE(Opened().empty());
    EXPECT_TRUE(ui.messages.empty());

    Choose(1, 1, 1);
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(Opened(), (Texts{"close out", "out 1", "close in", "in 1"}));
    EXPECT_EQ(g_midiInputStatusText, "In: In B");
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
    EXPECT_EQ(Play({0xC0, 5}).second, Texts{"C0 05"}); // the new input is connected through
}

TEST_F(MidiDevices, ASwitchThatFailsLeavesNoStatusTextNamingAClosedDevice) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    ports->refused = {1};
    g_midiDevices.inputDeviceIndex = 1;
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi->InputIsOpen());
    EXPECT_EQ(g_midiInputStatusText, "In: none");
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out A");

    g_midiDevices.outputDeviceIndex = 1;
    Forget();
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi->OutputIsOpen()); // the old output was closed, not lost
    EXPECT_EQ(g_midiDevices.openOutputIndex, -1);
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: none"}, {2, "Out: none"}}));
    EXPECT_EQ(ui.MessageTexts(),
              Texts{"MIDI OUTPUT ERROR:\r\nThe device is in use by another program."});
}

// The dialog's logic.

TEST_F(MidiDevices, TheDialogListsTheDevicesByNumberAndSelectsTheChosenOnes) {
    g_midiDevices.outputDeviceIndex = 1;
    auto choice = OpenMidiDevicesChoice();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->inputs, (Texts{"0 - In A", "1 - In B", "2 - Loopback"}));
    EXPECT_EQ(choice->outputs, (Texts{"0 - Out A", "1 - Out B", "2 - Loopback"}));
    EXPECT_EQ(
        (std::array<int, 5>{choice->inputSelection, choice->outputSelection, choice->inputChecked,
                            choice->inputCheckEnabled, choice->inputListEnabled}),
        (std::array<int, 5>{0, 1, false, true, false}));

    // A stored index that no longer exists leaves its list without selection.
    g_midiDevices.outputDeviceIndex = 5;
    g_midiDevices.inputDeviceIndex = -3;
    choice = OpenMidiDevicesChoice();
    EXPECT_EQ(std::pair(choice->outputSelection, choice->inputSelection), std::pair(-1, -1));
}

TEST_F(MidiDevices, TheCheckboxChangesTheDeviceStateAtOnceAndCancelRestoresIt) {
    ASSERT_TRUE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_TRUE(ClickEnableMidiInput());
    EXPECT_EQ(g_midiDevices.inputEnabled, 1);
    EXPECT_EQ(g_midiDialog.inputListEnabled, 1);
    EXPECT_FALSE(ClickEnableMidiInput());
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.inputListEnabled, 0);
    ClickEnableMidiInput();
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.checkbox, 0);
    EXPECT_TRUE(ui.quitCodes.empty());
}

TEST_F(MidiDevices, OkOpensTheChosenDevicesAndStoresTheChoiceOrNoneMeansTheFirst) {
    ClickEnableMidiInput();
    EXPECT_TRUE(ConfirmMidiDevicesChoice(1, 0));
    EXPECT_EQ(Opened(), (Texts{"out 0", "in 1"}));
    EXPECT_EQ(Play({0x80, 1, 2}).second, Texts{"80 01 02"});
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({1, 0, 1}));
    EXPECT_EQ(g_midiDialog.rememberedInputEnabled, 1);
    EXPECT_EQ(g_midiDialog.rememberedCheckbox, 1);

    ClickEnableMidiInput();
    EXPECT_TRUE(ConfirmMidiDevicesChoice(-1, -1));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), EncodeMidiDeviceSettings({0, 0, -1}));
}

TEST_F(MidiDevices, AFailedOpenOrStoreKeepsTheDialogOpen) {
    ports->refused = {1};
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 1));
    EXPECT_EQ(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
    store.failCreate = true;
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_TRUE(midi->OutputIsOpen()); // the devices stay open
    EXPECT_EQ(ui.MessageTexts(),
              (Texts{"MIDI OUTPUT ERROR:\r\nThe device is in use by another program.",
                     "Error while creating/opening the registry entry!"}));
}

TEST_F(MidiDevices, CancelWithNoOutputEverOpenedEndsTheProgram) {
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(ui.MessageTexts(), Texts{"No devices selected. Sorry, Ventaro can't work."});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(MidiDevices, CancelTurnsAnInputThatNeverOpenedOffAndKeepsAnOpenOne) {
    ASSERT_TRUE(ConfirmMidiDevicesChoice(0, 0));
    // The stored choice had input enabled, but the input never opened in this run.
    g_midiDialog.rememberedInputEnabled = 1;
    g_midiDialog.rememberedCheckbox = 1;
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.rememberedInputEnabled, -1);
    EXPECT_EQ(g_midiDialog.checkbox, 0);
    EXPECT_EQ(g_midiDialog.rememberedCheckbox, 0);
    EXPECT_EQ(g_midiInputStatusText, "In: none");

    ClickEnableMidiInput();
    ASSERT_TRUE(ConfirmMidiDevicesChoice(1, 0));
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, 1);
    EXPECT_EQ(g_midiDialog.checkbox, 1);
    EXPECT_TRUE(midi->InputIsOpen());
    EXPECT_TRUE(ui.quitCodes.empty());
}

} // namespace
