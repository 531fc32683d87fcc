#include <gtest/gtest.h>
#include <thread>

#include "midi/MidiInputQueue.h"

TEST(MidiInputQueue, DrainGivesEveryEventOldestFirstAndEmptiesTheQueue) {
    MidiInputQueue queue;
    const std::uint8_t sysex[] = {0xF0, 0x43, 0x10, 0xF7};
    queue.OnShortMessage(0x00403C90, 5);
    queue.OnLongMessage(sysex, sizeof sysex, 6);
    queue.OnShortMessage(0x00003C80, 7);
    const std::vector<MidiInputEvent> events = queue.Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].word, 0x00403C90u);
    EXPECT_EQ(events[0].timeMs, 5u);
    EXPECT_EQ(events[1].word, 0u);
    EXPECT_EQ(events[1].bytes, std::vector<std::uint8_t>(sysex, sysex + 4));
    EXPECT_EQ(events[2].word, 0x00003C80u);
    EXPECT_TRUE(queue.Drain().empty());
}

TEST(MidiInputQueue, AFullQueueDropsAndCountsWhatItCannotHold) {
    MidiInputQueue queue;
    for (std::size_t i = 0; i < MidiInputQueue::kCapacity + 5; ++i) {
        queue.OnShortMessage(static_cast<std::uint32_t>(i), 0);
    }
    EXPECT_EQ(queue.Dropped(), 5u);
    const std::vector<MidiInputEvent> events = queue.Drain();
    ASSERT_EQ(events.size(), MidiInputQueue::kCapacity);
    EXPECT_EQ(events.back().word, MidiInputQueue::kCapacity - 1); // the newest were dropped
    queue.OnShortMessage(1, 0);
    EXPECT_EQ(queue.Drain().size(), 1u);
    EXPECT_EQ(queue.Dropped(), 5u);
}

TEST(MidiInputQueue, WakesTheUiOnceEachTimeTheQueueStopsBeingEmpty) {
    MidiInputQueue queue;
    int wakeUps = 0;
    queue.SetWakeUp([&wakeUps] { ++wakeUps; });
    queue.OnShortMessage(1, 0);
    queue.OnShortMessage(2, 0);
    queue.OnShortMessage(3, 0);
    EXPECT_EQ(wakeUps, 1);
    queue.Drain();
    queue.OnShortMessage(4, 0);
    queue.OnShortMessage(5, 0);
    EXPECT_EQ(wakeUps, 2);
}

TEST(MidiInputQueue, LosesNothingWhileTheUiDrainsDuringPushes) {
    MidiInputQueue queue;
    constexpr std::uint32_t kCount = 3000;
    std::thread input([&queue] {
        for (std::uint32_t i = 0; i < kCount; ++i) {
            queue.OnShortMessage(i, 0);
        }
    });
    std::vector<std::uint32_t> words;
    while (words.size() < kCount) {
        for (const MidiInputEvent& e : queue.Drain()) {
            words.push_back(e.word);
        }
        std::this_thread::yield();
    }
    input.join();
    for (std::uint32_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(words[i], i);
    }
}
