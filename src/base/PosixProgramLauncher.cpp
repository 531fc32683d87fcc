#include "base/PosixProgramLauncher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kPollMs = 2;
constexpr int kExitGraceMs = 1000;

std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

ProcessExit ExitOf(int status) {
    if (WIFSIGNALED(status)) {
        return {true, WTERMSIG(status)};
    }
    return {false, WEXITSTATUS(status)};
}

// In the forked child only calls that are safe after fork in a threaded program: the file was
// found, the arguments built and the descriptors opened before the fork.
[[noreturn]] void ExecChild(const char* file, char* const* argv, const char* folder, int outputFd,
                            int nullFd, int errorPipe, pid_t parent) {
    // The engine ends with us, also when we are killed; SIGTERM lets Csound close its files.
    // The signal comes when the forking thread ends: kept programs are started on the UI thread.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // A mask or an ignored SIGTERM of ours would make the engine deaf to Stop.
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    if (::getppid() != parent) {
        ::_exit(127); // we died between the fork and the line above
    }
    ::dup2(nullFd, STDIN_FILENO);
    ::dup2(outputFd, STDOUT_FILENO);
    ::dup2(outputFd, STDERR_FILENO);
    if (folder && ::chdir(folder) != 0) {
        const int error = errno;
        [[maybe_unused]] ssize_t written = ::write(errorPipe, &error, sizeof error);
        ::_exit(127);
    }
    ::execve(file, argv, environ);
    const int error = errno;
    [[maybe_unused]] ssize_t written = ::write(errorPipe, &error, sizeof error);
    ::_exit(127);
}

} // namespace

std::string FindProgramFile(const std::string& program) {
    if (program.empty() || program.find('/') != std::string::npos) {
        return program;
    }
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string file = (folder.empty() ? "." : folder) + "/" + program;
        if (::access(file.c_str(), X_OK) == 0) {
            return file;
        }
        start = end + 1;
    }
    return {};
}

PosixProgramLauncher::~PosixProgramLauncher() {
    for (long id : std::vector<long>(m_kept)) {
        Terminate(id, false);
        if (!WaitForExit(id, kExitGraceMs, nullptr)) {
            Terminate(id, true);
            WaitForExit(id, kExitGraceMs, nullptr);
        }
    }
    ReapFinished();
}

void PosixProgramLauncher::ReapFinished() {
    std::vector<long> running;
    for (long child : m_children) {
        int status = 0;
        if (::waitpid(static_cast<pid_t>(child), &status, WNOHANG) == 0) {
            running.push_back(child);
        }
    }
    m_children.swap(running);
}

long PosixProgramLauncher::Launch(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    ReapFinished();
    std::vector<char*> argv = ArgumentVector(program, arguments);
    pid_t pid = 0;
    // glibc reports a failed exec (a missing program) as the result of posix_spawnp itself.
    if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    m_children.push_back(pid);
    return pid;
}

KeptProcess PosixProgramLauncher::LaunchKept(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             const std::string& folder, ProcessOutput output) {
    KeptProcess kept;
    const std::string file = FindProgramFile(program);
    if (file.empty()) {
        return kept;
    }
    std::vector<char*> argv = ArgumentVector(program, arguments);
    const int nullFd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int outputPipe[2] = {-1, -1};
    int errorPipe[2] = {-1, -1};
    if (nullFd < 0 || ::pipe2(errorPipe, O_CLOEXEC) != 0 ||
        (output == ProcessOutput::Piped && ::pipe2(outputPipe, O_CLOEXEC) != 0)) {
        for (int fd : {nullFd, errorPipe[0], errorPipe[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
        return kept;
    }
    // Inherited output goes to our standard output, the engine's errors with it.
    const int childOutput = output == ProcessOutput::Piped       ? outputPipe[1]
                            : output == ProcessOutput::Inherited ? STDOUT_FILENO
                                                                 : nullFd;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ExecChild(file.c_str(), argv.data(), folder.empty() ? nullptr : folder.c_str(), childOutput,
                  nullFd, errorPipe[1], parent);
    }
    ::close(nullFd);
    ::close(errorPipe[1]);
    if (outputPipe[1] >= 0) {
        ::close(outputPipe[1]);
    }
    int childError = 0;
    ssize_t got = -1;
    if (pid > 0) {
        do {
            got = ::read(errorPipe[0], &childError, sizeof childError);
        } while (got < 0 && errno == EINTR);
    }
    ::close(errorPipe[0]);
    if (pid < 0 || got > 0) {
        if (pid > 0) {
            ::waitpid(pid, nullptr, 0); // the child has _exit'ed after reporting
        }
        if (outputPipe[0] >= 0) {
            ::close(outputPipe[0]);
        }
        return kept;
    }
    m_kept.push_back(pid);
    m_ended.erase(pid); // a recycled id of an engine that ended long ago
    kept.id = pid;
    kept.outputFd = outputPipe[0];
    return kept;
}

bool PosixProgramLauncher::Reap(long id) {
    if (m_ended.count(id)) {
        return true;
    }
    if (std::find(m_kept.begin(), m_kept.end(), id) == m_kept.end()) {
        return false;
    }
    int status = 0;
    const pid_t result = ::waitpid(static_cast<pid_t>(id), &status, WNOHANG);
    if (result == 0) {
        return false;
    }
    // Also a child that someone else reaped (ECHILD) has ended.
    m_ended[id] = result > 0 ? ExitOf(status) : ProcessExit{};
    m_kept.erase(std::find(m_kept.begin(), m_kept.end(), id));
    return true;
}

bool PosixProgramLauncher::WaitForExit(long id, int milliseconds, ProcessExit* exit) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!Reap(id)) {
        if (std::chrono::steady_clock::now() >= deadline ||
            std::find(m_kept.begin(), m_kept.end(), id) == m_kept.end()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    if (exit) {
        *exit = m_ended[id];
    }
    return true;
}

void PosixProgramLauncher::Terminate(long id, bool kill) {
    if (!Reap(id) && std::find(m_kept.begin(), m_kept.end(), id) != m_kept.end()) {
        ::kill(static_cast<pid_t>(id), kill ? SIGKILL : SIGTERM);
    }
}
