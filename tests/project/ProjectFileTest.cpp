#include "ProjectTestSupport.h"

#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectIo.h"
#include "project/ProjectLifecycle.h"

namespace {

constexpr WindowPlacement kPanelPlace{44, 0, 1, -1, -1, -1, -1, 10, 20, 300, 400};
constexpr WindowPlacement kManagerPlace{44, 2, 3, 5, 6, 7, 8, 100, 200, 500, 700};
constexpr WindowPlacement kGesturePlace{44, 0, 2, 1, 2, 3, 4, 40, 50, 60, 70};

class ProjectFileTest : public ProjectTest {
protected:
    // A 14-bit project of two sliders with three snapshots, the panel open, the gesture window
    // opened once and closed, the editor never opened, the manager open since the New.
    void MakeProjectWithSnapshotsAndWindows() {
        SimulateWindows();
        ui.windowPlacements[kCmdVirtualPanel] = kPanelPlace;
        ui.windowPlacements[kCmdProjectManager] = kManagerPlace;
        ASSERT_EQ(AcceptNewProject(kNewPanelFourteenBit, "2"), NewProjectChoice::PanelBuilt);
        FinishNewProject();
        g_sliders[1].value = 8191;
        g_sliders[1].channel = 5;
        g_sliders[1].curve = kCurveCubic;
        g_sliders[1].locked = 1;
        g_snapshotCount = 3;
        for (int n = 1; n <= 3; ++n) {
            SetText(g_snapshots[n].name, "Snap" + std::to_string(n));
            g_snapshots[n].values[0] = n;
            g_snapshots[n].values[127] = 1000 + n; // kept beyond the slider count
        }
        g_gestureSnapshots = {2, 1, 0, 2};
        g_windowStates[kWindowGesture] = {1, kGesturePlace, 0};
        ui.SendCommand(kCmdVirtualPanel);
        ui.chosenFiles = {"/music/Mixed.vtp"};
    }
};

TEST_F(ProjectFileTest, ANewDefaultProjectIsWrittenAsExactly10340BytesAtTheirOffsets) {
    ASSERT_EQ(AcceptNewProject(kNewPanelSevenBit, "16"), NewProjectChoice::PanelBuilt);
    FinishNewProject();
    ui.chosenFiles = {"/music/Project1.vtp"};
    SaveProjectCommand();

    ASSERT_EQ(files.files.count("/music/Project1.vtp"), 1u);
    const std::vector<std::uint8_t>& file = files.files["/music/Project1.vtp"];
    EXPECT_EQ(file.size(), 10340u);
    EXPECT_EQ(file, ExpectedNewProject("Project1.vtp", 16, 0).bytes);
    EXPECT_EQ(ui.fileModes, std::vector<int>{7});
    EXPECT_EQ(ui.titles.back(), "Ventaro.2 - Live Fader Studio - [Project1.vtp]");
    EXPECT_EQ(g_projectUntitled, 0);
    EXPECT_EQ(g_projectDirty, 0);
    EXPECT_EQ(files.files.count("test.orc"), 1u); // both scripts are saved with the project
    EXPECT_EQ(files.files.count("test.sco"), 1u);
}

TEST_F(ProjectFileTest, SnapshotsAndWindowStatesAreWrittenAtTheirOffsets) {
    MakeProjectWithSnapshotsAndWindows();
    ASSERT_EQ(WriteProject(), 1);

    ExpectedBytes e = ExpectedNewProject("Mixed.vtp", 2, 3);
    for (int i = 0; i < 2; ++i) {
        const std::size_t at = 1636 + 544 * static_cast<std::size_t>(i);
        e.I32(at + 500, 0);      // 14-bit
        e.I32(at + 528, i + 64); // its second controller
    }
    e.I32(1636 + 544 + 504, 8191);
    e.I32(1636 + 544 + 520, 5);
    e.I32(1636 + 544 + 536, 3);
    e.I32(1636 + 544 + 540, 1);
    e.I32(628, 2);
    e.I32(632, 1);
    e.I32(636, 0);
    e.I32(640, 2);
    const auto place = [&e](std::size_t at, const WindowPlacement& p) {
        const std::int32_t v[11] = {p.length, p.flags, p.showCmd, p.minX,  p.minY,  p.maxX,
                                    p.maxY,   p.left,  p.top,     p.right, p.bottom};
        for (std::size_t k = 0; k < 11; ++k) {
            e.I32(at + 4 * k, v[k]);
        }
    };
    e.I32(1428, 1); // virtual panel: open, placement from the window
    place(1432, kPanelPlace);
    e.I32(1476, 1);
    e.I32(1480, 1); // gesture window: opened once, closed now
    place(1484, kGesturePlace);
    e.I32(1532, 1); // project manager: opened by the New
    place(1536, kManagerPlace);
    e.I32(1580, 1);
    // the script editor was never opened: windows[3] stays zero
    for (int n = 1; n <= 3; ++n) {
        const std::size_t at = 1636 + 2 * 544 + 1012 * static_cast<std::size_t>(n - 1);
        e.Text(at, "Snap" + std::to_string(n));
        e.I32(at + 500, n);
        e.I32(at + 500 + 4 * 127, 1000 + n);
    }
    EXPECT_EQ(files.files["/music/Mixed.vtp"], e.bytes);
}

TEST_F(ProjectFileTest, WriteReadWriteGivesTheSameBytesKeepingReservedAndNameTails) {
    MakeProjectWithSnapshotsAndWindows();
    ASSERT_EQ(WriteProject(), 1);
    std::vector<std::uint8_t> file = files.files["/music/Mixed.vtp"];
    file[622] = 0xAB; // the reserved bytes and what follows a name's terminator are carried
    file[623] = 0xCD;
    file[1636 + 10] = 'x';
    file[1636 + 2 * 544 + 499] = 'y';
    files.files["/music/Mixed.vtp"] = file;

    CloseProject(TextOf(g_projectPath));
    ASSERT_TRUE(SetProjectFile("/music/Mixed.vtp"));
    ASSERT_EQ(ReadProject(), 1);
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_EQ(g_snapshotNameCounter, 3);
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 0);
    ASSERT_EQ(WriteProject(), 1);
    EXPECT_EQ(files.files["/music/Mixed.vtp"], file);
}

TEST_F(ProjectFileTest, ReadingIgnoresExtraBytesAndNeverTouchesSnapshotSlotZero) {
    MakeProjectWithSnapshotsAndWindows();
    ASSERT_EQ(WriteProject(), 1);
    std::vector<std::uint8_t> file = files.files["/music/Mixed.vtp"];
    file.insert(file.end(), 5000, 0xEE);
    files.files["/music/Mixed.vtp"] = file;
    CloseProject(TextOf(g_projectPath));
    SetText(g_snapshots[0].name, "Organize");

    ASSERT_TRUE(SetProjectFile("/music/Mixed.vtp"));
    ASSERT_EQ(ReadProject(), 1);
    EXPECT_EQ(TextOf(g_snapshots[0].name), "Organize");
    EXPECT_EQ(TextOf(g_snapshots[3].name), "Snap3");
    EXPECT_EQ(g_snapshots[3].values[127], 1003);
    EXPECT_EQ(g_sliders[1].value, 8191);
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{2, 1, 0, 2}));
    // the windows open in their order: the manager, then the panel
    EXPECT_EQ(ui.commands.back(), kCmdVirtualPanel);
    EXPECT_EQ(g_windowStates[kWindowVirtualPanel].placement, kPanelPlace);
}

TEST_F(ProjectFileTest, AMovedFileKeepsItsNewTitleAndCountsAsChanged) {
    files.files["/b/Renamed.vtp"] = ExpectedNewProject("Project1.vtp", 16, 0).bytes;
    ASSERT_TRUE(SetProjectFile("/b/Renamed.vtp"));
    ASSERT_EQ(ReadProject(), 1);
    EXPECT_EQ(TextOf(g_projectName), "Renamed.vtp");
    EXPECT_EQ(ui.titles.back(), "Ventaro.2 - Live Fader Studio - [Renamed.vtp]");
    EXPECT_EQ(g_projectDirty, 0);
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 1);
}

TEST_F(ProjectFileTest, TextsWithoutTerminatorAreCutAtTheirFieldAndNotReadPast) {
    ExpectedBytes e = ExpectedNewProject("Project1.vtp", 16, 0);
    e.Text(644, std::string(260, 'a'));
    e.Text(1636, std::string(500, 'n'));
    files.files["/p.vtp"] = e.bytes;
    ASSERT_TRUE(SetProjectFile("/p.vtp"));
    ASSERT_EQ(ReadProject(), 1);
    EXPECT_EQ(TextOf(g_scriptPaths[0]), std::string(259, 'a'));
    EXPECT_EQ(TextOf(g_sliders[0].name), std::string(499, 'n'));
    g_projectName = g_projectHeader.projectName;
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 0);
}

TEST_F(ProjectFileTest, APlacementNotMarkedValidIsNotTaken) {
    ExpectedBytes e = ExpectedNewProject("p.vtp", 16, 0);
    e.I32(1584 + 4, 44); // the editor's placement bytes, not marked valid
    e.I32(1584 + 32, 999);
    files.files["/p.vtp"] = e.bytes;
    g_windowStates[kWindowScriptEditor].placement = kGesturePlace;
    ASSERT_TRUE(SetProjectFile("/p.vtp"));
    ASSERT_EQ(ReadProject(), 1);
    EXPECT_EQ(g_windowStates[kWindowScriptEditor].placementValid, 0);
    EXPECT_EQ(g_windowStates[kWindowScriptEditor].placement, kGesturePlace);
}

TEST_F(ProjectFileTest, TheDetectorSeesEveryKindOfChange) {
    const auto changedBy = [this](auto change) {
        ui.openWindows.clear();
        files.files["/p.vtp"] = ExpectedNewProject("p.vtp", 16, 2).bytes;
        CloseProject("");
        SetProjectFile("/p.vtp");
        EXPECT_EQ(ReadProject(), 1);
        DetectProjectChanges();
        EXPECT_EQ(g_projectDirty, 0);
        change();
        DetectProjectChanges();
        return g_projectDirty == 1;
    };
    EXPECT_TRUE(changedBy([] { g_scrollStep = 9; }));
    EXPECT_TRUE(changedBy([] { g_stopMessage[2] = 0; }));
    EXPECT_TRUE(changedBy([] { g_gestureSnapshots[3] = 1; }));
    EXPECT_TRUE(changedBy([] { SetText(g_audioOutputFile, "b.wav"); }));
    EXPECT_TRUE(changedBy([] { g_audioFormatIndex = 3; }));
    EXPECT_TRUE(changedBy([] { g_sliders[15].locked = 1; }));
    EXPECT_TRUE(changedBy([] { g_snapshots[2].values[100] = 1; }));
    EXPECT_TRUE(changedBy([] { g_scriptTexts[1] = "i1 0 1"; }));
    EXPECT_TRUE(changedBy([this] { ui.openWindows.insert(kCmdScriptEditor); }));
    EXPECT_TRUE(changedBy([this] {
        g_windowStates[kWindowVirtualPanel].placementValid = 1;
        ui.openWindows.insert(kCmdVirtualPanel);
    }));
    // a slider beyond the count and a snapshot beyond the count are not part of the project
    EXPECT_FALSE(changedBy([] { g_sliders[16].value = 5; }));
    EXPECT_FALSE(changedBy([] { g_snapshots[3].values[0] = 5; }));
}

} // namespace
