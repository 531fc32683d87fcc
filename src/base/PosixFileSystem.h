#pragma once
// The file system of a POSIX desktop: reads with open/read, replacing writes through a temporary
// file in the target's folder, fsync and rename.

#include "base/FileSystem.h"

class PosixFileSystem : public FileSystem {
public:
    FileContents ReadFile(const std::string& path, std::size_t limit) override;
    FileStatus WriteFileAtomically(const std::string& path,
                                   std::span<const std::uint8_t> bytes) override;
    FileStatus WritePrivateFile(const std::string& path, std::span<const std::uint8_t> bytes,
                                bool executable) override;
    bool RemoveFile(const std::string& path) override;
};
