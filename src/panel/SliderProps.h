#pragma once
// The slider properties dialog without its window: opening fills an editable copy of the
// dialog's fields, the control handlers change the copy, OK validates and stores it, Cancel
// drops it. The window only fills its controls from the copy and reads them back into it.

#include <cstdint>
#include <string>
#include <string_view>

// The texts and selections of the dialog's controls. The chosen type, channel, controllers
// and locked flag are kept in the validation scratch (g_sliderScratch) as the user picks them.
struct SliderPropsFields {
    std::string name;    // 14006
    std::string current; // 14009..14011, as typed
    std::string minimum;
    std::string maximum;
    std::int32_t curve = 0; // 14016
};

// Set by the panel configuration around its call, so that OK leaves the project manager alone.
extern int g_sliderPropsFromPanelProps;

// Opens the dialog on the slider of that name: 1 with the fields filled, or 0 after "Error:
// can't locate the selected slider!", the dialog then ending as Cancel does.
int OpenSliderProps(std::string_view sliderName, SliderPropsFields& fields);

// The control changes; nothing reaches the slider before OK.
void ChooseSliderPropsType(std::int32_t type); // 14007 → 1, 14008 → 0
void ChooseSliderPropsChannel(std::int32_t channel);
void ChooseSliderPropsController1(std::int32_t controller);
void ChooseSliderPropsController2(std::int32_t controller);
void ToggleSliderPropsLocked();
// Whether the controller 2 list is enabled for the chosen type.
bool SliderPropsController2Enabled();

// OK: 1 when the dialog ends with the slider stored, 0 when a refusal keeps it open.
int AcceptSliderProps(const SliderPropsFields& fields);
// Cancel: the dialog ends with 0.
int CancelSliderProps();
