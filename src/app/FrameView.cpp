#include "app/FrameView.h"

FrameView* g_frameView = nullptr;
