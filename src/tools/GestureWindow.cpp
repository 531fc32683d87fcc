#include "tools/GestureWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <qdrawutil.h>

#include "base/CommandIds.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "project/ProjectState.h"
#include "tools/Gesture.h"
#include "tools/SdlJoystick.h"

namespace {

constexpr int kWindowWidthUnits = 240;
constexpr int kWindowHeightUnits = 180;
// The joystick is read this often; its steps move the pointer at each reading.
constexpr int kJoystickPollMs = 15;
// A JACK port takes more messages at its next cycle, a millisecond or so away.
constexpr int kWaitingBlendMs = 1;
constexpr int kFlashMs = 50;

QRect ToQRect(const Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

unsigned ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? kGestureShift : 0u) |
           (modifiers & Qt::ControlModifier ? kGestureCtrl : 0u);
}

} // namespace

// ---- Pad --------------------------------------------------------------------------------------

GesturePad::GesturePad(QWidget* parent) : QWidget(parent) {
    setObjectName("GesturePad");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int GesturePad::ClientRight() const {
    return width() - 2 * kGesturePadEdge;
}

int GesturePad::ClientBottom() const {
    return height() - 2 * kGesturePadEdge;
}

void GesturePad::ShowCrosshair(int x, int y, Pen pen) {
    m_shown = true;
    m_x = x;
    m_y = y;
    m_pen = pen;
    update();
}

void GesturePad::SetPen(Pen pen) {
    m_pen = pen;
    update();
}

void GesturePad::HideCrosshair() {
    m_shown = false;
    update();
}

void GesturePad::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QBrush white(Qt::white);
    qDrawShadePanel(&painter, rect(), palette(), true, kGesturePadEdge, &white);
    if (!m_shown) {
        return;
    }
    const QColor colour = m_pen == Pen::Active  ? QColor(Qt::red)
                          : m_pen == Pen::Flash ? QColor(Qt::blue)
                                                : QColor(Qt::black);
    painter.setPen(QPen(colour, m_pen == Pen::Normal ? 1 : 2));
    painter.setClipRect(
        rect().adjusted(kGesturePadEdge, kGesturePadEdge, -kGesturePadEdge, -kGesturePadEdge));
    // The crosshair's lines span the margins of the client area, drawn inside the edge.
    painter.translate(kGesturePadEdge, kGesturePadEdge);
    painter.drawLine(2, m_y, ClientRight() - 2, m_y);
    painter.drawLine(m_x, 2, m_x, ClientBottom() - 2);
}

// ---- Window -----------------------------------------------------------------------------------

// A tool window of the frame: it stays above the frame and minimises with it.
GestureWindow::GestureWindow(QWidget* owner, ToolWindowHost* host)
    : QWidget(owner, Qt::Tool), m_host(host), m_joystick(std::make_unique<SdlJoystick>()) {
    setObjectName("GestureDlg");
    setMouseTracking(true);
    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kWindowWidthUnits, units),
           DialogUnitsToPixelsY(kWindowHeightUnits, units));
    WindowState& state = g_windowStates[kWindowGesture];
    if (state.placementValid == 1) {
        PlaceWindow(*this, state.placement);
    } else {
        PlaceInFreeArea(*this, kToolWindowMarginUnits, kToolWindowMarginUnits, true);
    }
    state.placementValid = 1;

    m_pad = new GesturePad(this);
    const std::vector<std::string> names = SnapshotNames();
    for (int corner = 0; corner < kGestureCornerCount; ++corner) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString("Corner%1").arg(corner));
        list->setMaxVisibleItems(16);
        connect(list, &QComboBox::activated, this,
                [corner](int position) { ChooseGestureCorner(corner, position); });
        m_corners[static_cast<std::size_t>(corner)] = list;
    }
    RefillCornerLists(names, g_gestureSnapshots);
    for (QLineEdit** text : {&m_modeText, &m_positionText}) {
        *text = new QLineEdit(this);
        (*text)->setReadOnly(true);
        (*text)->setEnabled(false);
        (*text)->setAlignment(Qt::AlignCenter);
    }
    m_modeText->setObjectName("ModeText");
    m_positionText->setObjectName("PositionText");

    const bool captured = m_joystick->Open();
    setWindowTitle(ToQt(GestureTitle(captured)));
    if (captured) {
        m_joystickTimer.setInterval(kJoystickPollMs);
        connect(&m_joystickTimer, &QTimer::timeout, this, &GestureWindow::PollJoystick);
        m_joystickTimer.start();
    }
    m_waitingBlendTimer.setTimerType(Qt::PreciseTimer);
    m_waitingBlendTimer.setInterval(kWaitingBlendMs);
    connect(&m_waitingBlendTimer, &QTimer::timeout, this, [this] {
        if (!SendWaitingGestureBlend()) {
            m_waitingBlendTimer.stop();
        }
    });
    // F2 is read wherever the keyboard focus is, as a key held down.
    qApp->installEventFilter(this);
    g_gestureView = this;
}

GestureWindow::~GestureWindow() {
    if (g_gestureView == this) {
        g_gestureView = nullptr;
    }
}

bool GestureWindow::JoystickCaptured() const {
    return m_joystick && m_joystick->IsOpen();
}

int GestureWindow::UnitHeight() const {
    return DialogUnitsOf(*this).charHeight;
}

void GestureWindow::LayOut() {
    const GestureLayout layout = LayOutGesture(width(), height(), UnitHeight());
    m_pad->setGeometry(ToQRect(layout.pad));
    for (int corner = 0; corner < kGestureCornerCount; ++corner) {
        m_corners[static_cast<std::size_t>(corner)]->setGeometry(
            ToQRect(layout.corners[static_cast<std::size_t>(corner)]));
    }
    m_modeText->setGeometry(ToQRect(layout.modeText));
    m_positionText->setGeometry(ToQRect(layout.positionText));
}

void GestureWindow::resizeEvent(QResizeEvent*) {
    // The crosshair's pixels mean another place on a pad of another size.
    m_positionText->clear();
    m_pad->HideCrosshair();
    LayOut();
}

void GestureWindow::Pointer(QPoint at, Qt::KeyboardModifiers modifiers, bool leftDown) {
    const GesturePointerResult result =
        GesturePointer(at.x(), at.y(), ModifiersOf(modifiers), leftDown, m_pad->ClientRight(),
                       m_pad->ClientBottom(), UnitHeight());
    m_modeText->setText(ToQt(result.modeText));
    m_positionText->setText(ToQt(result.positionText));
    m_pad->ShowCrosshair(result.x, result.y,
                         result.sent ? GesturePad::Pen::Active : GesturePad::Pen::Normal);
    if (g_gesture.blendWaiting && !m_waitingBlendTimer.isActive()) {
        m_waitingBlendTimer.start();
    }
}

void GestureWindow::mouseMoveEvent(QMouseEvent* event) {
    Pointer(event->position().toPoint(), event->modifiers(),
            (event->buttons() & Qt::LeftButton) != 0);
}

void GestureWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Pointer(event->position().toPoint(), event->modifiers(), true);
    } else if (event->button() == Qt::RightButton) {
        RightButton();
    }
}

void GestureWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pad->CrosshairShown()) {
        m_pad->SetPen(GesturePad::Pen::Normal);
    }
}

void GestureWindow::RightButton() {
    if (GestureRightButton(m_f2Held) != GestureRightClick::SnapshotStored) {
        return;
    }
    if (m_pad->CrosshairShown()) {
        m_pad->SetPen(GesturePad::Pen::Flash);
        QTimer::singleShot(kFlashMs, m_pad,
                           [pad = m_pad] { pad->SetPen(GesturePad::Pen::Normal); });
    }
}

void GestureWindow::PollJoystick() {
    for (const JoystickChange& change : m_joystick->Poll()) {
        if (change.kind == JoystickChange::Axis) {
            GestureJoystickAxis(change.index, change.value);
        } else if (GestureJoystickButton(change.index, change.kind == JoystickChange::ButtonDown)) {
            RightButton();
        } else if (change.index == 0 && change.kind == JoystickChange::ButtonUp &&
                   m_pad->CrosshairShown()) {
            m_pad->SetPen(GesturePad::Pen::Normal);
        }
    }
    const PointerStep step = GestureJoystickStep();
    if (step.dx != 0 || step.dy != 0) {
        // The pointer moves as the user's hand would move it: the window hears a pointer move.
        QCursor::setPos(QCursor::pos() + QPoint(step.dx, step.dy));
    }
}

bool GestureWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F2 && !key->isAutoRepeat()) {
            m_f2Held = type == QEvent::KeyPress;
        }
    } else if (type == QEvent::ApplicationDeactivate) {
        m_f2Held = false; // its release goes to another program
    }
    return QWidget::eventFilter(watched, event);
}

void GestureWindow::keyPressEvent(QKeyEvent* event) {
    if (!CloseOnEscape(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void GestureWindow::AppendCornerName(const std::string& name) {
    for (QComboBox* list : m_corners) {
        list->addItem(ToQt(name));
    }
}

void GestureWindow::RefillCornerLists(const std::vector<std::string>& names,
                                      const std::array<std::int32_t, 4>& selected) {
    for (std::size_t corner = 0; corner < m_corners.size(); ++corner) {
        QComboBox* list = m_corners[corner];
        const QSignalBlocker blocker(list);
        list->clear();
        for (const std::string& name : names) {
            list->addItem(ToQt(name));
        }
        list->setCurrentIndex(names.empty() ? -1 : selected[corner]);
    }
}

void GestureWindow::Close() {
    close();
}

void GestureWindow::KeepInFront(bool inFront) {
    // The windows reopened meanwhile come up in front; the gesture window goes back above them.
    if (!inFront) {
        raise();
        activateWindow();
    }
}

void GestureWindow::closeEvent(QCloseEvent* event) {
    m_joystickTimer.stop();
    m_joystick->Close();
    // The last blend gets one more chance; one still waiting is let go, so the panel keeps the
    // values the output last took.
    m_waitingBlendTimer.stop();
    SendWaitingGestureBlend();
    g_gesture.blendWaiting = false;
    // A button or stick held as the window closes must not act when it reopens.
    GestureJoystickButton(0, false);
    GestureJoystickAxis(0, 0);
    GestureJoystickAxis(1, 0);
    qApp->removeEventFilter(this);
    g_windowStates[kWindowGesture].placement = PlacementOf(*this);
    // From here on the core sees the window gone, although the widget goes a little later.
    if (g_gestureView == this) {
        g_gestureView = nullptr;
    }
    if (m_host) {
        m_host->ToolWindowClosing(kCmdGestureWindow);
    }
    event->accept();
}

void RegisterGestureWindow(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(
        kCmdGestureWindow, [owner](QWidget* parent) { return new GestureWindow(parent, owner); });
}
