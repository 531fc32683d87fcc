#include "project/ProjectManager.h"

#include "panel/PanelTestFixture.h"
#include "project/NewProject.h"
#include "project/ProjectLifecycle.h"
#include "project/ProjectState.h"
#include "scripts/ScriptStore.h"

namespace {

Lines TextsOf(const ManagerItem& item) {
    Lines texts;
    for (const ManagerItem& child : item.children) {
        texts.push_back(child.text);
    }
    return texts;
}

class ProjectManagerTest : public PanelFixture {
protected:
    // A new 7-bit project of 16 sliders, the panel, the manager and the gesture window open.
    void SetUp() override {
        PanelFixture::SetUp();
        ResetAllState(); // the project's sliders numbered from 1
        ASSERT_EQ(AcceptNewProject(kNewPanelSevenBit, "16"), NewProjectChoice::PanelBuilt);
        FinishNewProject();
        AttachViews();
        m_panel.FillSnapshotList(SnapshotListItems(), 0);
        ui.commands.clear();
    }
    static void TakeSnapshots(int count) {
        for (int k = 0; k < count; ++k) {
            ASSERT_EQ(TakeSnapshot(), 1);
        }
    }
};

TEST_F(ProjectManagerTest, TheTreeShowsTheProjectOverFourBranchesAndLeavesEmptyFilesOut) {
    g_sliders[2].locked = 1;
    TakeSnapshots(2);
    SetText(g_snapshots[2].name, "Snap1"); // a duplicate is listed twice
    SetText(g_scriptPaths[0], "");
    SetText(g_audioOutputFile, "");
    const ManagerItem root = BuildProjectTree();
    EXPECT_EQ(root.text, "Project1.vtp");
    EXPECT_EQ(TextsOf(root),
              (Lines{"Virtual Panel", "Snapshots", "Transitions", "Project additional files"}));
    const ProjectBranch branches[] = {ProjectBranch::Panel, ProjectBranch::Snapshots,
                                      ProjectBranch::Transitions, ProjectBranch::AdditionalFiles};
    for (std::size_t b = 0; b < 4; ++b) { // a branch itself activates nothing
        EXPECT_EQ(std::pair(root.children[b].branch, root.children[b].parent),
                  std::pair(branches[b], ProjectBranch::None));
    }
    const ManagerItem& panel = root.children[0];
    ASSERT_EQ(panel.children.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        const ManagerItem& slider = panel.children[static_cast<std::size_t>(i)];
        EXPECT_EQ(std::tuple(slider.text, slider.icon, slider.parent, slider.action),
                  std::tuple("Slider" + std::to_string(i + 1),
                             i == 2 ? ManagerIcon::Locked : ManagerIcon::Entry,
                             ProjectBranch::Panel, ManagerAction::SliderProperties));
    }
    EXPECT_EQ(TextsOf(root.children[1]), (Lines{"Snap1", "Snap1"}));
    EXPECT_EQ(std::pair(root.children[1].children[1].parent, root.children[1].children[1].action),
              std::pair(ProjectBranch::Snapshots, ManagerAction::SnapshotManager));
    EXPECT_TRUE(root.children[2].children.empty());
    EXPECT_EQ(TextsOf(root.children[3]), Lines{"test.sco"});
    EXPECT_EQ(root.children[3].children[0].action, ManagerAction::AdditionalFiles);
}

TEST_F(ProjectManagerTest, LargeIconsChangeTheProjectAndRebuildTheTree) {
    g_projectDirty = 0;
    ChooseManagerIconSize(kManagerSmallIcons); // already small: nothing changed
    EXPECT_EQ(g_projectDirty, 0);
    ChooseManagerIconSize(kManagerLargeIcons);
    EXPECT_EQ(std::tuple(g_managerIconSize, ManagerIconPixels(), g_projectDirty),
              std::tuple(32, 32, 1));
    EXPECT_EQ(m_manager.rebuilds, (std::vector<ProjectBranch>(2, ProjectBranch::None)));
    // A damaged stored size is kept but drawn as large icons.
    g_managerIconSize = 1 << 20;
    EXPECT_EQ(ManagerIconPixels(), 32);
    ChooseManagerIconSize(kManagerSmallIcons);
    EXPECT_EQ(ManagerIconPixels(), 16);
}

TEST_F(ProjectManagerTest, ActivatingAnEntryOpensItsDialogUnlessThatDialogIsOpen) {
    TakeSnapshots(3);
    SetText(g_snapshots[3].name, "Snap2"); // the first of two equal names is chosen
    const ManagerRequest slider = ActivateManagerItem(ProjectBranch::Panel, "Slider4");
    EXPECT_EQ(std::pair(slider.action, slider.sliderName),
              std::pair(ManagerAction::SliderProperties, std::string("Slider4")));
    EXPECT_EQ(ActivateManagerItem(ProjectBranch::Panel, std::string(600, 'x')).sliderName,
              std::string(500, 'x'));
    const ManagerRequest snapshot = ActivateManagerItem(ProjectBranch::Snapshots, "Snap2");
    EXPECT_EQ(std::pair(snapshot.action, snapshot.snapshotPosition),
              std::pair(ManagerAction::SnapshotManager, 1));
    EXPECT_EQ(ActivateManagerItem(ProjectBranch::AdditionalFiles, "test.wav").action,
              ManagerAction::AdditionalFiles);
    for (ProjectBranch none : {ProjectBranch::None, ProjectBranch::Transitions}) {
        EXPECT_EQ(ActivateManagerItem(none, "Snapshots").action, ManagerAction::None);
    }
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(ActivateManagerItem(ProjectBranch::Snapshots, "Gone").action, ManagerAction::None);
    EXPECT_EQ(ui.MessageTexts(), Lines{"Error: can't locate the selected snapshot!"});

    g_sliderPropsOpen = 1;
    g_snapshotManagerOpen = 1;
    EXPECT_EQ(ActivateManagerItem(ProjectBranch::Panel, "Slider4").action, ManagerAction::None);
    EXPECT_EQ(ActivateManagerItem(ProjectBranch::Snapshots, "Gone").action, ManagerAction::None);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ProjectManagerTest, DeletingASnapshotAsksThenRefreshesEveryWindowShowingSnapshots) {
    TakeSnapshots(4);
    g_gestureSnapshots = {0, 2, 3, 1};
    m_manager.rebuilds.clear();
    DeleteManagerItem(ProjectBranch::Snapshots, "Nothing");
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    DeleteManagerItem(ProjectBranch::Snapshots, "Snap2");
    EXPECT_EQ(g_snapshotCount, 4);
    EXPECT_TRUE(m_manager.rebuilds.empty());

    DeleteManagerItem(ProjectBranch::Snapshots, "Snap2");
    const std::string ask =
        "This operation will delete the selected snapshot. Do you wan to continue?";
    EXPECT_EQ(ui.MessageTexts(), (Lines{"Error: can't locate the selected snapshot!", ask, ask}));
    EXPECT_EQ(std::pair(ui.messages[1].buttons, ui.messages[1].icon),
              std::pair(MessageButtons::YesNo, MessageIcon::Warning));
    EXPECT_EQ(SnapshotNames(), (Lines{"Snap1", "Snap3", "Snap4"}));
    // Only the corner now past the last snapshot moves; the others keep their index.
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{0, 2, 2, 1}));
    EXPECT_EQ(m_gesture.refilledNames, (Lines{"Snap1", "Snap3", "Snap4"}));
    EXPECT_EQ(m_gesture.refilledSelection, g_gestureSnapshots);
    EXPECT_EQ(std::pair(m_gesture.closes, m_panel.CallsOf("close")), std::pair(0, Lines{"close"}));
    EXPECT_EQ(ui.commands, std::vector<int>{kCmdVirtualPanel});
    EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Snapshots});
}

TEST_F(ProjectManagerTest, DeletingTheLastSnapshotClosesTheGestureWindowAndResetsTheCorners) {
    TakeSnapshots(1);
    g_gestureSnapshots = {0, 0, 0, 0};
    ui.answers = {MessageAnswer::Yes};
    DeleteManagerItem(ProjectBranch::Snapshots, "Snap1");
    EXPECT_EQ(std::pair(g_snapshotCount, m_gesture.closes), std::pair(0, 1));
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{}));

    // With the gesture window closed the corners are still brought into range.
    TakeSnapshots(2);
    g_gestureSnapshots = {1, 1, 0, 1};
    ui.answers = {MessageAnswer::Yes};
    DeleteManagerItem(ProjectBranch::Snapshots, "Snap3");
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

TEST_F(ProjectManagerTest, DeletingASliderAsksKeepsTheLastOneAndRefreshesPanelAndManager) {
    DeleteManagerItem(ProjectBranch::Panel, "Slider99");
    ui.answers = {MessageAnswer::No};
    DeleteManagerItem(ProjectBranch::Panel, "Slider2");
    EXPECT_EQ(g_sliderCount, 16);
    ui.answers = {MessageAnswer::Yes};
    DeleteManagerItem(ProjectBranch::Panel, "Slider2");
    const std::string ask =
        "This operation will delete the selected slider. Do you wan to continue?";
    EXPECT_EQ(ui.MessageTexts(), (Lines{"Error: can't locate the selected slider!", ask, ask}));
    EXPECT_EQ(ui.messages[2].buttons, MessageButtons::YesNo);
    EXPECT_EQ(std::pair(g_sliderCount, g_sliderCountCommitted), std::pair(15, 15));
    EXPECT_EQ(TextOf(g_sliders[1].name), "Slider3");
    EXPECT_EQ(m_panel.CallsOf("close"), Lines{"close"});
    EXPECT_EQ(ui.commands, std::vector<int>{kCmdVirtualPanel});
    EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Panel});

    // Files and the branches themselves are not deleted.
    DeleteManagerItem(ProjectBranch::AdditionalFiles, "test.orc");
    DeleteManagerItem(ProjectBranch::None, "Slider1");
    EXPECT_EQ(std::tuple(ui.messages.size(), g_sliderCount), std::tuple(3u, 15));

    g_sliderCount = 1;
    DeleteManagerItem(ProjectBranch::Panel, "Slider1");
    EXPECT_EQ(ui.MessageTexts().back(), "Warning! You can't delete the last slider.");
    EXPECT_EQ(g_sliderCount, 1);
}

// Save leaves the tree showing the project's file as it now is; a closed manager stays closed.
TEST_F(ProjectManagerTest, SavingRebuildsAnOpenManagerInPlace) {
    ui.chosenFiles = {"/music/Live.vtp"};
    SaveProjectCommand();
    EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::None});
    EXPECT_EQ(BuildProjectTree().text, "Live.vtp");
    g_projectManagerView = nullptr;
    SaveProjectCommand();
    EXPECT_EQ(m_manager.rebuilds.size(), 1u);
    EXPECT_TRUE(ui.commands.empty());
}

} // namespace
