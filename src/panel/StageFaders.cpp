#include "panel/StageFaders.h"

#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

constexpr const char* kLockedProperty = "ventaroLocked";

// Dark tracks on the light panel, a vivid fill: the position reads as the height of a bar.
const QColor kTrack(0x17, 0x1a, 0x1f);
const QColor kTrackMark(0x4a, 0x51, 0x5c);
const QColor kFill(0x1f, 0xc6, 0xff);
const QColor kLockedFill(0xff, 0x9d, 0x14);
const QColor kDisabledFill(0x60, 0x66, 0x72);
const QColor kThumb(0xee, 0xf1, 0xf5);
const QColor kThumbEdge(0x05, 0x06, 0x08);
const QColor kThumbBright(0xff, 0xff, 0xff);
const QColor kFocus(0xff, 0x1f, 0x6a);
const QColor kFocusTrack(0x6e, 0x10, 0x38);
const QColor kArrow(0x2e, 0x34, 0x3d);
const QColor kArrowPressed(0x55, 0x5f, 0x6d);
const QColor kArrowInk(0xee, 0xf1, 0xf5);

// Where the parts of one vertical fader stand, as its style placed them, and its state.
struct FaderParts {
    QRect bounds;
    QRect track; // the thumb's travel, across the whole control
    QRect thumb;
    QRect lowerArrow; // the arrow that lowers the value (scroll bar only)
    QRect raiseArrow;
    bool minimumAtBottom = true;
    bool locked = false;
    bool focused = false;
    bool enabled = true;
    bool thumbPressed = false;
    bool lowerPressed = false;
    bool raisePressed = false;
};

// A triangle in `box` pointing up or down.
void PaintArrow(QPainter& painter, const QRect& box, bool pressed, bool pointsUp) {
    if (box.isEmpty()) {
        return;
    }
    painter.fillRect(box, pressed ? kArrowPressed : kArrow);
    const qreal half = std::max(1.0, std::min(box.width(), box.height()) / 2.0 - 1.0);
    const QPointF centre = QRectF(box).center();
    const qreal tip = pointsUp ? -half / 2 : half / 2;
    const QPolygonF triangle{QPointF(centre.x() - half, centre.y() - tip),
                             QPointF(centre.x() + half, centre.y() - tip),
                             QPointF(centre.x(), centre.y() + tip)};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowInk);
    painter.drawPolygon(triangle);
    painter.restore();
}

void PaintFader(QPainter& painter, const FaderParts& parts) {
    const QRect track = parts.track.intersected(parts.bounds);
    if (track.isEmpty()) {
        return;
    }
    // The focused fader's whole column stands out, even where it is a few pixels wide.
    painter.fillRect(track, parts.focused ? kFocusTrack : kTrack);
    // Inside a track of some width the fill keeps a dark edge, so neighbours stay apart.
    const int inset = track.width() >= 6 ? 1 : 0;
    const QRect inner = track.adjusted(inset, 0, -inset, 0);
    painter.fillRect(QRect(inner.left(), track.center().y(), inner.width(), 1), kTrackMark);

    const QRect thumb = QRect(track.left(), parts.thumb.top(), track.width(), parts.thumb.height())
                            .intersected(track);
    const int level = thumb.isEmpty() ? track.bottom() : thumb.center().y();
    const QRect fill = parts.minimumAtBottom
                           ? QRect(QPoint(inner.left(), level), inner.bottomRight())
                           : QRect(inner.topLeft(), QPoint(inner.right(), level));
    const QColor fillColour = !parts.enabled ? kDisabledFill : (parts.locked ? kLockedFill : kFill);
    painter.fillRect(fill, fillColour);

    if (!thumb.isEmpty()) {
        const QColor body = parts.focused || parts.thumbPressed ? kThumbBright : kThumb;
        painter.fillRect(thumb, kThumbEdge);
        painter.fillRect(thumb.adjusted(inset, 1, -inset, -1), body);
        // A dark notch marks the exact position on a long scroll bar thumb.
        const int notch = thumb.height() >= 24 ? 2 : 1;
        if (thumb.height() >= 16) {
            painter.fillRect(QRect(thumb.left(), level - notch / 2, thumb.width(), notch),
                             kThumbEdge);
        }
    }

    PaintArrow(painter, parts.lowerArrow, parts.lowerPressed, !parts.minimumAtBottom);
    PaintArrow(painter, parts.raiseArrow, parts.raisePressed, parts.minimumAtBottom);

    if (parts.focused) {
        const int width = parts.bounds.width() >= 10 ? 2 : 1;
        const QRect b = parts.bounds;
        painter.fillRect(QRect(b.left(), b.top(), b.width(), width), kFocus);
        painter.fillRect(QRect(b.left(), b.bottom() - width + 1, b.width(), width), kFocus);
        painter.fillRect(QRect(b.left(), b.top(), width, b.height()), kFocus);
        painter.fillRect(QRect(b.right() - width + 1, b.top(), width, b.height()), kFocus);
    }
}

// The common state of either style.
void TakeState(FaderParts& parts, const QStyleOptionSlider& option, bool locked) {
    parts.bounds = option.rect;
    // A vertical control drawn upside down has its minimum at the bottom.
    parts.minimumAtBottom = option.upsideDown;
    parts.locked = locked;
    parts.focused = (option.state & QStyle::State_HasFocus) != 0;
    parts.enabled = (option.state & QStyle::State_Enabled) != 0;
}

bool Pressed(const QStyleOptionSlider& option, QStyle::SubControl part) {
    return (option.activeSubControls & part) != 0 && (option.state & QStyle::State_Sunken) != 0;
}

} // namespace

StageSlider::StageSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setTickPosition(QSlider::NoTicks);
}

void StageSlider::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QStyle* look = style();
    FaderParts parts;
    TakeState(parts, option, FaderLocked(this));
    const QRect groove =
        look->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    parts.thumb = look->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The track spans the thumb's whole travel and the control's whole width.
    const QRect travel = groove.united(parts.thumb);
    parts.track = QRect(option.rect.left(), travel.top(), option.rect.width(), travel.height());
    parts.thumbPressed = Pressed(option, QStyle::SC_SliderHandle);
    QPainter painter(this);
    PaintFader(painter, parts);
}

StageScrollBar::StageScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

void StageScrollBar::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QStyle* look = style();
    FaderParts parts;
    TakeState(parts, option, FaderLocked(this));
    const auto part = [&](QStyle::SubControl control) {
        return look->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    };
    parts.track = part(QStyle::SC_ScrollBarGroove);
    parts.thumb = part(QStyle::SC_ScrollBarSlider);
    parts.lowerArrow = part(QStyle::SC_ScrollBarSubLine);
    parts.raiseArrow = part(QStyle::SC_ScrollBarAddLine);
    parts.thumbPressed = Pressed(option, QStyle::SC_ScrollBarSlider);
    parts.lowerPressed = Pressed(option, QStyle::SC_ScrollBarSubLine);
    parts.raisePressed = Pressed(option, QStyle::SC_ScrollBarAddLine);
    QPainter painter(this);
    PaintFader(painter, parts);
}

QAbstractSlider* CreateStageFader(bool trackbar, QWidget* parent) {
    if (trackbar) {
        return new StageSlider(parent);
    }
    auto* bar = new StageScrollBar(parent);
    // A fader: the maximum at the top, the up keys raising the value.
    bar->setInvertedAppearance(true);
    return bar;
}

// The lock is a property of the control, so that both styles carry it alike.
bool FaderLocked(const QAbstractSlider* control) {
    return control && control->property(kLockedProperty).toBool();
}

void SetFaderLocked(QAbstractSlider* control, bool locked) {
    if (control && FaderLocked(control) != locked) {
        control->setProperty(kLockedProperty, locked);
        control->update();
    }
}
