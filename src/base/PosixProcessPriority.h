#pragma once
// The priority classes on Linux: real-time is SCHED_RR where the user may have it, else the
// highest nice level allowed; normal is nice 0; low is nice 19. Every thread of the program takes
// it, since Linux schedules threads one by one.

#include "base/ProcessPriority.h"

void SetPosixProcessPriority(PriorityClass priority);
