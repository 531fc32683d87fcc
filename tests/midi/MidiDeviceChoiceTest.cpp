#include <gtest/gtest.h>

#include "base/SettingsKeys.h"
#include "fakes/FakeMidiService.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDeviceChoice.h"
#include "midi/MidiDevices.h"

class MidiDevicesDialogLogic : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMidiDeviceState();
        g_ui = &ui;
        g_settingsStore = &store;
        g_midiService = &midi;
    }
    void TearDown() override {
        ResetMidiDeviceState();
        g_ui = nullptr;
        g_settingsStore = nullptr;
        g_midiService = nullptr;
    }
    // Opens the output as a confirmed dialog would, then forgets what that showed.
    void ConfirmOnce(int input, int output) {
        ASSERT_TRUE(ConfirmMidiDevicesChoice(input, output));
        ui.messages.clear();
        ui.statusTexts.clear();
    }

    FakeUi ui;
    FakeSettingsStore store;
    FakeMidiService midi;
};

TEST_F(MidiDevicesDialogLogic, OpeningListsTheDevicesByNumberAndSelectsTheChosenOnes) {
    g_midiDevices.outputDeviceIndex = 1;
    auto choice = OpenMidiDevicesChoice();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->inputs, (std::vector<std::string>{"0 - In A", "1 - In B"}));
    EXPECT_EQ(choice->outputs, (std::vector<std::string>{"0 - Out A", "1 - Out B"}));
    EXPECT_EQ(choice->inputSelection, 0);
    EXPECT_EQ(choice->outputSelection, 1);
    EXPECT_FALSE(choice->inputChecked);
    EXPECT_TRUE(choice->inputCheckEnabled);
    EXPECT_FALSE(choice->inputListEnabled);

    // A stored index that no longer exists leaves its list without selection; without inputs
    // the checkbox is disabled.
    g_midiDevices.outputDeviceIndex = 5;
    g_midiDevices.inputDeviceIndex = -3;
    midi.inputs.clear();
    choice = OpenMidiDevicesChoice();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->outputSelection, -1);
    EXPECT_EQ(choice->inputSelection, -1);
    EXPECT_FALSE(choice->inputCheckEnabled);
    EXPECT_TRUE(choice->inputs.empty());
}

TEST_F(MidiDevicesDialogLogic, WithoutOutputsTheProgramCannotWorkAndQuits) {
    midi.outputs.clear();
    EXPECT_FALSE(OpenMidiDevicesChoice().has_value());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No devices selected. Sorry, Ventaro can't work.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(MidiDevicesDialogLogic, TheCheckboxChangesTheDeviceStateAtOnce) {
    EXPECT_TRUE(ClickEnableMidiInput());
    EXPECT_EQ(g_midiDevices.inputEnabled, 1);
    EXPECT_EQ(g_midiDialog.checkbox, 1);
    EXPECT_EQ(g_midiDialog.inputListEnabled, 1);
    EXPECT_FALSE(ClickEnableMidiInput());
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.inputListEnabled, 0);
}

TEST_F(MidiDevicesDialogLogic, OkOpensTheChosenDevicesStoresTheChoiceAndCloses) {
    ClickEnableMidiInput();
    EXPECT_TRUE(ConfirmMidiDevicesChoice(1, 0));
    EXPECT_EQ(midi.openOutput, 0);
    EXPECT_EQ(midi.openInput, 1);
    EXPECT_TRUE(midi.thru);
    ASSERT_NE(store.Get(kSettingsKey, "MIDIDevices"), nullptr);
    EXPECT_EQ(*store.Get(kSettingsKey, "MIDIDevices"), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(g_midiInputStatusText, "In: In B");
    EXPECT_EQ(g_midiOutputStatusText, "Out: Out A");
    EXPECT_EQ(g_midiDialog.rememberedInputEnabled, 1);
    EXPECT_EQ(g_midiDialog.rememberedCheckbox, 1);
}

TEST_F(MidiDevicesDialogLogic, OkWithoutSelectionOpensTheFirstDevice) {
    EXPECT_TRUE(ConfirmMidiDevicesChoice(-1, -1));
    EXPECT_EQ(midi.openOutput, 0);
    EXPECT_EQ(*store.Get(kSettingsKey, "MIDIDevices"),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(MidiDevicesDialogLogic, AFailedOpenOrStoreKeepsTheDialogOpen) {
    midi.failOpenOutput[1] = 4;
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 1));
    EXPECT_EQ(store.Get(kSettingsKey, "MIDIDevices"), nullptr);
    store.failCreate = true;
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_TRUE(midi.outputOpen); // the devices stay open
    store.failCreate = false;
    store.failWriteOf.insert("MIDIDevices");
    EXPECT_FALSE(ConfirmMidiDevicesChoice(0, 0));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"MIDI OUTPUT ERROR:\r\nerror 4",
                                        "Error while creating/opening the registry entry!",
                                        "Error while writing on the registry!"}));
}

TEST_F(MidiDevicesDialogLogic, TogglingTwiceThenCancelLeavesInputAsBefore) {
    ConfirmOnce(0, 0);
    ClickEnableMidiInput();
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.checkbox, 0);
    EXPECT_TRUE(ui.quitCodes.empty());
}

TEST_F(MidiDevicesDialogLogic, CancelWithNoOutputEverOpenedEndsTheProgram) {
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"No devices selected. Sorry, Ventaro can't work."}));
    EXPECT_EQ(ui.quitCodes, (std::vector<int>{0}));
}

TEST_F(MidiDevicesDialogLogic, CancelWithTheInputClosedTurnsInputOffAndShowsInNone) {
    ConfirmOnce(0, 0);
    // The stored choice had input enabled, but the input never opened in this run.
    g_midiDialog.rememberedInputEnabled = 1;
    g_midiDialog.rememberedCheckbox = 1;
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, -1);
    EXPECT_EQ(g_midiDialog.rememberedInputEnabled, -1);
    EXPECT_EQ(g_midiDialog.checkbox, 0);
    EXPECT_EQ(g_midiDialog.rememberedCheckbox, 0);
    EXPECT_EQ(g_midiInputStatusText, "In: none");
    EXPECT_TRUE(ui.quitCodes.empty());
}

TEST_F(MidiDevicesDialogLogic, CancelWithTheInputOpenKeepsItEnabled) {
    ClickEnableMidiInput();
    ConfirmOnce(1, 0);
    ClickEnableMidiInput();
    CancelMidiDevicesChoice();
    EXPECT_EQ(g_midiDevices.inputEnabled, 1);
    EXPECT_EQ(g_midiDialog.checkbox, 1);
    EXPECT_TRUE(midi.inputOpen);
}
