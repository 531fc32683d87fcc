// The engine's MIDI input without Csound: what Csound's read callback receives.

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "engine/EngineMidiInput.h"

namespace {

std::vector<std::uint8_t> DrainAll(EngineMidiSink& sink, std::size_t capacity) {
    std::vector<std::uint8_t> out(capacity);
    out.resize(sink.Drain(out.data(), capacity));
    return out;
}

} // namespace

// Csound parses what it reads as a byte stream: it must only ever get whole messages.
TEST(EngineMidiSink, HandsOnWholeMessagesAndKeepsTheStopSignal) {
    std::atomic<bool> stop{false};
    EngineMidiSink sink(stop);
    const std::uint8_t cc[] = {0xB0, 7, 100};
    const std::uint8_t stopSignal[] = {0xF5, 0, 0};
    const std::uint8_t program[] = {0xC1, 5};
    std::vector<std::uint8_t> sysex(40, 0x11);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    sink.Take(cc, 3);
    sink.Take(stopSignal, 3);
    sink.Take(sysex.data(), sysex.size());
    sink.Take(program, 2);
    EXPECT_TRUE(stop.load());

    // Room for the CC and half the next: the CC alone; then the long one is dropped.
    EXPECT_EQ(DrainAll(sink, 4), (std::vector<std::uint8_t>{0xB0, 7, 100}));
    EXPECT_EQ(DrainAll(sink, 4), (std::vector<std::uint8_t>{0xC1, 5}));
    EXPECT_EQ(DrainAll(sink, 64), std::vector<std::uint8_t>{});
}
