#include "midi/OutputGate.h"

#include <thread>

OutputGate::OutputGate(MidiOutPort& port)
    : m_port(port), m_fromUi(kRingBytes), m_fromInput(kRingBytes),
      m_scratch(new std::uint8_t[kRingBytes]) {}

// Every operation on m_taken and on the rings' heads is sequentially consistent: a sender that
// queued its message and then found the port taken is ordered with the holder's letting go and
// its check for waiting messages, so either the sender takes the port or the holder sees the
// message.
bool OutputGate::TryTake() noexcept {
    return !m_taken.exchange(true);
}

void OutputGate::SendWaiting() noexcept {
    // The user-interface messages first: they were queued before the one being sent now.
    for (MidiByteRing* ring : {&m_fromUi, &m_fromInput}) {
        std::uint32_t stamp = 0;
        std::size_t length = 0;
        while (ring->Pop(stamp, m_scratch.get(), length)) {
            if (!m_port.Send(m_scratch.get(), length)) {
                m_refused.fetch_add(1, std::memory_order_relaxed);
            }
        }
    }
}

void OutputGate::ReleaseAndFlush() noexcept {
    for (;;) {
        m_taken.store(false);
        if ((m_fromUi.Empty() && m_fromInput.Empty()) || !TryTake()) {
            return;
        }
        SendWaiting();
    }
}

bool OutputGate::Send(const std::uint8_t* data, std::size_t length, std::string& error) {
    for (;;) {
        if (TryTake()) {
            SendWaiting();
            const bool sent = m_port.Send(data, length);
            if (!sent) {
                error = m_port.LastError();
            }
            ReleaseAndFlush();
            return sent;
        }
        if (m_fromUi.Fits(length) && m_fromUi.Push(0, data, length)) {
            if (TryTake()) {
                SendWaiting();
                ReleaseAndFlush();
            }
            return true;
        }
        // The input's thread holds the port and is passing our earlier messages on: this thread
        // may wait for it (never the other way round), so nothing of ours is lost.
        std::this_thread::yield();
    }
}

void OutputGate::Forward(const std::uint8_t* data, std::size_t length) noexcept {
    if (!m_fromInput.Push(0, data, length)) {
        return; // counted by the ring
    }
    if (TryTake()) {
        SendWaiting();
        ReleaseAndFlush();
    }
}

std::uint64_t OutputGate::Dropped() const noexcept {
    return m_fromInput.Dropped() + m_refused.load(std::memory_order_relaxed);
}
