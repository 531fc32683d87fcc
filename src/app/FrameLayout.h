#pragma once
// The frame's own layout: the status bar parts and the tool bar band.

#include <array>
#include <string>

#include "base/SettingsRecords.h"

inline constexpr int kStatusPartCount = 5;
inline constexpr int kStatusPartHelp = 0;
inline constexpr int kStatusPartKeyboard = 3;
inline constexpr int kStatusPartLast = 4;

// The right edges of the five parts: 6, 12, 18 and 19 twentieths of the width, then the width.
std::array<int, kStatusPartCount> StatusPartEdges(int width);
// The texts of parts 1 to 4 that every layout writes again: the device texts, "KBM" while
// keyboard mapping is enabled, the empty last part.
std::array<std::string, 4> StatusTextsForLayout();
// "KBM" or empty, from the keyboard mapping flag.
std::string KeyboardMappingStatusText();

// The tool bar's buttons (32 or 16 pixels) and its band: 38 pixels, 22 with small buttons,
// 3 more when the flat "coolbar" look is off.
int ToolButtonSize(const GlobalRecord& global);
int ToolBandHeight(const GlobalRecord& global);
