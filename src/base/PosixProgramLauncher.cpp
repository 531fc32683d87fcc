#include "base/PosixProgramLauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

PosixProgramLauncher::~PosixProgramLauncher() {
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
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    // glibc reports a failed exec (a missing program) as the result of posix_spawnp itself.
    if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    m_children.push_back(pid);
    return pid;
}
