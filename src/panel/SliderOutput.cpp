#include "panel/SliderOutput.h"

#include <array>
#include <cmath>

#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "random/NoiseSources.h"

SliderControls* g_panelControls = nullptr;

namespace {

struct CurveTable {
    std::array<float, kCurveTableSize> entries{};
    float normaliser = 1.0f;
};

// Tables of the curves 1..4; curve 0 (linear) has none.
std::array<CurveTable, kCurveCount> g_curves;

constexpr int kTop = kCurveTableSize - 1;

bool IsMappedCurve(std::int32_t curve) {
    return curve >= kCurveLogarithmic && curve <= kCurveRandom;
}

} // namespace

void BuildCurveTables() {
    CurveTable& log = g_curves[kCurveLogarithmic];
    CurveTable& quadratic = g_curves[kCurveQuadratic];
    CurveTable& cubic = g_curves[kCurveCubic];
    CurveTable& random = g_curves[kCurveRandom];
    log.entries[0] = 0.0f;
    float largestDraw = 0.0f;
    for (int i = 0; i < kCurveTableSize; ++i) {
        const double x = i;
        if (i > 0) {
            log.entries[i] = static_cast<float>(std::log10(x));
        }
        quadratic.entries[i] = static_cast<float>(x * x);
        cubic.entries[i] = static_cast<float>(x * x * x);
        const float draw = NoiseSource(4, &randomSeed);
        random.entries[i] = draw;
        if (draw > largestDraw) {
            largestDraw = draw;
        }
    }
    log.normaliser = log.entries[kTop];
    quadratic.normaliser = quadratic.entries[kTop];
    cubic.normaliser = cubic.entries[kTop];
    random.normaliser = largestDraw;
}

float MapSliderValue(int index) {
    SliderRecord& slider = g_sliders[index];
    const bool sevenBit = slider.type == kSevenBitType;
    const int range = SliderRange(slider);
    // A position outside its range (a damaged project) must never read outside the table nor
    // overflow on the way there.
    std::int64_t tableIndex = sevenBit ? std::int64_t{slider.value} * 128 : slider.value;
    tableIndex = tableIndex < 0 ? 0 : (tableIndex > kTop ? kTop : tableIndex);
    double m = slider.value; // a curve number the program does not know maps linearly
    if (IsMappedCurve(slider.curve)) {
        const CurveTable& table = g_curves[slider.curve];
        m = table.normaliser > 0.0f ? table.entries[static_cast<std::size_t>(tableIndex)] /
                                          table.normaliser * static_cast<double>(kTop)
                                    : 0.0;
        if (sevenBit) {
            m *= 0.0078125;
        }
    }
    slider.scaledValue =
        static_cast<float>((slider.maxValue - slider.minValue) / range * m + slider.minValue);
    return static_cast<float>(m);
}

void SendSlider(int index) {
    SliderRecord& slider = g_sliders[index];
    if (g_updateSliderControls == 1 && g_panelControls) {
        g_panelControls->SetSliderPosition(index, slider.value);
    }
    const std::int32_t number = IsMappedCurve(slider.curve)
                                    ? static_cast<std::int32_t>(MapSliderValue(index))
                                    : slider.value;
    // Modulo 256, without signed overflow for a damaged channel number.
    const auto status =
        static_cast<std::uint8_t>(0xB0u + static_cast<std::uint32_t>(slider.channel));
    const auto controller1 = static_cast<std::uint8_t>(slider.controller1);
    if (slider.type == kSevenBitType) {
        SendShortMessage(status, controller1, static_cast<std::uint8_t>(number));
        return;
    }
    const std::int32_t msb = number / 128;
    const std::int32_t lsb = number % 128;
    MsbCache& cache = g_msbCache;
    const bool repeated = cache.valid && cache.lastMsbChannel == slider.channel &&
                          cache.lastMsbController == slider.controller1 &&
                          cache.lastMsbValue == msb;
    if (!repeated || g_forceMsbResend == 1) {
        SendShortMessage(status, controller1, static_cast<std::uint8_t>(msb));
        cache = {true, slider.channel, slider.controller1, msb};
    }
    SendShortMessage(status, static_cast<std::uint8_t>(slider.controller2),
                     static_cast<std::uint8_t>(lsb));
}

void SendPanelAndTransport() {
    g_forceMsbResend = 1;
    g_updateSliderControls = 0;
    for (int i = 0; i < g_sliderCount; ++i) {
        SliderRecord& slider = g_sliders[i];
        if (slider.locked == 1) {
            continue;
        }
        const std::int32_t remembered = slider.value;
        slider.value = 0;
        SendSlider(i);
        slider.value = remembered;
        SendSlider(i);
    }
    g_forceMsbResend = 0;
    g_updateSliderControls = 1;

    const bool started = g_transportStopped == 0;
    const std::array<std::uint8_t, 3>& message = started ? g_startMessage : g_stopMessage;
    SendShortMessage(message[0], message[1], message[2]);
    if (g_projectOpen && g_ui) {
        g_ui->EnableCommand(kCommandStart, !started);
        g_ui->EnableCommand(kCommandStop, started);
    }
    if (g_panelControls) {
        g_panelControls->SetTransportButton(g_transportStopped);
    }
}
