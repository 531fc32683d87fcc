#include "base/PosixFileSystem.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Keeps the temporary name within the file system's limit of 255 bytes per name.
constexpr std::size_t kTempTitleLength = 200;
constexpr int kTempNameAttempts = 100;

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The file a write really replaces: the target of a symbolic link, so that the link survives.
fs::path ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::canonical(path, ec);
        if (!ec) {
            return resolved;
        }
    }
    return fs::path(path);
}

// Creates a new, empty temporary file beside the target; -1 when none can be made.
int CreateTempFile(const fs::path& target, fs::path& temp) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string title = target.filename().string().substr(0, kTempTitleLength);
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = folder / ("." + title + "." + std::to_string(::getpid()) + "." +
                         std::to_string(counter++) + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Makes the rename durable too; a folder that cannot be flushed does not undo the write.
void SyncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileContents PosixFileSystem::ReadFile(const std::string& path, std::size_t limit) {
    FileContents result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = FileStatus::OpenFailed;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.status = FileStatus::OpenFailed;
        return result;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    result.bytes.resize(size < limit ? size : limit);
    std::size_t got = 0;
    result.status = FileStatus::Ok;
    // The file may change while it is read: read until its end or the limit, whatever stat said.
    while (got < limit) {
        if (got == result.bytes.size()) {
            result.bytes.resize(got + (limit - got < 65536 ? limit - got : 65536));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.status = FileStatus::ReadFailed;
            break;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    result.bytes.resize(got);
    ::close(fd);
    return result;
}

FileStatus PosixFileSystem::WriteFileAtomically(const std::string& path,
                                                std::span<const std::uint8_t> bytes) {
    if (path.empty()) {
        return FileStatus::CreateFailed;
    }
    const fs::path target = ResolveTarget(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        return FileStatus::CreateFailed;
    }
    fs::path temp;
    const int fd = CreateTempFile(target, temp);
    if (fd < 0) {
        return FileStatus::CreateFailed;
    }
    // A replaced file keeps its permissions; a new one gets the user's default (0666 less umask).
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    const bool written = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return FileStatus::WriteFailed;
    }
    SyncFolder(target);
    return FileStatus::Ok;
}
