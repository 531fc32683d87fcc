#include "base/QtWindow.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>

WindowPlacement PlacementOf(const QWidget& window) {
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const int show = window.isMinimized()   ? kShowMinimized
                     : window.isMaximized() ? kShowMaximized
                                            : kShowNormal;
    return PlacementFromGeometry({normal.x(), normal.y(), normal.width(), normal.height(), show});
}

void PlaceWindow(QWidget& window, const WindowPlacement& placement) {
    if (const std::optional<WindowGeometry> geometry = GeometryFromPlacement(placement)) {
        window.setGeometry(geometry->x, geometry->y, geometry->width, geometry->height);
    }
}

DialogBaseUnits DialogUnitsOf(const QWidget& window) {
    const QFontMetrics metrics(window.font());
    return {metrics.averageCharWidth(), metrics.height()};
}

void PlaceInFreeArea(QWidget& window, int xUnits, int yUnits, bool fromBottom) {
    const DialogBaseUnits units = DialogUnitsOf(window);
    PlaceInFreeAreaPixels(window, DialogUnitsToPixelsX(xUnits, units),
                          DialogUnitsToPixelsY(yUnits, units), fromBottom);
}

void PlaceInFreeAreaPixels(QWidget& window, int x, int y, bool fromBottom) {
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (!owner) {
        return;
    }
    const FrameFreeArea area = MainWindowFreeArea();
    const QPoint origin = owner->mapToGlobal(QPoint(0, area.top));
    const QScreen* screen = owner->screen();
    const QRect available =
        screen ? screen->availableGeometry() : QRect(origin, QSize(area.width, area.height));
    // The window manager's frame is not known before the window is shown: its title bar is
    // reckoned in, so that a window at the foot of the area leaves the status bar in sight.
    const int titleBar =
        window.frameGeometry().height() > window.height()
            ? window.frameGeometry().height() - window.height()
            : window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) + 4;
    const ScreenPoint at = DefaultToolWindowPosition(
        {origin.x(), origin.y(), area.width, area.height}, window.width(),
        window.height() + titleBar, x, y, fromBottom,
        {available.x(), available.y(), available.width(), available.height()});
    window.move(at.x, at.y);
}

bool CloseOnEscape(QWidget& window, const QKeyEvent& event) {
    if (event.key() != Qt::Key_Escape) {
        return false;
    }
    window.close();
    return true;
}
