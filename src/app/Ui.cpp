#include "app/Ui.h"

Ui* g_ui = nullptr;
