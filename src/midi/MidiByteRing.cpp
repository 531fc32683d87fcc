#include "midi/MidiByteRing.h"

#include <bit>
#include <cstring>

MidiByteRing::MidiByteRing(std::size_t capacityBytes)
    : m_bytes(new std::uint8_t[std::bit_ceil(capacityBytes < 64 ? 64 : capacityBytes)]()),
      m_mask(std::bit_ceil(capacityBytes < 64 ? 64 : capacityBytes) - 1) {}

void MidiByteRing::CopyIn(std::size_t position, const std::uint8_t* data,
                          std::size_t length) noexcept {
    const std::size_t index = position & m_mask;
    const std::size_t first = length < Capacity() - index ? length : Capacity() - index;
    std::memcpy(m_bytes.get() + index, data, first);
    std::memcpy(m_bytes.get(), data + first, length - first);
}

void MidiByteRing::CopyOut(std::size_t position, std::uint8_t* out,
                           std::size_t length) const noexcept {
    const std::size_t index = position & m_mask;
    const std::size_t first = length < Capacity() - index ? length : Capacity() - index;
    std::memcpy(out, m_bytes.get() + index, first);
    std::memcpy(out + first, m_bytes.get(), length - first);
}

std::uint32_t MidiByteRing::ReadU32(std::size_t position) const noexcept {
    std::uint8_t bytes[4];
    CopyOut(position, bytes, 4);
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

bool MidiByteRing::Fits(std::size_t length) const noexcept {
    const std::size_t used =
        m_head.load(std::memory_order_relaxed) - m_tail.load(std::memory_order_acquire);
    return length <= Capacity() && kHeaderBytes + length <= Capacity() - used;
}

std::size_t MidiByteRing::Room(std::size_t length) const noexcept {
    const std::size_t used =
        m_head.load(std::memory_order_relaxed) - m_tail.load(std::memory_order_acquire);
    return (Capacity() - used) / (kHeaderBytes + length);
}

bool MidiByteRing::Push(std::uint32_t stamp, const std::uint8_t* data,
                        std::size_t length) noexcept {
    const std::size_t head = m_head.load(std::memory_order_relaxed);
    // Acquire: the consumer has finished reading the bytes it released.
    const std::size_t tail = m_tail.load(std::memory_order_acquire);
    const std::size_t needed = kHeaderBytes + length;
    if (length > 0xFFFFFFFFu || needed > Capacity() - (head - tail)) {
        CountDrop();
        return false;
    }
    std::uint8_t header[kHeaderBytes];
    const auto length32 = static_cast<std::uint32_t>(length);
    std::memcpy(header, &stamp, 4);
    std::memcpy(header + 4, &length32, 4);
    CopyIn(head, header, kHeaderBytes);
    CopyIn(head + kHeaderBytes, data, length);
    // The message's bytes are visible before the consumer sees the new head. Sequentially
    // consistent, so that a sender handing its message to another thread's flush (OutputGate)
    // is ordered with that thread's check for waiting messages.
    m_head.store(head + needed, std::memory_order_seq_cst);
    return true;
}

std::size_t MidiByteRing::PeekLength() const noexcept {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    if (m_head.load(std::memory_order_acquire) == tail) {
        return 0;
    }
    return ReadU32(tail + 4);
}

bool MidiByteRing::Pop(std::uint32_t& stamp, std::uint8_t* out, std::size_t& length) noexcept {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    if (m_head.load(std::memory_order_acquire) == tail) {
        return false;
    }
    stamp = ReadU32(tail);
    length = ReadU32(tail + 4);
    CopyOut(tail + kHeaderBytes, out, length);
    // Release: the bytes are read before the producer may write over them.
    m_tail.store(tail + kHeaderBytes + length, std::memory_order_release);
    return true;
}

bool MidiByteRing::Discard() noexcept {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    if (m_head.load(std::memory_order_acquire) == tail) {
        return false;
    }
    m_tail.store(tail + kHeaderBytes + ReadU32(tail + 4), std::memory_order_release);
    return true;
}

void MidiByteRing::Clear() noexcept {
    m_tail.store(m_head.load(std::memory_order_acquire), std::memory_order_release);
}

bool MidiByteRing::Empty() const noexcept {
    return m_head.load(std::memory_order_seq_cst) == m_tail.load(std::memory_order_seq_cst);
}
