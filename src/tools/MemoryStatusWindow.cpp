#include "tools/MemoryStatusWindow.h"

#include <QProgressBar>
#include <QVBoxLayout>

#include "base/CommandIds.h"
#include "base/Ui.h"
#include "resources/Strings.h"
#include "tools/MemoryStatus.h"

namespace {
constexpr int kRefreshMs = 1000;
} // namespace

MemoryStatusWindow::MemoryStatusWindow(QWidget* owner, ToolWindowHost* host)
    : MidiToolWindow(owner, host, kCmdGlobalMemory, kToolGlobalMemory) {
    setObjectName("MemoryDlg");
    setWindowTitle("Global memory status...");
    m_bar = new QProgressBar;
    m_bar->setObjectName("57001");
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setAlignment(Qt::AlignCenter);
    m_bar->setFixedWidth(fontMetrics().averageCharWidth() * 30);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar, 0, Qt::AlignCenter);
    resize(sizeHint().width() + fontMetrics().averageCharWidth() * 4, sizeHint().height());
    connect(&m_timer, &QTimer::timeout, this, &MemoryStatusWindow::Refresh);
}

void MemoryStatusWindow::showEvent(QShowEvent* event) {
    MidiToolWindow::showEvent(event);
    if (m_started) {
        return;
    }
    m_started = true;
    if (!Refresh()) {
        return;
    }
    m_timer.start(kRefreshMs);
    // Without an event dispatcher on this thread no timer runs: the window cannot follow.
    if (!m_timer.isActive()) {
        GiveUp(Str(kStrMemoryTimerError));
    }
}

bool MemoryStatusWindow::Refresh() {
    const MemoryLoad load = ReadMemoryLoad();
    if (!load.percent) {
        GiveUp(load.error);
        return false;
    }
    m_bar->setValue(*load.percent);
    return true;
}

void MemoryStatusWindow::GiveUp(const std::string& message) {
    m_timer.stop();
    if (m_givenUp) {
        return;
    }
    m_givenUp = true;
    // After the show, not inside it: the window closes as the user's close would.
    QTimer::singleShot(0, this, [this, message] {
        ShowWarning(message);
        close();
    });
}

void MemoryStatusWindow::Closing() {
    m_timer.stop();
}
