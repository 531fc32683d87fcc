#pragma once
// Window geometry as every window of the program uses it: the area the main window leaves to the
// tool windows, the window placement record and dialog units.

#include <optional>

#include "base/SettingsRecords.h"

// The main window's area below the menu bar less the visible bars, for the tool windows that
// place themselves inside the frame; both bar heights are kept too.
struct FrameFreeArea {
    int width = 0;
    int height = 0;
    int toolBarHeight = 0;
    int statusBarHeight = 0;
    int top = 0; // where the area starts in the main window: below the menu bar and the strip
};
// `clientHeight` and `top` are taken below the menu bar.
FrameFreeArea ComputeFreeArea(int clientWidth, int clientHeight, bool toolBarVisible,
                              int toolBarHeight, bool statusBarVisible, int statusBarHeight);
// The free area as the main window last laid itself out.
extern FrameFreeArea g_frameFreeArea;
FrameFreeArea MainWindowFreeArea();

// A rectangle on the screen, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// Where a tool window with no stored placement opens: `offsetX`, `offsetY` inside the frame's
// free area (screen coordinates), from its top-left corner or, with `fromBottom`, its
// bottom-left corner, then moved as little as needed to lie wholly on the screen (its top-left
// corner wins when the window is larger than the screen).
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};
inline constexpr int kToolWindowMarginUnits =
    4; // dialog units between a tool window and the area's edge
ScreenPoint DefaultToolWindowPosition(const ScreenRect& freeArea, int width, int height,
                                      int offsetX, int offsetY, bool fromBottom,
                                      const ScreenRect& screen);

// A window's normal geometry on the screen and how it is shown.
enum ShowCommand : int { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int showCmd = kShowNormal;
    bool operator==(const WindowGeometry&) const = default;
};
WindowPlacement PlacementFromGeometry(const WindowGeometry& geometry);
// The geometry a stored placement asks for; nothing when its normal rectangle is empty or
// absurd (a damaged value must not put the window out of reach).
std::optional<WindowGeometry> GeometryFromPlacement(const WindowPlacement& placement);

// Dialog units: horizontal units are a quarter of the font's average character width,
// vertical units an eighth of its height, rounded as the platform rounds.
struct DialogBaseUnits {
    int averageCharWidth = 0;
    int charHeight = 0;
};
int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base);
