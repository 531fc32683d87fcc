#include "base/PosixFileSystem.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "base/PlatformPaths.h"

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

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// The file a write really replaces: the file a symbolic link names, so that the link survives,
// also when that file does not exist yet.
fs::path ResolveTarget(const std::string& path) {
    fs::path target(path);
    std::error_code ec;
    for (int depth = 0; depth < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++depth) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            break;
        }
        target = next.is_absolute() ? next : FolderOf(target) / next;
    }
    return target;
}

// The temporary names of one target: "." + its title + "." + process id + "." + a count + ".tmp".
std::string TempPrefix(const fs::path& target) {
    return "." + target.filename().string().substr(0, kTempTitleLength) + ".";
}

// Removes the temporaries of this target that a save killed half way left behind: those of
// processes that no longer run.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = TempPrefix(target);
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(FolderOf(target), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(".tmp")) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const long pid = std::strtol(rest.c_str(), nullptr, 10);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
            errno == ESRCH) {
            fs::remove(entry.path(), ec);
        }
    }
}

// A new temporary name beside the target, not in use.
fs::path TempName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(target) / (TempPrefix(target) + std::to_string(::getpid()) + "." +
                               std::to_string(counter++) + ".tmp");
}

// An unnamed file in the target's folder: nothing of it stays behind if the save is killed.
// -1 where the file system cannot make one.
int CreateUnnamedFile(const fs::path& target) {
    return ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// Gives an unnamed file a temporary name beside the target, ready to be renamed over it.
bool NameFile(int fd, const fs::path& target, fs::path& temp) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = TempName(target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

// Creates a new, empty temporary file beside the target; -1 when none can be made.
int CreateTempFile(const fs::path& target, fs::path& temp) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = TempName(target);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Makes the rename durable too; a folder that cannot be flushed does not undo the write.
void SyncFolder(const fs::path& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileContents PosixFileSystem::ReadFile(const std::string& path, std::size_t limit) {
    FileContents result;
    // Not blocking: opening a FIFO would otherwise wait for a writer for ever. Only a regular
    // file is read; a device, FIFO or socket is refused like a missing file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
    if (fs::is_directory(target, ec) || target.filename().string().size() > NAME_MAX) {
        return FileStatus::CreateFailed;
    }
    // The rename needs only the folder: a file the user may not write is refused here, as the
    // platform's own open for writing would.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return FileStatus::CreateFailed;
    }
    RemoveStaleTemporaries(target);
    fs::path temp;
    int fd = CreateUnnamedFile(target);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        fd = CreateTempFile(target, temp);
    }
    if (fd < 0) {
        return FileStatus::CreateFailed;
    }
    // A replaced file keeps its permissions; a new one gets the user's default (0666 less umask).
    if (exists) {
        ::fchmod(fd, old.st_mode & 07777);
    } else if (unnamed) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool written = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    if (written && unnamed) {
        written = NameFile(fd, target, temp);
    }
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        if (!temp.empty()) {
            ::unlink(temp.c_str());
        }
        return FileStatus::WriteFailed;
    }
    SyncFolder(target);
    return FileStatus::Ok;
}

FileStatus PosixFileSystem::WritePrivateFile(const std::string& path,
                                             std::span<const std::uint8_t> bytes, bool executable) {
    const fs::path folder = FolderOf(fs::path(path));
    std::error_code ec;
    if (!fs::exists(folder, ec) && fs::create_directories(folder, ec)) {
        fs::permissions(folder, fs::perms::owner_all, ec);
    }
    if (!IsPrivateFolder(folder)) {
        return FileStatus::CreateFailed;
    }
    const FileStatus status = WriteFileAtomically(path, bytes);
    if (status == FileStatus::Ok &&
        ::chmod(path.c_str(), executable ? S_IRWXU : S_IRUSR | S_IWUSR) != 0) {
        return FileStatus::WriteFailed;
    }
    return status;
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}
