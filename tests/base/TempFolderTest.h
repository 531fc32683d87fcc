#pragma once
// A fresh folder for each test, removed after it, and what the file-system tests read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;

class TempFolderTest : public ::testing::Test {
protected:
    ~TempFolderTest() override { fs::remove_all(folder); }

    // Writes `text` to `name` in the folder; its path.
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    }
    static std::vector<std::uint8_t> Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<std::string> Entries(const fs::path& directory) {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Runs `write` under a file size limit: the kernel cuts its writes as a full disk would.
    template <class Write> static auto UnderSizeLimit(rlim_t limit, Write write) {
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = limit;
        auto* previous = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        const auto result = write();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        return result;
    }

    // Made before the members of the fixtures built on this one, which may hold paths in it.
    const fs::path folder = [] {
        std::string name = (fs::temp_directory_path() / "ventaro-test-XXXXXX").string();
        return ::mkdtemp(name.data()) ? fs::path(name) : throw std::runtime_error("no temp folder");
    }();
};
