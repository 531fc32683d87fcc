#pragma once
// The colours and the outline pen that the panel's and the project manager's icons share, so the
// two sets read as one family.

#include <QColor>
#include <QPen>

namespace artwork {

inline const QColor kInk(0x26, 0x30, 0x3c);
inline const QColor kBlue(0x2f, 0x7f, 0xd8);
inline const QColor kGreen(0x2e, 0x9e, 0x4f);
inline const QColor kRed(0xd8, 0x3a, 0x34);
inline const QColor kAmber(0xf2, 0xb2, 0x33);
inline const QColor kPaper(0xfb, 0xfc, 0xfe);
inline const QColor kSteel(0x8a, 0x96, 0xa3);
inline const QColor kLightSteel(0xd5, 0xdc, 0xe4);

inline QPen Outline(qreal width = 2.0, const QColor& color = kInk) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace artwork
