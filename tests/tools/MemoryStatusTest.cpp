#include <gtest/gtest.h>

#include <limits>

#include "fakes/CoreServices.h"
#include "tools/MemoryStatus.h"

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

// In integers, exact where available × 100 no longer fits 32 or 64 bits.
TEST(MemoryStatus, ThePercentageInUseIsExactForAnySize) {
    const std::tuple<std::uint64_t, std::uint64_t, int> rows[] = {
        // 100 − 33 and 100 − 66; more available than there is: nothing in use.
        {3, 1, 67},           {3, 2, 34},          {100, 0, 100},  {100, 150, 0},
        {kMax, kMax / 2, 51}, {kMax, kMax - 1, 1}, {kMax, 1, 100}, {kMax, kMax, 0},
    };
    for (const auto& [total, available, percent] : rows) {
        EXPECT_EQ(MemoryLoadPercent(total, available), percent) << total << " " << available;
    }
}

TEST(MemoryStatus, MemInfoGivesTotalAndAvailableOrNothing) {
    const auto memory = ParseMemInfo("MemTotal:       16318412 kB\n"
                                     "MemFree:         1146892 kB\n"
                                     "MemAvailable:    8159206 kB\n"
                                     "Buffers:          512000 kB\n");
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->total, 16318412u);
    EXPECT_EQ(memory->available, 8159206u);
    for (const char* bad :
         {"", "MemTotal: 100 kB\n", "MemAvailable: 100 kB\n",
          "MemTotal: 0 kB\nMemAvailable: 0 kB\n", "MemTotal: lots\nMemAvailable: 10 kB\n",
          "MemTotalX: 100 kB\nMemAvailable: 10 kB\n",
          "MemTotal: 99999999999999999999999 kB\nMemAvailable: 10 kB\n"}) {
        EXPECT_FALSE(ParseMemInfo(bad)) << bad;
    }
}

class MemoryReading : public CoreServices {};

TEST_F(MemoryReading, AMissingOrUselessMemInfoGivesAMessageAndNoPercentage) {
    const std::string text = "MemTotal: 1000 kB\nMemAvailable: 250 kB\n";
    files.files[kMemInfoPath] = std::vector<std::uint8_t>(text.begin(), text.end());
    EXPECT_EQ(ReadMemoryLoad().percent, 75);

    files.unreadable.insert(kMemInfoPath);
    MemoryLoad load = ReadMemoryLoad();
    EXPECT_FALSE(load.percent);
    EXPECT_EQ(load.error, "Sorry, can't monitor the memory status: /proc/meminfo can't be read.");

    files.unreadable.clear();
    files.files[kMemInfoPath] = {'M', 'e', 'm'};
    load = ReadMemoryLoad();
    EXPECT_FALSE(load.percent);
    EXPECT_EQ(load.error, "Sorry, can't monitor the memory status: /proc/meminfo gives no "
                          "MemTotal and MemAvailable.");
    files.files.clear();
    EXPECT_FALSE(ReadMemoryLoad().percent);
}

} // namespace
