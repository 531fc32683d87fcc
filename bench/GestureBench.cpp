// The cost of one pointer event on the gesture pad in the core, with 128 14-bit sliders and the
// left button down: the crosshair, the fractions, the position text and the morph it sends.
// The baseline is the morph alone, so the difference is what the pad adds to it.

#include <benchmark/benchmark.h>

#include "NullMidiService.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "snapshots/Snapshots.h"
#include "tools/Gesture.h"

namespace {

NullMidiService g_gestureService;

// A full 14-bit panel and four snapshots of different positions at the corners.
void SetUpPad() {
    ResetAllState();
    g_sliderCount = 128;
    for (int i = 0; i < 128; ++i) {
        SetDefaultSlider(i, true);
    }
    g_midiService = &g_gestureService;
    for (int n = 1; n <= 4; ++n) {
        for (int i = 0; i < 128; ++i) {
            g_sliders[static_cast<std::size_t>(i)].value = (n * 4099 + i * 127) % 16384;
        }
        AddPanelSnapshot();
    }
    g_gestureSnapshots = {0, 1, 2, 3};
}

// A drag across a 400 × 300 pad, one pixel a step, as the pointer's events come.
void BM_GesturePointerDrag128FourteenBit(benchmark::State& state) {
    SetUpPad();
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GesturePointer(x + 2, x % 300 + 34, 0, true, 404, 304, 16));
        x = (x + 1) % 400;
    }
    g_midiService = nullptr;
}
BENCHMARK(BM_GesturePointerDrag128FourteenBit)->Unit(benchmark::kMicrosecond);

void BM_GestureMorphBaseline128FourteenBit(benchmark::State& state) {
    SetUpPad();
    int x = 0;
    for (auto _ : state) {
        MorphSnapshots(static_cast<float>(x) / 400.0f, static_cast<float>(x % 300) / 300.0f);
        x = (x + 1) % 400;
    }
    g_midiService = nullptr;
}
BENCHMARK(BM_GestureMorphBaseline128FourteenBit)->Unit(benchmark::kMicrosecond);

} // namespace
