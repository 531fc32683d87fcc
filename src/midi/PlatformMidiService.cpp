#include "midi/PlatformMidiService.h"

#include "midi/JackMidiBackend.h"
#include "midi/RoutedMidiService.h"
#include "midi/RtMidiBackend.h"

std::unique_ptr<MidiService> CreatePlatformMidiService() {
    std::vector<std::unique_ptr<MidiPortBackend>> backends;
    const bool alsa = AlsaSequencerAvailable();
    if (alsa) {
        backends.push_back(MakeAlsaPortBackend());
    }
    // Always there: a JACK server that starts later, or comes back, is found on the next rescan.
    const std::shared_ptr<JackMidiClient> jack = MakeJackMidiClient();
    backends.push_back(MakeJackPortBackend(jack));
    // One pair of virtual ports, where other programs look first: ALSA's when it is there.
    if (alsa) {
        backends.push_back(MakeAlsaVirtualBackend());
    } else {
        backends.push_back(MakeJackVirtualBackend(jack));
    }
    return std::make_unique<RoutedMidiService>(std::move(backends));
}
