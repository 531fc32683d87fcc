#pragma once
// The fixed records of the settings store, with their defaults and byte layouts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/SettingsStore.h"

inline constexpr std::size_t kPathWidth = 260;

struct GlobalRecord {
    std::int32_t flashOnExit = 0;
    std::int32_t smallButtons = 0;
    std::int32_t panelToolTips = 1;
    std::int32_t toolTipDelay = 1;
    std::int32_t toolBarLook = 2048; // 2048 flat ("coolbar"), 0 classic
    bool operator==(const GlobalRecord&) const = default;
};
inline constexpr std::size_t kGlobalRecordSize = 20;
inline constexpr std::int32_t kFlatToolBar = 2048;

struct HelpRecord {
    std::array<char, kPathWidth> browser{};
    std::array<char, kPathWidth> helpFile{};
    bool operator==(const HelpRecord&) const = default;
};
inline constexpr std::size_t kHelpRecordSize = 520;

// The platform's logical font record, kept byte for byte.
struct LogFontRecord {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::array<char, 32> faceName{};
    bool operator==(const LogFontRecord&) const = default;
};
inline constexpr std::size_t kLogFontRecordSize = 60;

struct EditorPrefsRecord {
    LogFontRecord font;
    std::int32_t saveScriptsBeforeRun = 1;
    bool operator==(const EditorPrefsRecord&) const = default;
};
inline constexpr std::size_t kEditorPrefsRecordSize = 64;

struct WindowPlacement {
    std::int32_t length = 44;
    std::int32_t flags = 0;
    std::int32_t showCmd = 1; // 1 normal, 2 minimised, 3 maximised
    std::int32_t minX = 0;
    std::int32_t minY = 0;
    std::int32_t maxX = 0;
    std::int32_t maxY = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const WindowPlacement&) const = default;
};
inline constexpr std::size_t kWindowPlacementSize = 44;

struct FrameWindowRecord {
    WindowPlacement placement;
    std::int32_t alwaysOnTop = -1;
};
inline constexpr std::size_t kFrameWindowRecordSize = 48;

struct BarsRecord {
    std::int32_t toolBarShown = 1;
    std::int32_t statusBarShown = 1;
};
inline constexpr std::size_t kBarsRecordSize = 8;

// "AudioRecorder", "MIDISend", "GlobalMemory", "ScratchPad" (48 bytes) and "MIDIScope" (52, with
// the filter flag).
struct ToolWindowRecord {
    WindowPlacement placement;
    std::int32_t open = 0;
    std::int32_t filterActiveSensing = 0;
};
inline constexpr std::size_t kToolWindowRecordSize = 48;
inline constexpr std::size_t kMidiScopeRecordSize = 52;
inline constexpr std::size_t kKeyboardMappingSize = 4;

void EncodeWindowPlacement(const WindowPlacement& placement, class ByteWriter& w);
WindowPlacement DecodeWindowPlacement(class ByteReader& r);

Bytes EncodeGlobal(const GlobalRecord& record);
Bytes EncodeHelp(const HelpRecord& record);
Bytes EncodeEditorPrefs(const EditorPrefsRecord& record);
Bytes EncodeFrameWindow(const FrameWindowRecord& record);
Bytes EncodeBars(const BarsRecord& record);
Bytes EncodeToolWindow(const ToolWindowRecord& record, bool withFilter);
Bytes EncodeInt32(std::int32_t value);

// Decoders take a value of exactly the record's size and refuse one whose fields the program
// could not use (a flag that is neither of its two values, a delay out of range, ...).
std::optional<GlobalRecord> DecodeGlobal(const Bytes& bytes);
std::optional<HelpRecord> DecodeHelp(const Bytes& bytes);
std::optional<EditorPrefsRecord> DecodeEditorPrefs(const Bytes& bytes);
std::optional<FrameWindowRecord> DecodeFrameWindow(const Bytes& bytes);
std::optional<BarsRecord> DecodeBars(const Bytes& bytes);
std::optional<ToolWindowRecord> DecodeToolWindow(const Bytes& bytes, bool withFilter);
// A toggled state: +1 or -1.
std::optional<std::int32_t> DecodeToggle(const Bytes& bytes);
