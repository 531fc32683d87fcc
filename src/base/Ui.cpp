#include "base/Ui.h"

Ui* g_ui = nullptr;
