#include "midi/MidiInputQueue.h"

#include <cstring>
#include <thread>

namespace {
// The first byte of each ring entry says what follows.
constexpr std::uint8_t kShort = 0;
constexpr std::uint8_t kLong = 1;
} // namespace

MidiInputQueue::MidiInputQueue() : m_ring(kRingBytes) {}

MidiInputQueue::~MidiInputQueue() {
    SetWakeUp(nullptr);
}

void MidiInputQueue::OnShortMessage(std::uint32_t word, std::uint32_t timeMs) noexcept {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &word, sizeof bytes);
    Push(timeMs, kShort, bytes, sizeof bytes);
}

void MidiInputQueue::OnLongMessage(const std::uint8_t* data, std::size_t length,
                                   std::uint32_t timeMs) noexcept {
    if (length > kMaxLongMessage) {
        m_ring.CountDrop();
        return;
    }
    Push(timeMs, kLong, data, length);
}

void MidiInputQueue::Push(std::uint32_t timeMs, std::uint8_t kind, const std::uint8_t* data,
                          std::size_t length) noexcept {
    std::uint8_t entry[1 + kMaxLongMessage];
    entry[0] = kind;
    std::memcpy(entry + 1, data, length);
    if (!m_ring.Push(timeMs, entry, 1 + length)) {
        return;
    }
    // One wake-up per burst: the UI clears the flag before it drains, so a message queued after
    // that drain wakes it again.
    if (m_wakePending.exchange(true, std::memory_order_acq_rel)) {
        return;
    }
    m_waking.fetch_add(1);
    if (MidiWakeUp* wakeUp = m_wakeUp.load()) {
        wakeUp->Wake();
    }
    m_waking.fetch_sub(1);
}

void MidiInputQueue::SetWakeUp(MidiWakeUp* wakeUp) {
    m_wakeUp.store(wakeUp);
    // Sequentially consistent with Push: a wake-up that loaded the old pointer is counted here.
    while (m_waking.load() != 0) {
        std::this_thread::yield();
    }
    if (wakeUp) {
        // What arrived while nobody listened must not wait for the next message.
        m_wakePending.store(false);
        if (!m_ring.Empty() && !m_wakePending.exchange(true)) {
            wakeUp->Wake();
        }
    }
}

std::vector<MidiInputEvent> MidiInputQueue::Drain() {
    m_wakePending.exchange(false, std::memory_order_acq_rel);
    std::vector<MidiInputEvent> events;
    std::uint8_t entry[1 + kMaxLongMessage];
    std::uint32_t timeMs = 0;
    std::size_t length = 0;
    while (m_ring.Pop(timeMs, entry, length)) {
        MidiInputEvent event;
        event.timeMs = timeMs;
        if (entry[0] == kShort) {
            std::memcpy(&event.word, entry + 1, sizeof event.word);
        } else {
            event.bytes.assign(entry + 1, entry + length);
        }
        events.push_back(std::move(event));
    }
    return events;
}

void MidiInputQueue::Clear() {
    m_ring.Clear();
}

std::uint64_t MidiInputQueue::Dropped() const {
    return m_ring.Dropped();
}
