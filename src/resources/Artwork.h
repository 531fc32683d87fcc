#pragma once
// The program's own icons and bitmaps, drawn as vector paintings so they stay sharp at 16 and
// 32 pixels and on high-density screens: "0MainIcon", the tool bar images of "CoolBar32" and
// "CoolBar16", "Splash", "WallPaper1", "WallPaper2", "OKButt" and "CancButt".

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;

// The tool bar image `index` (0..19) as an icon for any size; the icon engine draws the small
// variant at 20 pixels and below.
QIcon ToolBarIcon(int index);
// Paints tool bar image `index` into the 32 × 32 unit square of `painter`.
void PaintToolBarImage(QPainter& painter, int index, bool small);

QIcon MainIcon();
QIcon OkButtonIcon();
QIcon CancelButtonIcon();

// The splash bitmap at `size` logical pixels for a screen of the given pixel ratio.
QPixmap SplashPixmap(QSize size, qreal devicePixelRatio);
// The tile of "WallPaper1" (1) or "WallPaper2" (2).
QPixmap WallPaperTile(int which, qreal devicePixelRatio);
