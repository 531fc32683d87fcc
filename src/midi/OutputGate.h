#pragma once
// Lets two threads send through one output port that is not safe to share, the user-interface
// thread with its own messages and the input's thread forwarding thru, without either of them
// ever waiting for the other. A sender that finds the port taken leaves its message in a ring
// of its own, and whoever holds the port sends what waits there before letting go; so a slow
// send on the user-interface thread never stalls the input's (possibly real-time) thread.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "midi/MidiByteRing.h"
#include "midi/MidiPortBackend.h"

class OutputGate {
public:
    static constexpr std::size_t kRingBytes = 16 * 1024;

    explicit OutputGate(MidiOutPort& port);

    // User-interface thread. True when the message was sent, or queued behind a forward that
    // holds the port; false with `error` set when the port refused it. Waits while the queue is
    // full, so the user's own messages are never dropped.
    bool Send(const std::uint8_t* data, std::size_t length, std::string& error);
    // The input's thread: never blocks, locks or allocates. A message that cannot be queued is
    // counted as dropped.
    void Forward(const std::uint8_t* data, std::size_t length) noexcept;

    // Forwarded messages lost because the port refused them or their queue was full.
    std::uint64_t Dropped() const noexcept;

private:
    bool TryTake() noexcept;
    // Lets go of the port, then takes it again while a message waits that its sender left for
    // the holder.
    void ReleaseAndFlush() noexcept;
    void SendWaiting() noexcept;

    MidiOutPort& m_port;
    MidiByteRing m_fromUi;
    MidiByteRing m_fromInput;
    std::unique_ptr<std::uint8_t[]> m_scratch; // the holder's copy of a waiting message
    std::atomic<bool> m_taken{false};
    std::atomic<std::uint64_t> m_refused{0};
};
