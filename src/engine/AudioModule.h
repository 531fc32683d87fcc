#pragma once
// The audio libraries (RtAudio, and through it PulseAudio, libsndfile and its codecs) live in a
// module of their own beside the program, loaded when audio is first used: linked into the
// program they would cost every start a fifth of its time to the first paint.

#include <filesystem>
#include <memory>
#include <string>

#include "base/WaveDevice.h"
#include "engine/AudioDeviceCatalog.h"

inline constexpr const char* kAudioModuleFile = "libventaro-audio.so";
// The module's factory of the wave device lists; the caller owns the catalog.
inline constexpr const char* kAudioCatalogFactory = "VentaroCreateAudioDeviceCatalog";
// The module's factory of the recorder's wave device; the caller owns the device.
inline constexpr const char* kWaveDeviceFactory = "VentaroCreateWaveDevice";

// The folder of the running program, where the module is installed.
std::filesystem::path ProgramFolder();

// The module's symbol `name`, loading the module from `folder` the first time; null with the
// loader's reason in `error` when the module or the symbol is missing. The module stays loaded.
void* AudioModuleSymbol(const std::filesystem::path& folder, const char* name, std::string& error);

// The wave device lists of the module in `folder`; without the module a catalog that lists no
// devices, after the reason went to the standard error.
std::unique_ptr<AudioDeviceCatalog>
CreateAudioDeviceCatalogFrom(const std::filesystem::path& folder);

// The wave device of the module in `folder`; null with the loader's reason in `error`.
std::unique_ptr<WaveDevice> CreateWaveDeviceFrom(const std::filesystem::path& folder,
                                                 std::string& error);
// The wave device of the module beside the running program.
std::unique_ptr<WaveDevice> CreatePlatformWaveDevice(std::string& error);
