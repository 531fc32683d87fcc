#pragma once
// An in-memory file system whose reads and writes can be made to fail: a file that cannot be
// opened or read, a temporary file that cannot be created, a short write or a full disk.

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/FileSystem.h"

class FakeFileSystem : public FileSystem {
public:
    FileContents ReadFile(const std::string& path, std::size_t limit) override {
        reads.push_back(path);
        FileContents result;
        auto it = files.find(path);
        if (it == files.end() || unopenable.count(path)) {
            result.status = FileStatus::OpenFailed;
            return result;
        }
        const std::size_t n = std::min(it->second.size(), limit);
        result.bytes.assign(it->second.begin(),
                            it->second.begin() + static_cast<std::ptrdiff_t>(n));
        result.status = unreadable.count(path) ? FileStatus::ReadFailed : FileStatus::Ok;
        return result;
    }

    // Like the real one, the target changes only when every byte made it to the disk.
    FileStatus WriteFileAtomically(const std::string& path,
                                   std::span<const std::uint8_t> bytes) override {
        writes.push_back(path);
        if (failCreate) {
            return FileStatus::CreateFailed;
        }
        if (diskFree && *diskFree < bytes.size()) {
            return FileStatus::WriteFailed;
        }
        if (diskFree) {
            *diskFree -= bytes.size();
        }
        files[path].assign(bytes.begin(), bytes.end());
        return FileStatus::Ok;
    }

    FileStatus WritePrivateFile(const std::string& path, std::span<const std::uint8_t> bytes,
                                bool executable) override {
        const FileStatus status = WriteFileAtomically(path, bytes);
        if (status == FileStatus::Ok && executable) {
            executables.insert(path);
        }
        return status;
    }
    bool RemoveFile(const std::string& path) override {
        removed.push_back(path);
        executables.erase(path);
        return files.erase(path) > 0;
    }

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> executables;
    std::vector<std::string> removed;
    std::set<std::string> unopenable;
    std::set<std::string> unreadable;
    bool failCreate = false;
    // Bytes left on the disk; nothing = unlimited. A write larger than this is short.
    std::optional<std::size_t> diskFree;
    std::vector<std::string> reads;
    std::vector<std::string> writes;
};
