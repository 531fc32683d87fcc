// The cost of the Csound text for a full panel and of loading the largest script the editor holds.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "base/FileSystem.h"
#include "panel/PanelState.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptStore.h"

namespace {

// 64 7-bit and 64 14-bit sliders with blanks in their names and mixed ranges.
void SetUpMixedPanel() {
    ResetAllState();
    g_sliderCount = kMaxSliders;
    for (int i = 0; i < kMaxSliders; ++i) {
        SetDefaultSlider(i, i % 2 == 1);
        SetText(g_sliders[i].name, "Fader " + std::to_string(i) + " cut off freq");
        g_sliders[i].minValue = i % 3 ? 0.001f : 20.0f;
        g_sliders[i].maxValue = i % 3 ? 0.1f : 20000.0f;
        g_sliders[i].value = i;
    }
}

void BM_InferredOrchestra128(benchmark::State& state) {
    SetUpMixedPanel();
    const std::span<const SliderRecord> sliders(g_sliders.data(), kMaxSliders);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::string> pieces = InferredOrchestraPieces(sliders, 15);
        benchmark::DoNotOptimize(pieces.data());
        bytes = 0;
        for (const std::string& piece : pieces) {
            bytes += piece.size();
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_InferredOrchestra128)->Unit(benchmark::kMicrosecond);

void BM_PFieldLine128(benchmark::State& state) {
    SetUpMixedPanel();
    const std::span<SliderRecord> sliders(g_sliders.data(), kMaxSliders);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PFieldPieces(sliders).data());
    }
}
BENCHMARK(BM_PFieldLine128)->Unit(benchmark::kMicrosecond);

// Whole-file reads with the standard library, standing in for the platform's file system.
class StreamFileSystem : public FileSystem {
public:
    FileContents ReadFile(const std::string& path, std::size_t limit) override {
        FileContents result;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return result;
        }
        result.bytes.resize(limit);
        in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(limit));
        result.bytes.resize(static_cast<std::size_t>(in.gcount()));
        result.status = FileStatus::Ok;
        return result;
    }
    FileStatus WriteFileAtomically(const std::string&, std::span<const std::uint8_t>) override {
        return FileStatus::CreateFailed;
    }
    FileStatus WritePrivateFile(const std::string&, std::span<const std::uint8_t>, bool) override {
        return FileStatus::CreateFailed;
    }
    bool RemoveFile(const std::string&) override { return false; }
};

// The largest script the editor holds: 65535 bytes of orchestra lines.
void BM_LoadScript64KiB(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "ventaro-bench-script.orc";
    {
        std::string text;
        while (text.size() < kMaxScriptLength) {
            text += "\r\nkFader_1\tctrl7\t\t1, 0, 0., 1.\r\n";
        }
        text.resize(kMaxScriptLength);
        std::ofstream(file, std::ios::binary) << text;
    }
    StreamFileSystem files;
    g_fileSystem = &files;
    ResetScriptStore();
    SetText(g_scriptPaths[0], file.string());
    for (auto _ : state) {
        LoadScript(0);
        benchmark::DoNotOptimize(g_scriptTexts[0].data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMaxScriptLength));
    g_fileSystem = nullptr;
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadScript64KiB)->Unit(benchmark::kMicrosecond);

} // namespace
