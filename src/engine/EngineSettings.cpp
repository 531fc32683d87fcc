#include "engine/EngineSettings.h"

#include "base/ByteCodec.h"
#include "base/SettingsKeys.h"
#include "base/Ui.h"
#include "engine/AudioFormats.h"
#include "engine/EngineLibrary.h"
#include "resources/Strings.h"

// The start values without the engine library, until SetEngineSettingsDefaults knows of it.
SoundEngineRecord g_soundEngine = DefaultSoundEngine(false);
SoundEngineRecord g_soundEngineCommitted = g_soundEngine;
EnvironmentFilesRecord g_environmentFiles = DefaultEnvironmentFiles();
EnvironmentFilesRecord g_environmentFilesCommitted = g_environmentFiles;
AudioDevicesRecord g_audioDevices;

namespace {

constexpr int kPlatformPresetCount = 4;

template <std::size_t N> void GetField(ByteReader& r, std::array<char, N>& field) {
    SetText(field, r.GetText(N)); // a field without a terminator is cut to leave room for one
}

// Creates the settings key and writes one value; false after the failure was reported.
bool WriteSetting(const char* name, const Bytes& bytes) {
    SettingsStore* store = g_settingsStore;
    if (!store || !store->CreateKey(kSettingsKey)) {
        ShowWarning(Str(kStrRegistryCreateError));
        return false;
    }
    if (!store->WriteValue(kSettingsKey, name, bytes)) {
        ShowWarning(Str(kStrRegistryWriteError));
        return false;
    }
    return true;
}

std::optional<Bytes> ReadSetting(const char* name, std::size_t size) {
    SettingsStore* store = g_settingsStore;
    if (!store || !store->KeyExists(kSettingsKey)) {
        return std::nullopt;
    }
    return ReadRecord(*store, kSettingsKey, name, size);
}

} // namespace

SoundEngineRecord DefaultSoundEngine(bool engineLibraryLoaded) {
    SoundEngineRecord record;
    SetText(record.programName, Str(kStrDefaultEngineProgram));
    record.flagsPreset = 0;
    record.useEmbedded = engineLibraryLoaded ? 1 : -1;
    for (std::size_t i = 0; i < kFlagsPresetCount; ++i) {
        const int text =
            i < kPlatformPresetCount ? kStrFlagsPresetAlsa + static_cast<int>(i) : kStrBlank;
        SetText(record.flagsPresets[i], Str(text));
    }
    SetText(record.scriptEditor, Str(kStrDefaultScriptEditor));
    record.viewWindow = 1;
    record.closeOnExit = 1;
    record.forceTermination = -1;
    return record;
}

EnvironmentFilesRecord DefaultEnvironmentFiles() {
    EnvironmentFilesRecord record;
    SetText(record.script1, Str(kStrDefaultScript1));
    SetText(record.script2, Str(kStrDefaultScript2));
    SetText(record.audioFile, Str(kStrDefaultAudioFile));
    record.audioFormat = kDefaultAudioFormat;
    return record;
}

void SetEngineSettingsDefaults() {
    g_soundEngine = g_soundEngineCommitted = DefaultSoundEngine(EngineLibraryLoaded());
    g_environmentFiles = g_environmentFilesCommitted = DefaultEnvironmentFiles();
    g_audioDevices = AudioDevicesRecord{};
}

Bytes EncodeSoundEngine(const SoundEngineRecord& record) {
    Bytes bytes(kSoundEngineRecordSize);
    ByteWriter w(bytes);
    w.PutText(TextOf(record.programName), kPathWidth);
    w.PutI32(record.flagsPreset);
    w.PutI32(record.useEmbedded);
    for (const FlagsText& preset : record.flagsPresets) {
        w.PutText(TextOf(preset), kFlagsWidth);
    }
    w.PutText(TextOf(record.scriptEditor), kPathWidth);
    w.PutI32(record.viewWindow);
    w.PutI32(record.closeOnExit);
    w.PutI32(record.forceTermination);
    return bytes;
}

std::optional<SoundEngineRecord>
DecodeSoundEngine(const Bytes& bytes, const SoundEngineRecord& defaults, bool engineLibraryLoaded) {
    if (bytes.size() != kSoundEngineRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    SoundEngineRecord record = defaults;
    GetField(r, record.programName);
    const std::int32_t preset = r.GetI32();
    if (preset >= 0 && preset < static_cast<std::int32_t>(kFlagsPresetCount)) {
        record.flagsPreset = preset; // any other index would select past the presets
    }
    const std::int32_t embedded = r.GetI32();
    if (engineLibraryLoaded) {
        record.useEmbedded = embedded > 0 ? 1 : -1;
    }
    for (FlagsText& text : record.flagsPresets) {
        GetField(r, text);
    }
    GetField(r, record.scriptEditor);
    // Only the one value that switches a state away from its default is taken.
    if (r.GetI32() == -1) {
        record.viewWindow = -1;
    }
    if (r.GetI32() == -1) {
        record.closeOnExit = -1;
    }
    if (r.GetI32() == 1) {
        record.forceTermination = 1;
    }
    return record;
}

Bytes EncodeEnvironmentFiles(const EnvironmentFilesRecord& record) {
    Bytes bytes(kEnvironmentFilesRecordSize);
    ByteWriter w(bytes);
    w.PutText(TextOf(record.script1), kPathWidth);
    w.PutText(TextOf(record.script2), kPathWidth);
    w.PutText(TextOf(record.audioFile), kPathWidth);
    w.PutI32(record.audioFormat);
    return bytes;
}

std::optional<EnvironmentFilesRecord>
DecodeEnvironmentFiles(const Bytes& bytes, const EnvironmentFilesRecord& defaults) {
    if (bytes.size() != kEnvironmentFilesRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    EnvironmentFilesRecord record = defaults;
    GetField(r, record.script1);
    GetField(r, record.script2);
    GetField(r, record.audioFile);
    const std::int32_t format = r.GetI32();
    if (IsAudioFormatIndex(format)) {
        record.audioFormat = format;
    }
    return record;
}

Bytes EncodeAudioDevices(const AudioDevicesRecord& record) {
    Bytes bytes(kAudioDevicesRecordSize);
    ByteWriter w(bytes);
    w.PutI32(record.input);
    w.PutI32(record.output);
    return bytes;
}

std::optional<AudioDevicesRecord> DecodeAudioDevices(const Bytes& bytes) {
    if (bytes.size() != kAudioDevicesRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    AudioDevicesRecord record;
    record.input = r.GetI32();
    record.output = r.GetI32();
    return record;
}

void ReadSoundEngineSettings() {
    const auto bytes = ReadSetting(kValueSoundEngine, kSoundEngineRecordSize);
    if (!bytes) {
        return;
    }
    if (auto record = DecodeSoundEngine(*bytes, g_soundEngine, EngineLibraryLoaded())) {
        g_soundEngine = g_soundEngineCommitted = *record;
    }
}

void ReadEnvironmentFiles() {
    const auto bytes = ReadSetting(kValueEnvironmentFiles, kEnvironmentFilesRecordSize);
    if (!bytes) {
        return;
    }
    if (auto record = DecodeEnvironmentFiles(*bytes, g_environmentFiles)) {
        g_environmentFiles = g_environmentFilesCommitted = *record;
    }
}

void ReadAudioDevices() {
    const auto bytes = ReadSetting(kValueAudioDevices, kAudioDevicesRecordSize);
    if (!bytes) {
        return;
    }
    if (auto record = DecodeAudioDevices(*bytes)) {
        g_audioDevices = *record;
    }
}

bool SaveSoundEngineSettings() {
    return WriteSetting(kValueSoundEngine, EncodeSoundEngine(g_soundEngine));
}

bool SaveEnvironmentFiles() {
    // A key that cannot be created is reported here as for the other two records, not lost.
    return WriteSetting(kValueEnvironmentFiles, EncodeEnvironmentFiles(g_environmentFiles));
}

bool SaveAudioDevices() {
    return WriteSetting(kValueAudioDevices, EncodeAudioDevices(g_audioDevices));
}

bool EmbeddedEngineInUse() {
    return EngineLibraryLoaded() && g_soundEngine.useEmbedded > 0;
}

bool EngineWindowShown() {
    return g_soundEngine.viewWindow > 0;
}

bool CloseEngineOnExit() {
    return g_soundEngine.closeOnExit > 0;
}

bool ForceEngineTermination() {
    return g_soundEngine.forceTermination > 0;
}

std::string_view SelectedFlagsPreset() {
    const std::int32_t preset = g_soundEngine.flagsPreset;
    if (preset < 0 || preset >= static_cast<std::int32_t>(kFlagsPresetCount)) {
        return {};
    }
    return TextOf(g_soundEngine.flagsPresets[static_cast<std::size_t>(preset)]);
}
