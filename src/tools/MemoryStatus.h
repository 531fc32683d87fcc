#pragma once
// The memory status: the share of physical memory in use, from the kernel's /proc/meminfo.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kMemInfoPath = "/proc/meminfo";

struct PhysicalMemory {
    std::uint64_t total = 0;     // MemTotal, in the unit meminfo gives (kB)
    std::uint64_t available = 0; // MemAvailable, in the same unit
};

// MemTotal and MemAvailable of meminfo's text; nothing when either is missing or unreadable, or
// the total is 0.
std::optional<PhysicalMemory> ParseMemInfo(std::string_view text);

// 100 − available × 100 / total in integers, exact for any two sizes of one unit; an available
// size above the total counts as all of it available.
int MemoryLoadPercent(std::uint64_t total, std::uint64_t available);

struct MemoryLoad {
    std::optional<int> percent;
    std::string error; // why there is no percentage
};

// The percentage of memory in use now, read through the file system; a meminfo that cannot be
// read, or holds no usable sizes, gives a message instead of a number.
MemoryLoad ReadMemoryLoad();
