#include "CsoundRunner.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "midi/JackServer.h"

namespace fs = std::filesystem;

namespace {

// Waits for the child; stops it (by its own id) when it outlives the timeout.
int WaitForExit(pid_t pid, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

CsoundResult RunCsound(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment, int timeoutMs) {
    // env adds the variables; csound is found on PATH.
    std::vector<std::string> argv{"env"};
    argv.insert(argv.end(), environment.begin(), environment.end());
    argv.insert(argv.end(), {"csound", "--nodisplays", "-+msg_color=false"});
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    static int runs = 0;
    const fs::path log =
        fs::temp_directory_path() /
        ("ventaro-csound-" + std::to_string(::getpid()) + "-" + std::to_string(++runs) + ".log");
    CsoundResult result;
    const pid_t pid = SpawnWithOutput(argv, log.string());
    if (pid < 0) {
        return result;
    }
    result.exitCode = WaitForExit(pid, timeoutMs);
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    result.output = text.str();
    fs::remove(log);
    return result;
}

std::vector<std::string> ErrorLines(const std::string& output) {
    std::vector<std::string> lines;
    std::stringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        std::string lower;
        for (char c : line) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (lower.find("0 errors in performance") != std::string::npos) {
            continue;
        }
        for (const char* mark : {"error", "illegal", "invalid", "unknown", "failed", "not found",
                                 "cannot", "can't", "unexpected"}) {
            if (lower.find(mark) != std::string::npos) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

std::string Join(const std::vector<std::string>& pieces) {
    std::string text;
    for (const std::string& piece : pieces) {
        text += piece;
    }
    return text;
}

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "ventaro-scripts-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty()) {
        fs::remove_all(m_path, ec);
    }
}

fs::path TempFolder::Write(const std::string& name, const std::string& text) const {
    const fs::path file = m_path / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}
