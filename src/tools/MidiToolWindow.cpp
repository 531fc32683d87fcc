#include "tools/MidiToolWindow.h"

#include <QCloseEvent>
#include <QScreen>
#include <QStyle>

#include "base/CommandIds.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "tools/ToolWindows.h"

MidiToolWindow::MidiToolWindow(QWidget* owner, ToolWindowHost* host, int command, ToolWindow tool)
    : QWidget(owner, Qt::Tool), m_host(host), m_command(command), m_tool(tool) {}

void MidiToolWindow::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        PlaceAtOpening();
    }
    QWidget::showEvent(event);
}

void MidiToolWindow::PlaceAtOpening() {
    const ToolWindowSettings& stored = g_toolWindows[m_tool];
    if (stored.placementValid) {
        PlaceWindow(*this, stored.placement);
        return;
    }
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner) {
        return;
    }
    const QRect main = owner->frameGeometry();
    const FrameFreeArea area = MainWindowFreeArea();
    MainFrameMetrics frame;
    frame.main = {main.x(), main.y(), main.width(), main.height()};
    frame.stripBottom = owner->mapToGlobal(QPoint(0, area.top)).y() - main.y();
    frame.statusBarHeight = area.statusBarHeight;
    // The window manager's frame is not known before the first show: its title bar is reckoned
    // in, so that a window above the status bar leaves it in sight.
    const int titleBar = frameGeometry().height() > height()
                             ? frameGeometry().height() - height()
                             : style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 4;
    // The memory status and the recorder share the corner above the status bar.
    const int besideWidth = VisibleToolWindowWidth(
        m_host, m_tool == kToolAudioRecorder ? kCmdGlobalMemory : kCmdAudioRecorder);
    ScreenPoint at =
        MidiToolDefaultPosition(m_tool, frame, width(), height() + titleBar, besideWidth);
    if (const QScreen* screen = owner->screen()) {
        // Wholly on the screen, whatever the frame's size and place.
        const QRect available = screen->availableGeometry();
        at.x = std::max(std::min(at.x, available.right() + 1 - width()), available.x());
        at.y =
            std::max(std::min(at.y, available.bottom() + 1 - height() - titleBar), available.y());
    }
    move(at.x, at.y);
}

void MidiToolWindow::closeEvent(QCloseEvent* event) {
    Closing();
    StoreClosedToolWindow(m_tool, PlacementOf(*this));
    if (m_host) {
        m_host->ToolWindowClosing(m_command);
    }
    event->accept();
}

void MidiToolWindow::keyPressEvent(QKeyEvent* event) {
    if (!CloseOnEscape(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

int VisibleToolWindowWidth(ToolWindowHost* host, int command) {
    const QWidget* window = host ? host->VisibleToolWindow(command) : nullptr;
    return window ? window->frameGeometry().width() : 0;
}
