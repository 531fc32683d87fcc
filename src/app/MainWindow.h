#pragma once
// The program's frame: the menu bar, the tool bar strip, the status bar, the background the
// tool windows float over, the right-click and tray menus. Every user action becomes a numeric
// command handed to the command routes; the window itself only shows what the frame's logic
// decides (it is the FrameView of the core).

#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/CommandTable.h"
#include "app/FrameView.h"
#include "base/Clock.h"
#include "base/FrameHooks.h"
#include "base/ToolWindowHost.h"

class QMenu;
class QMenuBar;
class QAction;
class QSystemTrayIcon;
class StatusBarWidget;
class ToolBarStrip;

class MainWindow : public QWidget, public FrameView, public ToolWindowHost {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The creation steps: menus, the program's start values, the stored settings, the bars and
    // the four toggles. The window stays hidden.
    void Create(Clock& clock);
    // Shows the window with the placement read at creation, or maximized without one, and
    // paints it at once.
    void ShowAtStart();
    // Runs a command as its menu item, tool bar button or key does.
    void OnCommand(int command);

    // Services the core reaches through its Ui.
    void SetStatusText(int part, const QString& text);
    void EnableCommand(MenuKind menu, int command, bool enabled);
    void SetProjectBackground(bool projectOpen);
    void ShowProjectButtons(bool shown);

    // Tool windows: one of each at most, toggled by their command. A tool window closes itself
    // with close(); the frame clears its check marks when it is gone. At exit the frame deletes
    // the windows still open directly, without closing them, after storing their places.
    QWidget* HostWidget() override { return this; }
    void RegisterToolWindow(int command, ToolWindowFactory factory) override;
    void ToggleToolWindow(int command) override;
    QWidget* ToolWindow(int command) const;
    bool IsToolWindowOpen(int command) const;
    void ToolWindowClosing(int command) override;
    QWidget* VisibleToolWindow(int command) override;
    void FollowMenuHelp(QMenu* menu) override;
    bool ToolWindowPlacement(int command, WindowPlacement& placement) const;

    // FrameView
    void CheckMenuItem(MenuKind menu, int command, bool checked) override;
    void EnableMenuItem(MenuKind menu, int command, bool enabled) override;
    bool HasToolBar() override;
    bool HasStatusBar() override;
    void ShowToolBar(bool shown) override;
    void ShowStatusBar(bool shown) override;
    void CreateBars() override;
    void DestroyBars() override;
    void RebuildToolBar() override;
    void SetToolButtonPressed(int command, bool pressed) override;
    // Kept across rebuilds of the tool bar.
    void SetToolButtonState(int command, bool enabled, bool pressed);
    void SetToolButtonImage(int command, int image) override;
    void Relayout() override;
    void SetTopmost(bool topmost) override;
    bool TrayAvailable() override;
    void HideInTray() override;
    void Minimize() override;
    void RestoreFromTray(bool maximized) override;
    void RemoveTrayIcon() override;
    void FocusMainWindow() override;
    void AcceptDroppedFiles() override;
    WindowPlacement Placement() override;
    void RunMidiDevicesDialog() override;
    void DestroyToolWindow(int command) override;

    // For tests and screenshots.
    QMenuBar* MenuBar() const { return m_menuBar; }
    QMenu* PopupMenu();
    QMenu* TrayMenu();
    QAction* MenuAction(MenuKind menu, int command) const;
    StatusBarWidget* StatusBar() const { return m_statusBar; }
    ToolBarStrip* ToolStrip() const { return m_toolStrip; }
    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }
    bool ProjectBackground() const { return m_projectBackground; }
    // Tests can make the tray appear present on a screen without one.
    void SetTrayAvailableForTests(bool available) { m_trayForced = available ? 1 : 0; }

signals:
    // After the window's first paint (the start-up benchmark watches for it).
    void FirstPainted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The menus are made from the command table as they are first needed (opened, or one of
    // their items touched), which keeps their making out of the window's first paint.
    void BuildMenus();
    void FillBarMenu(int position);
    void AddMenuNodes(QMenu* menu, const std::vector<MenuNode>& nodes, MenuKind kind);
    void WatchMenuHelp(QMenu* menu);
    QAction* ActionOf(MenuKind menu, int command);

    QMenuBar* m_menuBar = nullptr;
    struct BarMenu {
        QMenu* menu = nullptr;
        std::vector<MenuNode> items;
        bool filled = false;
    };
    std::vector<BarMenu> m_barMenus;
    QMap<int, int> m_barMenuOf; // command -> position of its drop-down menu
    QMenu* m_popupMenu = nullptr;
    QMenu* m_trayMenu = nullptr;
    QMap<int, QAction*> m_actions[3];
    ToolBarStrip* m_toolStrip = nullptr;
    QMap<int, std::pair<bool, bool>> m_toolButtonStates; // enabled, pressed
    StatusBarWidget* m_statusBar = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    bool m_projectBackground = false;
    bool m_acceptDrops = false;
    // A mapped key's release waits a few milliseconds: an X server that repeats a held key by a
    // release and a press of the same time may hand the press over later than Qt looks for it,
    // and such a pair is a repeat, not the key going up.
    struct PendingRelease {
        MappedKey key;
        quint32 nativeScanCode = 0;
        quint64 timestamp = 0;
    };
    std::optional<PendingRelease> m_pendingRelease;
    void FlushPendingRelease();
    bool m_painted = false;
    int m_trayForced = -1; // -1: ask the desktop

    struct ToolSlot {
        ToolWindowFactory factory;
        QPointer<QWidget> window;
    };
    QMap<int, ToolSlot> m_toolWindows;
};

// The scan code of a key event for the keyboard mapping: the evdev code, with the arrow and
// page keys given the codes the mapping table uses.
int ScanCodeOf(const QKeyEvent& event);
// A key event as the keyboard mapping takes it.
MappedKey MappedKeyOf(const QKeyEvent& event, bool down);
