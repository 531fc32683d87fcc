#include "midi/MidiInputQueue.h"

void MidiInputQueue::OnShortMessage(std::uint32_t word, std::uint32_t timeMs) {
    Push({word, {}, timeMs});
}

void MidiInputQueue::OnLongMessage(const std::uint8_t* data, std::size_t length,
                                   std::uint32_t timeMs) {
    Push({0, std::vector<std::uint8_t>(data, data + length), timeMs});
}

void MidiInputQueue::SetWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(m_mutex);
    m_wakeUp = std::move(wakeUp);
}

void MidiInputQueue::Push(MidiInputEvent event) {
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(m_mutex);
        if (m_events.size() >= kCapacity) {
            ++m_dropped; // a stalled UI must not make the input thread grow memory without end
            return;
        }
        m_events.push_back(std::move(event));
        if (m_events.size() == 1) {
            wakeUp = m_wakeUp;
        }
    }
    if (wakeUp) {
        wakeUp();
    }
}

std::vector<MidiInputEvent> MidiInputQueue::Drain() {
    std::lock_guard lock(m_mutex);
    std::vector<MidiInputEvent> events;
    events.swap(m_events);
    return events;
}

std::uint64_t MidiInputQueue::Dropped() {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}
