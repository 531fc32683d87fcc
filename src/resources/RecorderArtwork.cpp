#include "resources/RecorderArtwork.h"

#include <QPainter>

#include "resources/PanelArtwork.h"

namespace {

const QColor kInk(0x26, 0x30, 0x3c);
const QColor kRed(0xd8, 0x3a, 0x34);
const QColor kSteel(0x5a, 0x6e, 0x86);

void PaintRecord(QPainter& p) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(kRed);
    p.drawEllipse(QRectF(6, 6, 20, 20));
}

void PaintPause(QPainter& p) {
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kSteel);
    p.drawRect(QRectF(8, 7, 6, 18));
    p.drawRect(QRectF(18, 7, 6, 18));
}

} // namespace

QIcon RecordIcon() {
    return IconOf(PaintRecord);
}

QIcon PauseIcon() {
    return IconOf(PaintPause);
}
