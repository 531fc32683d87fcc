#include "project/ProjectState.h"

std::int32_t g_projectOpen = 0;
std::int32_t g_projectUntitled = 1;
std::int32_t g_projectDirty = 0;
