// The project manager on the real main window: the Delete key, and activation opening the dialogs
// of its entries, each refreshing the tree it was opened from.

#include "project/ProjectManagerWindow.h"
#include "GuiTestSupport.h"
#include "engine/AdditionalFilesDialog.h"
#include "panel/PanelState.h"
#include "panel/SliderPropsDialog.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectState.h"
#include "snapshots/SnapshotManagerDialog.h"
#include "snapshots/Snapshots.h"

class ProjectManagerWindowTest : public GuiTest {
    Q_OBJECT

private:
    ProjectManagerWindow* Manager() const {
        return qobject_cast<ProjectManagerWindow*>(Window()->ToolWindow(kCmdProjectManager));
    }
    QTreeWidgetItem* Branch(ProjectBranch branch) const { return Manager()->BranchItem(branch); }
    QTreeWidgetItem* Entry(ProjectBranch branch, int k) const { return Branch(branch)->child(k); }
    // The Delete key or Enter on an item, as the user presses it in the tree.
    void Press(QTreeWidgetItem* item, Qt::Key key) {
        Manager()->Tree()->setCurrentItem(item);
        QTest::keyClick(Manager()->Tree(), key);
    }

private slots:
    // A new 7-bit project of 16 sliders, made with the New command: it opens the manager.
    void init() {
        StartProgram();
        WhenModal<NewProjectDialog>([](NewProjectDialog* dialog) {
            dialog->KindList()->setCurrentRow(kNewPanelSevenBit);
            dialog->CountField()->setText("16");
            dialog->OkButton()->click();
        });
        Window()->OnCommand(kCmdNewProject);
        QVERIFY(Manager() && QTest::qWaitForWindowExposed(Manager()));
    }
    // Delete asks first; Yes deletes and the tree is made again in the same window, with the
    // branch selected and open.
    void theDeleteKeyAsksAndRebuildsTheTreeInPlace() {
        const QPointer<ProjectManagerWindow> manager = Manager();
        Ui().answers = {MessageAnswer::Yes};
        Press(Entry(ProjectBranch::Panel, 1), Qt::Key_Delete);
        QCOMPARE(TakeShown().size(), 1);
        QCOMPARE(g_sliderCount, 15);
        QCOMPARE(Manager(), manager.data());
        QCOMPARE(Manager()->Tree()->currentItem(), Branch(ProjectBranch::Panel));
        QVERIFY(Branch(ProjectBranch::Panel)->isExpanded());
        QCOMPARE(Branch(ProjectBranch::Panel)->childCount(), 15);
    }

    // Enter on a slider edits it; OK rebuilds the manager under the dialog without harm.
    void activationOpensTheSliderPropertiesAndTheTreeShowsTheEdit() {
        WhenModal<SliderPropsDialog>([](SliderPropsDialog* props) {
            props->NameEdit()->setText("Lead");
            props->OkButton()->click();
        });
        Press(Entry(ProjectBranch::Panel, 2), Qt::Key_Return);
        QCOMPARE(Entry(ProjectBranch::Panel, 2)->text(0), QString("Lead"));
        QCOMPARE(Manager()->Tree()->currentItem(), Branch(ProjectBranch::Panel));
    }

    // A double click on a snapshot opens the manager on it; one on a file opens the project's
    // files, whose OK selects their branch.
    void doubleClicksOpenTheSnapshotManagerAndTheFilesDialog() {
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(TakeSnapshot(), 1);
        }
        int selected = -1;
        WhenModal<SnapshotManagerDialog>(
            [&](SnapshotManagerDialog* dialog) { selected = dialog->List()->currentRow(); });
        QTreeWidget* tree = Manager()->Tree();
        emit tree->itemDoubleClicked(Entry(ProjectBranch::Snapshots, 2), 0);
        QCOMPARE(selected, 2);

        WhenModal<AdditionalFilesDialog>([](AdditionalFilesDialog* files) {
            files->Script2()->setText("");
            files->OkButton()->click();
        });
        Press(Entry(ProjectBranch::AdditionalFiles, 1), Qt::Key_Enter);
        QCOMPARE(Branch(ProjectBranch::AdditionalFiles)->childCount(), 2); // the score left out
        QCOMPARE(tree->currentItem(), Branch(ProjectBranch::AdditionalFiles));
    }

    // Large icons rebuild the tree at 32 pixels, also after Escape closed the window.
    void largeIconsRebuildTheTreeAndEscapeClosesTheWindow() {
        const QList<QAction*> sizes = Manager()->IconMenu()->actions();
        sizes[1]->trigger();
        QTRY_COMPARE(Manager()->Tree()->iconSize(), QSize(32, 32));
        QVERIFY(sizes[1]->isChecked());
        QTest::keyClick(Manager()->Tree(), Qt::Key_Escape);
        QVERIFY(!Window()->IsToolWindowOpen(kCmdProjectManager));
        QVERIFY(!Window()->MenuAction(MenuKind::MenuBar, kCmdProjectManager)->isChecked());
        Window()->OnCommand(kCmdProjectManager);
        QVERIFY(Manager() && Manager()->isVisible());
        QCOMPARE(Manager()->Tree()->iconSize(), QSize(32, 32));
    }
};

QTEST_MAIN(ProjectManagerWindowTest)
#include "ProjectManagerWindowTest.moc"
