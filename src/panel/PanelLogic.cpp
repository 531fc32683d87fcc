#include "panel/PanelLogic.h"

#include <algorithm>
#include <cmath>

#include "base/ByteCodec.h"
#include "panel/PanelState.h"
#include "panel/PanelText.h"
#include "panel/PanelViews.h"
#include "panel/SliderOutput.h"
#include "panel/SliderValidation.h"
#include "project/ProjectFile.h"
#include "random/NoiseSources.h"
#include "resources/Strings.h"
#include "snapshots/Snapshots.h"

namespace {

SliderRecord& Slider(int index) {
    return g_sliders[static_cast<std::size_t>(index)];
}

// A fresh uniform draw in [0, 1) of the program's own source.
double Draw() {
    return NoiseSource(randomSourceSelector, &randomSeed);
}

std::int32_t Truncated(double value) {
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), -1.0, 32768.0));
}

// The position a preset gives slider i of n; none for a command that is not a preset.
std::optional<std::int32_t> PresetValue(int command, int i, int n, int r) {
    const int h = n / 2;
    switch (command) {
    case kCommandPresetReset:
        return 0;
    case kCommandPresetMaximize:
        return r;
    case kCommandPresetHalf:
        return r / 2;
    case kCommandPresetLeftToRight:
        return (r / (n - 1)) * i;
    case kCommandPresetRightToLeft:
        return (r / (n - 1)) * (n - 1 - i);
    case kCommandPresetTriangle:
        return (r / h) * (i < h ? (n - 1) / 2 - i : i - h);
    case kCommandPresetInverseTriangle:
        return (r / h) * (i < h ? i : n - 1 - i);
    case kCommandPresetLowRandom:
        return Truncated(Draw() * r * 0.25);
    case kCommandPresetMediumRandom:
        return Truncated(Draw() * r * 0.25 + r / 8 + r / 4);
    case kCommandPresetHighRandom:
        return Truncated(Draw() * r * 0.25 + (r / 4) * 3);
    default:
        return std::nullopt;
    }
}

} // namespace

void SetLinearPosition(SliderRecord& slider, std::int32_t value) {
    const int range = SliderRange(slider);
    slider.value = std::clamp(value, 0, range);
    slider.scaledValue = static_cast<float>(
        (static_cast<double>(slider.maxValue) - slider.minValue) / range * slider.value +
        slider.minValue);
}

std::string PresetMenuText(int command) {
    if (command < kCommandPresetReset || command > kCommandPresetHighRandom) {
        return {};
    }
    return Str(kStrPresetReset + (command - kCommandPresetReset));
}

std::optional<std::int32_t> ScrolledValue(std::int32_t value, int range, int code,
                                          int thumbPosition, int scrollStep) {
    const int page = range / std::clamp(scrollStep, kMinScrollStep, kMaxScrollStep);
    std::int64_t next = value;
    switch (code) {
    case kScrollLineUp:
        next = std::max<std::int64_t>(next - 1, 0);
        break;
    case kScrollLineDown:
        next = std::min<std::int64_t>(next + 1, range);
        break;
    case kScrollPageUp:
        next = std::max<std::int64_t>(next - page - 1, 0);
        break;
    case kScrollPageDown:
        next = std::min<std::int64_t>(next + page + 1, range);
        break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        next = thumbPosition;
        break;
    case kScrollTop:
        next = 0;
        break;
    case kScrollBottom:
        next = range;
        break;
    default:
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(next, 0, range));
}

int CurrentSlider() {
    g_currentSlider = std::clamp(g_currentSlider, 0, std::max(g_sliderCount - 1, 0));
    return g_currentSlider;
}

namespace {

// Slider i becomes the current one, with its controllers in the validation scratch.
SliderRecord& MakeCurrent(int index) {
    SliderRecord& slider = Slider(index);
    g_currentSlider = index;
    g_sliderScratch.channel = slider.channel;
    g_sliderScratch.controller1 = slider.controller1;
    g_sliderScratch.controller2 = slider.controller2;
    g_sliderScratch.type = slider.type;
    if (g_panelWindow) {
        g_panelWindow->SetSliderRange(index, SliderRange(slider));
    }
    return slider;
}

void ShowProperties(int index) {
    if (g_panelWindow) {
        g_panelWindow->ShowSliderProperties(DescribeSlider(index));
        g_panelWindow->ShowCurrentValue(FormatPanelNumber(Slider(index).scaledValue));
    }
}

} // namespace

void MoveSlider(int index, int code, int thumbPosition) {
    SliderRecord& slider = MakeCurrent(index);
    const std::optional<std::int32_t> value =
        ScrolledValue(slider.value, SliderRange(slider), code, thumbPosition, g_scrollStep);
    if (!value) {
        return;
    }
    SetLinearPosition(slider, *value);
    if (g_panelWindow) {
        g_panelWindow->ShowSliderProperties(DescribeSlider(index));
    }
    SendSlider(index);
    if (g_panelWindow) {
        g_panelWindow->ShowCurrentValue(FormatPanelNumber(slider.scaledValue));
    }
}

// Opening or resizing the panel only shows the current slider again: moving it a step down
// and sending it, as a resize once did, changed the sound and marked the project changed.
void ReselectCurrentSlider() {
    const int index = CurrentSlider();
    if (g_sliderCount < 1) {
        return;
    }
    MakeCurrent(index);
    ShowProperties(index);
}

void ShowPanelContents() {
    if (!g_panelWindow) {
        return;
    }
    g_panelWindow->SetTransportButton(g_transportStopped);
    for (int i = 0; i < g_sliderCount; ++i) {
        const SliderRecord& slider = Slider(i);
        g_panelWindow->SetSliderRange(i, SliderRange(slider));
        g_panelWindow->SetSliderPosition(i, slider.value);
        g_panelWindow->SetLockBox(i, slider.locked == 1);
    }
    g_panelWindow->FillSnapshotList(SnapshotListItems(), g_snapshotCount);
}

void RunPreset(int command) {
    const int n = g_sliderCount;
    const bool ramp = command == kCommandPresetLeftToRight || command == kCommandPresetRightToLeft;
    const bool triangle =
        command == kCommandPresetTriangle || command == kCommandPresetInverseTriangle;
    if (command < kCommandPresetReset || command > kCommandPresetHighRandom || (ramp && n < 2) ||
        (triangle && n < 3)) {
        return;
    }
    g_forceMsbResend = 1;
    for (int i = 0; i < n; ++i) {
        SliderRecord& slider = Slider(i);
        if (slider.locked == 1) {
            continue;
        }
        SetLinearPosition(slider, *PresetValue(command, i, n, SliderRange(slider)));
        if (command == kCommandPresetReset) {
            slider.scaledValue = slider.minValue;
        } else if (command == kCommandPresetMaximize) {
            slider.scaledValue = slider.maxValue;
        }
        SendSlider(i);
    }
    g_forceMsbResend = 0;
    RefreshCurrentValue();
}

void ResendAllSliders() {
    g_forceMsbResend = 1;
    for (int i = 0; i < g_sliderCount; ++i) {
        SendSlider(i);
    }
    g_forceMsbResend = 0;
}

void RandomizeSliders() {
    g_forceMsbResend = 1;
    for (int i = 0; i < g_sliderCount; ++i) {
        SliderRecord& slider = Slider(i);
        if (slider.locked == 1) {
            continue;
        }
        SetLinearPosition(slider, Truncated(Draw() * SliderRange(slider)));
        SendSlider(i);
    }
    g_forceMsbResend = 0;
    RefreshCurrentValue();
}

void ToggleTransport() {
    g_transportStopped = g_transportStopped == 0 ? 1 : 0;
    SendPanelAndTransport();
}

EditOutcome CommitSliderName(std::string_view text) {
    g_editedSlider = CurrentSlider();
    if (!ValidateSliderName(text)) {
        return EditOutcome::Refused;
    }
    SetText(Slider(g_editedSlider).name, CutSliderName(text));
    RebuildProjectManager(ProjectBranch::Panel);
    return EditOutcome::Stored;
}

EditOutcome CommitSliderNumbers(std::string_view current, std::string_view minimum,
                                std::string_view maximum) {
    // The message box takes the focus from the edit, which would report again meanwhile.
    static bool s_validating = false;
    if (s_validating) {
        return EditOutcome::Ignored;
    }
    s_validating = true;
    g_editedSlider = CurrentSlider();
    const int accepted = ValidateSliderNumbers(current, minimum, maximum);
    s_validating = false;
    if (!accepted) {
        return EditOutcome::Refused;
    }
    SliderRecord& slider = Slider(g_editedSlider);
    const SliderScratch& scratch = g_sliderScratch;
    slider.scaledValue = scratch.current;
    slider.minValue = scratch.minimum;
    slider.maxValue = scratch.maximum;
    slider.value =
        PositionFromValue(scratch.current, scratch.minimum, scratch.maximum, SliderRange(slider));
    SendSlider(g_editedSlider);
    return EditOutcome::Stored;
}

void ChooseSevenBits() {
    const int index = CurrentSlider();
    SliderRecord& slider = Slider(index);
    if (slider.type == kSevenBitType) {
        return;
    }
    slider.value = std::clamp(slider.value / 127, 0, kSevenBitRange);
    slider.type = kSevenBitType;
    g_sliderScratch.type = kSevenBitType;
    if (g_panelWindow) {
        g_panelWindow->EnableController2List(false);
        g_panelWindow->SetSliderRange(index, kSevenBitRange);
        g_panelWindow->SetSliderPosition(index, slider.value);
    }
}

EditOutcome ChooseFourteenBits() {
    const int index = CurrentSlider();
    g_editedSlider = index;
    SliderRecord& slider = Slider(index);
    SliderScratch& scratch = g_sliderScratch;
    scratch.type = kFourteenBitType;
    if (slider.type == kSevenBitType) {
        // The panel holds at most 64 14-bit sliders, whichever editor makes them.
        if (!ValidateFourteenBitCount()) {
            scratch.type = kSevenBitType;
            return EditOutcome::Refused;
        }
        slider.value = std::clamp(slider.value, 0, kSevenBitRange) * 127;
        slider.type = kFourteenBitType;
        if (g_panelWindow) {
            g_panelWindow->EnableController2List(true);
            g_panelWindow->SetSliderRange(index, kFourteenBitRange);
            g_panelWindow->SetSliderPosition(index, slider.value);
        }
    }
    scratch.controller1 = slider.controller1;
    scratch.controller2 = slider.controller2;
    return ValidateControllers() ? EditOutcome::Stored : EditOutcome::Ignored;
}

void ChooseChannel(std::int32_t channel) {
    const std::int32_t chosen = std::clamp(channel, 0, 15);
    Slider(CurrentSlider()).channel = chosen;
    g_sliderScratch.channel = chosen;
}

EditOutcome ChooseControllers(std::int32_t controller1, std::int32_t controller2) {
    const int index = CurrentSlider();
    g_editedSlider = index;
    SliderRecord& slider = Slider(index);
    SliderScratch& scratch = g_sliderScratch;
    scratch.type = slider.type;
    scratch.controller1 = controller1;
    scratch.controller2 = controller2;
    if (!ValidateControllers()) {
        return EditOutcome::Refused;
    }
    slider.controller1 = controller1;
    slider.controller2 = controller2;
    return EditOutcome::Stored;
}

void ToggleSliderLock(int index) {
    if (index < 0 || index >= g_sliderCount) {
        return;
    }
    SliderRecord& slider = Slider(index);
    slider.locked = slider.locked == 1 ? 0 : 1;
    if (g_panelWindow) {
        g_panelWindow->SetLockBox(index, slider.locked == 1);
    }
    RebuildProjectManager(ProjectBranch::Panel);
}

void ChooseCurve(int command) {
    if (command >= kCommandCurveLinear && command <= kCommandCurveRandom) {
        Slider(CurrentSlider()).curve = command - kCommandCurveLinear;
    }
}

int CheckedCurveCommand() {
    return kCommandCurveLinear + Slider(CurrentSlider()).curve;
}

void RefreshCurrentValue() {
    if (g_panelWindow && g_sliderCount > 0) {
        g_panelWindow->ShowCurrentValue(FormatPanelNumber(Slider(CurrentSlider()).scaledValue));
    }
}
