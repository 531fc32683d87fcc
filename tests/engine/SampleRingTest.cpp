// The recorder's sample ring between the audio callback and the file writer (run under TSan).

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/SampleRing.h"

TEST(SampleRing, AWriterAndAReaderOnTwoThreadsPassEverySampleInOrder) {
    constexpr int kSamples = 200000;
    SampleRing ring(257); // small, so that both sides wrap and wait often
    std::thread writer([&ring] {
        std::vector<float> block(97);
        for (int next = 0; next < kSamples;) {
            const std::size_t count = std::min<std::size_t>(block.size(), kSamples - next);
            for (std::size_t i = 0; i < count; ++i) {
                block[i] = static_cast<float>(next + static_cast<int>(i));
            }
            next += static_cast<int>(ring.Write(block.data(), count));
        }
    });
    std::vector<float> block(61);
    int expected = 0;
    while (expected < kSamples) {
        const std::size_t got = ring.Read(block.data(), block.size());
        for (std::size_t i = 0; i < got; ++i) {
            ASSERT_EQ(block[i], static_cast<float>(expected++));
        }
    }
    writer.join();
    EXPECT_EQ(ring.Readable(), 0u);
    EXPECT_EQ(ring.Writable(), 257u);
}
