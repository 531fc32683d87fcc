#pragma once
// The slider and snapshot records. Their encoded forms are part of the project file, so they are
// written field by field in little-endian at fixed offsets, whatever the host's layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr int kMaxSliders = 128;
inline constexpr int kMaxFourteenBitSliders = 64;
// A default 14-bit slider pairs controller n with n + 64.
inline constexpr int kFourteenBitPairOffset = 64;
// Controllers 120 to 127 are the channel mode messages (All Sound Off ... Poly Mode On).
inline constexpr int kFirstChannelModeController = 120;
inline constexpr int kMaxSnapshots = 32767;
inline constexpr std::size_t kNameWidth = 500;
inline constexpr std::size_t kSliderRecordSize = 544;
inline constexpr std::size_t kSnapshotRecordSize = 1012;

inline constexpr std::int32_t kSevenBitType = 1;
inline constexpr std::int32_t kFourteenBitType = 0;
inline constexpr int kSevenBitRange = 127;
inline constexpr int kFourteenBitRange = 16383;

enum Curve : std::int32_t {
    kCurveLinear = 0,
    kCurveLogarithmic = 1,
    kCurveQuadratic = 2,
    kCurveCubic = 3,
    kCurveRandom = 4,
};
inline constexpr int kCurveCount = 5;

struct SliderRecord {
    std::array<char, kNameWidth> name{};
    std::int32_t type = 0; // 1 = 7-bit, 0 = 14-bit
    std::int32_t value = 0;
    float scaledValue = 0.0f;
    float minValue = 0.0f;
    float maxValue = 0.0f;
    std::int32_t channel = 0;
    std::int32_t controller1 = 0;
    std::int32_t controller2 = 0;
    std::int32_t reserved = 0;
    std::int32_t curve = 0;
    std::int32_t locked = 0;

    bool operator==(const SliderRecord&) const = default;
};

struct SnapshotRecord {
    std::array<char, kNameWidth> name{};
    std::array<std::int32_t, kMaxSliders> values{};

    bool operator==(const SnapshotRecord&) const = default;
};

// 127 for a 7-bit slider, 16383 for any other type.
inline int SliderRange(const SliderRecord& slider) {
    return slider.type == kSevenBitType ? kSevenBitRange : kFourteenBitRange;
}

void EncodeSlider(const SliderRecord& slider, std::span<std::uint8_t, kSliderRecordSize> out);
SliderRecord DecodeSlider(std::span<const std::uint8_t, kSliderRecordSize> in);
void EncodeSnapshot(const SnapshotRecord& snapshot,
                    std::span<std::uint8_t, kSnapshotRecordSize> out);
SnapshotRecord DecodeSnapshot(std::span<const std::uint8_t, kSnapshotRecordSize> in);
