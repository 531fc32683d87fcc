#include "app/StatusBarWidget.h"

#include <QPainter>
#include <QStyleOption>

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void StatusBarWidget::SetEdges(const std::array<int, kStatusPartCount>& edges) {
    m_edges = edges;
    update();
}

void StatusBarWidget::SetText(int part, const QString& text) {
    if (part >= 0 && part < kStatusPartCount) {
        m_texts[static_cast<std::size_t>(part)] = text;
        update();
    }
}

QString StatusBarWidget::PartText(int part) const {
    return part >= 0 && part < kStatusPartCount ? m_texts[static_cast<std::size_t>(part)]
                                                : QString();
}

QSize StatusBarWidget::sizeHint() const {
    return QSize(200, fontMetrics().height() + 8);
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& palette = this->palette();
    p.setPen(palette.color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    int left = 0;
    for (int part = 0; part < kStatusPartCount; ++part) {
        const int right =
            part == kStatusPartLast ? width() : m_edges[static_cast<std::size_t>(part)];
        const QRect pane(left + 2, 3, qMax(0, right - left - 4), height() - 5);
        if (pane.width() > 0) {
            // A sunken pane: dark above and left, light below and right.
            p.setPen(palette.color(QPalette::Mid));
            p.drawLine(pane.topLeft(), pane.topRight());
            p.drawLine(pane.topLeft(), pane.bottomLeft());
            p.setPen(palette.color(QPalette::Light));
            p.drawLine(pane.bottomLeft(), pane.bottomRight());
            p.drawLine(pane.topRight(), pane.bottomRight());
            p.setPen(palette.color(QPalette::ButtonText));
            const QRect textRect = pane.adjusted(4, 0, -4, 0);
            p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                       fontMetrics().elidedText(m_texts[static_cast<std::size_t>(part)],
                                                Qt::ElideRight, textRect.width()));
        }
        left = right;
    }
}
