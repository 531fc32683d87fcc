#include "engine/AudioModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <system_error>

namespace {

class EmptyAudioDeviceCatalog : public AudioDeviceCatalog {
public:
    AudioDeviceNames List() override { return {}; }
};

} // namespace

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : program.parent_path();
}

void* AudioModuleSymbol(const std::filesystem::path& folder, const char* name, std::string& error) {
    // Each folder's module is opened once and never closed: objects it made may outlive any caller.
    static std::mutex mutex;
    static std::map<std::filesystem::path, void*> modules;
    const std::lock_guard<std::mutex> lock(mutex);
    void*& module = modules[folder];
    if (!module) {
        const std::string file = (folder / kAudioModuleFile).string();
        module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* reason = dlerror();
            error = reason ? reason : file + ": cannot be loaded";
            return nullptr;
        }
    }
    void* symbol = dlsym(module, name);
    if (!symbol) {
        const char* reason = dlerror();
        error = reason ? reason : std::string(name) + ": not in the audio module";
    }
    return symbol;
}

std::unique_ptr<AudioDeviceCatalog>
CreateAudioDeviceCatalogFrom(const std::filesystem::path& folder) {
    std::string error;
    void* factory = AudioModuleSymbol(folder, kAudioCatalogFactory, error);
    if (!factory) {
        std::fprintf(stderr, "Ventaro.2: no audio devices: %s\n", error.c_str());
        return std::make_unique<EmptyAudioDeviceCatalog>();
    }
    using Factory = AudioDeviceCatalog* (*)();
    return std::unique_ptr<AudioDeviceCatalog>(reinterpret_cast<Factory>(factory)());
}

std::unique_ptr<AudioDeviceCatalog> CreatePlatformAudioDeviceCatalog() {
    return CreateAudioDeviceCatalogFrom(ProgramFolder());
}

std::unique_ptr<WaveDevice> CreateWaveDeviceFrom(const std::filesystem::path& folder,
                                                 std::string& error) {
    void* factory = AudioModuleSymbol(folder, kWaveDeviceFactory, error);
    if (!factory) {
        return nullptr;
    }
    using Factory = WaveDevice* (*)();
    std::unique_ptr<WaveDevice> device(reinterpret_cast<Factory>(factory)());
    if (!device) {
        error = "Out of memory";
    }
    return device;
}

std::unique_ptr<WaveDevice> CreatePlatformWaveDevice(std::string& error) {
    return CreateWaveDeviceFrom(ProgramFolder(), error);
}
