// The cost of the slider output path in the core, into a MIDI service that sends nowhere.

#include <benchmark/benchmark.h>

#include "NullMidiService.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "midi/MidiInputQueue.h"
#include "midi/RoutedMidiService.h"
#include "panel/PanelState.h"
#include "panel/SliderOutput.h"
#include "random/NoiseSources.h"

namespace {

NullMidiService g_null;

void SetUpPanel(int count, bool fourteenBit, std::int32_t curve) {
    ResetAllState();
    g_sliderCount = count;
    for (int i = 0; i < count; ++i) {
        SetDefaultSlider(i, fourteenBit);
        g_sliders[i].curve = curve;
    }
    g_midiService = &g_null;
}

// One Control Change per call: a 7-bit slider moving through its range.
void BM_SendSlider7Bit(benchmark::State& state) {
    SetUpPanel(1, false, static_cast<std::int32_t>(state.range(0)));
    BuildCurveTables();
    std::int32_t position = 0;
    for (auto _ : state) {
        g_sliders[0].value = position;
        position = (position + 1) & 127;
        SendSlider(0);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SendSlider7Bit)->Arg(kCurveLinear)->Arg(kCurveQuadratic)->Arg(kCurveRandom);

// A 14-bit slider moving one step per call: one or two Control Changes (the MSB cache).
void BM_SendSlider14Bit(benchmark::State& state) {
    SetUpPanel(1, true, kCurveLinear);
    std::int32_t position = 0;
    const std::uint64_t before = g_null.Count();
    for (auto _ : state) {
        g_sliders[0].value = position;
        position = (position + 1) & 16383;
        SendSlider(0);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(g_null.Count() - before));
}
BENCHMARK(BM_SendSlider14Bit);

// The start/stop routine over a full panel of 128 14-bit sliders (512 messages and the stop).
void BM_SendPanelAndTransport128(benchmark::State& state) {
    SetUpPanel(128, true, kCurveLinear);
    const std::uint64_t before = g_null.Count();
    for (auto _ : state) {
        SendPanelAndTransport();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(g_null.Count() - before));
}
BENCHMARK(BM_SendPanelAndTransport128);

// The same move through the real routing layer: the output lock, Loopback delivery and the
// hand-over queue of the input thread, drained as the user-interface thread would.
void BM_SendSliderThroughLoopback(benchmark::State& state) {
    SetUpPanel(1, false, kCurveLinear);
    RoutedMidiService service({});
    MidiInputQueue queue;
    service.OpenOutput(0);
    service.OpenInput(0, &queue);
    service.StartInput();
    g_midiService = &service;
    std::int32_t position = 0;
    for (auto _ : state) {
        g_sliders[0].value = position;
        position = (position + 1) & 127;
        SendSlider(0);
        if ((position & 63) == 0) {
            benchmark::DoNotOptimize(queue.Drain());
        }
    }
    g_midiService = &g_null;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SendSliderThroughLoopback);

void BM_BuildCurveTables(benchmark::State& state) {
    for (auto _ : state) {
        randomSeed = -1;
        BuildCurveTables();
    }
}
BENCHMARK(BM_BuildCurveTables)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
