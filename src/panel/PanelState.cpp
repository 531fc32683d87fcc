#include "panel/PanelState.h"

#include <algorithm>
#include <string>

#include "base/ByteCodec.h"
#include "panel/PanelConfiguration.h"
#include "panel/SliderOutput.h"
#include "panel/SliderProps.h"
#include "panel/SliderValidation.h"

std::array<SliderRecord, kMaxSliders> g_sliders{};
int g_sliderCount = 16;
int g_sliderCountCommitted = 16;
int g_sliderNameCounter = 0;
std::array<SliderRecord, kMaxSliders> g_slidersSaved{};

int g_panelControlStyle = 0;
int g_scrollStep = 8;
std::array<std::uint8_t, 3> g_startMessage{0x90, 0x3C, 0x40};
std::array<std::uint8_t, 3> g_stopMessage{0x80, 0x3C, 0x40};
int g_transportStopped = 1;

int g_currentSlider = 0;
int g_editedSlider = 0;

int g_forceMsbResend = 0;
int g_updateSliderControls = 1;
MsbCache g_msbCache;
SliderScratch g_sliderScratch;
int g_sliderPropsOpen = 0;
int g_sliderPropsFromPanelProps = 0;
int g_panelPropsOpen = 0;

void SetPanelDefaults() {
    g_sliderCount = 16;
    g_sliderCountCommitted = 16;
    g_sliderNameCounter = 0;
    g_panelControlStyle = 0;
    g_scrollStep = 8;
    g_startMessage = {0x90, 0x3C, 0x40};
    g_stopMessage = {0x80, 0x3C, 0x40};
    g_transportStopped = 1;
}

void ResetPanelState() {
    g_sliders.fill(SliderRecord{});
    g_slidersSaved.fill(SliderRecord{});
    SetPanelDefaults();
    g_currentSlider = 0;
    g_editedSlider = 0;
    g_forceMsbResend = 0;
    g_updateSliderControls = 1;
    g_msbCache = MsbCache{};
    g_sliderScratch = SliderScratch{};
    g_sliderPropsOpen = 0;
    g_sliderPropsFromPanelProps = 0;
    g_panelPropsOpen = 0;
}

static std::string NextSliderName() {
    return "Slider" + std::to_string(++g_sliderNameCounter);
}

void InsertSlider(int position) {
    for (int i = g_sliderCount; i > position; --i) {
        g_sliders[i] = g_sliders[i - 1];
    }
    ++g_sliderCount;
    ++g_sliderCountCommitted;

    // The largest controllers are taken after the move, the displaced copy included.
    std::int32_t largest1 = 0;
    std::int32_t largest2 = 0;
    for (int i = 0; i < g_sliderCount; ++i) {
        if (i == position) {
            continue; // the slot being filled holds the duplicate of its old occupant
        }
        largest1 = std::max(largest1, g_sliders[i].controller1);
        largest2 = std::max(largest2, g_sliders[i].controller2);
    }
    SliderRecord& slider = g_sliders[position];
    SetText(slider.name, NextSliderName());
    slider.type = kSevenBitType;
    slider.value = 0;
    slider.scaledValue = 0.0f;
    slider.minValue = 0.0f;
    slider.maxValue = 1.0f;
    slider.channel = 0;
    slider.controller1 = (largest1 + 1) % 128;
    slider.controller2 = (largest2 + 1) % 128;
    slider.reserved = 0;
    slider.curve = kCurveLinear;
    slider.locked = 0;
}

void DeleteSlider(int index) {
    for (int i = index; i < g_sliderCount - 1; ++i) {
        g_sliders[i] = g_sliders[i + 1];
    }
    --g_sliderCount;
    g_sliderCountCommitted = g_sliderCount;
}

void CopySlider(int source, int destination) {
    // The name is copied as a text: bytes after its terminator are not carried over.
    const SliderRecord& from = g_sliders[source];
    SliderRecord& to = g_sliders[destination];
    SetText(to.name, TextOf(from.name));
    to.type = from.type;
    to.value = from.value;
    to.scaledValue = from.scaledValue;
    to.minValue = from.minValue;
    to.maxValue = from.maxValue;
    to.channel = from.channel;
    to.controller1 = from.controller1;
    to.controller2 = from.controller2;
    to.reserved = from.reserved;
    to.curve = from.curve;
    to.locked = from.locked;
}

int FindSliderByName(std::string_view name) {
    for (int i = 0; i < g_sliderCount; ++i) {
        if (TextOf(g_sliders[i].name) == name) {
            return i;
        }
    }
    return kSliderNotFound;
}

void SetDefaultSlider(int index, bool fourteenBit) {
    SliderRecord& slider = g_sliders[index];
    slider = SliderRecord{};
    SetText(slider.name, NextSliderName());
    slider.type = fourteenBit ? kFourteenBitType : kSevenBitType;
    slider.maxValue = 1.0f;
    slider.controller1 = index;
    slider.controller2 = fourteenBit ? index + kFourteenBitPairOffset : 0;
}
