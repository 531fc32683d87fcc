#pragma once
// The platform's MIDI service on Linux: the ALSA sequencer's ports, a running JACK server's ports,
// the "Ventaro.2" virtual ports, then Loopback.

#include <memory>

#include "midi/MidiService.h"

std::unique_ptr<MidiService> CreatePlatformMidiService();
