// Decoding one incoming message into its MIDIScope line, beside the bare formatting of the line's
// head as the baseline: what the name lookup and the line record add to a printf.

#include <benchmark/benchmark.h>
#include <cstdio>

#include "tools/MidiScope.h"

namespace {

void BM_DecodeScopeLine(benchmark::State& state) {
    std::uint32_t time = 0;
    for (auto _ : state) {
        ++time;
        auto line = DecodeScopeLine(0x00643C90 | (time & 0x0F), time, true);
        benchmark::DoNotOptimize(line);
    }
}
BENCHMARK(BM_DecodeScopeLine);

void BM_FormatHeadBaseline(benchmark::State& state) {
    std::uint32_t time = 0;
    for (auto _ : state) {
        char text[kScopeTextWidth];
        ++time;
        std::snprintf(text, sizeof text, "0x%08X 0x%02X 0x%02X 0x%02X", time, 0x90 | (time & 0x0F),
                      0x3Cu, 0x64u);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatHeadBaseline);

} // namespace
