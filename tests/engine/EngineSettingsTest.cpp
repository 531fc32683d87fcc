#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/ByteCodec.h"
#include "base/Preferences.h"
#include "base/SettingsKeys.h"
#include "engine/AudioFormats.h"
#include "engine/EngineLibrary.h"
#include "engine/EngineSettings.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUi.h"

namespace {

const char* const kAlsa = "-odac -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0";
const char* const kJack = "-odac -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0";
const char* const kAlsaDuplex = "-odac -iadc -+rtaudio=alsa -+rtmidi=alsaseq -MVentaro.2 -b880 -m0";
const char* const kJackDuplex =
    "-odac -iadc -+rtaudio=jack -+rtmidi=jack -MVentaro.2:Ventaro.2 -b880 -m0";

void PutText(Bytes& bytes, std::size_t offset, const std::string& text) {
    std::memcpy(bytes.data() + offset, text.c_str(), text.size() + 1); // with its terminator
}
void PutI32(Bytes& bytes, std::size_t offset, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
    }
}

// The stored "SoundEngine" value of a first start without the engine library, laid out by hand.
Bytes DefaultSoundEngineBytes() {
    Bytes bytes(8040, 0);
    PutText(bytes, 0, "csound");
    PutI32(bytes, 260, 0);
    PutI32(bytes, 264, -1);
    const char* presets[] = {kAlsa, kJack, kAlsaDuplex, kJackDuplex};
    for (std::size_t i = 0; i < 15; ++i) {
        PutText(bytes, 268 + 500 * i, i < 4 ? presets[i] : " ");
    }
    PutText(bytes, 7768, "xdg-open");
    PutI32(bytes, 8028, 1);
    PutI32(bytes, 8032, 1);
    PutI32(bytes, 8036, -1);
    return bytes;
}

class FakeEngineLibrary : public EngineLibrary {
public:
    std::string String(int id) override { return id == 1 ? "Embedded Csound 6" : ""; }
    std::optional<Bytes> Resource(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

class EngineSettings : public ::testing::Test {
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
    // Stores a "SoundEngine" value equal to the defaults except for the three toggles.
    void StoreToggles(std::int32_t embedded, std::int32_t view, std::int32_t close,
                      std::int32_t force) {
        Bytes bytes = DefaultSoundEngineBytes();
        PutI32(bytes, 264, embedded);
        PutI32(bytes, 8028, view);
        PutI32(bytes, 8032, close);
        PutI32(bytes, 8036, force);
        store.Put(kSettingsKey, kValueSoundEngine, bytes);
    }

    FakeSettingsStore store;
    FakeUi ui;
    FakeEngineLibrary library;
};

} // namespace

TEST_F(EngineSettings, DefaultSoundEngineHasItsGoldenBytes) {
    EXPECT_EQ(EncodeSoundEngine(g_soundEngine), DefaultSoundEngineBytes());
    EXPECT_EQ(g_soundEngineCommitted, g_soundEngine);
    EXPECT_EQ(SelectedFlagsPreset(), kAlsa);
    EXPECT_FALSE(EmbeddedEngineInUse());
    EXPECT_TRUE(EngineWindowShown());
    EXPECT_TRUE(CloseEngineOnExit());
    EXPECT_FALSE(ForceEngineTermination());
}

TEST_F(EngineSettings, EnvironmentFilesAndAudioDevicesHaveTheirGoldenBytes) {
    Bytes files(784, 0);
    PutText(files, 0, "test.orc");
    PutText(files, 260, "test.sco");
    PutText(files, 520, "test.wav");
    PutI32(files, 780, 15);
    EXPECT_EQ(EncodeEnvironmentFiles(g_environmentFiles), files);

    g_audioDevices = {2, -1};
    EXPECT_EQ(EncodeAudioDevices(g_audioDevices), (Bytes{2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(DecodeAudioDevices(EncodeAudioDevices(g_audioDevices)), g_audioDevices);
}

TEST_F(EngineSettings, ViewAndCloseGoOffOnlyForMinusOneAndForceOnOnlyForPlusOne) {
    for (std::int32_t stored : {1, 0, 2, -2, -1}) {
        SetEngineSettingsDefaults();
        StoreToggles(-1, stored, stored, stored);
        ReadSoundEngineSettings();
        EXPECT_EQ(EngineWindowShown(), stored != -1) << stored;
        EXPECT_EQ(CloseEngineOnExit(), stored != -1) << stored;
        EXPECT_EQ(ForceEngineTermination(), stored == 1) << stored;
        EXPECT_EQ(g_soundEngineCommitted, g_soundEngine);
    }
}

TEST_F(EngineSettings, EmbeddedEngineIsOnByDefaultAndFollowsTheStoreOnlyWithTheLibrary) {
    StoreToggles(1, 1, 1, -1);
    ReadSoundEngineSettings();
    EXPECT_FALSE(EmbeddedEngineInUse());

    g_engineLibrary = &library;
    SetEngineSettingsDefaults();
    Bytes expected = DefaultSoundEngineBytes();
    PutI32(expected, 264, 1);
    EXPECT_EQ(EncodeSoundEngine(g_soundEngine), expected);
    EXPECT_TRUE(EmbeddedEngineInUse());
    EXPECT_EQ(EngineLibraryText(), "Embedded Csound 6");
    StoreToggles(-1, 1, 1, -1);
    ReadSoundEngineSettings();
    EXPECT_EQ(g_soundEngine.useEmbedded, -1);
    StoreToggles(1, 1, 1, -1);
    ReadSoundEngineSettings();
    EXPECT_TRUE(EmbeddedEngineInUse());
}

TEST_F(EngineSettings, TakesTheTextsAndKeepsAnUnusablePresetIndexAtItsDefault) {
    Bytes bytes = DefaultSoundEngineBytes();
    PutText(bytes, 0, "/usr/local/bin/csound");
    PutI32(bytes, 260, 3);
    PutText(bytes, 268 + 500 * 7, "-odac -d");
    PutText(bytes, 7768, "gedit");
    store.Put(kSettingsKey, kValueSoundEngine, bytes);
    ReadSoundEngineSettings();
    EXPECT_EQ(TextOf(g_soundEngine.programName), "/usr/local/bin/csound");
    EXPECT_EQ(SelectedFlagsPreset(), kJackDuplex);
    EXPECT_EQ(TextOf(g_soundEngine.flagsPresets[7]), "-odac -d");
    EXPECT_EQ(TextOf(g_soundEngine.scriptEditor), "gedit");

    for (std::int32_t index : {15, -1, 1000000}) {
        SetEngineSettingsDefaults();
        PutI32(bytes, 260, index);
        store.Put(kSettingsKey, kValueSoundEngine, bytes);
        ReadSoundEngineSettings();
        EXPECT_EQ(g_soundEngine.flagsPreset, 0) << index;
        EXPECT_EQ(TextOf(g_soundEngine.scriptEditor), "gedit");
    }
}

TEST_F(EngineSettings, AFieldWithoutTerminatorIsCutAtItsWidth) {
    Bytes bytes = DefaultSoundEngineBytes();
    std::memset(bytes.data(), 'p', 260);
    std::memset(bytes.data() + 268, 'f', 500);
    store.Put(kSettingsKey, kValueSoundEngine, bytes);
    ReadSoundEngineSettings();
    EXPECT_EQ(TextOf(g_soundEngine.programName), std::string(259, 'p'));
    EXPECT_EQ(SelectedFlagsPreset(), std::string(499, 'f'));
    EXPECT_EQ(TextOf(g_soundEngine.flagsPresets[1]), kJack);
}

TEST_F(EngineSettings, AMissingSmallerOrLargerValueKeepsTheDefaults) {
    const SoundEngineRecord defaults = g_soundEngine;
    ReadSoundEngineSettings();
    ReadEnvironmentFiles();
    ReadAudioDevices();
    for (std::size_t size : {8039u, 8041u}) {
        Bytes bytes(size, 0);
        store.Put(kSettingsKey, kValueSoundEngine, bytes);
        ReadSoundEngineSettings();
    }
    store.Put(kSettingsKey, kValueEnvironmentFiles, Bytes(785, 0));
    ReadEnvironmentFiles();
    store.Put(kSettingsKey, kValueAudioDevices, Bytes(4, 0));
    ReadAudioDevices();
    EXPECT_EQ(g_soundEngine, defaults);
    EXPECT_EQ(g_environmentFiles, DefaultEnvironmentFiles());
    EXPECT_EQ(g_audioDevices, AudioDevicesRecord{});
}

TEST_F(EngineSettings, ReadingTheEnvironmentFilesTakesBothCopies) {
    EnvironmentFilesRecord stored;
    SetText(stored.script1, "piece.csd");
    SetText(stored.script2, "");
    SetText(stored.audioFile, "take.wav");
    stored.audioFormat = 4;
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(stored));
    ReadEnvironmentFiles();
    EXPECT_EQ(g_environmentFiles, stored);
    EXPECT_EQ(g_environmentFilesCommitted, stored);

    stored.audioFormat = 16; // no such format: the current one stays
    store.Put(kSettingsKey, kValueEnvironmentFiles, EncodeEnvironmentFiles(stored));
    ReadEnvironmentFiles();
    EXPECT_EQ(g_environmentFiles.audioFormat, 4);
}

TEST_F(EngineSettings, SavesEachRecordWithItsExactBytes) {
    g_audioDevices = {1, 3};
    EXPECT_TRUE(SaveSoundEngineSettings());
    EXPECT_TRUE(SaveEnvironmentFiles());
    EXPECT_TRUE(SaveAudioDevices());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueSoundEngine), DefaultSoundEngineBytes());
    EXPECT_EQ(*store.Get(kSettingsKey, kValueEnvironmentFiles),
              EncodeEnvironmentFiles(DefaultEnvironmentFiles()));
    EXPECT_EQ(*store.Get(kSettingsKey, kValueAudioDevices), (Bytes{1, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EngineSettings, EveryRecordReportsAKeyThatCannotBeCreatedOrAFailedWrite) {
    store.failCreate = true;
    EXPECT_FALSE(SaveSoundEngineSettings() || SaveEnvironmentFiles() || SaveAudioDevices());
    store.failCreate = false;
    store.failWriteOf = {kValueSoundEngine, kValueEnvironmentFiles, kValueAudioDevices};
    EXPECT_FALSE(SaveSoundEngineSettings() || SaveEnvironmentFiles() || SaveAudioDevices());
    const std::string create = "Error while creating/opening the registry entry!";
    const std::string write = "Error while writing on the registry!";
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{create, create, create, write, write, write}));
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Warning);
    EXPECT_TRUE(store.values.empty());
}

TEST(AudioFormats, ListTheSixteenFormatsInIndexOrder) {
    EXPECT_EQ(AudioFormatText(0), "8.000 Hz; 8 bits; Mono");
    EXPECT_EQ(AudioFormatText(3), "8.000 Hz; 16 bits; Stereo");
    EXPECT_EQ(AudioFormatText(5), "11.025 Hz; 8 bits; Stereo");
    EXPECT_EQ(AudioFormatText(10), "22.050 Hz; 16 bits; Mono");
    EXPECT_EQ(AudioFormatText(15), "44.100 Hz; 16 bits; Stereo");
    EXPECT_EQ(AudioFormatText(16), "");
    EXPECT_EQ(AudioFormatOf(6).rate, 11025);
    EXPECT_EQ(AudioFormatOf(6).bits, 16);
    EXPECT_EQ(AudioFormatOf(6).channels, 1);
    EXPECT_EQ(AudioFormatOf(-1).rate, 44100);
}
