#include "base/WindowGeometry.h"

#include <algorithm>

FrameFreeArea g_frameFreeArea;

namespace {
constexpr int kMaxWindowExtent = 32767;

// a · b / c rounded to the nearest, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return 0;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long half = (product < 0) == (c < 0) ? c / 2 : -c / 2;
    return static_cast<int>((product + half) / c);
}
} // namespace

FrameFreeArea ComputeFreeArea(int clientWidth, int clientHeight, bool toolBarVisible,
                              int toolBarHeight, bool statusBarVisible, int statusBarHeight) {
    FrameFreeArea area;
    area.width = clientWidth;
    area.height = clientHeight;
    area.toolBarHeight = toolBarHeight;
    area.statusBarHeight = statusBarHeight;
    if (statusBarVisible) {
        area.height -= statusBarHeight;
    }
    if (toolBarVisible) {
        area.height -= toolBarHeight;
        area.top = toolBarHeight;
    }
    return area;
}

ScreenPoint DefaultToolWindowPosition(const ScreenRect& freeArea, int width, int height,
                                      int offsetX, int offsetY, bool fromBottom,
                                      const ScreenRect& screen) {
    ScreenPoint at{freeArea.x + offsetX, fromBottom
                                             ? freeArea.y + freeArea.height - height - offsetY
                                             : freeArea.y + offsetY};
    // Never above the free area's top (the frame's menu and tool bar), then wholly on screen.
    at.y = std::max(at.y, freeArea.y);
    at.x = std::max(std::min(at.x, screen.x + screen.width - width), screen.x);
    at.y = std::max(std::min(at.y, screen.y + screen.height - height), screen.y);
    return at;
}

FrameFreeArea MainWindowFreeArea() {
    return g_frameFreeArea;
}

WindowPlacement PlacementFromGeometry(const WindowGeometry& g) {
    WindowPlacement p;
    p.length = static_cast<std::int32_t>(kWindowPlacementSize);
    p.flags = 0;
    p.showCmd = g.showCmd;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = g.x;
    p.top = g.y;
    p.right = g.x + g.width;
    p.bottom = g.y + g.height;
    return p;
}

std::optional<WindowGeometry> GeometryFromPlacement(const WindowPlacement& p) {
    const long long width = static_cast<long long>(p.right) - p.left;
    const long long height = static_cast<long long>(p.bottom) - p.top;
    if (width <= 0 || height <= 0 || width > kMaxWindowExtent || height > kMaxWindowExtent ||
        p.left < -kMaxWindowExtent || p.left > kMaxWindowExtent || p.top < -kMaxWindowExtent ||
        p.top > kMaxWindowExtent) {
        return std::nullopt;
    }
    WindowGeometry g;
    g.x = p.left;
    g.y = p.top;
    g.width = static_cast<int>(width);
    g.height = static_cast<int>(height);
    g.showCmd =
        p.showCmd == kShowMinimized || p.showCmd == kShowMaximized ? p.showCmd : kShowNormal;
    return g;
}

int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base) {
    return MulDiv(units, base.averageCharWidth, 4);
}

int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base) {
    return MulDiv(units, base.charHeight, 8);
}
