#include "resources/SendMidiArtwork.h"

#include "resources/PanelArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace {

const QColor kInk(0x26, 0x30, 0x3c);
const QColor kRed(0xd8, 0x3a, 0x34);
const QColor kPaper(0xfb, 0xfc, 0xfe);

// A red octagon, as a stop sign, holding a white note struck through.
void PaintPanic(QPainter& p) {
    QPolygonF octagon;
    for (int k = 0; k < 8; ++k) {
        const double angle = (22.5 + 45.0 * k) * M_PI / 180.0;
        octagon << QPointF(16 + 14 * std::cos(angle), 16 + 14 * std::sin(angle));
    }
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kRed);
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(9, 17.5, 8, 6));
    p.drawRect(QRectF(15, 7, 2.2, 14));
    QPainterPath flag;
    flag.moveTo(17, 7);
    flag.cubicTo(21, 9, 23, 11, 21.5, 15);
    flag.cubicTo(21, 12, 19, 11.5, 17, 11);
    flag.closeSubpath();
    p.drawPath(flag);
    p.setPen(QPen(kPaper, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 25), QPointF(24, 8));
}

} // namespace

QIcon PanicIcon() {
    return IconOf(PaintPanic);
}
