// The priority classes on the real scheduler, in a child process so that this one keeps its own:
// every thread of the program takes the low class, and a class the user may not have changes
// nothing and says nothing.

#include <gtest/gtest.h>

#include <atomic>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "base/PosixProcessPriority.h"

namespace {

int NiceOf(pid_t thread) {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
}

// Runs `check` in a child process; its exit code is the number of failed checks.
template <typename Check> int InChild(Check check) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

} // namespace

TEST(PosixProcessPriority, LowReachesEveryThreadAndAForbiddenClassChangesNothing) {
    EXPECT_EQ(InChild([] {
                  std::atomic<pid_t> worker{0};
                  std::atomic<bool> done{false};
                  std::thread thread([&] {
                      worker = static_cast<pid_t>(syscall(SYS_gettid));
                      while (!done) {
                          std::this_thread::sleep_for(std::chrono::milliseconds(1));
                      }
                  });
                  while (worker == 0) {
                      std::this_thread::yield();
                  }
                  SetPosixProcessPriority(PriorityClass::Low);
                  const pid_t self = static_cast<pid_t>(syscall(SYS_gettid));
                  int failures = (NiceOf(self) != 19) + (NiceOf(worker) != 19);
                  // Without the privilege a user cannot come back from 19: the call stays
                  // silent, and the class is what it was or normal.
                  SetPosixProcessPriority(PriorityClass::Normal);
                  failures += NiceOf(self) != 19 && NiceOf(self) != 0;
                  done = true;
                  thread.join();
                  return failures;
              }),
              0);
}
