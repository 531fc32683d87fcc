#pragma once
// Runs the real `csound` program for the tests that check what the program writes for it.

#include <filesystem>
#include <string>
#include <vector>

struct CsoundResult {
    int exitCode = -1;  // -1 when csound could not be started or had to be stopped
    std::string output; // its standard output and error, colour codes removed
};

// The csound program found on PATH; empty when there is none.
std::string FindCsound();

// Runs csound with `arguments`, adding `environment` ("NAME=value") to this process's, for at
// most `timeoutMs`.
CsoundResult RunCsound(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {}, int timeoutMs = 30000);

// The lines of csound's output that report an error of any kind (the closing "0 errors in
// performance" excepted).
std::vector<std::string> ErrorLines(const std::string& output);

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
