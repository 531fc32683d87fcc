// The main window's menus, made from the command table: the menu bar with its states on
// dropping down, the right-click menu, the tray menu, and the help line they write.

#include <QMenu>
#include <QMenuBar>

#include "app/CommandTable.h"
#include "app/FrameCommands.h"
#include "app/MainWindow.h"
#include "app/QtText.h"

void MainWindow::BuildMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("MainMenu");
    m_menuBar->setNativeMenuBar(false); // the frame lays its menu bar out itself
    m_menuBar->setAutoFillBackground(true);
    const std::vector<MenuNode> bar = BuildMenuBar();
    for (int position = 0; position < static_cast<int>(bar.size()); ++position) {
        QMenu* menu = m_menuBar->addMenu(ToQt(bar[static_cast<std::size_t>(position)].text));
        menu->setObjectName(QString("MainMenu%1").arg(position));
        AddMenuNodes(menu, bar[static_cast<std::size_t>(position)].children, MenuKind::MenuBar);
        connect(menu, &QMenu::aboutToShow, this, [this, position] {
            for (const auto& [command, enabled] : MenuStatesOnOpen(position)) {
                EnableMenuItem(MenuKind::MenuBar, command, enabled);
            }
        });
        connect(menu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
    }
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName("PopUpMenu");
    AddMenuNodes(m_popupMenu, BuildPopupMenu(), MenuKind::Popup);
    connect(m_popupMenu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName("ShellMenu");
    AddMenuNodes(m_trayMenu, BuildTrayMenu(), MenuKind::Tray);
    connect(m_trayMenu, &QMenu::aboutToHide, this, [] { MenuClosed(); });
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
