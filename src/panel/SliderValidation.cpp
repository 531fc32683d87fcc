#include "panel/SliderValidation.h"

#include <cmath>
#include <string>

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "resources/Strings.h"

namespace {

std::string WithSliderNumber(int id, int index) {
    return Str(id) + std::to_string(index + 1) + ")";
}

bool UsesController(const SliderRecord& slider, std::int32_t controller, bool asSecond) {
    return slider.controller1 == controller ||
           (asSecond && slider.type == kFourteenBitType && slider.controller2 == controller);
}

// A slider on a channel mode controller silences or resets the receiver whenever it moves:
// the user confirms it as a controller already in use is confirmed.
bool AcceptChannelMode(int controller) {
    const char* name = ChannelModeMessageName(controller);
    if (!name) {
        return true;
    }
    std::string text = Str(kStrChannelModeController);
    text.replace(text.find("%d"), 2, std::to_string(controller));
    text.replace(text.find("%s"), 2, name);
    return AskYesNo(text, MessageIcon::Question);
}

} // namespace

const char* ChannelModeMessageName(int controller) {
    static const char* const kNames[] = {"All Sound Off", "Reset All Controllers", "Local Control",
                                         "All Notes Off", "Omni Mode Off",         "Omni Mode On",
                                         "Mono Mode On",  "Poly Mode On"};
    return controller >= kFirstChannelModeController && controller <= 127
               ? kNames[controller - kFirstChannelModeController]
               : nullptr;
}

std::string_view CutSliderName(std::string_view text) {
    return text.substr(0, kNameWidth - 1);
}

int ValidateSliderName(std::string_view text) {
    const std::string_view name = CutSliderName(text);
    if (name.empty()) {
        ShowWarning(Str(kStrFieldEmpty));
        return 0;
    }
    for (int j = 0; j < g_sliderCount; ++j) {
        if (j != g_editedSlider && TextOf(g_sliders[static_cast<std::size_t>(j)].name) == name) {
            ShowWarning(WithSliderNumber(kStrNameInUse, j));
            return 0;
        }
    }
    return 1;
}

int ValidateFourteenBitCount() {
    // The edited slider counts once, as the type chosen for it.
    int count = g_sliderScratch.type == kFourteenBitType ? 1 : 0;
    for (int j = 0; j < g_sliderCount; ++j) {
        if (j != g_editedSlider &&
            g_sliders[static_cast<std::size_t>(j)].type == kFourteenBitType) {
            ++count;
        }
    }
    if (count > kMaxFourteenBitSliders) {
        ShowWarning(Str(kStrTooManyFourteenBit));
        return 0;
    }
    return 1;
}

int ValidateSliderNumbers(std::string_view current, std::string_view minimum,
                          std::string_view maximum) {
    SliderScratch& scratch = g_sliderScratch;
    scratch.current = ParsePanelNumber(current);
    scratch.minimum = ParsePanelNumber(minimum);
    scratch.maximum = ParsePanelNumber(maximum);
    if (scratch.minimum > scratch.maximum) {
        ShowWarning(Str(kStrMinAboveMax));
        return 0;
    }
    if (scratch.current > scratch.maximum || scratch.current < scratch.minimum) {
        ShowWarning(Str(kStrCurrentOutOfRange));
        return 0;
    }
    return 1;
}

int ValidateControllers() {
    const SliderScratch& scratch = g_sliderScratch;
    const bool fourteenBit = scratch.type == kFourteenBitType;
    for (int j = 0; j < g_sliderCount; ++j) {
        if (j != g_editedSlider &&
            UsesController(g_sliders[static_cast<std::size_t>(j)], scratch.controller1,
                           fourteenBit) &&
            !AskYesNo(WithSliderNumber(kStrController1InUse, j), MessageIcon::Question)) {
            return 0;
        }
    }
    if (!AcceptChannelMode(scratch.controller1)) {
        return 0;
    }
    if (!fourteenBit) {
        return 1;
    }
    if (scratch.controller1 == scratch.controller2 &&
        !AskYesNo(Str(kStrControllersSame), MessageIcon::Question)) {
        return 0;
    }
    for (int j = 0; j < g_sliderCount; ++j) {
        if (j != g_editedSlider &&
            UsesController(g_sliders[static_cast<std::size_t>(j)], scratch.controller2, true) &&
            !AskYesNo(WithSliderNumber(kStrController2InUse, j), MessageIcon::Question)) {
            return 0;
        }
    }
    return AcceptChannelMode(scratch.controller2) ? 1 : 0;
}

std::int32_t PositionFromValue(float current, float minimum, float maximum, int range) {
    const double span = static_cast<double>(maximum) - minimum;
    if (!(span > 0.0)) {
        return 0; // min equals max: every current value is the bottom of the range
    }
    const double position = std::trunc(range * (static_cast<double>(current) - minimum) / span);
    if (!(position > 0.0)) {
        return 0;
    }
    return position < range ? static_cast<std::int32_t>(position) : range;
}
