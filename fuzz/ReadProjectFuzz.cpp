// Any bytes as a project file: the reader refuses them or takes them, never reads past them, and
// what it takes is written to a file that reads and writes back to the same bytes.

#include <cstdint>
#include <cstdlib>

#include "base/AllState.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeUi.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

constexpr const char* kPath = "/fuzz.vtp";

std::int32_t ReadFrom(FakeFileSystem& fs, const std::vector<std::uint8_t>& bytes) {
    fs.files.clear();
    fs.files[kPath] = bytes;
    SetProjectFile(kPath);
    return ReadProject();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeUi ui;
    FakeFileSystem fs;
    g_ui = &ui;
    g_fileSystem = &fs;
    ResetAllState();
    if (ReadFrom(fs, std::vector<std::uint8_t>(data, data + size)) == 1) {
        DetectProjectChanges();
        // A script named like the project file would overwrite it in between.
        const bool scriptIsProject =
            TextOf(g_scriptPaths[0]) == kPath || TextOf(g_scriptPaths[1]) == kPath;
        if (WriteProject() != 1) {
            std::abort(); // a project just read always writes
        }
        const std::vector<std::uint8_t> written = fs.files[kPath];
        if (!scriptIsProject &&
            (ReadFrom(fs, written) != 1 || WriteProject() != 1 || fs.files[kPath] != written)) {
            std::abort(); // what the writer writes reads back to the same file
        }
    }
    g_ui = nullptr;
    g_fileSystem = nullptr;
    return 0;
}
