#pragma once
// The ALSA sequencer's MIDI ports, over RtMidi.

#include <memory>

#include "midi/MidiPortBackend.h"

// True when RtMidi serves ALSA and the sequencer device is there to use.
bool AlsaSequencerAvailable();
// The sequencer's ports, our own clients' left out.
std::unique_ptr<MidiPortBackend> MakeAlsaPortBackend();
// The "Ventaro.2" virtual output and input that other programs connect to.
std::unique_ptr<MidiPortBackend> MakeAlsaVirtualBackend();
