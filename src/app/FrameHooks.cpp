#include "app/FrameHooks.h"

FrameHooks g_frameHooks;
