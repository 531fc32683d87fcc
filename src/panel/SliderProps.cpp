#include "panel/SliderProps.h"

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "panel/PanelViews.h"
#include "panel/SliderValidation.h"
#include "resources/Strings.h"

int OpenSliderProps(std::string_view sliderName, SliderPropsFields& fields) {
    g_sliderPropsOpen = 1;
    const int index = FindSliderByName(sliderName);
    if (index == kSliderNotFound) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrSliderNotFound), MessageIcon::Warning);
        }
        return CancelSliderProps();
    }
    g_editedSlider = index;
    const SliderRecord& slider = g_sliders[static_cast<std::size_t>(index)];
    SliderScratch& scratch = g_sliderScratch;
    scratch.type = slider.type == kSevenBitType ? kSevenBitType : kFourteenBitType;
    scratch.channel = slider.channel;
    scratch.controller1 = slider.controller1;
    scratch.controller2 = slider.controller2;
    scratch.locked = slider.locked;
    fields.name = TextOf(slider.name);
    fields.current = FormatPanelNumber(slider.scaledValue);
    fields.minimum = FormatPanelNumber(slider.minValue);
    fields.maximum = FormatPanelNumber(slider.maxValue);
    fields.curve = slider.curve;
    return 1;
}

void ChooseSliderPropsType(std::int32_t type) {
    g_sliderScratch.type = type == kSevenBitType ? kSevenBitType : kFourteenBitType;
}

void ChooseSliderPropsChannel(std::int32_t channel) {
    g_sliderScratch.channel = channel;
}

void ChooseSliderPropsController1(std::int32_t controller) {
    g_sliderScratch.controller1 = controller;
}

void ChooseSliderPropsController2(std::int32_t controller) {
    g_sliderScratch.controller2 = controller;
}

void ToggleSliderPropsLocked() {
    g_sliderScratch.locked = g_sliderScratch.locked == 1 ? 0 : 1;
}

bool SliderPropsController2Enabled() {
    return g_sliderScratch.type == kFourteenBitType;
}

int AcceptSliderProps(const SliderPropsFields& fields) {
    if (!ValidateSliderName(fields.name) || !ValidateFourteenBitCount() ||
        !ValidateSliderNumbers(fields.current, fields.minimum, fields.maximum) ||
        !ValidateControllers()) {
        return 0;
    }
    const int index = g_editedSlider;
    const SliderScratch& scratch = g_sliderScratch;
    SliderRecord& slider = g_sliders[static_cast<std::size_t>(index)];
    SetText(slider.name, CutSliderName(fields.name));
    slider.type = scratch.type;
    slider.minValue = scratch.minimum;
    slider.maxValue = scratch.maximum;
    slider.scaledValue = scratch.current;
    slider.value =
        PositionFromValue(scratch.current, scratch.minimum, scratch.maximum, SliderRange(slider));
    slider.channel = scratch.channel;
    slider.controller1 = scratch.controller1;
    slider.controller2 = scratch.controller2;
    slider.locked = scratch.locked;
    slider.curve = fields.curve;

    if (g_panelWindow) {
        // The panel's control takes the new range and position, the current slider through
        // the panel's own one-step scroll, which sends it.
        g_panelWindow->SetSliderRange(index, SliderRange(slider));
        g_panelWindow->SetSliderPosition(index, slider.value);
        if (index == CurrentSlider()) {
            MoveSlider(index, kScrollLineUp);
        }
        g_panelWindow->SetLockBox(index, slider.locked == 1);
    }
    if (g_sliderPropsFromPanelProps != 1) {
        RebuildProjectManager(ProjectBranch::Panel);
    }
    g_sliderPropsOpen = 0;
    return 1;
}

int CancelSliderProps() {
    g_sliderPropsOpen = 0;
    return 0;
}
