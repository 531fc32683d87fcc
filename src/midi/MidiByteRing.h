#pragma once
// A single-producer, single-consumer ring of MIDI messages: a few bytes each, with a 32-bit
// stamp (a time or a frame offset). The storage is allocated once, at construction; Push and
// Pop never block, lock or allocate, so either side may be a real-time thread. A message that
// does not fit is dropped and counted, never half written.
//
// One thread at a time may push and one thread at a time may pop; a side may move to another
// thread only through a hand-over that orders the two threads (a join, or an acquire/release
// pair).

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class MidiByteRing {
public:
    // Room for `capacityBytes` bytes of messages and their headers, rounded up to a power of two.
    explicit MidiByteRing(std::size_t capacityBytes);

    MidiByteRing(const MidiByteRing&) = delete;
    MidiByteRing& operator=(const MidiByteRing&) = delete;

    // Producer: whether a message of `length` bytes fits now.
    bool Fits(std::size_t length) const noexcept;
    // Producer: how many messages of `length` bytes fit now.
    std::size_t Room(std::size_t length) const noexcept;
    // Producer: queues one message; false (and one more drop counted) when it does not fit.
    bool Push(std::uint32_t stamp, const std::uint8_t* data, std::size_t length) noexcept;

    // Consumer: the oldest message's length, or 0 when the ring is empty.
    std::size_t PeekLength() const noexcept;
    // Consumer: takes the oldest message into `out`, which must hold PeekLength() bytes; false
    // when the ring is empty.
    bool Pop(std::uint32_t& stamp, std::uint8_t* out, std::size_t& length) noexcept;
    // Consumer: forgets the oldest message; false when the ring is empty.
    bool Discard() noexcept;
    // Consumer: forgets every queued message.
    void Clear() noexcept;

    // Either side.
    bool Empty() const noexcept;
    // Messages refused since construction because the ring was full or they were too long.
    std::uint64_t Dropped() const noexcept { return m_dropped.load(std::memory_order_relaxed); }
    // Counts a message the producer refused before reaching the ring.
    void CountDrop() noexcept { m_dropped.fetch_add(1, std::memory_order_relaxed); }
    std::size_t Capacity() const noexcept { return m_mask + 1; }

private:
    static constexpr std::size_t kHeaderBytes = 8; // stamp, length

    void CopyIn(std::size_t position, const std::uint8_t* data, std::size_t length) noexcept;
    void CopyOut(std::size_t position, std::uint8_t* out, std::size_t length) const noexcept;
    std::uint32_t ReadU32(std::size_t position) const noexcept;

    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::size_t m_mask;
    // Positions grow without wrapping; the index in the storage is position & m_mask. Each is
    // written by one side only and sits on a cache line of its own.
    alignas(64) std::atomic<std::size_t> m_head{0}; // written by the producer
    alignas(64) std::atomic<std::size_t> m_tail{0}; // written by the consumer
    alignas(64) std::atomic<std::uint64_t> m_dropped{0};
};
