#include "resources/Artwork.h"

#include "resources/ArtworkPalette.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>
#include <utility>

namespace {

// The icons' shared palette, and the few colours only the tool bar's images use.
using namespace artwork;
const QColor kLightBlue(0x9c, 0xcc, 0xff);
const QColor kDarkAmber(0xc9, 0x86, 0x16);
const QColor kScreen(0x13, 0x2a, 0x22);
const QColor kPhosphor(0x5d, 0xf5, 0x8a);

using Painting = std::function<void(QPainter&, bool small)>;

// The outline width: thicker in the small images so a line stays one solid pixel at 16 × 16.
qreal Line(bool small) {
    return small ? 2.6 : 1.6;
}

QPen Outline(bool small, const QColor& color = kInk) {
    return artwork::Outline(Line(small), color);
}

void Page(QPainter& p, bool small, const QRectF& r) {
    const qreal fold = small ? 7 : 6;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(Outline(small));
    p.setBrush(kPaper);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(kLightSteel);
    p.drawPath(corner);
}

void Folder(QPainter& p, bool small, bool open) {
    p.setPen(Outline(small));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(15, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.setBrush(kDarkAmber);
    p.drawPath(back);
    QPainterPath front;
    if (open) {
        front.moveTo(7, 15);
        front.lineTo(30, 15);
        front.lineTo(26, 26);
        front.lineTo(3, 26);
    } else {
        front.moveTo(3, 14);
        front.lineTo(27, 14);
        front.lineTo(27, 26);
        front.lineTo(3, 26);
    }
    front.closeSubpath();
    QLinearGradient fill(0, 14, 0, 26);
    fill.setColorAt(0, kAmber.lighter(115));
    fill.setColorAt(1, kAmber);
    p.setBrush(fill);
    p.drawPath(front);
}

void Circle(QPainter& p, bool small, const QColor& color) {
    QRadialGradient fill(QPointF(12, 11), 18);
    fill.setColorAt(0, color.lighter(130));
    fill.setColorAt(1, color);
    p.setPen(Outline(small, color.darker(160)));
    p.setBrush(fill);
    p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
}

void Gear(QPainter& p, bool small, QPointF centre, qreal outer, int teeth, const QColor& color) {
    QPainterPath gear;
    const qreal inner = outer * 0.74;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = 2 * std::numbers::pi * i / (teeth * 4);
        const qreal radius = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (i == 0) {
            gear.moveTo(point);
        } else {
            gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, outer * 0.32, outer * 0.32);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Outline(small, color.darker(170)));
    p.setBrush(color);
    p.drawPath(gear);
}

// A fader: the slot and its cap at `level` (0 bottom .. 1 top).
void Fader(QPainter& p, bool small, qreal x, qreal top, qreal bottom, qreal level,
           const QColor& cap) {
    p.setPen(QPen(kInk, small ? 2.4 : 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    const qreal y = bottom - (bottom - top) * level;
    p.setPen(Outline(small));
    p.setBrush(cap);
    const qreal w = small ? 8 : 7;
    p.drawRoundedRect(QRectF(x - w / 2, y - 2.5, w, 5), 1.2, 1.2);
}

void Wave(QPainter& p, QRectF area, qreal width, const QColor& color, qreal cycles) {
    QPainterPath wave;
    for (int i = 0; i <= 48; ++i) {
        const qreal t = i / 48.0;
        const QPointF point(area.left() + t * area.width(),
                            area.center().y() -
                                std::sin(t * cycles * 2 * std::numbers::pi) * area.height() / 2);
        if (i == 0) {
            wave.moveTo(point);
        } else {
            wave.lineTo(point);
        }
    }
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void Cross(QPainter& p, QPointF centre, qreal half, qreal width, const QColor& color) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void Pin(QPainter& p, bool small, bool pinned) {
    p.save();
    p.translate(16, 16);
    if (!pinned) {
        p.rotate(40);
    }
    const QColor head = pinned ? kRed : kSteel;
    p.setPen(QPen(kInk, small ? 2.6 : 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 3), QPointF(0, 13)); // the needle
    p.setPen(Outline(small, head.darker(170)));
    p.setBrush(head);
    p.drawRoundedRect(QRectF(-7, 0, 14, 4), 1.5, 1.5); // the collar
    QPainterPath body;
    body.moveTo(-4, 0);
    body.lineTo(-3, -8);
    body.lineTo(3, -8);
    body.lineTo(4, 0);
    body.closeSubpath();
    p.drawPath(body);
    p.drawRoundedRect(QRectF(-6, -12, 12, 4.5), 2, 2); // the head
    p.restore();
}

void PaintImage(QPainter& p, int index, bool small) {
    switch (index) {
    case 0: // Open project
        Folder(p, small, true);
        break;
    case 1: // Close project
        Folder(p, small, false);
        Cross(p, QPointF(23, 8), 4.5, small ? 3.2 : 2.6, kRed);
        break;
    case 2: // Preferences
        Gear(p, small, QPointF(16, 16), 13, 8, kSteel);
        break;
    case 3: // Always on top, released
    case 4: // Always on top, pressed
        if (index == 4) {
            p.setPen(Outline(small, kSteel));
            p.setBrush(kLightBlue);
            p.drawRoundedRect(QRectF(6, 22, 20, 7), 1.5, 1.5);
        }
        Pin(p, small, index == 4);
        break;
    case 5: { // Overview (help)
        Circle(p, small, kBlue);
        QFont font("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(20);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(4, 4, 24, 25), Qt::AlignCenter, "?");
        break;
    }
    case 6: // New project
        Page(p, small, QRectF(6, 3, 19, 26));
        Fader(p, small, 12, 11, 25, 0.7, kBlue);
        Fader(p, small, 19, 11, 25, 0.3, kRed);
        p.setPen(QPen(kAmber.darker(120), small ? 3 : 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(26, 2), QPointF(26, 10));
        p.drawLine(QPointF(22, 6), QPointF(30, 6));
        break;
    case 7: // Save project
        p.setPen(Outline(small));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 4, 16, 10));
        p.setBrush(kLightSteel);
        p.drawRect(QRectF(9, 19, 14, 9));
        p.setBrush(kInk);
        p.drawRect(QRectF(18, 6, 3, 6));
        break;
    case 8: { // MIDI devices: the five-pin connector
        p.setPen(Outline(small));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(kLightSteel);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 10.5, 10.5);
        p.setBrush(kInk);
        p.drawRect(QRectF(14, 3.5, 4, 4)); // the key notch
        const qreal r = small ? 2.3 : 1.8;
        for (int i = 0; i < 5; ++i) {
            const qreal angle = std::numbers::pi * (1.0 + i * 0.25);
            p.drawEllipse(QPointF(16 + 6.5 * std::cos(angle), 15 - 6.5 * std::sin(angle)), r, r);
        }
        break;
    }
    case 9: // Sound engine configuration
        p.setPen(Outline(small));
        p.setBrush(kScreen);
        p.drawRoundedRect(QRectF(2, 5, 24, 18), 3, 3);
        Wave(p, QRectF(5, 9, 18, 10), small ? 2.6 : 2.0, kPhosphor, 1.5);
        Gear(p, small, QPointF(24, 24), 7, 6, kAmber);
        break;
    case 10: // Virtual panel
        p.setPen(Outline(small));
        p.setBrush(kLightSteel);
        p.drawRoundedRect(QRectF(3, 3, 26, 26), 3, 3);
        Fader(p, small, 10, 7, 25, 0.75, kBlue);
        Fader(p, small, 16, 7, 25, 0.35, kRed);
        Fader(p, small, 22, 7, 25, 0.55, kGreen);
        break;
    case 11: { // Run sound engine
        Circle(p, small, kGreen);
        QPainterPath play;
        play.moveTo(12.5, 9);
        play.lineTo(23.5, 16);
        play.lineTo(12.5, 23);
        play.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(play);
        break;
    }
    case 12: // Stop sound engine
        Circle(p, small, kRed);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(10.5, 10.5, 11, 11), 1.5, 1.5);
        break;
    case 13: { // Reset current devices
        QPen pen(kBlue, small ? 4 : 3.4, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 22, 22), 100 * 16, 290 * 16);
        QPainterPath head;
        head.moveTo(11, 1.5);
        head.lineTo(19.5, 6.5);
        head.lineTo(11, 11.5);
        head.closeSubpath();
        p.setPen(Outline(small, kBlue.darker(150)));
        p.setBrush(kBlue);
        p.drawPath(head);
        p.setBrush(kInk);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 3, 3);
        break;
    }
    case 14: // Project manager: a tree
        p.setPen(QPen(kInk, small ? 2.4 : 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 11), QPointF(8, 24));
        p.drawLine(QPointF(8, 17), QPointF(16, 17));
        p.drawLine(QPointF(8, 24), QPointF(16, 24));
        p.setPen(Outline(small));
        p.setBrush(kAmber);
        p.drawRoundedRect(QRectF(3, 3, 11, 8), 1.5, 1.5);
        p.setBrush(kLightBlue);
        p.drawRoundedRect(QRectF(16, 13, 13, 8), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(16, 21, 13, 7), 1.5, 1.5);
        break;
    case 15: { // Script editor
        Page(p, small, QRectF(4, 3, 19, 26));
        p.setPen(QPen(kSteel, small ? 2.2 : 1.6, Qt::SolidLine, Qt::RoundCap));
        for (qreal y : {11.0, 15.5, 20.0, 24.5}) {
            p.drawLine(QPointF(8, y), QPointF(small ? 16 : 19, y));
        }
        p.save();
        p.translate(24, 18);
        p.rotate(35);
        p.setPen(Outline(small));
        p.setBrush(kAmber);
        p.drawRect(QRectF(-2.5, -11, 5, 16));
        QPainterPath tip;
        tip.moveTo(-2.5, 5);
        tip.lineTo(2.5, 5);
        tip.lineTo(0, 10);
        tip.closeSubpath();
        p.setBrush(kPaper);
        p.drawPath(tip);
        p.restore();
        break;
    }
    case 16: // MIDIScope
        p.setPen(Outline(small));
        p.setBrush(kSteel);
        p.drawRoundedRect(QRectF(2, 4, 28, 24), 4, 4);
        p.setBrush(kScreen);
        p.drawRoundedRect(QRectF(5, 7, 22, 18), 2, 2);
        {
            QPainterPath pulse;
            pulse.moveTo(6, 19);
            pulse.lineTo(11, 19);
            pulse.lineTo(13, 10);
            pulse.lineTo(16, 22);
            pulse.lineTo(18, 16);
            pulse.lineTo(26, 16);
            p.setPen(
                QPen(kPhosphor, small ? 2.6 : 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(pulse);
        }
        break;
    case 17: // Audio recorder: a microphone and the record light
        p.setPen(Outline(small));
        p.setBrush(kLightSteel);
        p.drawRoundedRect(QRectF(9, 2, 10, 17), 5, 5);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 8, 18, 15), 180 * 16, 180 * 16);
        p.drawLine(QPointF(14, 23), QPointF(14, 28));
        p.drawLine(QPointF(9, 28.5), QPointF(19, 28.5));
        p.setBrush(kRed);
        p.setPen(Outline(small, kRed.darker(160)));
        p.drawEllipse(QPointF(25, 8), small ? 5 : 4.5, small ? 5 : 4.5);
        break;
    case 18: // Gesture window: the XY pad with its four snapshot corners
        p.setPen(Outline(small));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(3, 3, 26, 26), 3, 3);
        p.setPen(QPen(kLightSteel, small ? 2 : 1.4, Qt::DashLine));
        p.drawLine(QPointF(16, 5), QPointF(16, 27));
        p.drawLine(QPointF(5, 16), QPointF(27, 16));
        p.setPen(Qt::NoPen);
        for (auto [corner, color] : {std::pair{QPointF(7, 7), kBlue},
                                     {QPointF(25, 7), kGreen},
                                     {QPointF(7, 25), kAmber},
                                     {QPointF(25, 25), kRed}}) {
            p.setBrush(color);
            p.drawEllipse(corner, 2.8, 2.8);
        }
        p.setPen(Outline(small));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(19, 13), 3.5, 3.5);
        break;
    case 19: // Find slider
        Fader(p, small, 9, 4, 27, 0.6, kBlue);
        p.setPen(QPen(kInk, small ? 4.4 : 3.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, 22), QPointF(29, 29));
        p.setPen(Outline(small));
        p.setBrush(QColor(0xdd, 0xee, 0xff, 0xd0));
        p.drawEllipse(QPointF(18, 16), 7.5, 7.5);
        break;
    default:
        break;
    }
}

void PaintMainIcon(QPainter& p, bool small) {
    QLinearGradient fill(0, 0, 32, 32);
    fill.setColorAt(0, QColor(0x1d, 0x4e, 0x9e));
    fill.setColorAt(1, QColor(0x57, 0x2a, 0x8c));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    const QColor caps[] = {QColor(0x5d, 0xd8, 0xff), QColor(0xff, 0x7a, 0x59),
                           QColor(0xff, 0xd2, 0x4a)};
    const qreal levels[] = {0.7, 0.35, 0.55};
    for (int i = 0; i < 3; ++i) {
        const qreal x = 9 + i * 7;
        p.setPen(QPen(QColor(255, 255, 255, 200), small ? 2.4 : 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 6), QPointF(x, 26));
        const qreal y = 26 - 20 * levels[i];
        p.setPen(Qt::NoPen);
        p.setBrush(caps[i]);
        p.drawRoundedRect(QRectF(x - 4, y - 2.5, 8, 5), 1.5, 1.5);
    }
}

void PaintOk(QPainter& p, bool small) {
    QPainterPath check;
    check.moveTo(5, 17);
    check.lineTo(12.5, 24.5);
    check.lineTo(27, 8);
    p.setPen(QPen(kGreen, small ? 5 : 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);
}

class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(Painting painting) : m_painting(std::move(painting)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // `size` is in device pixels already; `scale` says how many of them make one logical pixel.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        // Each size is drawn once: tool buttons ask again at every repaint.
        const QString key = QString("%1x%2@%3:%4")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(scale)
                                .arg(mode == QIcon::Disabled ? 1 : 0);
        if (const auto it = m_cache.constFind(key); it != m_cache.constEnd()) {
            return it.value();
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(size.width() / 32.0, size.height() / 32.0);
            const qreal logical = qMin(size.width(), size.height()) / (scale > 0 ? scale : 1.0);
            m_painting(p, logical <= 20);
        }
        if (mode == QIcon::Disabled) {
            Desaturate(image);
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(scale);
        m_cache.insert(key, pixmap);
        return pixmap;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(m_painting); }

private:
    static void Desaturate(QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int gray = qGray(line[x]);
                const int alpha = qAlpha(line[x]) * 2 / 5;
                line[x] = qRgba(gray * 2 / 5, gray * 2 / 5, gray * 2 / 5, alpha);
            }
        }
    }

    Painting m_painting;
    QHash<QString, QPixmap> m_cache;
};

QIcon Painted(Painting painting) {
    return QIcon(new PaintedIconEngine(std::move(painting)));
}

} // namespace

void PaintToolBarImage(QPainter& painter, int index, bool small) {
    PaintImage(painter, index, small);
}

QIcon ToolBarIcon(int index) {
    return Painted([index](QPainter& p, bool small) { PaintImage(p, index, small); });
}

QIcon MainIcon() {
    return Painted(PaintMainIcon);
}

QIcon OkButtonIcon() {
    return Painted(PaintOk);
}

QIcon CancelButtonIcon() {
    return Painted(
        [](QPainter& p, bool small) { Cross(p, QPointF(16, 16), 10, small ? 5 : 4.4, kRed); });
}

QPixmap SplashPixmap(QSize size, qreal ratio) {
    QPixmap pixmap((QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0, QColor(0x10, 0x22, 0x4a));
    sky.setColorAt(1, QColor(0x3a, 0x16, 0x5c));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // A bank of faders fading into the right half, caps lit in the palette's colours.
    const QColor caps[] = {QColor(0x5d, 0xd8, 0xff), QColor(0xff, 0x7a, 0x59),
                           QColor(0xff, 0xd2, 0x4a), QColor(0x8c, 0xf5, 0x9a)};
    for (int i = 0; i < 10; ++i) {
        const qreal x = w * 0.71 + i * w * 0.027;
        const qreal top = h * 0.16;
        const qreal bottom = h * 0.84;
        QColor slot(255, 255, 255, 40 + i * 10);
        p.setPen(QPen(slot, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, top), QPointF(x, bottom));
        const qreal level = 0.5 + 0.4 * std::sin(i * 0.9);
        const qreal y = bottom - (bottom - top) * level;
        p.setPen(Qt::NoPen);
        QColor cap = caps[i % 4];
        cap.setAlpha(120 + i * 13);
        p.setBrush(cap);
        p.drawRoundedRect(QRectF(x - 6, y - 4, 12, 8), 2, 2);
    }

    QFont title("DejaVu Sans");
    title.setBold(true);
    title.setPixelSize(qRound(h * 0.16));
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.07, h * 0.22, w * 0.6, h * 0.22), Qt::AlignLeft | Qt::AlignVCenter,
               "Ventaro.2");
    QFont subtitle("DejaVu Sans");
    subtitle.setPixelSize(qRound(h * 0.075));
    p.setFont(subtitle);
    p.setPen(QColor(0xc8, 0xd8, 0xff));
    p.drawText(QRectF(w * 0.07, h * 0.44, w * 0.6, h * 0.1), Qt::AlignLeft | Qt::AlignVCenter,
               "Live Fader Studio");
    QFont small("DejaVu Sans");
    small.setPixelSize(qRound(h * 0.045));
    p.setFont(small);
    p.setPen(QColor(0x9a, 0xa8, 0xc8));
    p.drawText(QRectF(w * 0.07, h * 0.78, w * 0.6, h * 0.08), Qt::AlignLeft | Qt::AlignVCenter,
               "MIDI faders, snapshots and Csound, live");
    p.setPen(QPen(QColor(0x5d, 0xd8, 0xff), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.07, h * 0.58), QPointF(w * 0.3, h * 0.58));
    return pixmap;
}

static QPixmap DrawWallPaperTile(int which, qreal ratio);

QPixmap WallPaperTile(int which, qreal ratio) {
    // The background asks for its tile at every paint: draw it once per pattern and ratio.
    static QHash<QString, QPixmap> tiles;
    const QString key = QString("%1@%2").arg(which).arg(ratio);
    if (const auto it = tiles.constFind(key); it != tiles.constEnd()) {
        return it.value();
    }
    const QPixmap tile = DrawWallPaperTile(which, ratio);
    tiles.insert(key, tile);
    return tile;
}

static QPixmap DrawWallPaperTile(int which, qreal ratio) {
    const int side = 48;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = which == 2 ? QColor(0x4a, 0x55, 0x66) : QColor(0x2b, 0x33, 0x40);
    p.fillRect(QRectF(0, 0, side, side), base);
    // A faint fader and a cross-hatch that repeat seamlessly.
    const QColor line = base.lighter(which == 2 ? 118 : 135);
    p.setPen(QPen(line, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 8), QPointF(12, 40));
    p.drawLine(QPointF(36, 8), QPointF(36, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(line);
    p.drawRoundedRect(QRectF(8, 26, 8, 4), 1, 1);
    p.drawRoundedRect(QRectF(32, 14, 8, 4), 1, 1);
    p.setPen(QPen(base.lighter(112), 1.0));
    p.drawLine(QPointF(0, 0), QPointF(side, side));
    p.drawLine(QPointF(side, 0), QPointF(0, side));
    return pixmap;
}
