#include "resources/ManagerArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "resources/Artwork.h"
#include "resources/ArtworkPalette.h"
#include "resources/PanelArtwork.h"

namespace {

using namespace artwork;

using Painting = std::function<void(QPainter&)>;

// A camera body with its lens: the panel's state taken as a picture.
void Snapshot(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kLightSteel);
    p.drawRoundedRect(QRectF(3, 10, 26, 17), 3, 3);
    p.drawRoundedRect(QRectF(10, 5, 12, 5), 1.5, 1.5);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(16, 18.5), 5.5, 5.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(14.5, 17), 1.6, 1.6);
}

// Two panels with an arrow from one to the other.
void Transition(QPainter& p) {
    p.setPen(Outline(1.6));
    p.setBrush(kLightSteel);
    p.drawRoundedRect(QRectF(2, 9, 10, 14), 2, 2);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(20, 9, 10, 14), 2, 2);
    p.setPen(Outline(2.2, kInk));
    p.drawLine(QPointF(13, 16), QPointF(18, 16));
    QPainterPath head;
    head.moveTo(15, 12);
    head.lineTo(19.5, 16);
    head.lineTo(15, 20);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

// A sheet with a folded corner and lines of text.
void Script(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(6, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(6, 29);
    sheet.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.setBrush(kLightSteel);
    QPainterPath fold;
    fold.moveTo(20, 3);
    fold.lineTo(20, 9);
    fold.lineTo(26, 9);
    fold.closeSubpath();
    p.drawPath(fold);
    p.setPen(Outline(1.8, kBlue));
    for (const qreal y : {13.0, 18.0, 23.0}) {
        p.drawLine(QPointF(10, y), QPointF(y == 23.0 ? 17 : 22, y));
    }
}

// A small blue diamond, so the entries read as leaves of their branch.
void Entry(QPainter& p) {
    QPainterPath diamond;
    diamond.moveTo(16, 6);
    diamond.lineTo(26, 16);
    diamond.lineTo(16, 26);
    diamond.lineTo(6, 16);
    diamond.closeSubpath();
    p.setPen(Outline(1.8));
    p.setBrush(kBlue);
    p.drawPath(diamond);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 16), 2.5, 2.5);
}

// A padlock, closed.
void Locked(QPainter& p) {
    p.setPen(Outline(2.6, kSteel));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(10, 4, 12, 16), 6, 6);
    p.setPen(Outline());
    p.setBrush(kAmber);
    p.drawRoundedRect(QRectF(6, 13, 20, 16), 2.5, 2.5);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 20), 2.4, 2.4);
    p.drawRect(QRectF(15, 20, 2, 5));
}

} // namespace

QIcon ProjectTreeIcon(int index) {
    switch (index) {
    case 0:
        return MainIcon();
    case 1:
        return PanelIcon();
    case 2:
        return IconOf(Snapshot);
    case 3:
        return IconOf(Transition);
    case 4:
        return IconOf(Script);
    case 6:
        return IconOf(Locked);
    default:
        return IconOf(Entry);
    }
}
