#pragma once
// The wave devices the audio devices dialog lists: the product name of every input and every
// output device, in the platform's order. The platform supplies them (RtAudio).

#include <memory>
#include <string>
#include <vector>

struct AudioDeviceNames {
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
};

class AudioDeviceCatalog {
public:
    virtual ~AudioDeviceCatalog() = default;
    virtual AudioDeviceNames List() = 0;
};

// The catalog the dialog asks; null means the platform's own (tests install a fixed one).
inline AudioDeviceCatalog* g_audioDeviceCatalog = nullptr;

// The platform's catalog; defined by the platform library.
std::unique_ptr<AudioDeviceCatalog> CreatePlatformAudioDeviceCatalog();
