#include "base/PosixProcessPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kNormalNice = 0;
constexpr int kLowNice = 19;
constexpr int kHighestNice = -20;

// Leaves a real-time policy for the normal one, at the given nice level.
void SetTimeSharing(pid_t thread, int nice) {
    const sched_param param{};
    sched_setscheduler(thread, SCHED_OTHER, &param);
    setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice);
}

// The lowest nice level RLIMIT_NICE lets an unprivileged user reach (20 - limit), never above
// where the thread already is.
int HighestAllowedNice(pid_t thread) {
    rlimit limit{};
    int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        nice = std::min(nice, 20 - static_cast<int>(limit.rlim_cur));
    } else {
        nice = kHighestNice;
    }
    return std::max(nice, kHighestNice);
}

} // namespace

std::vector<pid_t> ProgramThreadIds() {
    std::vector<pid_t> threads;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        try {
            threads.push_back(static_cast<pid_t>(std::stol(entry.path().filename().string())));
        } catch (...) {
            // not a thread's folder
        }
    }
    if (threads.empty()) {
        threads.push_back(static_cast<pid_t>(syscall(SYS_gettid)));
    }
    return threads;
}

void SetPosixProcessPriority(PriorityClass priority) {
    for (const pid_t thread : ProgramThreadIds()) {
        switch (priority) {
        case PriorityClass::RealTime: {
            // The lowest real-time level already runs before every normal program, without
            // taking the processor from the audio server's own real-time threads.
            const sched_param param{sched_get_priority_min(SCHED_RR)};
            if (sched_setscheduler(thread, SCHED_RR, &param) != 0) {
                setpriority(PRIO_PROCESS, static_cast<id_t>(thread), HighestAllowedNice(thread));
            }
            break;
        }
        case PriorityClass::Normal:
            SetTimeSharing(thread, kNormalNice);
            break;
        case PriorityClass::Low:
            SetTimeSharing(thread, kLowNice);
            break;
        }
    }
}
