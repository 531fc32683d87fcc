#include "panel/PanelText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "base/ByteCodec.h"
#include "panel/PanelState.h"
#include "resources/Strings.h"

std::string FormatPanelNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

float ParsePanelNumber(std::string_view text) {
    text = text.substr(0, kNumberTextWidth - 1);
    std::size_t start = 0;
    while (start < text.size() &&
           (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r'))) {
        ++start;
    }
    // The parser takes a minus sign but no plus sign; a lone plus reads as a non-number.
    if (start + 1 < text.size() && text[start] == '+' && text[start + 1] != '-') {
        ++start;
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const auto [end, error] =
        std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    // "inf" and "nan" are words, not numbers, and a float32 must be able to hold the result.
    if (error != std::errc() || end == first || !std::isfinite(value) ||
        std::fabs(value) > std::numeric_limits<float>::max()) {
        return 0.0f;
    }
    return static_cast<float>(value);
}

std::string CurveName(int curve) {
    return Str(kStrCurveLinear + (curve >= 0 && curve < kCurveCount ? curve : kCurveLinear));
}

std::string SliderToolTip(int index) {
    const SliderRecord& slider = g_sliders[static_cast<std::size_t>(index)];
    std::string text(TextOf(slider.name));
    text += " (" + CurveName(slider.curve);
    if (slider.type == kSevenBitType) {
        text += ", 7 bits) - CC " + std::to_string(slider.controller1);
    } else {
        text += ", 14 bits) - CC " + std::to_string(slider.controller1) + "/" +
                std::to_string(slider.controller2);
    }
    return text + " - Current: " + FormatPanelNumber(slider.scaledValue);
}

std::string FormatSliderSummary(int index) {
    const SliderRecord& slider = g_sliders[static_cast<std::size_t>(index)];
    std::string text(TextOf(slider.name));
    const std::string channel = " - Ch " + std::to_string(std::int64_t{slider.channel} + 1);
    if (slider.type == kSevenBitType) {
        text += " (7 bits)" + channel + " - CC " + std::to_string(slider.controller1);
    } else {
        text += " (14 bits)" + channel + " - CC " + std::to_string(slider.controller1) + "/" +
                std::to_string(slider.controller2);
    }
    return text + " - Min: " + FormatPanelNumber(slider.minValue) +
           " - Max: " + FormatPanelNumber(slider.maxValue) +
           " - Current: " + FormatPanelNumber(slider.scaledValue);
}

SliderPropertiesText DescribeSlider(int index) {
    const SliderRecord& slider = g_sliders[static_cast<std::size_t>(index)];
    SliderPropertiesText text;
    text.name = TextOf(slider.name);
    text.current = FormatPanelNumber(slider.scaledValue);
    text.minimum = FormatPanelNumber(slider.minValue);
    text.maximum = FormatPanelNumber(slider.maxValue);
    text.sevenBit = slider.type == kSevenBitType;
    text.channel = slider.channel;
    text.controller1 = slider.controller1;
    text.controller2 = slider.controller2;
    text.controller2Enabled = !text.sevenBit;
    text.curve = slider.curve >= 0 && slider.curve < kCurveCount ? slider.curve : kCurveLinear;
    return text;
}
