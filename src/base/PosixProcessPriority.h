#pragma once
// The priority classes on Linux: real-time is SCHED_RR where the user may have it, else the
// highest nice level allowed; normal is nice 0; low is nice 19. Every thread of the program takes
// it, since Linux schedules threads one by one.

#include <sys/types.h>

#include <vector>

#include "base/ProcessPriority.h"

void SetPosixProcessPriority(PriorityClass priority);
// The ids of the program's threads, each of which takes the class.
std::vector<pid_t> ProgramThreadIds();
