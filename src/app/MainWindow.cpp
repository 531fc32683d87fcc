#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/ExitSequence.h"
#include "app/FrameCommands.h"
#include "app/FrameLayout.h"
#include "app/StatusBarWidget.h"
#include "app/ToolBarStrip.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "base/Preferences.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "midi/MidiDevicesDialog.h"
#include "project/ProjectState.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {

const QColor kProjectBackground(0, 0, 127);

// A stored rectangle no screen shows any more (a monitor gone) moves onto the primary screen.
QRect OnSomeScreen(QRect rect) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(rect.adjusted(0, 0, 0, -rect.height() + 24))) {
            return rect;
        }
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    rect.setSize(rect.size().boundedTo(screen.size()));
    rect.moveTopLeft(screen.topLeft());
    return rect;
}

} // namespace

int ScanCodeOf(const QKeyEvent& event) {
    const int evdev = static_cast<int>(event.nativeScanCode()) - 8;
    switch (evdev) {
    case 0x67:
        return 0x48; // up
    case 0x6C:
        return 0x50; // down
    case 0x68:
        return 0x49; // page up
    case 0x6D:
        return 0x51; // page down
    default:
        return evdev < 0 ? 0 : evdev;
    }
}

// How long a mapped key's release waits for the press that would make it a repeat: the X server
// sends the two at once, but Qt may hand the press over a little later.
constexpr int kRepeatPairMs = 8;

MappedKey MappedKeyOf(const QKeyEvent& event, bool down) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return {down,
            ScanCodeOf(event),
            event.isAutoRepeat(),
            {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)}};
}

MainWindow::MainWindow() {
    setObjectName("MainWindow");
    setWindowTitle(ToQt(Str(kStrTitle)));
    setWindowIcon(MainIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

MainWindow::~MainWindow() {
    if (g_frameView == this) {
        g_frameView = nullptr;
    }
}

void MainWindow::Create(Clock& clock) {
    g_frameView = this;
    BuildMenus();
    CreateFrameState(clock);
}

void MainWindow::ShowAtStart() {
    const std::optional<WindowGeometry> geometry =
        g_frame.framePlacementLoaded == 1 ? GeometryFromPlacement(g_frame.framePlacement)
                                          : std::nullopt;
    if (!geometry) {
        // The size to come back to from the maximized state; a desktop without a window
        // manager, which cannot maximize, shows this.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize normal = screen.size() * 4 / 5;
        setGeometry(
            QRect(screen.center() - QPoint(normal.width() / 2, normal.height() / 2), normal));
        showMaximized();
    } else {
        setGeometry(
            OnSomeScreen(QRect(geometry->x, geometry->y, geometry->width, geometry->height)));
        if (geometry->showCmd == kShowMaximized) {
            showMaximized();
        } else if (geometry->showCmd == kShowMinimized) {
            showMinimized();
        } else {
            show();
        }
    }
    // Painted at once: the window's exposure is taken now, not when the start-up is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void MainWindow::OnCommand(int command) {
    DispatchCommand(command);
}

// ---- Services for the core ------------------------------------------------------------------

void MainWindow::SetStatusText(int part, const QString& text) {
    if (m_statusBar) {
        m_statusBar->SetText(part, text);
    }
}

void MainWindow::EnableCommand(MenuKind menu, int command, bool enabled) {
    EnableMenuItem(menu, command, enabled);
}

void MainWindow::SetProjectBackground(bool projectOpen) {
    m_projectBackground = projectOpen;
    update();
    Relayout();
}

void MainWindow::ShowProjectButtons(bool shown) {
    if (m_toolStrip) {
        m_toolStrip->ShowProjectButtons(shown);
    }
}

// ---- Tool windows -----------------------------------------------------------------------------

void MainWindow::RegisterToolWindow(int command, ToolWindowFactory factory) {
    m_toolWindows[command].factory = std::move(factory);
    RouteCommand(command, [this, command] { ToggleToolWindow(command); });
}

void MainWindow::ToggleToolWindow(int command) {
    auto it = m_toolWindows.find(command);
    if (it == m_toolWindows.end()) {
        return;
    }
    if (it->window && it->window->isVisible()) {
        it->window->close(); // the window's cancel: it stores its place and goes
        return;
    }
    if (it->window && it->window->isHidden()) {
        // Closed, its deletion still pending: reopening makes a new one. The old one goes on its
        // own later (this may run inside one of its handlers), without touching the new one's
        // check marks.
        disconnect(it->window.data(), &QObject::destroyed, this, nullptr);
        it->window->deleteLater();
        it->window = nullptr;
    }
    if (!it->window) {
        QWidget* window = it->factory(this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setProperty("ventaroAccelerators", TakesFrameAccelerators(command));
        connect(window, &QObject::destroyed, this,
                [command] { MarkToolWindowOpen(command, false); });
        it->window = window;
    }
    it->window->show();
    MarkToolWindowOpen(command, true);
}

QWidget* MainWindow::ToolWindow(int command) const {
    const auto it = m_toolWindows.find(command);
    return it == m_toolWindows.end() ? nullptr : it->window.data();
}

bool MainWindow::IsToolWindowOpen(int command) const {
    const QWidget* window = ToolWindow(command);
    return window && !window->isHidden();
}

void MainWindow::ToolWindowClosing(int command) {
    MarkToolWindowOpen(command, false);
}

QWidget* MainWindow::VisibleToolWindow(int command) {
    QWidget* window = ToolWindow(command);
    return window && window->isVisible() ? window : nullptr;
}

bool MainWindow::ToolWindowPlacement(int command, WindowPlacement& placement) const {
    const QWidget* window = ToolWindow(command);
    if (!window || window->isHidden()) {
        return false;
    }
    placement = PlacementOf(*window);
    return true;
}

void MainWindow::DestroyToolWindow(int command) {
    if (QWidget* window = ToolWindow(command)) {
        delete window; // not close(): the window must not store itself as closed by the user
    }
}

// ---- FrameView --------------------------------------------------------------------------------

QAction* MainWindow::MenuAction(MenuKind menu, int command) const {
    return const_cast<MainWindow*>(this)->ActionOf(menu, command);
}

void MainWindow::CheckMenuItem(MenuKind menu, int command, bool checked) {
    if (QAction* action = ActionOf(menu, command)) {
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

void MainWindow::EnableMenuItem(MenuKind menu, int command, bool enabled) {
    if (QAction* action = ActionOf(menu, command)) {
        action->setEnabled(enabled);
    }
}

bool MainWindow::HasToolBar() {
    return m_toolStrip != nullptr;
}

bool MainWindow::HasStatusBar() {
    return m_statusBar != nullptr;
}

void MainWindow::ShowToolBar(bool shown) {
    if (m_toolStrip) {
        m_toolStrip->setVisible(shown);
    }
}

void MainWindow::ShowStatusBar(bool shown) {
    if (m_statusBar) {
        m_statusBar->setVisible(shown);
    }
}

void MainWindow::CreateBars() {
    m_toolStrip = new ToolBarStrip(this, g_preferences.global, g_projectOpen == 1,
                                   [this](int command) { OnCommand(command); });
    for (auto it = m_toolButtonStates.cbegin(); it != m_toolButtonStates.cend(); ++it) {
        m_toolStrip->SetState(it.key(), it.value().first, it.value().second);
    }
    m_toolStrip->hide();
    m_statusBar = new StatusBarWidget(this);
    m_statusBar->setObjectName("StatusBar");
    m_statusBar->hide();
    m_statusBar->SetText(kStatusPartHelp, ToQt(Str(kStrReady)));
    Relayout();
}

void MainWindow::DestroyBars() {
    delete m_toolStrip;
    m_toolStrip = nullptr;
    delete m_statusBar;
    m_statusBar = nullptr;
}

void MainWindow::RebuildToolBar() {
    if (!m_toolStrip) {
        return;
    }
    const bool shown = !m_toolStrip->isHidden();
    delete m_toolStrip;
    m_toolStrip = new ToolBarStrip(this, g_preferences.global, g_projectOpen == 1,
                                   [this](int command) { OnCommand(command); });
    for (auto it = m_toolButtonStates.cbegin(); it != m_toolButtonStates.cend(); ++it) {
        m_toolStrip->SetState(it.key(), it.value().first, it.value().second);
    }
    m_toolStrip->setVisible(shown);
    Relayout();
    update();
}

void MainWindow::SetToolButtonPressed(int command, bool pressed) {
    if (m_toolStrip) {
        m_toolStrip->SetPressed(command, pressed);
    }
}

void MainWindow::SetToolButtonState(int command, bool enabled, bool pressed) {
    m_toolButtonStates[command] = {enabled, pressed};
    if (m_toolStrip) {
        m_toolStrip->SetState(command, enabled, pressed);
    }
}

void MainWindow::SetToolButtonImage(int command, int image) {
    if (m_toolStrip) {
        m_toolStrip->SetImage(command, image);
    }
}

void MainWindow::Relayout() {
    const int w = width();
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    if (m_menuBar) {
        m_menuBar->setGeometry(0, 0, w, menuHeight);
    }
    int stripHeight = 0;
    if (m_toolStrip) {
        stripHeight = m_toolStrip->BandHeight();
        m_toolStrip->setGeometry(0, menuHeight, w, stripHeight);
    }
    int statusHeight = 0;
    if (m_statusBar) {
        statusHeight = m_statusBar->sizeHint().height();
        m_statusBar->setGeometry(0, height() - statusHeight, w, statusHeight);
        m_statusBar->SetEdges(StatusPartEdges(w));
        const std::array<std::string, 4> texts = StatusTextsForLayout();
        for (int part = 1; part < kStatusPartCount; ++part) {
            m_statusBar->SetText(part, ToQt(texts[static_cast<std::size_t>(part - 1)]));
        }
    }
    g_frameFreeArea =
        ComputeFreeArea(w, height() - menuHeight, m_toolStrip && !m_toolStrip->isHidden(),
                        stripHeight, m_statusBar && !m_statusBar->isHidden(), statusHeight);
    g_frameFreeArea.top += menuHeight;
    setFocus();
}

void MainWindow::SetTopmost(bool topmost) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    // Changing the flag makes the platform window anew: put it back where and as it was.
    const bool wasVisible = isVisible();
    const Qt::WindowStates states = windowState();
    const QRect normal = normalGeometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) {
        setGeometry(normal);
        setWindowState(states);
        show();
    }
}

bool MainWindow::TrayAvailable() {
    return m_trayForced >= 0 ? m_trayForced == 1 : QSystemTrayIcon::isSystemTrayAvailable();
}

void MainWindow::HideInTray() {
    if (!m_trayIcon) {
        m_trayIcon = new QSystemTrayIcon(MainIcon(), this);
        m_trayIcon->setToolTip(ToQt(Str(kStrTitle)));
        m_trayIcon->setContextMenu(TrayMenu());
        connect(m_trayIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::DoubleClick) {
                        OnCommand(kCmdRestore);
                    }
                });
    }
    hide();
    m_trayIcon->show();
}

void MainWindow::Minimize() {
    showMinimized();
}

void MainWindow::RestoreFromTray(bool maximized) {
    if (maximized) {
        showMaximized();
    } else {
        showNormal();
    }
    raise();
    activateWindow();
    setFocus();
    RemoveTrayIcon();
}

void MainWindow::RemoveTrayIcon() {
    delete m_trayIcon;
    m_trayIcon = nullptr;
}

void MainWindow::FocusMainWindow() {
    activateWindow();
    setFocus();
}

void MainWindow::AcceptDroppedFiles() {
    m_acceptDrops = true;
    setAcceptDrops(true);
}

WindowPlacement MainWindow::Placement() {
    WindowPlacement placement = PlacementOf(*this);
    if (g_frame.framePlacementLoaded == 1) {
        // The minimized and maximized positions mean nothing here: they go back as they came.
        const WindowPlacement& read = g_frame.framePlacement;
        placement.minX = read.minX;
        placement.minY = read.minY;
        placement.maxX = read.maxX;
        placement.maxY = read.maxY;
    }
    return placement;
}

void MainWindow::RunMidiDevicesDialog() {
    MidiDevicesDialog::Run(this);
}

// ---- Events -----------------------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent*) {
    Relayout();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (m_projectBackground) {
        p.fillRect(event->rect(), kProjectBackground);
    } else {
        const qreal ratio = windowHandle() ? windowHandle()->devicePixelRatio() : 1.0;
        p.fillRect(event->rect(), QBrush(WallPaperTile(1, ratio)));
    }
    if (!m_painted) {
        m_painted = true;
        emit FirstPainted();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window's close request is the exit; a kept project keeps the program running.
    if (RunExitSequence()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        PopupMenu()->popup(event->globalPos());
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (g_frame.keyboardMapping <= 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    MappedKey key = MappedKeyOf(*event, true);
    if (m_pendingRelease && m_pendingRelease->nativeScanCode == event->nativeScanCode() &&
        m_pendingRelease->timestamp == event->timestamp()) {
        m_pendingRelease.reset(); // the server's repeat: the key stayed down
        key.autoRepeat = true;
    }
    FlushPendingRelease();
    // Repeats go too: the adjustment keys repeat, the note keys ignore them.
    if (g_frameHooks.keyboardMappingKey) {
        g_frameHooks.keyboardMappingKey(key);
    }
    if (event->key() == Qt::Key_Escape) {
        OnCommand(kCmdPanic);
    }
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (g_frame.keyboardMapping <= 0) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // An auto-repeat comes as a release and a press: the key itself stays down.
    if (event->isAutoRepeat()) {
        return;
    }
    FlushPendingRelease();
    m_pendingRelease =
        PendingRelease{MappedKeyOf(*event, false), event->nativeScanCode(), event->timestamp()};
    QTimer::singleShot(kRepeatPairMs, Qt::PreciseTimer, this, [this] { FlushPendingRelease(); });
}

void MainWindow::FlushPendingRelease() {
    if (const std::optional<PendingRelease> pending = std::exchange(m_pendingRelease, {});
        pending && g_frameHooks.keyboardMappingKey) {
        g_frameHooks.keyboardMappingKey(pending->key);
    }
}

void MainWindow::focusOutEvent(QFocusEvent* event) {
    // The key-ups of the keys held now go elsewhere: their notes end here rather than hang.
    FlushPendingRelease();
    if (g_frameHooks.keyboardMappingRelease) {
        g_frameHooks.keyboardMappingRelease();
    }
    QWidget::focusOutEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const bool wanted = m_acceptDrops && g_frameHooks.dropProjectFile &&
                        event->mimeData()->hasUrls() &&
                        event->mimeData()->urls().front().isLocalFile();
    if (wanted) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!g_frameHooks.dropProjectFile || !event->mimeData()->hasUrls()) {
        return;
    }
    // Only the first file counts.
    const QString path = event->mimeData()->urls().front().toLocalFile();
    event->acceptProposedAction();
    g_frameHooks.dropProjectFile(FromQt(path));
}
