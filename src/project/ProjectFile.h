#pragma once
// The ".VTP" project file: a 1636-byte header, the slider records, then the snapshot records,
// little-endian at fixed offsets. The template library stores its projects in the same layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/ByteCodec.h"
#include "base/SettingsRecords.h"
#include "engine/AudioFormats.h"
#include "panel/PanelRecords.h"
#include "snapshots/SnapshotState.h"

inline constexpr std::size_t kProjectHeaderSize = 1636;
inline constexpr std::size_t kWindowStateSize = 52;
inline constexpr std::size_t kMagicWidth = 100;
inline constexpr std::size_t kProjectNameWidth = 500;
inline constexpr std::size_t kProjectPathWidth = 260;
inline constexpr std::string_view kProjectMagic = "<Ventaro Project File>\r\n";
inline constexpr int kProjectWindowCount = 4;
inline constexpr int kMinScrollStep = 1;
inline constexpr int kMaxScrollStep = 30;

// The project windows in the header's order.
enum ProjectWindow : int {
    kWindowVirtualPanel = 0,
    kWindowGesture = 1,
    kWindowProjectManager = 2,
    kWindowScriptEditor = 3,
};

using ProjectText260 = std::array<char, kProjectPathWidth>;

inline constexpr WindowPlacement kZeroPlacement{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct WindowState {
    std::int32_t placementValid = 0;
    WindowPlacement placement = kZeroPlacement;
    std::int32_t visible = 0;
    bool operator==(const WindowState&) const = default;
};

struct ProjectHeader {
    std::array<char, kMagicWidth> magic{};
    std::array<char, kProjectNameWidth> projectName{};
    std::int32_t sliderCount = 0;
    std::int32_t snapshotCount = 0;
    std::int32_t controlStyle = 0;
    std::int32_t scrollStep = 0;
    std::array<std::uint8_t, 3> startMessage{};
    std::array<std::uint8_t, 3> stopMessage{};
    std::array<std::uint8_t, 2> reserved{}; // carried as found, never interpreted
    std::int32_t managerIconSize = 0;
    std::array<std::int32_t, kGestureCorners> gestureSnapshots{};
    std::array<ProjectText260, 2> scriptPaths{};
    ProjectText260 audioOutputFile{};
    std::int32_t audioFormatIndex = 0;
    std::array<WindowState, kProjectWindowCount> windows{};
    bool operator==(const ProjectHeader&) const = default;
};

// The size of a file holding these counts.
std::size_t ProjectImageSize(int sliderCount, int snapshotCount);
// The largest file the reader takes: 128 sliders and 32767 snapshots.
inline constexpr std::size_t kMaxProjectImageSize =
    kProjectHeaderSize + kMaxSliders * kSliderRecordSize + kMaxSnapshots * kSnapshotRecordSize;

void EncodeWindowState(const WindowState& state, ByteWriter& w);
WindowState DecodeWindowState(ByteReader& r);
// Text fields are written up to their terminator and zero-filled after it.
void EncodeProjectHeader(const ProjectHeader& header,
                         std::span<std::uint8_t, kProjectHeaderSize> out);
// A text field without a terminator inside its width is cut so that it keeps one.
ProjectHeader DecodeProjectHeader(std::span<const std::uint8_t, kProjectHeaderSize> in);

// The whole file: the header (whose counts say how many records follow), the first sliderCount
// sliders and snapshots 1..snapshotCount. The counts must lie within the limits.
std::vector<std::uint8_t> EncodeProjectImage(const ProjectHeader& header,
                                             std::span<const SliderRecord, kMaxSliders> sliders,
                                             const SnapshotStore& snapshots);

enum class ImageCheck {
    Ok,
    Short,   // the image ends before its header or its records do
    Invalid, // wrong magic, counts beyond the limits, or a record the program cannot use
};

// Checks an image before anything of it is taken: header, counts, length and every record.
// `header` receives the decoded header whenever the image is at least a header long.
ImageCheck CheckProjectImage(std::span<const std::uint8_t> image, bool testMagic,
                             ProjectHeader& header);
// A slider whose type, position, channel, controllers, curve and bounds the program can use.
bool IsUsableSlider(const SliderRecord& slider);

// The records of a checked image, by index: slider i (0-based), snapshot n (1-based).
SliderRecord ImageSlider(std::span<const std::uint8_t> image, int index);
SnapshotRecord ImageSnapshot(std::span<const std::uint8_t> image, int sliderCount, int number);
