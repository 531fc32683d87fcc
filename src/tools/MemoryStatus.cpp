#include "tools/MemoryStatus.h"

#include <algorithm>
#include <charconv>

#include "base/FileSystem.h"
#include "resources/Strings.h"

namespace {

// meminfo is a few kilobytes; more than this is no meminfo.
constexpr std::size_t kMemInfoLimit = 1 << 16;

// The number of the line "Name:   12345 kB", when the text has that line.
std::optional<std::uint64_t> Field(std::string_view text, std::string_view name) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(name) || line.substr(name.size(), 1) != ":") {
            continue;
        }
        line.remove_prefix(name.size() + 1);
        const std::size_t digits = line.find_first_not_of(' ');
        if (digits == std::string_view::npos) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        const char* begin = line.data() + digits;
        const auto [stop, error] = std::from_chars(begin, line.data() + line.size(), value);
        if (error != std::errc() || stop == begin) {
            return std::nullopt;
        }
        return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<PhysicalMemory> ParseMemInfo(std::string_view text) {
    const std::optional<std::uint64_t> total = Field(text, "MemTotal");
    const std::optional<std::uint64_t> available = Field(text, "MemAvailable");
    if (!total || !available || *total == 0) {
        return std::nullopt;
    }
    return PhysicalMemory{*total, *available};
}

int MemoryLoadPercent(std::uint64_t total, std::uint64_t available) {
    if (total == 0 || available >= total) {
        return 0;
    }
    // available × 100 overflows 64 bits for sizes above 2^57 units: the product is taken in
    // 128 bits, where it always fits, so the division stays exact.
    __extension__ typedef unsigned __int128 Wide;
    const auto share = static_cast<std::uint64_t>(Wide{available} * 100 / total);
    return 100 - static_cast<int>(share);
}

MemoryLoad ReadMemoryLoad() {
    MemoryLoad load;
    if (!g_fileSystem) {
        load.error = Str(kStrMemoryUnreadable);
        return load;
    }
    const FileContents file = g_fileSystem->ReadFile(kMemInfoPath, kMemInfoLimit);
    if (file.status != FileStatus::Ok) {
        load.error = Str(kStrMemoryUnreadable);
        return load;
    }
    const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()),
                                file.bytes.size());
    const std::optional<PhysicalMemory> memory = ParseMemInfo(text);
    if (!memory) {
        load.error = Str(kStrMemoryNoSizes);
        return load;
    }
    load.percent = MemoryLoadPercent(memory->total, memory->available);
    return load;
}
