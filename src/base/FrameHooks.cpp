#include "base/FrameHooks.h"

FrameHooks g_frameHooks;
