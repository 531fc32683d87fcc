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

TEST(PanelRecords, SliderRecordHasItsFieldsAtTheirOffsets) {
    SliderRecord slider;
    std::memcpy(slider.name.data(), "Fader\0x", 7); // bytes after the terminator are kept too
    slider.type = kSevenBitType;
    slider.value = 0x12345678;
    slider.scaledValue = 0.5f;
    slider.minValue = -1.0f;
    slider.maxValue = 1.0f;
    slider.channel = 15;
    slider.controller1 = 7;
    slider.controller2 = 39;
    slider.reserved = -2;
    slider.curve = kCurveRandom;
    slider.locked = 1;

    std::array<std::uint8_t, 544> expected{};
    Put(expected, 0, {'F', 'a', 'd', 'e', 'r', 0, 'x'});
    Put(expected, 500, {1, 0, 0, 0});
    Put(expected, 504, {0x78, 0x56, 0x34, 0x12});
    Put(expected, 508, {0x00, 0x00, 0x00, 0x3F});
    Put(expected, 512, {0x00, 0x00, 0x80, 0xBF});
    Put(expected, 516, {0x00, 0x00, 0x80, 0x3F});
    Put(expected, 520, {15, 0, 0, 0});
    Put(expected, 524, {7, 0, 0, 0});
    Put(expected, 528, {39, 0, 0, 0});
    Put(expected, 532, {0xFE, 0xFF, 0xFF, 0xFF});
    Put(expected, 536, {4, 0, 0, 0});
    Put(expected, 540, {1, 0, 0, 0});

    std::array<std::uint8_t, kSliderRecordSize> bytes;
    bytes.fill(0xAA);
    EncodeSlider(slider, bytes);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeSlider(expected), slider);
}

TEST(PanelRecords, SnapshotRecordHasItsValuesAfterTheName) {
    SnapshotRecord snapshot;
    std::memcpy(snapshot.name.data(), "Snap1", 5);
    for (int i = 0; i < kMaxSliders; ++i) {
        snapshot.values[static_cast<std::size_t>(i)] = i * 129 - 1;
    }
    snapshot.values[127] = 0x01020304;

    std::array<std::uint8_t, 1012> expected{};
    Put(expected, 0, {'S', 'n', 'a', 'p', '1'});
    Put(expected, 500, {0xFF, 0xFF, 0xFF, 0xFF}); // value 0: -1
    Put(expected, 504, {0x80, 0, 0, 0});          // value 1: 128
    for (std::size_t i = 2; i < 127; ++i) {
        const auto v = static_cast<std::uint32_t>(i * 129 - 1);
        Put(expected, 500 + 4 * i,
            {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), 0, 0});
    }
    Put(expected, 1008, {0x04, 0x03, 0x02, 0x01});

    std::array<std::uint8_t, kSnapshotRecordSize> bytes;
    bytes.fill(0xAA);
    EncodeSnapshot(snapshot, bytes);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeSnapshot(expected), snapshot);
}

TEST(PanelRecords, AnyBytesSurviveDecodeAndEncode) {
    // A record full of arbitrary bytes (no terminator in the name) comes back byte for byte.
    std::array<std::uint8_t, kSliderRecordSize> slider;
    for (std::size_t i = 0; i < slider.size(); ++i) {
        slider[i] = static_cast<std::uint8_t>(i * 37 + 1);
    }
    std::array<std::uint8_t, kSliderRecordSize> sliderAgain{};
    EncodeSlider(DecodeSlider(slider), sliderAgain);
    EXPECT_EQ(sliderAgain, slider);

    std::array<std::uint8_t, kSnapshotRecordSize> snapshot;
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        snapshot[i] = static_cast<std::uint8_t>(i * 53 + 7);
    }
    std::array<std::uint8_t, kSnapshotRecordSize> snapshotAgain{};
    EncodeSnapshot(DecodeSnapshot(snapshot), snapshotAgain);
    EXPECT_EQ(snapshotAgain, snapshot);
}

} // namespace
