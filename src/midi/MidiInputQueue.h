#pragma once
// Hands what arrives on the MIDI input thread over to the user-interface thread: the input
// thread only pushes, the UI thread drains. An optional wake-up tells the UI that events wait.

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "midi/MidiService.h"

struct MidiInputEvent {
    std::uint32_t word = 0;          // short message; 0 for a system exclusive block
    std::vector<std::uint8_t> bytes; // the system exclusive block, F0 .. F7
    std::uint32_t timeMs = 0;
};

class MidiInputQueue : public MidiInputSink {
public:
    static constexpr std::size_t kCapacity = 4096;

    void OnShortMessage(std::uint32_t word, std::uint32_t timeMs) override;
    void OnLongMessage(const std::uint8_t* data, std::size_t length, std::uint32_t timeMs) override;

    // Called on the input thread after an event was queued into an empty queue.
    void SetWakeUp(std::function<void()> wakeUp);
    // Takes every queued event, oldest first. UI thread only.
    std::vector<MidiInputEvent> Drain();
    // Events dropped because the UI did not drain the queue in time.
    std::uint64_t Dropped();

private:
    void Push(MidiInputEvent event);

    std::mutex m_mutex;
    std::vector<MidiInputEvent> m_events;
    std::function<void()> m_wakeUp;
    std::uint64_t m_dropped = 0;
};
