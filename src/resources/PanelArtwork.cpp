#include "resources/PanelArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

#include "resources/ArtworkPalette.h"

namespace {

using namespace artwork;

using Painting = std::function<void(QPainter&)>;

// Three small faders at the given heights (0..1 from the bottom).
void Faders(QPainter& p, const QColor& knob, double a, double b, double c) {
    const double heights[] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        const qreal x = 7 + 9 * k;
        p.setPen(Outline(2.0, kSteel));
        p.drawLine(QPointF(x, 5), QPointF(x, 27));
        const qreal y = 25 - heights[k] * 18;
        p.setPen(Outline(1.4));
        p.setBrush(knob);
        p.drawRoundedRect(QRectF(x - 4, y - 2.5, 8, 5), 1.5, 1.5);
    }
}

void Stop(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(7, 7, 18, 18), 3, 3);
}

void Start(QPainter& p) {
    QPainterPath play;
    play.moveTo(9, 6);
    play.lineTo(26, 16);
    play.lineTo(9, 26);
    play.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kGreen);
    p.drawPath(play);
}

void Presets(QPainter& p) {
    Faders(p, kAmber, 0.2, 0.5, 0.8);
}

void Resend(QPainter& p) {
    p.setPen(Outline(2.4, kBlue));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 6, 20, 20), 40 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(22, 3);
    head.lineTo(28, 10);
    head.lineTo(19, 12);
    head.closeSubpath();
    p.setPen(Outline(1.2, kBlue));
    p.setBrush(kBlue);
    p.drawPath(head);
}

void Random(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(5, 5, 22, 22), 4, 4);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    for (const QPointF dot :
         {QPointF(11, 11), QPointF(21, 11), QPointF(16, 16), QPointF(11, 21), QPointF(21, 21)}) {
        p.drawEllipse(dot, 2.2, 2.2);
    }
}

void Configuration(QPainter& p) {
    Faders(p, kLightSteel, 0.7, 0.3, 0.6);
    p.setPen(Outline(1.6));
    p.setBrush(kAmber);
    p.drawEllipse(QPointF(24, 24), 5, 5);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(24, 24), 1.8, 1.8);
}

void Snapshot(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kLightSteel);
    p.drawRoundedRect(QRectF(4, 10, 24, 16), 3, 3);
    p.drawRect(QRectF(11, 6, 10, 4));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(16, 18), 5, 5);
}

} // namespace

QIcon IconOf(const Painting& paint) {
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon CurveIcon(int curve) {
    return IconOf([curve](QPainter& p) {
        p.setPen(Outline(1.4, kSteel));
        p.drawLine(QPointF(4, 28), QPointF(28, 28));
        p.drawLine(QPointF(4, 28), QPointF(4, 4));
        // The curve's own shape over the slider's travel, position across and output up.
        static const double randomLevels[] = {0.1, 0.7, 0.3, 0.9, 0.2, 0.6, 1.0};
        QPainterPath path;
        constexpr int kSteps = 24;
        for (int k = 0; k <= kSteps; ++k) {
            const double x = static_cast<double>(k) / kSteps;
            double y = x;
            switch (curve) {
            case 1:
                y = std::log10(1.0 + 9.0 * x);
                break;
            case 2:
                y = x * x;
                break;
            case 3:
                y = x * x * x;
                break;
            case 4:
                y = randomLevels[k / 4];
                break;
            default:
                break;
            }
            const QPointF point(6 + 21 * x, 26 - 21 * y);
            if (k == 0) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
        }
        p.setPen(Outline(2.6, kBlue));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    });
}

QIcon PanelControlIcon(int index) {
    static const Painting paintings[] = {Stop,   Start,         Presets, Resend,
                                         Random, Configuration, Snapshot};
    return IconOf(paintings[index >= 0 && index <= 6 ? index : 0]);
}

QIcon SnapshotManagerIcon() {
    return IconOf([](QPainter& p) {
        p.setPen(Outline());
        for (int k = 2; k >= 0; --k) {
            p.setBrush(k == 0 ? kPaper : kLightSteel);
            p.drawRoundedRect(QRectF(4 + 3 * k, 12 - 3 * k, 18, 16), 2, 2);
        }
        p.setPen(Outline(1.6, kBlue));
        p.drawLine(QPointF(8, 18), QPointF(18, 18));
        p.drawLine(QPointF(8, 23), QPointF(15, 23));
    });
}

QIcon PanelIcon() {
    return IconOf([](QPainter& p) {
        p.setPen(Outline());
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(2, 3, 28, 26), 3, 3);
        Faders(p, kBlue, 0.6, 0.25, 0.8);
    });
}
