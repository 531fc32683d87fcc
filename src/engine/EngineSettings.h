#pragma once
// The sound engine settings, the environment additional files and the audio devices: their
// records in the settings store, their defaults, their live and committed copies, and their
// readers and writers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/SettingsRecords.h"
#include "base/SettingsStore.h"

inline constexpr std::size_t kFlagsPresetCount = 15;
inline constexpr std::size_t kFlagsWidth = 500;
inline constexpr std::size_t kSoundEngineRecordSize = 8040;
inline constexpr std::size_t kEnvironmentFilesRecordSize = 784;
inline constexpr std::size_t kAudioDevicesRecordSize = 8;

using FlagsText = std::array<char, kFlagsWidth>;

// Toggles are +1 (on) and -1 (off), flipped by negation.
struct SoundEngineRecord {
    std::array<char, kPathWidth> programName{};
    std::int32_t flagsPreset = 0;
    std::int32_t useEmbedded = -1;
    std::array<FlagsText, kFlagsPresetCount> flagsPresets{};
    std::array<char, kPathWidth> scriptEditor{};
    std::int32_t viewWindow = 1;
    std::int32_t closeOnExit = 1;
    std::int32_t forceTermination = -1;
    bool operator==(const SoundEngineRecord&) const = default;
};

struct EnvironmentFilesRecord {
    std::array<char, kPathWidth> script1{};
    std::array<char, kPathWidth> script2{};
    std::array<char, kPathWidth> audioFile{};
    std::int32_t audioFormat = 15;
    bool operator==(const EnvironmentFilesRecord&) const = default;
};

struct AudioDevicesRecord {
    std::int32_t input = 0;  // wave input device index, -1 when none was selected
    std::int32_t output = 0; // wave output device index, -1 when none was selected
    bool operator==(const AudioDevicesRecord&) const = default;
};

extern SoundEngineRecord g_soundEngine;
extern SoundEngineRecord g_soundEngineCommitted;
extern EnvironmentFilesRecord g_environmentFiles;
extern EnvironmentFilesRecord g_environmentFilesCommitted;
extern AudioDevicesRecord g_audioDevices;

// The start values; the embedded engine is on by default exactly when the engine library loaded.
SoundEngineRecord DefaultSoundEngine(bool engineLibraryLoaded);
EnvironmentFilesRecord DefaultEnvironmentFiles();
// Sets every group (both copies) to its start values; run once the engine library is known.
void SetEngineSettingsDefaults();

Bytes EncodeSoundEngine(const SoundEngineRecord& record);
Bytes EncodeEnvironmentFiles(const EnvironmentFilesRecord& record);
Bytes EncodeAudioDevices(const AudioDevicesRecord& record);
// Take a stored value of exactly the record's size over `defaults` with the load rules: the
// embedded toggle only with the engine library loaded, view and close off only for exactly -1,
// force on only for exactly +1; an index out of its range keeps the default.
std::optional<SoundEngineRecord>
DecodeSoundEngine(const Bytes& bytes, const SoundEngineRecord& defaults, bool engineLibraryLoaded);
std::optional<EnvironmentFilesRecord>
DecodeEnvironmentFiles(const Bytes& bytes, const EnvironmentFilesRecord& defaults);
std::optional<AudioDevicesRecord> DecodeAudioDevices(const Bytes& bytes);

// Start-up readers: each takes a stored value into the live and committed copies; a missing,
// smaller or larger value leaves the defaults.
void ReadSoundEngineSettings();
void ReadEnvironmentFiles();
void ReadAudioDevices();

// Writers of the confirmed dialogs, from the live values; false after a reported failure
// ("Error while creating/opening the registry entry!" or "Error while writing on the registry!").
bool SaveSoundEngineSettings();
bool SaveEnvironmentFiles();
bool SaveAudioDevices();

// Derived states.
bool EmbeddedEngineInUse();
bool EngineWindowShown();
bool CloseEngineOnExit();
bool ForceEngineTermination();
// The text of the selected flags preset.
std::string_view SelectedFlagsPreset();
