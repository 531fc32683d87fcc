#pragma once
// The embedded engine's MIDI input: a client of its own that connects itself to the program's
// "Ventaro.2" output, on a running JACK server or else on the ALSA sequencer. Everything that
// arrives goes to Csound through a ring, except the stop signal (status 0xF5), which only raises
// the engine's stop flag.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/EngineRun.h"
#include "midi/MidiByteRing.h"

// Where the input's thread puts what it receives; Csound's read callback drains the ring.
class EngineMidiSink {
public:
    explicit EngineMidiSink(std::atomic<bool>& stop) : m_stop(stop) {}
    // One whole message from the input's thread: never blocks, locks or allocates.
    void Take(const std::uint8_t* bytes, std::size_t length) noexcept;
    // Csound's side: copies whole messages into `out` while they fit; the bytes copied. A message
    // longer than `capacity` could never be delivered and is dropped.
    std::size_t Drain(std::uint8_t* out, std::size_t capacity) noexcept;

private:
    static_assert(std::atomic<bool>::is_always_lock_free,
                  "the stop flag is set from the input's real-time thread");
    std::atomic<bool>& m_stop;
    MidiByteRing m_ring{64 * 1024};
};

class EngineMidiInput {
public:
    virtual ~EngineMidiInput() = default;
    // Which server the input listens on, for the engine's messages.
    virtual std::string Description() const = 0;
};

// The program's virtual output that the engine listens to: JACK port "Ventaro.2:Ventaro.2", or
// the ALSA sequencer client "Ventaro.2" with its port "Ventaro.2".
inline constexpr const char* kProgramClient = "Ventaro.2";
inline constexpr const char* kProgramPort = "Ventaro.2";
inline constexpr const char* kEngineClient = "Ventaro.2 engine";

// The input on a running JACK server, else on the ALSA sequencer; null with `error` set when
// neither could be opened.
std::unique_ptr<EngineMidiInput> OpenEngineMidiInput(EngineMidiSink& sink, std::string& error);

// Each opens a client on its server only; null with `error` set when it could not.
std::unique_ptr<EngineMidiInput> OpenJackEngineInput(EngineMidiSink& sink, std::string& error);
std::unique_ptr<EngineMidiInput> OpenAlsaEngineInput(EngineMidiSink& sink, std::string& error);
