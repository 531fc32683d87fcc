#pragma once
// The main window's status bar: five sunken parts whose right edges the frame sets, each with
// one line of text.

#include <QString>
#include <QWidget>
#include <array>

#include "app/FrameLayout.h"

class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusBarWidget(QWidget* parent);

    void SetEdges(const std::array<int, kStatusPartCount>& edges);
    void SetText(int part, const QString& text);
    QString PartText(int part) const;
    std::array<int, kStatusPartCount> PartEdges() const { return m_edges; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, kStatusPartCount> m_edges{};
    std::array<QString, kStatusPartCount> m_texts;
};
