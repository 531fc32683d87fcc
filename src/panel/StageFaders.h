#pragma once
// The panel's slider controls drawn to be read from a distance on stage: a dark track, a bright
// fill from the minimum up to the position, a light thumb, the focused fader outlined and a
// locked one filled in amber. Only the painting is ours: the parts are placed by the widget's
// own style, so clicks, drags and keys behave exactly as they do on a plain control.

#include <QScrollBar>
#include <QSlider>

// The trackbar style of the panel (g_panelControlStyle 1).
class StageSlider : public QSlider {
public:
    explicit StageSlider(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The scroll bar style of the panel, with its two arrows.
class StageScrollBar : public QScrollBar {
public:
    explicit StageScrollBar(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A vertical panel control in either style: trackbar when `trackbar`, else scroll bar. Its
// maximum is at the top.
QAbstractSlider* CreateStageFader(bool trackbar, QWidget* parent);
// Whether the control is drawn as locked; false for a control that is not a stage fader.
bool FaderLocked(const QAbstractSlider* control);
void SetFaderLocked(QAbstractSlider* control, bool locked);
