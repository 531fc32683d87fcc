#include "project/ProjectManagerWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "base/CommandIds.h"
#include "base/QtText.h"
#include "base/QtWindow.h"
#include "base/ToolWindowHost.h"
#include "engine/AdditionalFilesDialog.h"
#include "panel/SliderPropsDialog.h"
#include "project/ProjectFilesEditing.h"
#include "project/ProjectManager.h"
#include "project/ProjectState.h"
#include "resources/ManagerArtwork.h"
#include "resources/Strings.h"
#include "snapshots/SnapshotManagerDialog.h"

namespace {

constexpr int kWidthUnits = 142;
constexpr int kHeightUnits = 167;
// Pixels between the window and the frame's left edge and its status bar, with no placement.
constexpr int kDefaultLeft = 4;
constexpr int kDefaultBottom = 2;

// What each tree item carries besides its text.
constexpr int kParentRole = Qt::UserRole;
constexpr int kBranchRole = Qt::UserRole + 1;
// The entry's name as the project holds it: a name that is not valid UTF-8 (a project from
// another system) would not be found again from the text shown.
constexpr int kNameRole = Qt::UserRole + 2;

ProjectBranch BranchOf(const QTreeWidgetItem* item, int role) {
    return static_cast<ProjectBranch>(item->data(0, role).toInt());
}

QTreeWidgetItem* MakeItem(const ManagerItem& item, const std::array<QIcon, 7>& icons) {
    auto* made = new QTreeWidgetItem(QStringList(ToQt(item.text)));
    made->setIcon(0, icons[static_cast<std::size_t>(item.icon)]);
    made->setForeground(0, QColor::fromRgb(kManagerTextRgb));
    made->setData(0, kParentRole, static_cast<int>(item.parent));
    made->setData(0, kBranchRole, static_cast<int>(item.branch));
    made->setData(0, kNameRole,
                  QByteArray(item.text.data(), static_cast<qsizetype>(item.text.size())));
    for (const ManagerItem& child : item.children) {
        made->addChild(MakeItem(child, icons));
    }
    return made;
}

std::string NameOf(const QTreeWidgetItem* item) {
    const QByteArray name = item->data(0, kNameRole).toByteArray();
    return std::string(name.constData(), static_cast<std::size_t>(name.size()));
}

} // namespace

// A tool window of the frame: it stays above the frame and minimises with it.
ProjectManagerWindow::ProjectManagerWindow(QWidget* owner, ToolWindowHost* host)
    : QWidget(owner, Qt::Tool), m_tree(new QTreeWidget(this)), m_menu(new QMenu(this)),
      m_sizes(new QActionGroup(this)), m_host(host) {
    setObjectName("DocManagerDlg");
    setWindowTitle(ToQt(Str(kStrManagerTitle)));
    const DialogBaseUnits units = DialogUnitsOf(*this);
    resize(DialogUnitsToPixelsX(kWidthUnits, units), DialogUnitsToPixelsY(kHeightUnits, units));
    WindowState& state = g_windowStates[kWindowProjectManager];
    if (state.placementValid == 1) {
        PlaceWindow(*this, state.placement);
    } else {
        PlaceInFreeAreaPixels(*this, kDefaultLeft, kDefaultBottom, true);
    }
    state.placementValid = 1;

    for (const auto& [command, label] : {std::pair{kCmdManagerSmallIcons, kStrManagerSmallIcons},
                                         std::pair{kCmdManagerLargeIcons, kStrManagerLargeIcons}}) {
        QAction* action = m_menu->addAction(ToQt(Str(label)));
        action->setCheckable(true);
        action->setData(command);
        m_sizes->addAction(action);
        const int pixels =
            command == kCmdManagerSmallIcons ? kManagerSmallIcons : kManagerLargeIcons;
        // Queued: the choice rebuilds the tree, which must not happen under the open menu.
        connect(
            action, &QAction::triggered, this, [pixels] { ChooseManagerIconSize(pixels); },
            Qt::QueuedConnection);
    }
    if (m_host) {
        m_host->FollowMenuHelp(m_menu);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->setObjectName("TreeView");
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setDragEnabled(false);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_tree->viewport()->mapToGlobal(at)); });

    g_projectManagerView = this;
    Fill();
}

ProjectManagerWindow::~ProjectManagerWindow() {
    if (g_projectManagerView == this) {
        g_projectManagerView = nullptr;
    }
}

void ProjectManagerWindow::Fill() {
    const int pixels = ManagerIconPixels();
    std::array<QIcon, kProjectTreeIconCount> icons;
    for (int k = 0; k < kProjectTreeIconCount; ++k) {
        icons[static_cast<std::size_t>(k)] = ProjectTreeIcon(k);
    }
    m_tree->clear();
    m_tree->setIconSize(QSize(pixels, pixels));
    const ManagerItem root = BuildProjectTree();
    QTreeWidgetItem* top = MakeItem(root, icons);
    m_tree->addTopLevelItem(top);
    top->setExpanded(root.expanded);
    m_sizes->actions()[pixels == kManagerSmallIcons ? 0 : 1]->setChecked(true);
}

QTreeWidgetItem* ProjectManagerWindow::BranchItem(ProjectBranch branch) const {
    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    for (int k = 0; root && k < root->childCount(); ++k) {
        if (BranchOf(root->child(k), kBranchRole) == branch) {
            return root->child(k);
        }
    }
    return nullptr;
}

void ProjectManagerWindow::Rebuild(ProjectBranch selected) {
    Fill();
    QTreeWidgetItem* branch = BranchItem(selected);
    if (!branch) {
        return;
    }
    // The branch opens on its first entry, so the change just made is in sight.
    if (branch->childCount() > 0) {
        m_tree->scrollToItem(branch->child(0));
    }
    m_tree->setCurrentItem(branch);
}

void ProjectManagerWindow::Activate(QTreeWidgetItem* item) {
    if (!item) {
        return;
    }
    // The item goes with the tree when a dialog's OK rebuilds it: nothing of it is used after.
    const ManagerRequest request = ActivateManagerItem(BranchOf(item, kParentRole), NameOf(item));
    switch (request.action) {
    case ManagerAction::SliderProperties:
        SliderPropsDialog::Run(this, request.sliderName);
        break;
    case ManagerAction::SnapshotManager:
        SnapshotManagerDialog::Run(this, ManagerOwner::ProjectManager, request.snapshotPosition);
        break;
    case ManagerAction::AdditionalFiles:
        AdditionalFilesDialog::Run(this, kProjectFilesRole);
        break;
    case ManagerAction::None:
        break;
    }
}

void ProjectManagerWindow::DeleteCurrent() {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (item) {
        DeleteManagerItem(BranchOf(item, kParentRole), NameOf(item));
    }
}

bool ProjectManagerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_tree || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Delete:
        DeleteCurrent();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Activate(m_tree->currentItem());
        return true;
    default:
        return false;
    }
}

void ProjectManagerWindow::keyPressEvent(QKeyEvent* event) {
    if (!CloseOnEscape(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void ProjectManagerWindow::closeEvent(QCloseEvent* event) {
    ProjectManagerClosing();
    g_windowStates[kWindowProjectManager].placement = PlacementOf(*this);
    // From here on the core sees the window gone, although the widget goes a little later.
    if (g_projectManagerView == this) {
        g_projectManagerView = nullptr;
    }
    if (m_host) {
        m_host->ToolWindowClosing(kCmdProjectManager);
    }
    event->accept();
}

void RegisterProjectManager(ToolWindowHost& host) {
    ToolWindowHost* owner = &host;
    owner->RegisterToolWindow(kCmdProjectManager, [owner](QWidget* parent) {
        return new ProjectManagerWindow(parent, owner);
    });
}
