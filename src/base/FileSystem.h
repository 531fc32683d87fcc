#pragma once
// Whole-file reads and crash-safe whole-file writes. The core reaches files only through here, so
// that tests can inject a failing disk; the program installs the POSIX implementation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class FileStatus {
    Ok,
    OpenFailed,   // the file does not exist or cannot be opened for reading
    ReadFailed,   // it was opened, but reading it failed part way
    CreateFailed, // no file could be created beside the target
    WriteFailed,  // a short write, a full disk, or the flush or the rename failed
};

struct FileContents {
    FileStatus status = FileStatus::OpenFailed;
    std::vector<std::uint8_t> bytes;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The first `limit` bytes of the file (all of it when it is shorter).
    virtual FileContents ReadFile(const std::string& path, std::size_t limit) = 0;
    // Replaces the file with `bytes` so that it holds either its previous content or all of the
    // new one, never a part: the bytes go to a temporary file beside it, which is flushed to the
    // disk and renamed over the target only when every byte is there.
    virtual FileStatus WriteFileAtomically(const std::string& path,
                                           std::span<const std::uint8_t> bytes) = 0;
    // Writes as WriteFileAtomically does, into a folder of the user's own that is made when
    // missing, the file readable (and with `executable` runnable) by the user alone. A folder
    // that others may write is refused with CreateFailed: a program run from it could be swapped.
    virtual FileStatus WritePrivateFile(const std::string& path,
                                        std::span<const std::uint8_t> bytes, bool executable) = 0;
    // Deletes a file; false when there was none or it could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
};

// The file system the core uses; null until the program (or a test) installs one.
extern FileSystem* g_fileSystem;
