#include "base/PlatformPaths.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path UserDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        return fs::path(xdg) / "Ventaro.2";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "Ventaro.2";
}

fs::path EmbeddedEngineFolder() {
    return UserDataFolder() / "drive_c";
}

void DeleteEmbeddedEngineFile() {
    std::error_code error;
    fs::remove(EmbeddedEngineFolder() / "VentaroEmebeddedEngine.exe", error);
}
