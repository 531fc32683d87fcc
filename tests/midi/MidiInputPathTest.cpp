// The hand-over from the MIDI input's thread to the user interface: ring, queue and wake-up.

#include <gtest/gtest.h>
#include <numeric>
#include <thread>

#include "fakes/FakeMidiBackend.h"
#include "midi/MidiByteRing.h"
#include "midi/MidiInputQueue.h"

namespace {

struct CountingWakeUp : MidiWakeUp {
    void Wake() noexcept override { ++count; }
    std::atomic<int> count{0};
};

} // namespace

TEST(MidiByteRing, MessagesComeOutWholeAndInOrderAcrossTheWrapAndAFullRingDropsWhole) {
    MidiByteRing ring(64); // 64 bytes: every few messages wrap around the end
    std::uint8_t out[64];
    std::uint32_t stamp = 0;
    std::size_t got = 0;
    for (std::uint32_t round = 0; round < 200; ++round) {
        MidiBytes message(1 + round % 13);
        std::iota(message.begin(), message.end(), static_cast<std::uint8_t>(round * 7));
        ASSERT_TRUE(ring.Push(round, message.data(), message.size()));
        ASSERT_EQ(ring.PeekLength(), message.size());
        ASSERT_TRUE(ring.Pop(stamp, out, got));
        ASSERT_EQ(stamp, round);
        ASSERT_EQ(MidiBytes(out, out + got), message);
    }
    EXPECT_TRUE(ring.Empty());

    const std::uint8_t bytes[57] = {0x90, 60, 100};
    std::uint32_t pushed = 0;
    while (ring.Room(3) > 0) { // the room it tells is exactly what it then takes
        ASSERT_EQ(ring.Room(3), 64u / 11 - pushed);
        ASSERT_TRUE(ring.Push(pushed++, bytes, 3));
    }
    EXPECT_FALSE(ring.Push(pushed, bytes, 3));
    EXPECT_EQ(pushed, 64u / 11); // 8 header bytes + 3
    EXPECT_EQ(ring.Dropped(), 1u);
    ASSERT_TRUE(ring.Discard()); // exactly the oldest message goes
    std::uint32_t next = 1;
    while (ring.Pop(stamp, out, got)) {
        ASSERT_EQ(std::pair(stamp, got), std::pair(next++, std::size_t{3}));
    }
    EXPECT_EQ(next, pushed);
    EXPECT_FALSE(ring.Discard());
    ASSERT_TRUE(ring.Push(0, bytes, 3));
    ring.Clear(); // leaves all of its room
    EXPECT_TRUE(ring.Empty());
    EXPECT_FALSE(ring.Push(0, bytes, 57)); // with its header, one byte more than the ring
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ring.Push(0, bytes, 8)) << i; // 8 + 8 bytes each: full to the last byte
    }
    EXPECT_FALSE(ring.Push(0, bytes, 1));
}

// A long message over the bound and any that finds the queue full are dropped and counted.
TEST(MidiInputQueue, HandsShortAndLongMessagesOverOldestFirstAndCountsWhatItDrops) {
    MidiInputQueue queue;
    const std::uint8_t sysex[] = {0xF0, 0x43, 0x10, 0xF7};
    queue.OnShortMessage(0x00403C90, 5);
    queue.OnLongMessage(sysex, sizeof sysex, 6);
    queue.OnShortMessage(0x00003C80, 7);
    MidiBytes huge(MidiInputQueue::kMaxLongMessage + 1, 0x01);
    huge.front() = 0xF0;
    queue.OnLongMessage(huge.data(), huge.size(), 8);
    const std::vector<MidiInputEvent> events = queue.Drain();
    ASSERT_EQ(Words(events), (std::vector<std::uint32_t>{0x00403C90, 0, 0x00003C80}));
    EXPECT_EQ((std::vector{events[0].timeMs, events[1].timeMs, events[2].timeMs}),
              (std::vector<std::uint32_t>{5, 6, 7}));
    EXPECT_EQ(events[1].bytes, MidiBytes(sysex, sysex + 4));
    EXPECT_EQ(queue.Dropped(), 1u);
    queue.OnShortMessage(1, 0);
    queue.Clear();
    EXPECT_TRUE(queue.Drain().empty());

    std::uint32_t pushed = 0;
    while (queue.Dropped() == 1) {
        queue.OnShortMessage(pushed++, 0);
    }
    queue.OnShortMessage(pushed++, 0);
    EXPECT_EQ(queue.Dropped(), 3u);
    const std::vector<std::uint32_t> words = Words(queue.Drain());
    ASSERT_EQ(words.size(), pushed - 2);
    EXPECT_EQ(words.back(), pushed - 3); // the newest were dropped
}

TEST(MidiInputQueue, WakesOncePerBurstAndAgainAfterEachDrain) {
    MidiInputQueue queue;
    CountingWakeUp wakeUp;
    queue.OnShortMessage(1, 0); // before anyone listens
    queue.SetWakeUp(&wakeUp);
    EXPECT_EQ(wakeUp.count, 1); // what waits is not left until the next message

    queue.OnShortMessage(2, 0);
    queue.OnShortMessage(3, 0);
    EXPECT_EQ(wakeUp.count, 1);
    EXPECT_EQ(Words(queue.Drain()), (std::vector<std::uint32_t>{1, 2, 3}));
    queue.OnShortMessage(4, 0);
    queue.OnShortMessage(5, 0);
    EXPECT_EQ(wakeUp.count, 2);

    queue.SetWakeUp(nullptr);
    queue.Drain();
    queue.OnShortMessage(6, 0);
    EXPECT_EQ(wakeUp.count, 2);
}

// In a second pass the UI also clears (a device closed, the scope emptied); without the clears
// nothing is lost that was not counted as dropped.
TEST(MidiInputQueue, AForeignThreadsMessagesArriveWholeAndInOrderThroughDrainsAndClears) {
    for (const bool clearing : {false, true}) {
        MidiInputQueue queue;
        CountingWakeUp wakeUp;
        queue.SetWakeUp(&wakeUp);
        constexpr std::uint32_t kCount = 100000;
        std::atomic<bool> done{false};
        std::thread input([&] {
            for (std::uint32_t i = 1; i <= kCount; ++i) {
                queue.OnShortMessage(i, i);
                queue.OnLongMessage(reinterpret_cast<const std::uint8_t*>("\xF0\x01\xF7"), 3, i);
            }
            done = true;
        });
        std::uint32_t last = 0;
        std::uint64_t drained = 0;
        for (int round = 0;; ++round) {
            const bool finished = done.load(); // everything pushed before this is drained below
            if (clearing && !finished && round % 3 == 0) {
                queue.Clear();
                continue;
            }
            for (const MidiInputEvent& e : queue.Drain()) {
                ++drained;
                if (e.bytes.empty()) {
                    ASSERT_GT(e.word, last);
                    ASSERT_EQ(e.timeMs, e.word);
                    last = e.word;
                } else {
                    ASSERT_EQ(e.bytes, (std::vector<std::uint8_t>{0xF0, 0x01, 0xF7}));
                }
            }
            if (finished) {
                break;
            }
        }
        input.join();
        if (!clearing) {
            EXPECT_EQ(drained + queue.Dropped(), 2 * kCount);
            EXPECT_GE(wakeUp.count.load(), 1);
        }
        queue.OnShortMessage(kCount + 1, 0);
        EXPECT_EQ(Words(queue.Drain()), std::vector<std::uint32_t>{kCount + 1});
        queue.SetWakeUp(nullptr);
    }
}
