#pragma once
// Strict parsing of command-line numbers: the whole text must be the number, within range.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

std::optional<std::int64_t> ParseInteger(const std::string& text, std::int64_t min,
                                         std::int64_t max, int base = 10);
std::optional<double> ParseReal(const std::string& text);
// A comma-separated list of integers within range; nothing when any item is not.
std::optional<std::vector<std::int64_t>> ParseIntegerList(const std::string& text, std::int64_t min,
                                                          std::int64_t max);
