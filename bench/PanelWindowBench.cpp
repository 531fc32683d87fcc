// The panel window's cost on real widgets (offscreen): opening it with 128 sliders, and one
// drag event of a 14-bit slider from the control's move to the bytes and the widgets shown.

#include <benchmark/benchmark.h>

#include <QAbstractSlider>
#include <QApplication>
#include <memory>

#include "NullMidiService.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "panel/VirtualPanelWindow.h"

namespace {

NullMidiService g_nullService;

void SetUpPanel(int count, bool fourteenBit, int style) {
    ResetAllState();
    g_sliderCount = count;
    for (int i = 0; i < count; ++i) {
        SetDefaultSlider(i, fourteenBit);
    }
    g_panelControlStyle = style;
    g_midiService = &g_nullService;
}

// From the window's making to its first paint, and its closing.
void BM_OpenPanelWindow128(benchmark::State& state) {
    SetUpPanel(128, false, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto window = std::make_unique<VirtualPanelWindow>(nullptr);
        window->show();
        window->repaint();
        benchmark::DoNotOptimize(window.get());
        window->close();
        window.reset();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenPanelWindow128)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One move of the dragged thumb: the scroll code to the panel, the value, SendSlider, the
// control's position and the "Slider properties" box. With Arg 1 the control also repaints.
void BM_DragEvent14Bit(benchmark::State& state) {
    SetUpPanel(128, true, 1);
    auto window = std::make_unique<VirtualPanelWindow>(nullptr);
    window->show();
    QCoreApplication::processEvents();
    QAbstractSlider* control = window->SliderControl(7);
    control->setSliderDown(true);
    int position = 1000;
    const bool repaint = state.range(0) == 1;
    for (auto _ : state) {
        position = position == 9000 ? 1000 : position + 1;
        control->setSliderPosition(position);
        if (repaint) {
            control->repaint();
        }
    }
    control->setSliderDown(false);
    if (g_sliders[7].value != control->value()) {
        state.SkipWithError("the control and the slider disagree");
    }
}
BENCHMARK(BM_DragEvent14Bit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
