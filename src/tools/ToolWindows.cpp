#include "tools/ToolWindows.h"

#include "base/SettingsKeys.h"
#include "base/SettingsStore.h"

ScreenPoint MidiToolDefaultPosition(ToolWindow tool, const MainFrameMetrics& frame, int width,
                                    int height, int besideWidth) {
    const ScreenRect& main = frame.main;
    const int right = main.x + main.width;
    const int bottom = main.y + main.height;
    const int belowStrip = frame.stripBottom + main.y + 3;
    const int aboveStatusBar = bottom - height - frame.statusBarHeight - 2;
    switch (tool) {
    case kToolMidiScope:
        return {1, aboveStatusBar};
    case kToolMidiSend:
        return {right - width - 4, belowStrip};
    case kToolGlobalMemory:
    case kToolAudioRecorder:
        return {right - besideWidth - width - 4, aboveStatusBar};
    case kToolScratchPad:
    default:
        return {1, belowStrip};
    }
}

void StoreClosedToolWindow(ToolWindow tool, const WindowPlacement& placement) {
    g_toolWindows[tool].placementValid = true;
    g_toolWindows[tool].placement = placement;
    g_toolWindows[tool].openAtExit = 0;
    SettingsStore* store = g_settingsStore;
    if (!store || !store->CreateKey(kWindowsKey)) {
        return;
    }
    const bool withFilter = tool == kToolMidiScope;
    ToolWindowRecord record;
    record.placement = placement;
    record.open = 0;
    record.filterActiveSensing = withFilter ? g_midiScopeFilterActiveSensing : 0;
    store->WriteValue(kWindowsKey, ToolWindowValueName(tool), EncodeToolWindow(record, withFilter));
}
