#pragma once
// The program's scheduling priority, set from the "Special features!!" dialog and never stored:
// every start runs at the normal priority. The platform installs the call that sets it.

#include <functional>

enum class PriorityClass { RealTime, Normal, Low };

// Sets the priority of the whole program; failures are silent (the user sees no difference
// beyond the program's speed). Empty until the platform installs it: nothing happens then.
extern std::function<void(PriorityClass)> g_setProcessPriority;

void SetProcessPriority(PriorityClass priority);
