#pragma once
// What the windows share on the real widgets: the placement record of a window, putting a window
// where a stored record says, the dialog units of a window's font, and Escape as Cancel.

#include "base/SettingsRecords.h"
#include "base/WindowGeometry.h"

class QKeyEvent;
class QWidget;

// The window's normal rectangle (the one it comes back to from minimized or maximized) and how
// it is shown.
WindowPlacement PlacementOf(const QWidget& window);
// Puts the window on the stored placement's rectangle; a damaged record leaves it where it is.
void PlaceWindow(QWidget& window, const WindowPlacement& placement);
DialogBaseUnits DialogUnitsOf(const QWidget& window);
// A tool window with no stored placement opens inside its owner's free area, below the frame's
// tool bar strip, at the given dialog units from the area's top-left (or bottom-left) corner,
// wholly on the screen.
void PlaceInFreeArea(QWidget& window, int xUnits, int yUnits, bool fromBottom);
// The same with the offsets in pixels.
void PlaceInFreeAreaPixels(QWidget& window, int x, int y, bool fromBottom);
// Escape closes a tool window as Cancel ends a dialog; true when the key was taken.
bool CloseOnEscape(QWidget& window, const QKeyEvent& event);
