#include "engine/EngineMidiInput.h"

void EngineMidiSink::Take(const std::uint8_t* bytes, std::size_t length) noexcept {
    if (length == 0) {
        return;
    }
    if (bytes[0] == kEngineStopStatus) {
        // Csound would read the undefined status as garbage: it stays with us.
        m_stop.store(true, std::memory_order_release);
        return;
    }
    m_ring.Push(0, bytes, length);
}

std::size_t EngineMidiSink::Drain(std::uint8_t* out, std::size_t capacity) noexcept {
    std::size_t used = 0;
    for (std::size_t next = m_ring.PeekLength(); next > 0; next = m_ring.PeekLength()) {
        if (next > capacity) {
            m_ring.Discard();
            continue;
        }
        if (next > capacity - used) {
            break; // the rest waits for the next read
        }
        std::uint32_t stamp = 0;
        std::size_t length = 0;
        m_ring.Pop(stamp, out + used, length);
        used += length;
    }
    return used;
}

std::unique_ptr<EngineMidiInput> OpenEngineMidiInput(EngineMidiSink& sink, std::string& error) {
    std::string jackError;
    if (auto jack = OpenJackEngineInput(sink, jackError)) {
        return jack;
    }
    std::string alsaError;
    if (auto alsa = OpenAlsaEngineInput(sink, alsaError)) {
        return alsa;
    }
    error = jackError + "; " + alsaError;
    return nullptr;
}
