#pragma once
// The panel's numbers as text and back, and the one-line descriptions of a slider: the tool tip,
// the search summary and the "Slider properties" box.

#include <cstddef>
#include <string>
#include <string_view>

#include "panel/PanelViews.h"

// The edits hand over at most this many characters of a number.
inline constexpr std::size_t kNumberTextWidth = 255;

// Ten significant digits in the general format: no trailing zeros, exponent form only for very
// large or very small magnitudes (0.5 → "0.5", 127 → "127", 1e-05 → "1e-05").
std::string FormatPanelNumber(double value);
// A decimal number read from its leading characters; text that is not a number, and a number a
// float32 cannot hold, reads as 0.
float ParsePanelNumber(std::string_view text);

// "Linear", "Logarithmic", "Quadratic", "Cubic", "Random"; a curve number the program does not
// know maps linearly and is named so.
std::string CurveName(int curve);

// "Cutoff (Logarithmic, 7 bits) - CC 74 - Current: 0.5" or "... 14 bits) - CC 1/33 - ...".
std::string SliderToolTip(int slider);
// "Cutoff (7 bits) - Ch 1 - CC 74 - Min: 0 - Max: 1 - Current: 0.5" or the 14-bit form.
std::string FormatSliderSummary(int slider);
SliderPropertiesText DescribeSlider(int slider);
