#include "snapshots/SnapshotManager.h"
#include "base/ByteCodec.h"
#include "panel/PanelLogic.h"
#include "panel/PanelTestFixture.h"

namespace {

class SnapshotManagerTest : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        for (int i = 0; i < 3; ++i) {
            Slider(0).value = 10 * (i + 1);
            TakeSnapshot(); // Snap1..Snap3 hold 10, 20, 30 at slider 0
        }
        ui.enabledCommands.clear();
    }
    // The name box answering with a text, or Cancel.
    AskSnapshotName Answering(std::optional<std::string> text) {
        return [this, text](const std::string& shown) {
            m_shownNames.push_back(shown);
            return text;
        };
    }
    Lines m_shownNames;
};

TEST_F(SnapshotManagerTest, RenameEditsTheSelectedPositionWithAnyTextOrNothingWhenCancelled) {
    SetText(g_snapshots[2].name, "Snap1"); // a duplicate name: the position decides
    SnapshotManager manager(ManagerOwner::MainWindow);
    manager.Rename(0, Answering(std::nullopt));
    manager.Rename(-1, Answering("x"));
    manager.Rename(3, Answering("x"));
    EXPECT_EQ(m_shownNames, Lines{"Snap1"});
    EXPECT_EQ(SnapshotNames(), (Lines{"Snap1", "Snap1", "Snap3"}));
    manager.Rename(1, Answering("Snap3")); // duplicates are accepted
    manager.Rename(2, Answering(""));
    manager.Rename(0, Answering(std::string(700, 'n')));
    EXPECT_EQ(SnapshotNames(), (Lines{std::string(499, 'n'), "Snap3", ""}));
    EXPECT_EQ(std::pair(manager.Items(), manager.Selected()), std::pair(SnapshotNames(), 0));
    EXPECT_EQ(std::pair(ui.messages.empty(), manager.Closed()), std::pair(true, false));
}

TEST_F(SnapshotManagerTest, DeleteAsksFirstAndMovesTheLaterSnapshotsDown) {
    EXPECT_EQ(SnapshotManager(ManagerOwner::ProjectManager, 2).Selected(), 2);
    SnapshotManager manager(ManagerOwner::MainWindow);
    EXPECT_EQ(g_snapshotManagerOpen, 1);
    EXPECT_EQ(ui.enabledCommands.back(), (std::pair<int, bool>{17000, false}));
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    manager.Delete(1);
    EXPECT_EQ(g_snapshotCount, 3);
    manager.Delete(1);
    EXPECT_EQ(
        ui.MessageTexts(),
        Lines(2, "This operation will delete the selected snapshot. Do you wan to continue?"));
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(std::pair(manager.Items(), manager.Selected()),
              std::pair(Lines{"Snap1", "Snap3"}, 0));
    EXPECT_FALSE(manager.Closed());
}

TEST_F(SnapshotManagerTest, CloseRefreshesTheOtherWindowsAndLowersTheCorners) {
    AttachViews();
    g_gestureSnapshots = {2, 0, 1, 2}; // position 2 is snapshot 3
    SnapshotManager manager(ManagerOwner::MainWindow);
    ui.answers = {MessageAnswer::Yes};
    manager.Delete(1);
    manager.Close();
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{1, 0, 1, 1}));
    EXPECT_EQ(m_gesture.refilledNames, (Lines{"Snap1", "Snap3"}));
    EXPECT_EQ(m_gesture.refilledSelection, g_gestureSnapshots);
    EXPECT_EQ(m_panel.listSelection, 2);
    EXPECT_EQ(m_manager.rebuilds.back(), ProjectBranch::Snapshots);
    EXPECT_EQ(g_snapshotManagerOpen, 0);
    EXPECT_EQ(ui.enabledCommands.back(), (std::pair<int, bool>{17000, true}));

    // Deleting the last snapshot closes the gesture window and the manager by itself.
    SnapshotManager again(ManagerOwner::Panel);
    ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    again.Delete(0);
    EXPECT_FALSE(again.Closed());
    again.Delete(0);
    EXPECT_EQ(std::pair(g_snapshotCount, m_gesture.closes), std::pair(0, 1));
    EXPECT_TRUE(again.Closed());
    EXPECT_EQ(m_panel.list, Lines{"Organize"});
}

TEST_F(SnapshotManagerTest, ANameMissingFromTheStoreClosesTheManager) {
    SnapshotManager manager(ManagerOwner::MainWindow);
    SetText(g_snapshots[2].name, "Changed behind its back");
    manager.Delete(1);
    EXPECT_EQ(ui.MessageTexts(), Lines{"Error: can't locate the selected snapshot!"});
    EXPECT_EQ(std::pair(manager.Closed(), g_snapshotCount), std::pair(true, 3));
    manager.Rename(0, Answering("x")); // a closed manager does nothing more
    EXPECT_TRUE(m_shownNames.empty());
}

TEST_F(SnapshotManagerTest, LosingActivationAfterAChangeReopensTheWindowsButTheOwner) {
    AttachViews();
    SnapshotManager manager(ManagerOwner::MainWindow);
    manager.LoseActivation(); // nothing changed yet
    EXPECT_TRUE(ui.commands.empty());
    manager.Rename(0, Answering("Intro"));
    manager.LoseActivation();
    EXPECT_EQ(ui.commands, (std::vector<int>{61000, 15000}));
    EXPECT_EQ(std::pair(m_gesture.closes, m_panel.CallsOf("close")), std::pair(1, Lines{"close"}));
    EXPECT_EQ(m_manager.rebuilds.size(), 1u);
    manager.LoseActivation(); // remembered: no second refresh
    EXPECT_EQ(ui.commands.size(), 2u);

    // Opened from the panel, the panel is left alone.
    AttachPanelWindow(&m_panel);
    ui.commands.clear();
    SnapshotManager fromPanel(ManagerOwner::Panel);
    ui.answers = {MessageAnswer::Yes};
    fromPanel.Delete(0);
    fromPanel.LoseActivation();
    EXPECT_TRUE(ui.commands.empty());
    EXPECT_EQ(g_panelWindow, &m_panel);
}

} // namespace
