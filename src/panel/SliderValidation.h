#pragma once
// The checks that guard every edit of a slider: the properties dialog and the in-place editors
// of the panel both run them. Each shows its message through g_ui and answers 1 (accepted) or
// 0 (refused); a declined question counts as a refusal.

#include <cstddef>
#include <cstdint>
#include <string_view>

// The choices under validation, shared by the dialog and the panel's editors.
struct SliderScratch {
    std::int32_t type = 1; // 1 = 7 bits, 0 = 14 bits
    std::int32_t channel = 0;
    std::int32_t controller1 = 0;
    std::int32_t controller2 = 0;
    std::int32_t locked = 0;
    float current = 0.0f; // parsed by ValidateSliderNumbers
    float minimum = 0.0f;
    float maximum = 0.0f;
};

extern SliderScratch g_sliderScratch;
// 1 while the slider properties dialog is open (the slider search and project manager ask).
extern int g_sliderPropsOpen;

// A name is held in 499 characters and its terminator.
std::string_view CutSliderName(std::string_view text);

// Not empty and not the name of another slider than g_editedSlider.
int ValidateSliderName(std::string_view text);
// The panel keeps at most 64 14-bit sliders, counting the edited one as the chosen type says.
int ValidateFourteenBitCount();
// min ≤ max and min ≤ current ≤ max; the parsed numbers stay in the scratch.
int ValidateSliderNumbers(std::string_view current, std::string_view minimum,
                          std::string_view maximum);
// Asks before a controller already used by another slider (on any channel) is taken.
int ValidateControllers();
// The channel mode message a controller number sends ("All Notes Off" for 123), or nothing
// for an ordinary controller (0 to 119).
const char* ChannelModeMessageName(int controller);

// The position of a current value between min and max on a range of `range` steps; 0 when min
// equals max, and always within 0..range.
std::int32_t PositionFromValue(float current, float minimum, float maximum, int range);
