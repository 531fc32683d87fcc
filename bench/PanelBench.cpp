// The cost of the panel's own work in the core: a drag event of a 14-bit slider, a preset, a
// snapshot recall and a morph step over a full panel, and what a full snapshot store holds
// resident.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "NullMidiService.h"
#include "base/AllState.h"
#include "midi/MidiDevices.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "panel/SliderOutput.h"
#include "random/NoiseSources.h"
#include "snapshots/Snapshots.h"

namespace {

NullMidiService g_nullService;

// A panel window that keeps what it is shown, as a widget would take it, and draws nothing.
class NullPanelWindow : public PanelWindow {
public:
    void SetSliderPosition(int, int value) override { m_position = value; }
    void SetTransportButton(int) override {}
    void SetSliderRange(int, int range) override { m_range = range; }
    void ShowSliderProperties(const SliderPropertiesText& text) override { m_properties = text; }
    void ShowCurrentValue(const std::string& text) override { m_current = text; }
    void EnableController2List(bool) override {}
    void SetLockBox(int, bool) override {}
    void FillSnapshotList(const std::vector<std::string>&, int) override {}
    void InsertSnapshotItem(int, const std::string&) override {}
    void KeepInFront(bool) override {}
    void Close() override {}

private:
    volatile int m_position = 0;
    volatile int m_range = 0;
    SliderPropertiesText m_properties;
    std::string m_current;
};

NullPanelWindow g_nullWindow;

void SetUpFourteenBitPanel(int count) {
    ResetAllState();
    g_sliderCount = count;
    for (int i = 0; i < count; ++i) {
        SetDefaultSlider(i, true);
    }
    g_midiService = &g_nullService;
}

// Four snapshots of rising, falling and constant positions for the morph corners.
void SetUpSnapshots(int count) {
    for (int n = 1; n <= 4; ++n) {
        for (int i = 0; i < count; ++i) {
            g_sliders[static_cast<std::size_t>(i)].value = (n * 4099 + i * 127) % 16384;
        }
        TakeSnapshot();
    }
    g_gestureSnapshots = {0, 1, 2, 3};
}

// One thumb-track event of a 14-bit slider: new position, the properties box texts, the
// send, the current value text.
void BM_DragFourteenBitSlider(benchmark::State& state) {
    SetUpFourteenBitPanel(128);
    AttachPanelWindow(&g_nullWindow);
    int position = 0;
    for (auto _ : state) {
        MoveSlider(5, kScrollThumbTrack, position);
        position = (position + 37) & 16383;
    }
    AttachPanelWindow(nullptr);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DragFourteenBitSlider);

void BM_Preset128FourteenBit(benchmark::State& state) {
    SetUpFourteenBitPanel(128);
    AttachPanelWindow(&g_nullWindow);
    const int command = static_cast<int>(state.range(0));
    for (auto _ : state) {
        RunPreset(command);
    }
    AttachPanelWindow(nullptr);
}
BENCHMARK(BM_Preset128FourteenBit)
    ->Arg(kCommandPresetLeftToRight)
    ->Arg(kCommandPresetMediumRandom)
    ->Unit(benchmark::kMicrosecond);

void BM_RecallSnapshot128FourteenBit(benchmark::State& state) {
    SetUpFourteenBitPanel(128);
    SetUpSnapshots(128);
    AttachPanelWindow(&g_nullWindow);
    int k = 1;
    for (auto _ : state) {
        RecallSnapshot(k);
        k = k % 4 + 1;
    }
    AttachPanelWindow(nullptr);
}
BENCHMARK(BM_RecallSnapshot128FourteenBit)->Unit(benchmark::kMicrosecond);

// One step of a gesture drag, with the panel window visible (its controls follow).
void BM_MorphStep128FourteenBit(benchmark::State& state) {
    SetUpFourteenBitPanel(128);
    SetUpSnapshots(128);
    AttachPanelWindow(&g_nullWindow);
    float x = 0.0f;
    for (auto _ : state) {
        MorphSnapshots(x, 1.0f - x);
        x = x >= 1.0f ? 0.0f : x + 0.01f;
    }
    AttachPanelWindow(nullptr);
}
BENCHMARK(BM_MorphStep128FourteenBit)->Unit(benchmark::kMicrosecond);

long ResidentKiB() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The resident size with an empty store and after taking 32767 snapshots of 128 sliders.
void BM_ResidentSizeOfSnapshotStore(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SetUpFourteenBitPanel(128);
        const long empty = ResidentKiB();
        state.ResumeTiming();
        while (g_snapshotCount < kMaxSnapshots) {
            TakeSnapshot();
        }
        state.PauseTiming();
        const long full = ResidentKiB();
        state.counters["empty_KiB"] = static_cast<double>(empty);
        state.counters["full_KiB"] = static_cast<double>(full);
        state.counters["store_KiB"] =
            static_cast<double>(g_snapshots.AllocatedSlots() * sizeof(SnapshotRecord)) / 1024.0;
        ResetAllState();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResidentSizeOfSnapshotStore)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
