#include "ToolArgs.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

std::optional<std::int64_t> ParseInteger(const std::string& text, std::int64_t min,
                                         std::int64_t max, int base) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, base);
    if (errno != 0 || end != text.c_str() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseReal(const std::string& text) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<std::int64_t>> ParseIntegerList(const std::string& text, std::int64_t min,
                                                          std::int64_t max) {
    std::vector<std::int64_t> values;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const auto value = ParseInteger(text.substr(start, comma - start), min, max);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
        if (comma == std::string::npos) {
            return values;
        }
        start = comma + 1;
    }
}
