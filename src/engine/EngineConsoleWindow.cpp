#include "engine/EngineConsoleWindow.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "base/QtText.h"
#include "base/QtWindow.h"
#include "resources/Strings.h"

namespace {
// A chatty engine must not fill the memory: the oldest lines go first.
constexpr int kMaxLines = 20000;
constexpr int kExitCheckMs = 20;
constexpr int kReadChunk = 65536;
} // namespace

EngineConsoleWindow::EngineConsoleWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool), m_text(new QPlainTextEdit(this)), m_status(new QLabel(this)),
      m_exitCheck(new QTimer(this)) {
    setWindowTitle(ToQt(Str(kStrEngineConsoleTitle)));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_text->setReadOnly(true);
    m_text->setMaximumBlockCount(kMaxLines);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_status);
    m_exitCheck->setInterval(kExitCheckMs);
    connect(m_exitCheck, &QTimer::timeout, this, &EngineConsoleWindow::CheckExit);
    resize(720, 360);
}

EngineConsoleWindow::~EngineConsoleWindow() {
    CloseOutput();
}

void EngineConsoleWindow::Follow(const KeptProcess& process, const EngineCommand& command) {
    CloseOutput();
    m_exitCheck->stop();
    m_text->clear();
    m_partialLine.clear();
    m_process = process.id;
    m_fd = process.outputFd;
    m_status->setText(ToQt(Str(kStrEngineRunning) + command.program + " " + command.parameters));
    if (m_fd < 0) {
        return;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EngineConsoleWindow::ReadOutput);
}

QString EngineConsoleWindow::Text() const {
    return m_text->toPlainText();
}

QString EngineConsoleWindow::Status() const {
    return m_status->text();
}

void EngineConsoleWindow::ReadOutput() {
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            m_partialLine.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        const bool ended = n == 0 || errno != EAGAIN;
        // Whole lines only: a line split over two reads shows once it is whole.
        const qsizetype end = ended ? m_partialLine.size() : m_partialLine.lastIndexOf('\n') + 1;
        if (end > 0) {
            QByteArray lines = m_partialLine.left(end);
            m_partialLine.remove(0, end);
            if (lines.endsWith('\n')) {
                lines.chop(1);
            }
            // Csound colours its messages for a terminal; the console shows the text alone.
            static const QRegularExpression terminalCodes("\x1b\\[[0-9;]*[A-Za-z]");
            m_text->appendPlainText(QString::fromLocal8Bit(lines).remove(terminalCodes));
        }
        if (ended) {
            CloseOutput();
            m_exitCheck->start();
        }
        return;
    }
}

void EngineConsoleWindow::CloseOutput() {
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void EngineConsoleWindow::CheckExit() {
    ProcessExit exit;
    if (!g_programLauncher || !g_programLauncher->WaitForExit(m_process, 0, &exit)) {
        return;
    }
    m_exitCheck->stop();
    if (exit.signalled) {
        const char* name = ::strsignal(exit.code);
        m_status->setText(ToQt(Str(kStrEngineExitSignal) + std::to_string(exit.code) + " (" +
                               (name ? name : "?") + ")."));
    } else {
        m_status->setText(ToQt(Str(kStrEngineExitCode) + std::to_string(exit.code) + "."));
    }
}

void EngineConsoleView::EngineStarted(const KeptProcess& process, const EngineCommand& command) {
    if (!m_window) {
        m_window = new EngineConsoleWindow(m_owner);
        PlaceInFreeArea(*m_window, kToolWindowMarginUnits, kToolWindowMarginUnits, true);
    }
    m_window->Follow(process, command);
    m_window->show();
}
