#pragma once
// Whether a project is open, untitled or changed since it was last saved.

#include <cstdint>

extern std::int32_t g_projectOpen;
extern std::int32_t g_projectUntitled;
extern std::int32_t g_projectDirty;
