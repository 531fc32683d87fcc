#include "base/PlatformPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// An absolute folder named by the variable, or the home's subfolder; empty without either.
fs::path XdgFolder(const char* variable, const fs::path& underHome) {
    if (const char* value = std::getenv(variable); value && *value == '/') {
        return fs::path(value);
    }
    const fs::path home = HomeFolder();
    return home.empty() ? fs::path() : home / underHome;
}

} // namespace

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') {
        return fs::path(home);
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/') {
        return fs::path(found->pw_dir);
    }
    return {};
}

fs::path UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

fs::path UserDataFolder() {
    const fs::path data = XdgFolder("XDG_DATA_HOME", fs::path(".local") / "share");
    return data.empty() ? data : data / "Ventaro.2";
}

bool IsPrivateFolder(const fs::path& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & S_IWOTH) == 0;
}

fs::path EmbeddedEngineFolder() {
    const fs::path data = UserDataFolder();
    return data.empty() ? data : data / "drive_c";
}
