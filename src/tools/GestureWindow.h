#pragma once
// The gesture window: an XY pad between four corner lists of snapshots, the mode and position
// texts, and the joystick. The pad's rules are the core's (tools/Gesture.h); the window hands it
// each pointer event and draws the crosshair it is given.

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "snapshots/Snapshots.h"

class QComboBox;
class QLineEdit;
class SdlJoystick;
class ToolWindowHost;

// The pad: a white field with a sunken edge and the crosshair. It takes no mouse events: the
// window reads the pointer in its own coordinates.
class GesturePad : public QWidget {
public:
    enum class Pen { Normal, Active, Flash };
    explicit GesturePad(QWidget* parent);

    // The pad's client area inside the edge.
    int ClientRight() const;
    int ClientBottom() const;
    void ShowCrosshair(int x, int y, Pen pen);
    void SetPen(Pen pen);
    void HideCrosshair();
    bool CrosshairShown() const { return m_shown; }
    QPoint Crosshair() const { return {m_x, m_y}; }
    Pen CurrentPen() const { return m_pen; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_shown = false;
    int m_x = 0;
    int m_y = 0;
    Pen m_pen = Pen::Normal;
};

class GestureWindow : public QWidget, public GestureView {
    Q_OBJECT
public:
    GestureWindow(QWidget* owner, ToolWindowHost* host);
    ~GestureWindow() override;

    // GestureView
    void AppendCornerName(const std::string& name) override;
    void RefillCornerLists(const std::vector<std::string>& names,
                           const std::array<std::int32_t, 4>& selected) override;
    void Close() override;
    void KeepInFront(bool inFront) override;

    // For tests and screenshots.
    GesturePad* Pad() const { return m_pad; }
    QComboBox* CornerList(int corner) const { return m_corners[static_cast<std::size_t>(corner)]; }
    QLineEdit* ModeText() const { return m_modeText; }
    QLineEdit* PositionText() const { return m_positionText; }
    bool JoystickCaptured() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    void Pointer(QPoint at, Qt::KeyboardModifiers modifiers, bool leftDown);
    void RightButton();
    void PollJoystick();
    int UnitHeight() const;

    ToolWindowHost* m_host;
    GesturePad* m_pad = nullptr;
    std::array<QComboBox*, 4> m_corners{};
    QLineEdit* m_modeText = nullptr;
    QLineEdit* m_positionText = nullptr;
    std::unique_ptr<SdlJoystick> m_joystick;
    QTimer m_joystickTimer;
    QTimer m_waitingBlendTimer; // while a blend waits for room at the output
    bool m_f2Held = false;
};

// Command 61000 shows and hides the gesture window.
void RegisterGestureWindow(ToolWindowHost& host);
