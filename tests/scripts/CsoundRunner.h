#pragma once
// Runs the real `csound` program for the tests that check what the program writes for it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

struct CsoundResult {
    int exitCode = -1;  // -1 when csound could not be started or had to be stopped
    std::string output; // its standard output and error
};

// Runs csound without displays or colour codes, with `arguments`, adding `environment`
// ("NAME=value") to this process's, for at most `timeoutMs`.
CsoundResult RunCsound(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {}, int timeoutMs = 30000);

// The lines of csound's output that report an error of any kind (the closing "0 errors in
// performance" excepted).
std::vector<std::string> ErrorLines(const std::string& output);

std::string Join(const std::vector<std::string>& pieces);

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

// Skips the test where csound is not installed; files go to a folder of the test's own.
class CsoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v csound >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "csound is not installed";
        }
    }
    TempFolder folder;
};
