#include "CsoundRunner.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "midi/JackServer.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string WithoutColours(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
            i += 2;
            while (i < text.size() && !(text[i] >= '@' && text[i] <= '~')) {
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

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

std::string FindCsound() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / "csound";
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return {};
}

CsoundResult RunCsound(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment, int timeoutMs) {
    CsoundResult result;
    const std::string program = FindCsound();
    if (program.empty()) {
        return result;
    }
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (std::string& arg : argv) {
        args.push_back(arg.data());
    }
    args.push_back(nullptr);
    std::vector<std::string> env(environment);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const std::string& o : environment) {
            overridden = overridden || o.starts_with(name);
        }
        if (!overridden) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    static int runs = 0;
    const std::string log =
        (fs::temp_directory_path() /
         ("ventaro-csound-" + std::to_string(::getpid()) + "-" + std::to_string(++runs) + ".log"))
            .string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return result;
    }
    result.exitCode = WaitForExit(pid, timeoutMs);
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    result.output = WithoutColours(text.str());
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
