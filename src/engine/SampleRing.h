#pragma once
// A ring of interleaved float samples between the audio library's thread and one thread of
// ours: one writer, one reader, no lock and no allocation after construction.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

class SampleRing {
public:
    explicit SampleRing(std::size_t capacity) : m_samples(capacity + 1) {}

    // The reader's side: the samples waiting.
    std::size_t Readable() const {
        return Used(m_write.load(std::memory_order_acquire),
                    m_read.load(std::memory_order_relaxed));
    }
    // The writer's side: the room left. The reader's position is acquired, so a slot it has
    // just read is not written before its reading is done.
    std::size_t Writable() const {
        return m_samples.size() - 1 -
               Used(m_write.load(std::memory_order_relaxed),
                    m_read.load(std::memory_order_acquire));
    }

    // Writes up to `count` samples; returns how many fitted.
    std::size_t Write(const float* data, std::size_t count) {
        count = std::min(count, Writable());
        std::size_t w = m_write.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < count; ++i) {
            m_samples[w] = data[i];
            w = w + 1 == m_samples.size() ? 0 : w + 1;
        }
        m_write.store(w, std::memory_order_release);
        return count;
    }
    // Reads up to `count` samples; returns how many there were.
    std::size_t Read(float* data, std::size_t count) {
        const std::size_t w = m_write.load(std::memory_order_acquire);
        std::size_t r = m_read.load(std::memory_order_relaxed);
        count = std::min(count, Used(w, r));
        for (std::size_t i = 0; i < count; ++i) {
            data[i] = m_samples[r];
            r = r + 1 == m_samples.size() ? 0 : r + 1;
        }
        m_read.store(r, std::memory_order_release);
        return count;
    }

private:
    std::size_t Used(std::size_t w, std::size_t r) const {
        return w >= r ? w - r : w + m_samples.size() - r;
    }

    std::vector<float> m_samples;
    std::atomic<std::size_t> m_write{0};
    std::atomic<std::size_t> m_read{0};
};
