// The main window's menus, made from the command table: the menu bar with its states on
// dropping down, the right-click menu, the tray menu, and the help line they write.

#include <QMenu>
#include <QMenuBar>

#include "app/CommandTable.h"
#include "app/FrameCommands.h"
#include "app/MainWindow.h"
#include "base/QtText.h"

namespace {

void NoteCommands(const std::vector<MenuNode>& nodes, int position, QMap<int, int>& menuOf) {
    for (const MenuNode& node : nodes) {
        if (node.kind == MenuNode::kItem) {
            menuOf.insert(node.command, position);
        }
        NoteCommands(node.children, position, menuOf);
    }
}

} // namespace

void MainWindow::BuildMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("MainMenu");
    m_menuBar->setNativeMenuBar(false); // the frame lays its menu bar out itself
    m_menuBar->setAutoFillBackground(true);
    std::vector<MenuNode> bar = BuildMenuBar();
    for (int position = 0; position < static_cast<int>(bar.size()); ++position) {
        MenuNode& node = bar[static_cast<std::size_t>(position)];
        QMenu* menu = m_menuBar->addMenu(ToQt(node.text));
        menu->setObjectName(QString("MainMenu%1").arg(position));
        NoteCommands(node.children, position, m_barMenuOf);
        m_barMenus.push_back({menu, std::move(node.children), false});
        connect(menu, &QMenu::aboutToShow, this, [this, position] {
            FillBarMenu(position);
            for (const auto& [command, enabled] : MenuStatesOnOpen(position)) {
                EnableMenuItem(MenuKind::MenuBar, command, enabled);
            }
        });
        connect(menu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
    }
}

void MainWindow::FillBarMenu(int position) {
    BarMenu& bar = m_barMenus[static_cast<std::size_t>(position)];
    if (!bar.filled) {
        bar.filled = true;
        AddMenuNodes(bar.menu, bar.items, MenuKind::MenuBar);
    }
}

QMenu* MainWindow::PopupMenu() {
    if (!m_popupMenu) {
        m_popupMenu = new QMenu(this);
        m_popupMenu->setObjectName("PopUpMenu");
        AddMenuNodes(m_popupMenu, BuildPopupMenu(), MenuKind::Popup);
        connect(m_popupMenu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
    }
    return m_popupMenu;
}

QMenu* MainWindow::TrayMenu() {
    if (!m_trayMenu) {
        m_trayMenu = new QMenu(this);
        m_trayMenu->setObjectName("ShellMenu");
        AddMenuNodes(m_trayMenu, BuildTrayMenu(), MenuKind::Tray);
        connect(m_trayMenu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
    }
    return m_trayMenu;
}

QAction* MainWindow::ActionOf(MenuKind menu, int command) {
    switch (menu) {
    case MenuKind::MenuBar:
        if (const auto it = m_barMenuOf.find(command); it != m_barMenuOf.end()) {
            FillBarMenu(it.value());
        }
        break;
    case MenuKind::Popup:
        PopupMenu();
        break;
    case MenuKind::Tray:
        TrayMenu();
        break;
    }
    return m_actions[static_cast<int>(menu)].value(command, nullptr);
}

void MainWindow::AddMenuNodes(QMenu* menu, const std::vector<MenuNode>& nodes, MenuKind kind) {
    WatchMenuHelp(menu);
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuNode::kSeparator:
            menu->addSeparator();
            break;
        case MenuNode::kSubmenu:
            AddMenuNodes(menu->addMenu(ToQt(node.text)), node.children, kind);
            break;
        case MenuNode::kItem: {
            QAction* action = menu->addAction(ToQt(node.text));
            action->setData(node.command);
            action->setEnabled(!node.grayed);
            // Only items that show a check mark are checkable, so a click on another item never
            // draws one by itself.
            action->setCheckable(node.checked);
            action->setChecked(node.checked);
            const int command = node.command;
            connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
            m_actions[static_cast<int>(kind)].insert(command, action);
            break;
        }
        }
    }
}

void MainWindow::WatchMenuHelp(QMenu* menu) {
    connect(menu, &QMenu::hovered, this, [](QAction* action) {
        if (action->menu()) {
            ShowMenuHelp(0, true);
        } else if (!action->isSeparator()) {
            ShowMenuHelp(action->data().toInt(), false);
        }
    });
}

void MainWindow::FollowMenuHelp(QMenu* menu) {
    connect(menu, &QMenu::hovered, menu, [](QAction* action) {
        if (!action->isSeparator()) {
            ShowMenuHelp(action->data().toInt(), false);
        }
    });
    connect(menu, &QMenu::aboutToHide, menu, [] { MenuClosed(); });
}
