#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "panel/PanelRecords.h"

namespace {

// Writes little-endian bytes by hand at a fixed offset.
template <std::size_t N>
void Put(std::array<std::uint8_t, N>& bytes, std::size_t offset,
         std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t v : values) {
        bytes[offset++] = v;
    }
}

// The record encodes to exactly `expected` over a buffer of other bytes and decodes back; and any
// bytes at all (no terminator in the name) survive decoding and encoding.
template <class Record, std::size_t N, class Encode, class Decode>
void ExpectRecord(const Record& record, const std::array<std::uint8_t, N>& expected, Encode encode,
                  Decode decode) {
    std::array<std::uint8_t, N> bytes;
    bytes.fill(0xAA);
    encode(record, bytes);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decode(expected), record);
    for (std::size_t i = 0; i < N; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 1);
    }
    std::array<std::uint8_t, N> again{};
    encode(decode(bytes), again);
    EXPECT_EQ(again, bytes);
}

TEST(PanelRecords, SliderRecordHasItsFieldsAtTheirOffsets) {
    // type, value, scaled value, minimum, maximum, channel, controllers, reserved, curve, locked
    SliderRecord slider{{}, kSevenBitType, 0x12345678, 0.5f, -1.0f, 1.0f, 15, 7, 39,
                        -2, kCurveRandom,  1};
    std::memcpy(slider.name.data(), "Fader\0x", 7); // bytes after the terminator are kept too
    std::array<std::uint8_t, 544> expected{};
    Put(expected, 0, {'F', 'a', 'd', 'e', 'r', 0, 'x'});
    Put(expected, 500, {1, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0x3F});
    Put(expected, 512, {0, 0, 0x80, 0xBF, 0, 0, 0x80, 0x3F, 15, 0, 0, 0, 7, 0, 0, 0, 39, 0, 0, 0});
    Put(expected, 532, {0xFE, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0, 1, 0, 0, 0});
    ExpectRecord(slider, expected, EncodeSlider, DecodeSlider);
}

TEST(PanelRecords, SnapshotRecordHasItsValuesAfterTheName) {
    SnapshotRecord snapshot;
    std::memcpy(snapshot.name.data(), "Snap1", 5);
    std::array<std::uint8_t, 1012> expected{};
    Put(expected, 0, {'S', 'n', 'a', 'p', '1'});
    for (std::size_t i = 0; i < kMaxSliders; ++i) {
        snapshot.values[i] = static_cast<std::int32_t>(i * 129) - 1; // value 0 is -1: FF FF FF FF
        const auto v = static_cast<std::uint32_t>(snapshot.values[i]);
        Put(expected, 500 + 4 * i,
            {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
             static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
    }
    ExpectRecord(snapshot, expected, EncodeSnapshot, DecodeSnapshot);
}

} // namespace
