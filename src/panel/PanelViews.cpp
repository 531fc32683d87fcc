#include "panel/PanelViews.h"

PanelWindow* g_panelWindow = nullptr;
ProjectManagerView* g_projectManagerView = nullptr;

void AttachPanelWindow(PanelWindow* window) {
    g_panelWindow = window;
    g_panelControls = window;
}
