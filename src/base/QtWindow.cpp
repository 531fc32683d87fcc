#include "base/QtWindow.h"

#include <QFontMetrics>
#include <QKeyEvent>
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

bool CloseOnEscape(QWidget& window, const QKeyEvent& event) {
    if (event.key() != Qt::Key_Escape) {
        return false;
    }
    window.close();
    return true;
}
