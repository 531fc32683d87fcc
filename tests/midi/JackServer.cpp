#include "JackServer.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int pauseMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    return true;
}

bool WaitFor(const std::string& command, int timeoutMs) {
    return WaitUntil([&] { return std::system(command.c_str()) == 0; }, timeoutMs, 100);
}

namespace {
// libjack remembers a server by name for the life of the process: each gets a name of its own.
int g_servers = 0;

// One lock across test programs, held from this process's first server until the process ends.
void HoldServerLock() {
    [[maybe_unused]] static const int fd = [] {
        const std::string file =
            "/tmp/ventaro-jack-servers-" + std::to_string(::getuid()) + ".lock";
        const int opened = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (opened >= 0) {
            ::flock(opened, LOCK_EX);
        }
        return opened;
    }();
}
} // namespace

JackServer::JackServer(int rate, int period, bool synchronous)
    : m_name("ventaro-test-" + std::to_string(::getpid()) + "-" + std::to_string(++g_servers)),
      m_rate(rate), m_period(period), m_synchronous(synchronous) {}

void JackServer::Stop() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        bool ended = false;
        for (int i = 0; i < 100 && !(ended = ::waitpid(m_pid, nullptr, WNOHANG) == m_pid); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!ended) { // a reaped id may belong to another process already
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }
}

bool JackServer::Start() {
    HoldServerLock();
    // Every JACK client of this process and its children talks to the private server.
    ::setenv("JACK_DEFAULT_SERVER", m_name.c_str(), 1);
    ::setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    // A server outliving a test killed at its time limit would keep later servers from opening.
    std::vector<std::string> command{"setpriv", "--pdeathsig", "KILL", "jackd", "--no-realtime"};
    command.insert(command.end(), {"-n", m_name});
    if (m_synchronous) {
        command.push_back("-S");
    }
    command.insert(command.end(),
                   {"-d", "dummy", "-r", std::to_string(m_rate), "-p", std::to_string(m_period)});
    std::vector<char*> args;
    for (std::string& arg : command) {
        args.push_back(arg.data());
    }
    args.push_back(nullptr);
    // Its output goes to a log of its own, for a test that did not see it come up.
    const std::string log = "/tmp/" + m_name + ".log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int rc = posix_spawnp(&m_pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        m_pid = -1;
        return false;
    }
    return WaitFor("jack_lsp >/dev/null 2>&1", 10000);
}
