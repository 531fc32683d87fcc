#pragma once
// The project manager "DocManagerDlg": the open project as a tree of its sliders, snapshots,
// transitions and additional files. What the tree holds and what its gestures do come from
// project/ProjectManager.h; the window shows the tree and opens the dialogs it is asked for.

#include <QWidget>

#include "panel/PanelViews.h"

class QActionGroup;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class ToolWindowHost;

class ProjectManagerWindow : public QWidget, public ProjectManagerView {
    Q_OBJECT
public:
    explicit ProjectManagerWindow(QWidget* owner, ToolWindowHost* host = nullptr);
    ~ProjectManagerWindow() override;

    // ProjectManagerView: the tree made again from the project, in place.
    void Rebuild(ProjectBranch selected) override;

    // For tests and screenshots.
    QTreeWidget* Tree() const { return m_tree; }
    QMenu* IconMenu() const { return m_menu; }
    QTreeWidgetItem* BranchItem(ProjectBranch branch) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void Activate(QTreeWidgetItem* item);
    void DeleteCurrent();

    QTreeWidget* m_tree = nullptr;
    QMenu* m_menu = nullptr;
    QActionGroup* m_sizes = nullptr;
    ToolWindowHost* m_host = nullptr;
};

// Routes 14000: the project manager as a tool window of the frame.
void RegisterProjectManager(ToolWindowHost& host);
