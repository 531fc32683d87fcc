#include "tools/FindSlider.h"

#include <cctype>
#include <limits>

#include "base/ByteCodec.h"
#include "panel/PanelRecords.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "resources/Strings.h"

int g_findCriterion = kFindByName;
std::string g_findText;

namespace {

bool Matches(const SliderRecord& slider, int criterion, std::string_view text) {
    const bool sevenBit = slider.type == kSevenBitType;
    switch (criterion) {
    case kFindByName:
        return TextOf(slider.name) == text;
    case kFindByValue:
        return slider.scaledValue == ParsePanelNumber(text);
    case kFindByMin:
        return slider.minValue == ParsePanelNumber(text);
    case kFindByMax:
        return slider.maxValue == ParsePanelNumber(text);
    case kFindByType:
        return LeadingInteger(text) == (sevenBit ? 7 : 14);
    case kFindByChannel:
        return LeadingInteger(text) == std::int64_t{slider.channel} + 1;
    case kFindByController1:
        return LeadingInteger(text) == slider.controller1;
    case kFindByController2:
        return !sevenBit && LeadingInteger(text) == slider.controller2;
    default:
        return false;
    }
}

} // namespace

std::string FindCriterionName(int criterion) {
    return Str(kStrFindByName + criterion);
}

long long LeadingInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    at += at < text.size() && (text[at] == '-' || text[at] == '+');
    // Saturated well above any number a slider holds, so that a long digit run cannot overflow.
    constexpr long long kLimit = std::numeric_limits<int>::max();
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = std::min(kLimit, value * 10 + (text[at] - '0'));
    }
    return negative ? -value : value;
}

std::vector<FindRow> FindSliders(int criterion, std::string_view text) {
    std::vector<FindRow> rows;
    for (int i = 0; i < g_sliderCount; ++i) {
        if (Matches(g_sliders[static_cast<std::size_t>(i)], criterion, text)) {
            rows.push_back({FormatSliderSummary(i), i});
        }
    }
    if (rows.empty()) {
        rows.push_back({Str(kStrNoSlidersFound), kNoSliderRow});
    }
    return rows;
}

void ResetFindSliderState() {
    g_findCriterion = kFindByName;
    g_findText.clear();
}
