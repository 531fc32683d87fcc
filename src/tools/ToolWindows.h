#pragma once
// What the MIDI tool windows share in the core: where each opens when no placement is stored,
// and the record it leaves in the window settings when the user closes it.

#include "base/Preferences.h"
#include "base/WindowGeometry.h"

// The main window's outer rectangle on the screen and, inside it, the bottom of its tool bar
// strip (from the top of its client area) and the status bar's height.
struct MainFrameMetrics {
    ScreenRect main;
    int stripBottom = 0;
    int statusBarHeight = 0;
};

// The default position of the tool's window of the given outer size: the MIDIScope at the
// screen's left above the status bar, Send MIDI below the strip at the right, the scratchpad
// below the strip at the left, the memory status and the recorder above the status bar at the
// right, each beside the other when that one is visible (`besideWidth` > 0, its width).
ScreenPoint MidiToolDefaultPosition(ToolWindow tool, const MainFrameMetrics& frame, int width,
                                    int height, int besideWidth);

// The user closed the tool's window: its record is written with the open flag 0 (and, for the
// MIDIScope, the filter), and a reopening in this run comes back to the same place.
void StoreClosedToolWindow(ToolWindow tool, const WindowPlacement& placement);
