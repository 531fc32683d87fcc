// The largest project (128 sliders, 32767 snapshots, 33.2 MB) written and read through the real
// file system, against copying the same file with cp in the same run, and the change detector
// comparing all of it.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "base/AllState.h"
#include "base/PosixFileSystem.h"
#include "fakes/FakeUi.h"
#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

namespace fs = std::filesystem;

FakeUi g_benchUi;
PosixFileSystem g_files;

// A folder of this run's files, removed when the program ends.
struct BenchFolder {
    BenchFolder() { fs::create_directories(path); }
    ~BenchFolder() { fs::remove_all(path); }
    fs::path path = fs::temp_directory_path() / ("ventaro-bench-" + std::to_string(::getpid()));
};

const fs::path& Folder() {
    static const BenchFolder folder;
    return folder.path;
}

std::string ProjectPath() {
    return (Folder() / "Largest.vtp").string();
}

// The largest project (7-bit: a 14-bit panel holds at most 64), open, without script files,
// written once.
void MakeLargestProject() {
    g_ui = &g_benchUi;
    g_fileSystem = &g_files;
    ResetAllState();
    BuildDefaultPanel(false, kMaxSliders);
    g_snapshotCount = kMaxSnapshots;
    for (int n = 1; n <= kMaxSnapshots; ++n) {
        SetText(g_snapshots[n].name, "Snap" + std::to_string(n));
        for (int i = 0; i < kMaxSliders; ++i) {
            g_snapshots[n].values[static_cast<std::size_t>(i)] = (n * 31 + i) % 16384;
        }
    }
    g_scriptPaths = {};
    SetProjectFile(ProjectPath());
    g_projectUntitled = 0;
    g_projectOpen = 1;
    if (WriteProject() != 1) {
        std::abort();
    }
}

void Forget() {
    g_benchUi = FakeUi{};
}

void BM_WriteLargestProject(benchmark::State& state) {
    MakeLargestProject();
    for (auto _ : state) {
        if (WriteProject() != 1) {
            state.SkipWithError("write failed");
        }
        Forget();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMaxProjectImageSize));
}
BENCHMARK(BM_WriteLargestProject)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadLargestProject(benchmark::State& state) {
    MakeLargestProject();
    for (auto _ : state) {
        if (ReadProject() != 1) {
            state.SkipWithError("read failed");
        }
        Forget();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMaxProjectImageSize));
}
BENCHMARK(BM_ReadLargestProject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The platform's own copy of the same file; the second also flushes the copy to the disk, as a
// save must before it may replace the previous file.
void CopyWithCp(benchmark::State& state, bool sync) {
    MakeLargestProject();
    const std::string copy = (Folder() / "Copy.vtp").string();
    const std::string command =
        "cp " + ProjectPath() + " " + copy + (sync ? " && sync " + copy : std::string());
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMaxProjectImageSize));
}
void BM_CopyLargestProjectWithCp(benchmark::State& state) {
    CopyWithCp(state, false);
}
BENCHMARK(BM_CopyLargestProjectWithCp)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_CopyAndSyncLargestProjectWithCp(benchmark::State& state) {
    CopyWithCp(state, true);
}
BENCHMARK(BM_CopyAndSyncLargestProjectWithCp)->Unit(benchmark::kMillisecond)->UseRealTime();

// Nothing changed: every record is compared.
void BM_DetectProjectChangesLargest(benchmark::State& state) {
    MakeLargestProject();
    for (auto _ : state) {
        DetectProjectChanges();
        benchmark::DoNotOptimize(g_projectDirty);
    }
    if (g_projectDirty != 0) {
        state.SkipWithError("an unchanged project was marked changed");
    }
}
BENCHMARK(BM_DetectProjectChangesLargest)->Unit(benchmark::kMillisecond);

} // namespace
