#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/SettingsRecords.h"

// File and record bytes laid out by hand at their offsets, little-endian: the golden values the
// encoders are compared with.
struct ExpectedBytes {
    explicit ExpectedBytes(std::size_t size) : bytes(size, 0) {}
    void I32(std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
        }
    }
    void Text(std::size_t at, std::string_view text) {
        std::memcpy(bytes.data() + at, text.data(), text.size());
    }
    // A project window's state in a project header: valid, the placement's integers, visible.
    void Window(std::size_t at, const WindowPlacement& p, std::int32_t visible) {
        const std::int32_t v[] = {1,      p.length, p.flags, p.showCmd, p.minX,   p.minY, p.maxX,
                                  p.maxY, p.left,   p.top,   p.right,   p.bottom, visible};
        for (std::size_t k = 0; k < std::size(v); ++k) {
            I32(at + 4 * k, v[k]);
        }
    }
    std::vector<std::uint8_t> bytes;
};
