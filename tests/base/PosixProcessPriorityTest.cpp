// The priority classes on the real scheduler, in a child process so that this one keeps its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "base/PosixProcessPriority.h"

// Linux schedules threads one by one: the low class must reach a thread started before it.
TEST(PosixProcessPriority, LowReachesEveryThreadOfTheProgram) {
    const pid_t child = fork();
    if (child == 0) {
        std::atomic<long> worker{0};
        std::atomic<bool> done{false};
        std::thread thread([&] {
            worker = syscall(SYS_gettid);
            while (!done) {
                std::this_thread::yield();
            }
        });
        while (worker == 0) {
            std::this_thread::yield();
        }
        const std::vector<pid_t> threads = ProgramThreadIds();
        SetPosixProcessPriority(PriorityClass::Low);
        const bool low = std::ranges::count(threads, static_cast<pid_t>(worker.load())) == 1 &&
                         std::ranges::count(threads, getpid()) == 1 &&
                         getpriority(PRIO_PROCESS, static_cast<id_t>(worker.load())) == 19;
        done = true;
        thread.join();
        _exit(low ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
