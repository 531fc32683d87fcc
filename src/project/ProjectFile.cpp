#include "project/ProjectFile.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "base/ByteCodec.h"

namespace {

template <std::size_t N> void PutField(ByteWriter& w, const std::array<char, N>& field) {
    w.PutText(TextOf(field), N);
}

template <std::size_t N> void GetField(ByteReader& r, std::array<char, N>& field) {
    SetText(field, r.GetText(N));
}

// A name without a terminator inside its field is cut at the field's last byte.
void TerminateName(std::array<char, kNameWidth>& name) {
    if (!std::memchr(name.data(), 0, name.size())) {
        name.back() = '\0';
    }
}

// On a little-endian host a snapshot's memory is its file record: 32767 of them are copied
// whole instead of value by value.
constexpr bool kRecordIsFileLayout = std::endian::native == std::endian::little &&
                                     sizeof(SnapshotRecord) == kSnapshotRecordSize &&
                                     offsetof(SnapshotRecord, values) == kNameWidth;

void PutSnapshot(const SnapshotRecord& snapshot, std::uint8_t* at) {
    if constexpr (kRecordIsFileLayout) {
        std::memcpy(at, &snapshot, kSnapshotRecordSize);
    } else {
        EncodeSnapshot(snapshot,
                       std::span<std::uint8_t, kSnapshotRecordSize>(at, kSnapshotRecordSize));
    }
}

SnapshotRecord GetSnapshot(const std::uint8_t* at) {
    if constexpr (kRecordIsFileLayout) {
        SnapshotRecord snapshot;
        std::memcpy(&snapshot, at, kSnapshotRecordSize);
        return snapshot;
    } else {
        return DecodeSnapshot(
            std::span<const std::uint8_t, kSnapshotRecordSize>(at, kSnapshotRecordSize));
    }
}

} // namespace

std::size_t ProjectImageSize(int sliderCount, int snapshotCount) {
    return kProjectHeaderSize + static_cast<std::size_t>(sliderCount) * kSliderRecordSize +
           static_cast<std::size_t>(snapshotCount) * kSnapshotRecordSize;
}

void EncodeWindowState(const WindowState& state, ByteWriter& w) {
    w.PutI32(state.placementValid);
    EncodeWindowPlacement(state.placement, w);
    w.PutI32(state.visible);
}

WindowState DecodeWindowState(ByteReader& r) {
    WindowState state;
    state.placementValid = r.GetI32();
    state.placement = DecodeWindowPlacement(r);
    state.visible = r.GetI32();
    return state;
}

void EncodeProjectHeader(const ProjectHeader& header,
                         std::span<std::uint8_t, kProjectHeaderSize> out) {
    ByteWriter w(out);
    PutField(w, header.magic);
    PutField(w, header.projectName);
    w.PutI32(header.sliderCount);
    w.PutI32(header.snapshotCount);
    w.PutI32(header.controlStyle);
    w.PutI32(header.scrollStep);
    w.PutBytes(header.startMessage);
    w.PutBytes(header.stopMessage);
    w.PutBytes(header.reserved);
    w.PutI32(header.managerIconSize);
    for (std::int32_t corner : header.gestureSnapshots) {
        w.PutI32(corner);
    }
    PutField(w, header.scriptPaths[0]);
    PutField(w, header.scriptPaths[1]);
    PutField(w, header.audioOutputFile);
    w.PutI32(header.audioFormatIndex);
    for (const WindowState& window : header.windows) {
        EncodeWindowState(window, w);
    }
}

ProjectHeader DecodeProjectHeader(std::span<const std::uint8_t, kProjectHeaderSize> in) {
    ByteReader r(in);
    ProjectHeader header;
    GetField(r, header.magic);
    GetField(r, header.projectName);
    header.sliderCount = r.GetI32();
    header.snapshotCount = r.GetI32();
    header.controlStyle = r.GetI32();
    header.scrollStep = r.GetI32();
    r.GetBytes(header.startMessage);
    r.GetBytes(header.stopMessage);
    r.GetBytes(header.reserved);
    header.managerIconSize = r.GetI32();
    for (std::int32_t& corner : header.gestureSnapshots) {
        corner = r.GetI32();
    }
    GetField(r, header.scriptPaths[0]);
    GetField(r, header.scriptPaths[1]);
    GetField(r, header.audioOutputFile);
    header.audioFormatIndex = r.GetI32();
    for (WindowState& window : header.windows) {
        window = DecodeWindowState(r);
    }
    return header;
}

std::vector<std::uint8_t> EncodeProjectImage(const ProjectHeader& header,
                                             std::span<const SliderRecord, kMaxSliders> sliders,
                                             const SnapshotStore& snapshots) {
    std::vector<std::uint8_t> image(ProjectImageSize(header.sliderCount, header.snapshotCount));
    std::uint8_t* at = image.data();
    EncodeProjectHeader(header,
                        std::span<std::uint8_t, kProjectHeaderSize>(at, kProjectHeaderSize));
    at += kProjectHeaderSize;
    for (int i = 0; i < header.sliderCount; ++i) {
        EncodeSlider(sliders[static_cast<std::size_t>(i)],
                     std::span<std::uint8_t, kSliderRecordSize>(at, kSliderRecordSize));
        at += kSliderRecordSize;
    }
    for (int n = 1; n <= header.snapshotCount; ++n) {
        PutSnapshot(snapshots.Peek(n), at);
        at += kSnapshotRecordSize;
    }
    return image;
}

bool IsUsableSlider(const SliderRecord& slider) {
    const bool typeKnown = slider.type == kSevenBitType || slider.type == kFourteenBitType;
    return typeKnown && slider.value >= 0 && slider.value <= SliderRange(slider) &&
           slider.channel >= 0 && slider.channel <= 15 && slider.controller1 >= 0 &&
           slider.controller1 <= 127 && slider.controller2 >= 0 && slider.controller2 <= 127 &&
           slider.curve >= 0 && slider.curve < kCurveCount && std::isfinite(slider.scaledValue) &&
           std::isfinite(slider.minValue) && std::isfinite(slider.maxValue);
}

ImageCheck CheckProjectImage(std::span<const std::uint8_t> image, bool testMagic,
                             ProjectHeader& header) {
    if (image.size() < kProjectHeaderSize) {
        return ImageCheck::Short;
    }
    header = DecodeProjectHeader(image.first<kProjectHeaderSize>());
    if (testMagic && TextOf(header.magic) != kProjectMagic) {
        return ImageCheck::Invalid;
    }
    if (header.sliderCount < 1 || header.sliderCount > kMaxSliders || header.snapshotCount < 0 ||
        header.snapshotCount > kMaxSnapshots || header.scrollStep < kMinScrollStep ||
        header.scrollStep > kMaxScrollStep || header.audioFormatIndex < 0 ||
        header.audioFormatIndex >= kAudioFormatCount) {
        return ImageCheck::Invalid;
    }
    if (image.size() < ProjectImageSize(header.sliderCount, header.snapshotCount)) {
        return ImageCheck::Short;
    }
    for (int i = 0; i < header.sliderCount; ++i) {
        if (!IsUsableSlider(ImageSlider(image, i))) {
            return ImageCheck::Invalid;
        }
    }
    return ImageCheck::Ok;
}

SliderRecord ImageSlider(std::span<const std::uint8_t> image, int index) {
    const std::size_t offset =
        kProjectHeaderSize + static_cast<std::size_t>(index) * kSliderRecordSize;
    SliderRecord slider = DecodeSlider(image.subspan(offset).first<kSliderRecordSize>());
    TerminateName(slider.name);
    return slider;
}

SnapshotRecord ImageSnapshot(std::span<const std::uint8_t> image, int sliderCount, int number) {
    const std::size_t offset = ProjectImageSize(sliderCount, number - 1);
    SnapshotRecord snapshot =
        GetSnapshot(image.subspan(offset).first<kSnapshotRecordSize>().data());
    TerminateName(snapshot.name);
    return snapshot;
}
