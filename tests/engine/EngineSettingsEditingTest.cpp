#include <gtest/gtest.h>

#include <string>

#include "base/ByteCodec.h"
#include "base/SettingsKeys.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "engine/EngineSettingsEditing.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"
#include "resources/Strings.h"

namespace {

const char* const kForceWarning =
    "Warning: forcing the engine termination may produce system crash down.\r\nContinue anyway?";

class NamedLibrary : public EngineLibrary {
public:
    std::string String(int) override { return "engine"; }
    std::optional<Bytes> Resource(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

class EngineDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        g_settingsStore = &store;
        g_ui = &ui;
        g_engineLibrary = nullptr;
        SetEngineSettingsDefaults();
    }
    void TearDown() override {
        g_settingsStore = nullptr;
        g_ui = nullptr;
        g_engineLibrary = nullptr;
    }
    FakeSettingsStore store;
    FakeUi ui;
    NamedLibrary library;
};

} // namespace

TEST_F(EngineDialogs, WithoutTheLibraryTheEmbeddedBoxIsDisabledAndHasNoEffect) {
    SoundEngineControls controls = SoundEngineControlStates();
    EXPECT_FALSE(controls.embeddedEnabled);
    EXPECT_TRUE(controls.programNameEnabled);
    ToggleEmbeddedEngine();
    EXPECT_EQ(g_soundEngine.useEmbedded, -1);

    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    controls = SoundEngineControlStates();
    EXPECT_TRUE(controls.embeddedEnabled);
    EXPECT_TRUE(controls.embeddedChecked);
    EXPECT_FALSE(controls.programNameEnabled);
    ToggleEmbeddedEngine();
    EXPECT_TRUE(SoundEngineControlStates().programNameEnabled);
}

TEST_F(EngineDialogs, ForceTerminationAsksBeforeTurningOn) {
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(ToggleForceTermination());
    EXPECT_FALSE(ForceEngineTermination());
    EXPECT_TRUE(ToggleForceTermination());
    EXPECT_TRUE(ForceEngineTermination());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, kForceWarning);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(ToggleForceTermination()); // off at once, without a question
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(ForceEngineTermination());
}

TEST_F(EngineDialogs, CancelRestoresEveryToggle) {
    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    ui.answers = {MessageAnswer::Yes};
    ToggleEmbeddedEngine();
    ToggleViewEngineWindow();
    ToggleCloseEngineOnExit();
    ToggleForceTermination();
    SelectFlagsPreset(2);
    EXPECT_EQ(SoundEngineControlStates().viewChecked, false);
    CancelSoundEngine();
    EXPECT_EQ(g_soundEngine, DefaultSoundEngine(true));
}

TEST_F(EngineDialogs, TypedFlagsGoIntoTheSelectedPresetSlot) {
    SelectFlagsPreset(5);
    EditFlagsText("-odac -d -W");
    EXPECT_TRUE(ConfirmSoundEngine("csound6", "kate"));
    EXPECT_EQ(g_soundEngine.flagsPreset, 5);
    EXPECT_EQ(FlagsPresetText(5), "-odac -d -W");
    EXPECT_EQ(FlagsPresetText(6), " ");
    EXPECT_EQ(g_soundEngineCommitted, g_soundEngine);
    EXPECT_EQ(TextOf(g_soundEngine.programName), "csound6");
    EXPECT_EQ(*store.Get(kSettingsKey, kValueSoundEngine), EncodeSoundEngine(g_soundEngine));

    SelectFlagsPreset(15); // no such preset: the selection stays
    EditFlagsText(std::string(600, 'x'));
    EXPECT_EQ(g_soundEngine.flagsPreset, 5);
    EXPECT_EQ(FlagsPresetText(5), std::string(499, 'x'));
    EXPECT_EQ(FlagsPresetText(-1), "");
}

TEST_F(EngineDialogs, AFailedSaveKeepsTheValuesCommitted) {
    store.failCreate = true;
    EXPECT_FALSE(ConfirmSoundEngine("my-csound", "xdg-open"));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Error while creating/opening the registry entry!"});
    CancelSoundEngine();
    EXPECT_EQ(TextOf(g_soundEngine.programName), "my-csound");

    EXPECT_FALSE(ConfirmEnvironmentFiles("a.csd", "", "out.wav", 3));
    EXPECT_EQ(ui.messages.size(), 2u);
    CancelEnvironmentFiles();
    EXPECT_EQ(TextOf(g_environmentFiles.script1), "a.csd");
    EXPECT_EQ(g_environmentFiles.audioFormat, 3);
}

TEST_F(EngineDialogs, EnvironmentFilesOkStoresAndCancelRestores) {
    EXPECT_TRUE(ConfirmEnvironmentFiles("a.orc", "b.sco", "c.wav", 7));
    EnvironmentFilesRecord expected;
    SetText(expected.script1, "a.orc");
    SetText(expected.script2, "b.sco");
    SetText(expected.audioFile, "c.wav");
    expected.audioFormat = 7;
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEnvironmentFiles), EncodeEnvironmentFiles(expected));
    SetText(g_environmentFiles.script1, "typed but cancelled");
    CancelEnvironmentFiles();
    EXPECT_EQ(g_environmentFiles, expected);
}

// Cut to its 260-byte field, a path would name another program or file (140 "é" are 280 bytes,
// which a field of 259 characters takes).
TEST_F(EngineDialogs, APathLongerThanItsFieldIsRefusedAndNothingChanges) {
    const std::string tooLong(kPathWidth, 'a');
    const SoundEngineRecord engine = g_soundEngine;
    EXPECT_FALSE(ConfirmSoundEngine(tooLong, "kate"));
    EXPECT_FALSE(ConfirmSoundEngine("csound", tooLong));
    const EnvironmentFilesRecord files = g_environmentFiles;
    EXPECT_FALSE(ConfirmEnvironmentFiles("a.orc", "b.sco", tooLong, 7));
    EXPECT_FALSE(ConfirmEnvironmentFiles("a.orc", tooLong, "c.wav", 7));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>(4, Str(kStrPathTooLong)));
    EXPECT_EQ(g_soundEngine, engine);
    EXPECT_EQ(g_soundEngineCommitted, engine);
    EXPECT_EQ(g_environmentFiles, files);
    EXPECT_EQ(g_environmentFilesCommitted, files);
    EXPECT_EQ(store.writes, 0);
    EXPECT_TRUE(ConfirmSoundEngine(std::string(kPathWidth - 1, 'p'), "kate")); // the longest
}

TEST_F(EngineDialogs, AudioDeviceListsNumberTheDevicesAndSelectTheStoredOnes) {
    g_audioDevices = {1, 5};
    AudioDeviceLists lists = BuildAudioDeviceLists({"Mic", "Line in"}, {"Speakers"});
    EXPECT_EQ(lists.input.entries, (std::vector<std::string>{"0 - Mic", "1 - Line in"}));
    EXPECT_TRUE(lists.input.enabled);
    EXPECT_EQ(lists.input.selected, 1);
    EXPECT_EQ(lists.output.entries, std::vector<std::string>{"0 - Speakers"});
    EXPECT_EQ(lists.output.selected, -1); // the stored device is gone

    // With no input device the output devices are still listed.
    lists = BuildAudioDeviceLists({}, {"Speakers", "HDMI"});
    EXPECT_FALSE(lists.input.enabled);
    EXPECT_TRUE(lists.output.enabled);
    EXPECT_EQ(lists.output.entries.size(), 2u);
    lists = BuildAudioDeviceLists({"Mic"}, {});
    EXPECT_FALSE(lists.output.enabled);

    EXPECT_TRUE(ConfirmAudioDevices(0, -1));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueAudioDevices),
              (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}
