#pragma once
// Hands what arrives on the MIDI input's thread over to the user-interface thread. The input
// side only copies each message into a preallocated ring and, once per burst, wakes the UI; it
// never blocks, locks or allocates, so it may run inside a real-time audio cycle. The UI side
// drains the ring when woken.

#include <atomic>
#include <cstdint>
#include <vector>

#include "midi/MidiByteRing.h"
#include "midi/MidiService.h"

struct MidiInputEvent {
    std::uint32_t word = 0;          // short message; 0 for a system exclusive block
    std::vector<std::uint8_t> bytes; // the system exclusive block, F0 .. F7
    std::uint32_t timeMs = 0;
};

// Tells the user-interface thread that input waits. Called on the input's thread: it must not
// block, lock or allocate.
class MidiWakeUp {
public:
    virtual ~MidiWakeUp() = default;
    virtual void Wake() noexcept = 0;
};

class MidiInputQueue : public MidiInputSink {
public:
    // About 6000 short messages: several seconds of a dense controller stream.
    static constexpr std::size_t kRingBytes = 64 * 1024;
    // The longest system exclusive block handed to the user interface; a longer one is counted
    // as dropped here (thru still passes it on whole).
    static constexpr std::size_t kMaxLongMessage = 1024;

    MidiInputQueue();
    ~MidiInputQueue() override;

    void OnShortMessage(std::uint32_t word, std::uint32_t timeMs) noexcept override;
    void OnLongMessage(const std::uint8_t* data, std::size_t length,
                       std::uint32_t timeMs) noexcept override;

    // User-interface thread. Null stops the wake-ups: when it returns, a wake-up that was
    // running on the input's thread has ended, so the old one may be destroyed.
    void SetWakeUp(MidiWakeUp* wakeUp);
    // User-interface thread: re-arms the wake-up, then takes every queued event, oldest first.
    std::vector<MidiInputEvent> Drain();
    // User-interface thread: forgets every queued event.
    void Clear();
    // Events lost because the ring was full (the UI did not drain it in time) or too long.
    std::uint64_t Dropped() const;

private:
    void Push(std::uint32_t timeMs, std::uint8_t kind, const std::uint8_t* data,
              std::size_t length) noexcept;

    MidiByteRing m_ring;
    std::atomic<bool> m_wakePending{false};
    std::atomic<MidiWakeUp*> m_wakeUp{nullptr};
    std::atomic<int> m_waking{0};
};
