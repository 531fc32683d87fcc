#pragma once
// The virtual panel's icons, painted like the rest of the program's artwork: "InterpIcon" on
// the curve button, "Control0Icon" to "Control6Icon" on the control buttons (0 and 1 are the
// start/stop button's two states), "SNAPMANICON" and "PANELICON" in the snapshot list.

#include <QIcon>
#include <functional>

class QPainter;

// The shape of mapping curve 0..4 (linear, logarithmic, quadratic, cubic, random).
QIcon CurveIcon(int curve);
// Control icon `index` 0..6: 0 stop (shown while running), 1 start, 2 presets, 3 resend all,
// 4 random, 5 panel configuration, 6 take snapshot.
QIcon PanelControlIcon(int index);
QIcon SnapshotManagerIcon();
QIcon PanelIcon();

// An icon of a painting into a 32 × 32 square, held at 16, 32 and 64 pixels.
QIcon IconOf(const std::function<void(QPainter&)>& paint);
