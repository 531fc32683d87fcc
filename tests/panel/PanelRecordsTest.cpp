#include <gtest/gtest.h>

#include <cstring>

#include "fakes/ExpectedBytes.h"
#include "panel/PanelRecords.h"

namespace {

// Encodes to exactly `expected` over other bytes and decodes back; any bytes at all round-trip.
template <std::size_t N, class Record, class Encode, class Decode>
void ExpectRecord(const Record& record, const ExpectedBytes& expected, Encode encode,
                  Decode decode) {
    ASSERT_EQ(expected.bytes.size(), N);
    std::array<std::uint8_t, N> bytes;
    bytes.fill(0xAA);
    encode(record, bytes);
    EXPECT_EQ(std::vector(bytes.begin(), bytes.end()), expected.bytes);
    std::copy(expected.bytes.begin(), expected.bytes.end(), bytes.begin());
    EXPECT_EQ(decode(bytes), record);
    for (std::size_t i = 0; i < N; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 1);
    }
    std::array<std::uint8_t, N> again{};
    encode(decode(bytes), again);
    EXPECT_EQ(again, bytes);
}

TEST(PanelRecords, SliderAndSnapshotRecordsHaveTheirFieldsAtTheirOffsets) {
    // type, value, scaled value, minimum, maximum, channel, controllers, reserved, curve, locked
    SliderRecord slider{{}, kSevenBitType, 0x12345678, 0.5f, -1.0f, 1.0f, 15, 7, 39,
                        -2, kCurveRandom,  1};
    std::memcpy(slider.name.data(), "Fader\0x", 7); // bytes after the terminator are kept too
    ExpectedBytes e(544);
    e.Text(0, std::string_view("Fader\0x", 7));
    std::size_t at = 500;
    for (std::int32_t v : {1, 0x12345678, 0x3F000000, static_cast<std::int32_t>(0xBF800000),
                           0x3F800000, 15, 7, 39, -2, 4, 1}) {
        e.I32(at, v);
        at += 4;
    }
    ExpectRecord<544>(slider, e, EncodeSlider, DecodeSlider);

    SnapshotRecord snapshot;
    std::memcpy(snapshot.name.data(), "Snap1", 5);
    ExpectedBytes s(1012);
    s.Text(0, "Snap1");
    for (std::size_t i = 0; i < kMaxSliders; ++i) {
        snapshot.values[i] = static_cast<std::int32_t>(i * 129) - 1; // value 0 is -1: FF FF FF FF
        s.I32(500 + 4 * i, snapshot.values[i]);
    }
    ExpectRecord<1012>(snapshot, s, EncodeSnapshot, DecodeSnapshot);
}

} // namespace
