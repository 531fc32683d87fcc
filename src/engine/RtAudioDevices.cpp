// The audio module: the wave device lists over RtAudio; every device with input channels is a wave
// input device, every device with output channels a wave output device.

#include <RtAudio.h>

#include <new>

#include "engine/AudioDeviceCatalog.h"

namespace {

class RtAudioDeviceCatalog : public AudioDeviceCatalog {
public:
    AudioDeviceNames List() override {
        AudioDeviceNames names;
        try {
            RtAudio audio;
            audio.showWarnings(false);
            const unsigned count = audio.getDeviceCount();
            for (unsigned i = 0; i < count; ++i) {
                const RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
                if (!info.probed) {
                    continue;
                }
                if (info.inputChannels > 0) {
                    names.inputs.push_back(info.name);
                }
                if (info.outputChannels > 0) {
                    names.outputs.push_back(info.name);
                }
            }
        } catch (...) {
            // No audio system to ask (no server, no card): the lists stay as far as they got.
        }
        return names;
    }
};

} // namespace

// The audio module's factory, found by name when the module is loaded.
extern "C" __attribute__((visibility("default"))) AudioDeviceCatalog*
VentaroCreateAudioDeviceCatalog() {
    return new (std::nothrow) RtAudioDeviceCatalog();
}
