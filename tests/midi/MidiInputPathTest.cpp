// The hand-over from the MIDI input's thread to the user-interface thread: the ring, the queue
// over it and its wake-up.

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
    std::vector<std::uint8_t> out(64);
    std::uint8_t next = 0;
    for (int round = 0; round < 200; ++round) {
        const std::size_t length = 1 + static_cast<std::size_t>(round % 13);
        std::vector<std::uint8_t> message(length);
        std::iota(message.begin(), message.end(), next);
        next = static_cast<std::uint8_t>(next + 7);
        ASSERT_TRUE(ring.Push(static_cast<std::uint32_t>(round), message.data(), length));
        ASSERT_EQ(ring.PeekLength(), length);
        std::uint32_t stamp = 0;
        std::size_t got = 0;
        ASSERT_TRUE(ring.Pop(stamp, out.data(), got));
        EXPECT_EQ(stamp, static_cast<std::uint32_t>(round));
        ASSERT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + got), message);
    }
    EXPECT_TRUE(ring.Empty());

    const std::uint8_t three[3] = {0x90, 60, 100};
    int pushed = 0;
    while (ring.Push(static_cast<std::uint32_t>(pushed), three, 3)) {
        ++pushed;
    }
    EXPECT_EQ(pushed, 64 / 11); // 8 header bytes + 3
    EXPECT_EQ(ring.Dropped(), 1u);
    ASSERT_TRUE(ring.Discard()); // exactly the oldest message goes
    int left = 0;
    std::uint32_t stamp = 0;
    std::size_t got = 0;
    while (ring.Pop(stamp, out.data(), got)) {
        ASSERT_EQ(got, 3u);
        EXPECT_EQ(stamp, static_cast<std::uint32_t>(++left));
    }
    EXPECT_EQ(left, pushed - 1);
    EXPECT_FALSE(ring.Discard());
    ASSERT_TRUE(ring.Push(0, three, 3));
    const std::uint8_t tooLong[57] = {};
    EXPECT_FALSE(MidiByteRing(64).Push(0, tooLong, sizeof tooLong));
    const std::uint8_t exact[8] = {};
    MidiByteRing exactRing(64); // four messages of 8 + 8 bytes fill it to the last byte
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(exactRing.Push(0, exact, sizeof exact)) << i;
    }
    EXPECT_FALSE(exactRing.Push(0, exact, 1));
    ring.Clear();
    EXPECT_TRUE(ring.Empty());
    EXPECT_TRUE(ring.Push(0, three, 3));
}

TEST(MidiInputQueue, HandsShortAndLongMessagesOverOldestFirstAndBoundsTheLongOnes) {
    MidiInputQueue queue;
    const std::uint8_t sysex[] = {0xF0, 0x43, 0x10, 0xF7};
    queue.OnShortMessage(0x00403C90, 5);
    queue.OnLongMessage(sysex, sizeof sysex, 6);
    queue.OnShortMessage(0x00003C80, 7);
    std::vector<std::uint8_t> huge(MidiInputQueue::kMaxLongMessage + 1, 0x01);
    huge.front() = 0xF0;
    queue.OnLongMessage(huge.data(), huge.size(), 8);

    const std::vector<MidiInputEvent> events = queue.Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].word, 0x00403C90u);
    EXPECT_EQ(events[0].timeMs, 5u);
    EXPECT_EQ(events[1].word, 0u);
    EXPECT_EQ(events[1].bytes, std::vector<std::uint8_t>(sysex, sysex + 4));
    EXPECT_EQ(events[2].word, 0x00003C80u);
    EXPECT_EQ(events[2].timeMs, 7u);
    EXPECT_EQ(queue.Dropped(), 1u);
    EXPECT_TRUE(queue.Drain().empty());

    queue.OnShortMessage(1, 0);
    queue.Clear();
    EXPECT_TRUE(queue.Drain().empty());
}

TEST(MidiInputQueue, AFullQueueCountsItsDropsAndKeepsTheOldest) {
    MidiInputQueue queue;
    std::uint32_t pushed = 0;
    while (queue.Dropped() == 0) {
        queue.OnShortMessage(pushed++, 0);
    }
    queue.OnShortMessage(pushed++, 0);
    EXPECT_EQ(queue.Dropped(), 2u);
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

// The input's thread pushes while the UI drains: nothing is lost or reordered that was not
// counted as dropped, and every burst that left messages waiting woke the UI.
TEST(MidiInputQueue, AForeignThreadsMessagesArriveInOrderOrAreCounted) {
    MidiInputQueue queue;
    CountingWakeUp wakeUp;
    queue.SetWakeUp(&wakeUp);
    constexpr std::uint32_t kCount = 100000;
    std::atomic<bool> done{false};
    std::thread input([&] {
        for (std::uint32_t i = 1; i <= kCount; ++i) {
            queue.OnShortMessage(i, i);
        }
        done = true;
    });
    std::vector<std::uint32_t> words;
    for (bool finished = false; !finished;) {
        finished = done.load(); // everything pushed before this is drained below
        for (const MidiInputEvent& e : queue.Drain()) {
            words.push_back(e.word);
            ASSERT_EQ(e.timeMs, e.word);
        }
    }
    input.join();
    EXPECT_EQ(words.size() + queue.Dropped(), kCount);
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
    EXPECT_GE(wakeUp.count.load(), 1);
    queue.SetWakeUp(nullptr);
}
