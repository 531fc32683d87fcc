#include "base/ProcessPriority.h"

std::function<void(PriorityClass)> g_setProcessPriority;

void SetProcessPriority(PriorityClass priority) {
    if (g_setProcessPriority) {
        g_setProcessPriority(priority);
    }
}
