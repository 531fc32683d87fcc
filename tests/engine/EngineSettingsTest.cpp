#include <functional>
#include <tuple>

#include "base/ByteCodec.h"
#include "base/SettingsKeys.h"
#include "engine/AudioFormats.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "engine/EngineSettingsEditing.h"
#include "fakes/CoreServices.h"
#include "fakes/ExpectedBytes.h"
#include "resources/Strings.h"

namespace {

const char* const kAlsa = "-odac -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0";
const char* const kJack = "-odac -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0";

// The stored "SoundEngine" value of a first start without the engine library, laid out by hand.
ExpectedBytes DefaultSoundEngineBytes() {
    ExpectedBytes e(8040);
    e.Text(0, "csound");
    e.I32(264, -1);
    const char* presets[] = {
        kAlsa, kJack, "-odac -iadc -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0",
        "-odac -iadc -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0"};
    for (std::size_t i = 0; i < 15; ++i) {
        e.Text(268 + 500 * i, i < 4 ? presets[i] : " ");
    }
    e.Text(7768, "xdg-open");
    e.I32(8028, 1);
    e.I32(8032, 1);
    e.I32(8036, -1);
    return e;
}

class FakeEngineLibrary : public EngineLibrary {
public:
    std::string String(int id) override { return id == 1 ? "Embedded Csound 6" : ""; }
    std::optional<Bytes> Resource(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

class EngineSettings : public CoreServices {
protected:
    void TearDown() override {
        g_engineLibrary = nullptr;
        CoreServices::TearDown();
    }
    // Stores a "SoundEngine" value, the defaults with the given changes, and reads it.
    void ReadStored(const std::function<void(ExpectedBytes&)>& change) {
        ExpectedBytes e = DefaultSoundEngineBytes();
        change(e);
        store.Put(kSettingsKey, kValueSoundEngine, e.bytes);
        ReadSoundEngineSettings();
    }
    FakeEngineLibrary library;
};

} // namespace

TEST_F(EngineSettings, TheDefaultRecordsAreSavedWithTheirGoldenBytes) {
    g_audioDevices = {2, -1};
    EXPECT_TRUE(SaveSoundEngineSettings() && SaveEnvironmentFiles() && SaveAudioDevices());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueSoundEngine), DefaultSoundEngineBytes().bytes);
    ExpectedBytes environment(784);
    environment.Text(0, "test.orc");
    environment.Text(260, "test.sco");
    environment.Text(520, "test.wav");
    environment.I32(780, 15);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEnvironmentFiles), environment.bytes);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueAudioDevices),
              (Bytes{2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    ReadAudioDevices();
    EXPECT_EQ(g_audioDevices, (AudioDevicesRecord{2, -1}));
}

TEST_F(EngineSettings, ViewAndCloseGoOffOnlyForMinusOneAndForceOnOnlyForPlusOne) {
    for (std::int32_t stored : {1, 0, 2, -2, -1}) {
        SetEngineSettingsDefaults();
        ReadStored([stored](ExpectedBytes& e) {
            for (std::size_t at = 8028; at <= 8036; at += 4) {
                e.I32(at, stored);
            }
        });
        EXPECT_EQ(EngineWindowShown(), stored != -1) << stored;
        EXPECT_EQ(CloseEngineOnExit(), stored != -1) << stored;
        EXPECT_EQ(ForceEngineTermination(), stored == 1) << stored;
        EXPECT_EQ(g_soundEngineCommitted, g_soundEngine);
    }
}

TEST_F(EngineSettings, TheEmbeddedEngineIsOnByDefaultAndFollowsTheStoreOnlyWithTheLibrary) {
    ReadStored([](ExpectedBytes& e) { e.I32(264, 1); });
    EXPECT_FALSE(EmbeddedEngineInUse());
    EXPECT_FALSE(SoundEngineControlStates().embeddedEnabled);
    ToggleEmbeddedEngine();
    EXPECT_EQ(g_soundEngine.useEmbedded, -1);

    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    EXPECT_TRUE(EmbeddedEngineInUse());
    EXPECT_EQ(EngineLibraryText(), "Embedded Csound 6");
    EXPECT_FALSE(SoundEngineControlStates().programNameEnabled);
    ReadStored([](ExpectedBytes& e) { e.I32(264, -1); });
    EXPECT_TRUE(SoundEngineControlStates().programNameEnabled);
    ToggleEmbeddedEngine();
    EXPECT_TRUE(EmbeddedEngineInUse());
}

TEST_F(EngineSettings, TakesTheTextsCutToTheirFieldsAndKeepsAnUnusablePresetIndexAtItsDefault) {
    ReadStored([](ExpectedBytes& e) {
        e.Text(0, std::string(260, 'p')); // no terminator
        e.I32(260, 3);
        e.Text(268 + 500 * 3, std::string(500, 'f'));
        e.Text(7768, std::string_view("gedit", 6)); // with its terminator
    });
    EXPECT_EQ(TextOf(g_soundEngine.programName), std::string(259, 'p'));
    EXPECT_EQ(SelectedFlagsPreset(), std::string(499, 'f'));
    EXPECT_EQ(TextOf(g_soundEngine.flagsPresets[1]), kJack);
    EXPECT_EQ(TextOf(g_soundEngine.scriptEditor), "gedit");
    for (std::int32_t index : {15, -1, 1000000}) {
        SetEngineSettingsDefaults();
        ReadStored([index](ExpectedBytes& e) { e.I32(260, index); });
        EXPECT_EQ(g_soundEngine.flagsPreset, 0) << index;
    }
}

TEST_F(EngineSettings, AMissingOrMisSizedValueKeepsTheDefaultsAndAnUnknownFormatIsNotTaken) {
    ReadSoundEngineSettings(); // nothing stored yet
    ReadEnvironmentFiles();
    ReadAudioDevices();
    for (std::size_t size : {8039u, 8041u}) {
        store.Put(kSettingsKey, kValueSoundEngine, Bytes(size, 0));
        ReadSoundEngineSettings();
    }
    store.Put(kSettingsKey, kValueEnvironmentFiles, Bytes(785, 0));
    store.Put(kSettingsKey, kValueAudioDevices, Bytes(4, 0));
    ReadEnvironmentFiles();
    ReadAudioDevices();
    EXPECT_EQ(g_soundEngine, DefaultSoundEngine(false));
    EXPECT_EQ(g_environmentFiles, DefaultEnvironmentFiles());
    EXPECT_EQ(g_audioDevices, AudioDevicesRecord{});

    EnvironmentFilesRecord stored;
    SetText(stored.script1, "piece.csd");
    stored.audioFormat = 4;
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(stored));
    ReadEnvironmentFiles();
    EXPECT_EQ(g_environmentFilesCommitted, stored);
    stored.audioFormat = 16; // no such format: the current one stays
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(stored));
    ReadEnvironmentFiles();
    EXPECT_EQ(g_environmentFiles.audioFormat, 4);
}

TEST_F(EngineSettings, EveryRecordReportsAKeyThatCannotBeCreatedOrAFailedWrite) {
    store.failCreate = true;
    EXPECT_FALSE(SaveSoundEngineSettings() || SaveEnvironmentFiles() || SaveAudioDevices());
    store.failCreate = false;
    store.failWriteOf = {kValueSoundEngine, kValueEnvironmentFiles, kValueAudioDevices};
    EXPECT_FALSE(SaveSoundEngineSettings() || SaveEnvironmentFiles() || SaveAudioDevices());
    const std::string create = Str(kStrRegistryCreateError), write = Str(kStrRegistryWriteError);
    EXPECT_EQ(ui.MessageTexts(), (Texts{create, create, create, write, write, write}));
    EXPECT_TRUE(store.values.empty());
}

TEST_F(EngineSettings, ForceTerminationAsksBeforeTurningOnAndCancelRestoresEveryToggle) {
    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(ToggleForceTermination());
    EXPECT_TRUE(ToggleForceTermination());
    EXPECT_TRUE(SoundEngineControlStates().forceChecked);
    EXPECT_FALSE(ToggleForceTermination()); // off at once, without a question
    EXPECT_EQ(ui.MessageTexts(), Texts(2, Str(kStrForceTerminationWarning)));
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);

    ui.answers = {MessageAnswer::Yes};
    ToggleForceTermination();
    ToggleEmbeddedEngine();
    ToggleViewEngineWindow();
    ToggleCloseEngineOnExit();
    SelectFlagsPreset(2);
    EXPECT_FALSE(SoundEngineControlStates().viewChecked);
    CancelSoundEngine();
    EXPECT_EQ(g_soundEngine, DefaultSoundEngine(true));
}

TEST_F(EngineSettings, TypedFlagsGoIntoTheSelectedPresetAndOkKeepsTheValuesAfterAFailedSave) {
    SelectFlagsPreset(5);
    EditFlagsText("-odac -d -W");
    EXPECT_TRUE(ConfirmSoundEngine("csound6", "kate"));
    EXPECT_EQ(FlagsPresetText(5), "-odac -d -W");
    EXPECT_EQ(FlagsPresetText(6), " ");
    EXPECT_EQ(*store.Get(kSettingsKey, kValueSoundEngine), EncodeSoundEngine(g_soundEngine));
    SelectFlagsPreset(15); // no such preset: the selection stays
    EditFlagsText(std::string(600, 'x'));
    EXPECT_EQ(g_soundEngine.flagsPreset, 5);
    EXPECT_EQ(FlagsPresetText(5), std::string(499, 'x'));
    EXPECT_EQ(FlagsPresetText(-1), "");

    // The values stay in use for this session after a save that failed and was reported.
    store.failCreate = true;
    EXPECT_FALSE(ConfirmSoundEngine("my-csound", "xdg-open"));
    CancelSoundEngine();
    EXPECT_EQ(TextOf(g_soundEngine.programName), "my-csound");
}

// Cut to leave room for the terminator, such a path would name another program or file.
TEST_F(EngineSettings, APathThatFillsItsFieldIsRefusedAndTheLongestThatFitsIsStored) {
    const std::string full(260, 'p');
    EXPECT_FALSE(ConfirmSoundEngine(full, "kate"));
    EXPECT_FALSE(ConfirmSoundEngine("csound", full));
    EXPECT_FALSE(ConfirmEnvironmentFiles(full, "b.sco", "c.wav", 7));
    EXPECT_FALSE(ConfirmEnvironmentFiles("a.orc", full, "c.wav", 7));
    EXPECT_FALSE(ConfirmEnvironmentFiles("a.orc", "b.sco", full, 7));
    EXPECT_EQ(ui.MessageTexts(), Texts(5, Str(kStrPathTooLong)));
    EXPECT_EQ(g_soundEngineCommitted, DefaultSoundEngine(false));
    EXPECT_EQ(g_environmentFilesCommitted, DefaultEnvironmentFiles());
    EXPECT_EQ(store.writes, 0);

    // The longest paths that fit go in and are stored; Cancel takes back what was typed since.
    EXPECT_TRUE(ConfirmSoundEngine(std::string(259, 'p'), "kate"));
    EXPECT_TRUE(ConfirmEnvironmentFiles("a.orc", "b.sco", std::string(259, 'w'), 7));
    SetText(g_environmentFiles.script1, "typed but cancelled");
    CancelEnvironmentFiles();
    const AdditionalFiles confirmed = EnvironmentFilesToEdit();
    EXPECT_EQ(confirmed.script1 + " " + confirmed.script2, "a.orc b.sco");
    EXPECT_EQ(confirmed.audioFile, std::string(259, 'w'));
    EXPECT_EQ(confirmed.audioFormat, 7);
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEnvironmentFiles),
              EncodeEnvironmentFiles(g_environmentFiles));
}

TEST_F(EngineSettings, AudioDeviceListsSelectNoGoneDeviceAndListOutputsWithoutInputs) {
    g_audioDevices = {1, 5};
    const AudioDeviceLists lists = BuildAudioDeviceLists({}, {"Speakers"});
    EXPECT_EQ(std::tuple(lists.input.enabled, lists.output.enabled, lists.output.entries,
                         lists.output.selected),
              std::tuple(false, true, std::vector<std::string>{"0 - Speakers"}, -1));
}

TEST(AudioFormats, ListTheSixteenFormatsInIndexOrder) {
    EXPECT_EQ(AudioFormatText(5) + AudioFormatText(10) + AudioFormatText(16),
              "11.025 Hz; 8 bits; Stereo22.050 Hz; 16 bits; Mono");
    EXPECT_EQ(AudioFormatText(15), "44.100 Hz; 16 bits; Stereo");
    const AudioFormat f = AudioFormatOf(6);
    EXPECT_EQ(std::tuple(f.rate, f.bits, f.channels), std::tuple(11025, 16, 1));
    EXPECT_EQ(AudioFormatOf(-1).rate, 44100);
}
