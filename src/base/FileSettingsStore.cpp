#include "base/FileSettingsStore.h"

#include "base/PlatformPaths.h"
#include "base/PosixFileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSoftwarePrefix = "Software\\";

// A key or value name component that stays inside its folder.
bool IsSafeComponent(std::string_view part) {
    return !part.empty() && part != "." && part != ".." && part.find('/') == std::string::npos &&
           part.find('\0') == std::string::npos;
}

} // namespace

FileSettingsStore::FileSettingsStore(fs::path root) : m_root(std::move(root)) {}

fs::path FileSettingsStore::UserRoot() {
    return UserConfigFolder();
}

fs::path FileSettingsStore::KeyFolder(const std::string& key) const {
    std::string_view rest(key);
    if (rest.starts_with(kSoftwarePrefix)) {
        rest.remove_prefix(kSoftwarePrefix.size());
    }
    if (m_root.empty()) {
        return {}; // no home: nothing is read or written rather than a shared folder
    }
    fs::path folder = m_root;
    while (!rest.empty()) {
        const std::size_t cut = rest.find('\\');
        const std::string_view part = rest.substr(0, cut);
        if (!IsSafeComponent(part)) {
            return {};
        }
        folder /= std::string(part);
        // Every folder of ours that exists must be the user's own and closed to others.
        std::error_code ec;
        if (fs::exists(folder, ec) && !IsPrivateFolder(folder)) {
            return {};
        }
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    return folder == m_root ? fs::path() : folder;
}

fs::path FileSettingsStore::ValueFile(const std::string& key, const std::string& name) const {
    const fs::path folder = KeyFolder(key);
    if (folder.empty() || !IsSafeComponent(name)) {
        return {};
    }
    return folder / name;
}

bool FileSettingsStore::KeyExists(const std::string& key) {
    const fs::path folder = KeyFolder(key);
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec);
}

bool FileSettingsStore::CreateKey(const std::string& key) {
    const fs::path folder = KeyFolder(key);
    if (folder.empty()) {
        return false;
    }
    // Made for the user alone, one level at a time.
    std::error_code ec;
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        if (!fs::exists(made, ec)) {
            ::mkdir(made.c_str(), 0700);
        }
    }
    return fs::is_directory(folder, ec);
}

std::optional<Bytes> FileSettingsStore::ReadValue(const std::string& key, const std::string& name,
                                                  std::size_t limit) {
    const fs::path file = ValueFile(key, name);
    if (file.empty()) {
        return std::nullopt;
    }
    // Non-blocking, so that a FIFO or device put where a value belongs cannot stall start-up.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<Bytes> result;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= limit) {
        Bytes bytes(static_cast<std::size_t>(info.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        if (got == bytes.size()) {
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

bool FileSettingsStore::WriteValue(const std::string& key, const std::string& name,
                                   const Bytes& value) {
    const fs::path file = ValueFile(key, name);
    std::error_code ec;
    if (file.empty() || !fs::is_directory(file.parent_path(), ec)) {
        return false;
    }
    PosixFileSystem files;
    return files.WriteFileAtomically(file.string(), value) == FileStatus::Ok;
}

bool FileSettingsStore::DeleteKey(const std::string& key) {
    const fs::path folder = KeyFolder(key);
    if (folder.empty()) {
        return false;
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return !fs::exists(folder, ec);
}
