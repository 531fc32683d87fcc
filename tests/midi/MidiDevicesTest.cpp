#include <gtest/gtest.h>

#include "base/SettingsKeys.h"
#include "fakes/FakeMidiService.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"

namespace {

using Calls = std::vector<std::string>;
using Status = std::vector<std::pair<int, std::string>>;

class MidiDevices : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMidiDeviceState();
        g_midiService = &midi;
        g_midiInputSink = &sink;
        g_ui = &ui;
        g_settingsStore = &store;
    }
    void TearDown() override {
        g_midiService = nullptr;
        g_midiInputSink = nullptr;
        g_ui = nullptr;
        g_settingsStore = nullptr;
    }
    void Choose(int input, int output, int inputEnabled) {
        g_midiDevices.inputDeviceIndex = input;
        g_midiDevices.outputDeviceIndex = output;
        g_midiDevices.inputEnabled = inputEnabled;
    }
    // Forgets what happened so far, so that a test sees only the calls of the next step.
    void Forget() {
        midi.calls.clear();
        ui.messages.clear();
        ui.statusTexts.clear();
    }

    FakeMidiService midi;
    MidiInputQueue sink;
    FakeUi ui;
    FakeSettingsStore store;
};

TEST(MidiDeviceRecord, OnlyAValueOfTwelveBytesIsAChoice) {
    EXPECT_FALSE(DecodeMidiDeviceSettings(Bytes(11)));
    EXPECT_FALSE(DecodeMidiDeviceSettings(Bytes(13)));
    EXPECT_EQ(DecodeMidiDeviceSettings(EncodeMidiDeviceSettings({2, 3, 1}))->outputDeviceIndex, 3);
}

TEST_F(MidiDevices, FirstStartShowsTheFirstExecutionMessageThenTheDevicesDialog) {
    store.Put(kSettingsKey, kValueMidiDevices, Bytes(11)); // a value of the wrong size is no choice
    LoadMidiDeviceSettings();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "This is the first execution so you need to setup the\r\nMIDI "
                                   "input and output devices.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_TRUE(midi.calls.empty());
    EXPECT_EQ(g_midiDevices.devicesConfigured, 0);
}

TEST_F(MidiDevices, StoredChoiceOpensInOrderAndNamesTheDevicesInTheStatusBar) {
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({1, 0, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(midi.calls, (Calls{"ResetOutput", "ResetInput", "OpenOutput 0", "OpenInput 1",
                                 "StartInput", "Connect"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: In B"}, {2, "Out: Out A"}}));
    EXPECT_EQ(g_midiInputStatusText, "In: In B");
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out A");
    EXPECT_EQ(midi.sink, &sink);
    EXPECT_TRUE(midi.thru);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.commands.empty());
    EXPECT_FALSE(ui.waitCursor);
    EXPECT_EQ(g_midiDevices.devicesConfigured, 1);
    EXPECT_EQ(g_midiDevices.outputOpened, 1);
    EXPECT_EQ(g_midiDevices.inputOpened, 1);
    EXPECT_EQ(g_midiDialog.checkbox, 1);
    EXPECT_EQ(g_midiDialog.rememberedCheckbox, 1);
    EXPECT_EQ(g_midiDialog.inputListEnabled, 1);
    EXPECT_EQ(g_midiDialog.rememberedInputEnabled, 1);
}

TEST_F(MidiDevices, StoredChoiceThatFailsToOpenShowsTheOutputErrorThenTheDialog) {
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 5, -1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(), Calls{"MIDI OUTPUT ERROR:\r\nerror 2"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_EQ(g_midiDevices.openOutputIndex, -1);
    EXPECT_EQ(g_midiDevices.outputOpened, 0);
    EXPECT_TRUE(ui.statusTexts.empty());
    EXPECT_FALSE(ui.waitCursor);
}

TEST_F(MidiDevices, InputThatFailsToOpenShowsTheInputErrorAndKeepsTheOutputOpen) {
    midi.failOpenInput[0] = kMidiErrorNoDriver;
    store.Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, 1, 1}));
    LoadMidiDeviceSettings();
    EXPECT_EQ(ui.MessageTexts(), Calls{"MIDI INPUT ERROR:\r\nerror 6"});
    EXPECT_EQ(ui.commands, std::vector<int>{12000});
    EXPECT_TRUE(midi.outputOpen);
    EXPECT_EQ(g_midiDevices.outputOpened, 1);
    EXPECT_EQ(g_midiDevices.inputOpened, 0);
    EXPECT_EQ(g_midiDevices.openInputIndex, -1);

    // Opening again: the input reset fails (no input), yet the open output still counts as
    // opened and is neither lost nor reported.
    Forget();
    midi.failOpenInput.clear();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(midi.calls,
              (Calls{"ResetOutput", "ResetInput", "OpenInput 0", "StartInput", "Connect"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(midi.openOutput, 1);
}

TEST_F(MidiDevices, DisabledInputReadsNoneAndNegativeIndicesBecomeZero) {
    Choose(-1, -3, -1);
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(g_midiDevices.inputDeviceIndex, 0);
    EXPECT_EQ(g_midiDevices.outputDeviceIndex, 0);
    EXPECT_EQ(midi.calls, (Calls{"ResetOutput", "OpenOutput 0"}));
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: none"}, {2, "Out: Out A"}}));
}

TEST_F(MidiDevices, SendShortMessagePacksTheStatusIntoTheLowByte) {
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiErrorInvalidHandle); // closed: code, no box
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(OpenMidiDevices());
    EXPECT_EQ(SendShortMessage(0xB3, 7, 100), kMidiOk);
    EXPECT_EQ(midi.words, std::vector<std::uint32_t>{0x006407B3});
    EXPECT_EQ(g_midiDevices.shortMessage, (std::array<std::uint8_t, 4>{0xB3, 7, 100, 0}));
}

TEST_F(MidiDevices, PanicSendsAllNotesOffThenResetAllControllersChannelByChannel) {
    ASSERT_TRUE(OpenMidiDevices());
    SendPanic();
    std::vector<std::uint32_t> expected;
    for (std::uint32_t channel = 0; channel < 16; ++channel) {
        expected.push_back(0xB0 + channel + (0x7B << 8));
        expected.push_back(0xB0 + channel + (0x79 << 8));
    }
    EXPECT_EQ(midi.words, expected);
    EXPECT_EQ(midi.SentBytes().front(), "B0 7B 00");
    EXPECT_EQ(midi.SentBytes().back(), "BF 79 00");
}

TEST_F(MidiDevices, ResetFailsWithoutAnOpenOutputOrAnEnabledInputThatIsNotOpen) {
    EXPECT_FALSE(ResetMidiDevices());
    EXPECT_EQ(g_midiDevices.lastResult, kMidiErrorInvalidHandle);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_TRUE(ResetMidiDevices());
    EXPECT_EQ(midi.calls, Calls{"ResetOutput"});
    g_midiDevices.inputEnabled = 1;
    EXPECT_FALSE(ResetMidiDevices());
}

TEST_F(MidiDevices, CloseStopsAndClosesTheInputBeforeTheOutput) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    CloseMidiDevices();
    EXPECT_EQ(midi.calls, (Calls{"Disconnect", "StopInput", "ResetInput", "CloseInput",
                                 "ResetOutput", "CloseOutput"}));
    EXPECT_FALSE(midi.inputOpen);
    EXPECT_FALSE(midi.outputOpen);
    EXPECT_EQ(g_midiDevices.inputOpened, 0);
    EXPECT_EQ(g_midiDevices.outputOpened, 0);

    Forget();
    CloseMidiDevices(); // nothing open: no close is attempted
    EXPECT_EQ(midi.calls, (Calls{"Disconnect", "StopInput", "ResetInput", "ResetOutput"}));
}

TEST_F(MidiDevices, StoredChoiceIsTwelveBytesInputOutputEnabledAndReportsAKeyOrWriteFailure) {
    const Bytes golden{2, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodeMidiDeviceSettings({2, 1, -1}), golden);
    Choose(2, 1, -1);
    EXPECT_TRUE(StoreMidiDeviceSettings());
    ASSERT_NE(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueMidiDevices), golden);
    EXPECT_TRUE(ui.messages.empty());

    store.values.clear();
    store.failCreate = true;
    EXPECT_FALSE(StoreMidiDeviceSettings());
    store.failCreate = false;
    store.failWriteOf.insert(kValueMidiDevices);
    EXPECT_FALSE(StoreMidiDeviceSettings());
    EXPECT_EQ(ui.MessageTexts(), (Calls{"Error while creating/opening the registry entry!",
                                        "Error while writing on the registry!"}));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(store.Get(kSettingsKey, kValueMidiDevices), nullptr);
}

TEST_F(MidiDevices, AnOpenDeviceOfTheSameChoiceCountsAsOpenedAndStaysOpen) {
    Choose(1, 1, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(midi.calls, (Calls{"ResetOutput", "ResetInput", "StartInput", "Connect"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(midi.openOutput, 1);
    EXPECT_EQ(midi.openInput, 1);
}

TEST_F(MidiDevices, ChoosingAnotherOutputClosesTheOldAndOpensTheNewAtOnce) {
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    g_midiDevices.outputDeviceIndex = 1;
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(midi.calls, (Calls{"ResetOutput", "ResetOutput", "CloseOutput", "OpenOutput 1"}));
    EXPECT_EQ(midi.openOutput, 1);
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out B");
    ASSERT_TRUE(StoreMidiDeviceSettings());
    EXPECT_EQ(
        DecodeMidiDeviceSettings(*store.Get(kSettingsKey, kValueMidiDevices))->outputDeviceIndex,
        1);
}

TEST_F(MidiDevices, ChoosingAnotherInputClosesTheOldAndOpensTheNewAtOnce) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    Forget();
    g_midiDevices.inputDeviceIndex = 1;
    EXPECT_TRUE(OpenMidiDevices());
    EXPECT_EQ(midi.calls,
              (Calls{"ResetOutput", "ResetInput", "Disconnect", "StopInput", "ResetInput",
                     "CloseInput", "OpenInput 1", "StartInput", "Connect"}));
    EXPECT_EQ(midi.openInput, 1);
    EXPECT_EQ(midi.sink, &sink);
    EXPECT_TRUE(midi.thru);
    EXPECT_EQ(g_midiInputStatusText, "In: In B");
    EXPECT_EQ(g_midiDevices.inputOpened, 1);
}

TEST_F(MidiDevices, ASwitchThatFailsLeavesNoStatusTextNamingAClosedDevice) {
    Choose(0, 0, 1);
    ASSERT_TRUE(OpenMidiDevices());
    midi.failOpenInput[1] = kMidiErrorAllocated;
    g_midiDevices.inputDeviceIndex = 1;
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi.inputOpen);
    EXPECT_EQ(g_midiInputStatusText, "In: none");
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out A");

    midi.failOpenOutput[1] = kMidiErrorNoDriver;
    g_midiDevices.outputDeviceIndex = 1;
    Forget();
    EXPECT_FALSE(OpenMidiDevices());
    EXPECT_FALSE(midi.outputOpen); // the old output was closed, not lost
    EXPECT_EQ(g_midiDevices.openOutputIndex, -1);
    EXPECT_EQ(g_midiOutputStatusText, "Out: none");
    EXPECT_EQ(ui.statusTexts, (Status{{1, "In: none"}, {2, "Out: none"}}));
    EXPECT_EQ(ui.MessageTexts(), Calls{"MIDI OUTPUT ERROR:\r\nerror 6"});
}

} // namespace
