#pragma once
// The ALSA sequencer's MIDI ports, over RtMidi.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "midi/MidiPortBackend.h"

// True when RtMidi serves ALSA and the sequencer device is there to use.
bool AlsaSequencerAvailable();
// The sequencer's ports, our own clients' left out.
std::unique_ptr<MidiPortBackend> MakeAlsaPortBackend();
// The "Ventaro.2" virtual output and input that other programs connect to.
std::unique_ptr<MidiPortBackend> MakeAlsaVirtualBackend();

// The sequencer address "client:port" that RtMidi writes at the end of a port's name.
std::optional<std::pair<int, int>> AlsaAddressOfPortName(const std::string& name);
// The technology of a sequencer port of these type bits: a synthesizer, a hardware port, or
// 0 for any other (a program's port).
std::uint16_t AlsaPortTechnology(unsigned int type);
