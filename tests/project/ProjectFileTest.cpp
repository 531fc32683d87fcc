#include "ProjectTestSupport.h"

#include "project/NewProject.h"
#include "project/ProjectLifecycle.h"

namespace {

constexpr WindowPlacement kPanelPlace{44, 0, 1, -1, -1, -1, -1, 10, 20, 300, 400};
constexpr WindowPlacement kManagerPlace{44, 2, 3, 5, 6, 7, 8, 100, 200, 500, 700};
constexpr WindowPlacement kGesturePlace{44, 0, 2, 1, 2, 3, 4, 40, 50, 60, 70};

using ProjectFileTest = ProjectTest;

TEST_F(ProjectFileTest, ANewDefaultProjectIsWrittenAsExactly10340BytesAtTheirOffsets) {
    ASSERT_EQ(AcceptNewProject(kNewPanelSevenBit, "16"), NewProjectChoice::PanelBuilt);
    FinishNewProject();
    ui.chosenFiles = {"/music/Project1.vtp"};
    SaveProjectCommand();

    const std::vector<std::uint8_t>& file = files.files["/music/Project1.vtp"];
    EXPECT_EQ(file, ExpectedNewProject("Project1.vtp", 16, 0).bytes);
    EXPECT_EQ(ui.titles.back(), "Ventaro.2 - Live Fader Studio - [Project1.vtp]");
    EXPECT_EQ(std::pair(g_projectUntitled, g_projectDirty), std::pair(0, 0));
    // Its empty scripts are not written: an empty file would only be refused when reopened.
    EXPECT_EQ(files.files.size(), 1u);
}

// Scripts live beside their project, go along with Save As and keep their stored paths.
TEST_F(ProjectFileTest, ScriptsAreWrittenAndReadBesideTheirProject) {
    for (const char* path : {"/a/one.vtp", "/b/two.vtp"}) {
        if (g_projectOpen) {
            CloseProject(TextOf(g_projectPath));
        }
        ASSERT_EQ(AcceptNewProject(kNewPanelSevenBit, "4"), NewProjectChoice::PanelBuilt);
        FinishNewProject();
        g_scriptTexts[0] = std::string("instr ") + path;
        ui.chosenFiles = {path};
        SaveProjectCommand();
    }
    ui.chosenFiles = {"/c/three.vtp"};
    SaveProjectAsCommand(); // the unchanged script goes along all the same
    std::string orchestras;
    for (const char* folder : {"/a/", "/b/", "/c/"}) {
        const std::vector<std::uint8_t>& bytes = files.files[std::string(folder) + "test.orc"];
        orchestras.append(bytes.begin(), bytes.end()).append("|");
    }
    EXPECT_EQ(orchestras, "instr /a/one.vtp|instr /b/two.vtp|instr /b/two.vtp|");
    EXPECT_EQ(files.files.size(), 6u); // three projects, three orchestras, no empty score
    ASSERT_EQ(ReadBytes("/a/one.vtp", files.files["/a/one.vtp"]), 1);
    EXPECT_EQ(g_scriptTexts[0], "instr /a/one.vtp");
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "test.orc");
    EXPECT_TRUE(ui.messages.empty());
    // A project from a Windows machine finds "orc\drums.orc" beside it; absolute paths stay.
    EXPECT_EQ(ResolveProjectPath("orc\\drums.orc"), "/a/orc/drums.orc");
    EXPECT_EQ(ResolveProjectPath("C:\\music\\a.orc") + ResolveProjectPath("/x/b.orc"),
              "C:\\music\\a.orc/x/b.orc");
}

// Read back and written again, the file keeps every byte, reserved ones and those after names.
TEST_F(ProjectFileTest, SnapshotsAndWindowsAreWrittenAtTheirOffsetsAndReadBackToTheSameBytes) {
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
    e.I32(640, 2);
    e.Window(1428, kPanelPlace, 1);   // open, its placement taken from the window
    e.Window(1480, kGesturePlace, 0); // opened once, closed now
    e.Window(1532, kManagerPlace, 1); // opened by the New; the editor's state stays zero
    for (int n = 1; n <= 3; ++n) {
        const std::size_t at = 1636 + 2 * 544 + 1012 * static_cast<std::size_t>(n - 1);
        e.Text(at, "Snap" + std::to_string(n));
        e.I32(at + 500, n);
        e.I32(at + 500 + 4 * 127, 1000 + n);
    }
    ASSERT_EQ(files.files["/music/Mixed.vtp"], e.bytes);

    e.Text(622, "\xAB\xCD");
    e.Text(1636 + 10, "x");
    e.Text(1636 + 2 * 544 + 499, "y");
    CloseProject(TextOf(g_projectPath));
    SetText(g_snapshots[0].name, "Organize"); // slot 0 is no snapshot of the file
    std::vector<std::uint8_t> longer = e.bytes;
    longer.insert(longer.end(), 5000, 0xEE); // bytes after the last record are ignored
    ASSERT_EQ(ReadBytes("/music/Mixed.vtp", longer), 1);
    EXPECT_EQ(TextOf(g_snapshots[0].name), "Organize");
    EXPECT_EQ(g_snapshotNameCounter, 3);
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 0);
    ASSERT_EQ(WriteProject(), 1);
    EXPECT_EQ(files.files["/music/Mixed.vtp"], e.bytes);
}

TEST_F(ProjectFileTest, AFileTakesItsFileNameAndItsTextsCutToTheirFields) {
    ExpectedBytes e = ExpectedNewProject("Project1.vtp", 16, 0);
    e.Text(644, std::string(260, 'a')); // texts without a terminator
    e.Text(1636, std::string(500, 'n'));
    e.I32(1588, 44); // the editor's placement bytes, not marked valid
    e.I32(1616, 999);
    g_windowStates[kWindowScriptEditor].placement = kGesturePlace;
    ASSERT_EQ(ReadBytes("/b/Renamed.vtp", e.bytes), 1);
    EXPECT_EQ(ui.titles.back(), "Ventaro.2 - Live Fader Studio - [Renamed.vtp]"); // moved: new name
    EXPECT_EQ(TextOf(g_scriptPaths[0]), std::string(259, 'a'));
    EXPECT_EQ(TextOf(g_sliders[0].name), std::string(499, 'n'));
    EXPECT_EQ(g_windowStates[kWindowScriptEditor].placementValid, 0);
    EXPECT_EQ(g_windowStates[kWindowScriptEditor].placement, kGesturePlace);
    g_projectName = g_projectHeader.projectName;
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 0); // the cut texts are what the project holds
}

TEST_F(ProjectFileTest, TheDetectorSeesEveryKindOfChange) {
    const auto changedBy = [this](auto change) {
        ui.openWindows.clear();
        CloseProject("");
        EXPECT_EQ(ReadBytes("/p.vtp", ExpectedNewProject("p.vtp", 16, 2).bytes), 1);
        DetectProjectChanges();
        EXPECT_EQ(g_projectDirty, 0);
        change();
        DetectProjectChanges();
        return g_projectDirty == 1;
    };
    EXPECT_TRUE(changedBy([] { SetText(g_projectName, "Moved.vtp"); }));
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

constexpr const char* kInvalid = "Error: invalid project file!";
constexpr const char* kReadError = "Error while reading the selected file!";
constexpr std::size_t kSlider1 = 1636; // the first slider's record; the second follows at + 544

// One field of the header or of a slider set to a value the reader must refuse.
struct BadField {
    const char* what;
    std::size_t at;
    std::int32_t value;
    const char* message = kInvalid;
};
const BadField kBadFields[] = {{"no slider", 600, 0},
                               {"129 sliders", 600, 129},
                               {"a negative slider count", 600, -1},
                               {"a negative snapshot count", 604, -1},
                               {"32768 snapshots", 604, 32768},
                               {"a scroll step of 0", 612, 0},
                               {"a scroll step of 31", 612, 31},
                               {"audio format 16", 1424, 16},
                               {"audio format -1", 1424, -1},
                               {"slider type 2", kSlider1 + 544 + 500, 2},
                               {"7-bit value 128", kSlider1 + 544 + 504, 128},
                               {"negative value", kSlider1 + 504, -1},
                               {"channel 16", kSlider1 + 544 + 520, 16},
                               {"controller 128", kSlider1 + 544 + 524, 128},
                               {"second controller -1", kSlider1 + 544 + 528, -1},
                               {"curve 5", kSlider1 + 544 + 536, 5},
                               {"a bound that is not a number", kSlider1 + 544 + 516, 0x7FC00000},
                               {"one snapshot more than the file holds", 604, 3, kReadError}};

class ProjectReadTest : public ProjectTest {
protected:
    // The state a refused read must leave alone, as a previous project left it.
    void SetUp() override {
        ProjectTest::SetUp();
        g_sliderCount = 5;
        SetText(g_sliders[0].name, "Before");
        SetText(g_slidersSaved[0].name, "Before");
        SetText(g_snapshots[1].name, "Kept");
        SetText(g_projectHeader.projectName, "Old.vtp");
    }
    // Everything a read may change, but a refused one must not.
    static auto State() {
        return std::tuple(g_sliderCount, g_sliders, g_slidersSaved, g_snapshots.Peek(1),
                          g_snapshotsSaved.AllocatedSlots(), g_projectHeader, g_projectOpen);
    }
    void ExpectRefused(const std::string& what, const std::vector<std::uint8_t>& bytes,
                       const char* message) {
        SCOPED_TRACE(what);
        const auto before = State();
        EXPECT_EQ(ReadBytes("/p.vtp", bytes), 0);
        EXPECT_EQ(ui.MessageTexts(), Lines{message});
        EXPECT_TRUE(State() == before);
        EXPECT_EQ(files.reads.size(), 1u); // the scripts were not loaded
        Restart();
    }
};

TEST_F(ProjectReadTest, EveryUnusableFileIsRefusedWithNothingTaken) {
    const ExpectedBytes good = ExpectedNewProject("p.vtp", 2, 2);
    for (const BadField& field : kBadFields) {
        ExpectedBytes e = good;
        e.I32(field.at, field.value);
        ExpectRefused(field.what, e.bytes, field.message);
    }
    ExpectedBytes e = good;
    e.Text(1, "v");
    ExpectRefused("a magic differing in one letter's case", e.bytes, kInvalid);
    e = good;
    e.I32(kSlider1 + 544 + 500, 0);
    e.I32(kSlider1 + 544 + 504, 16384);
    ExpectRefused("14-bit value 16384", e.bytes, kInvalid);
    ExpectRefused("a header of 1635 bytes", {good.bytes.begin(), good.bytes.begin() + 1635},
                  kReadError);
    ExpectRefused("a last record one byte short", {good.bytes.begin(), good.bytes.end() - 1},
                  kReadError);
    files.unreadable.insert("/p.vtp");
    ExpectRefused("a read failing part way", good.bytes, kReadError);
    files.unopenable.insert("/p.vtp");
    ExpectRefused("a file that cannot be opened", good.bytes,
                  "Error while opening the selected file!");
}

TEST_F(ProjectReadTest, GestureCornersBeyondTheSnapshotsAreLoweredIntoRange) {
    ExpectedBytes e = ExpectedNewProject("p.vtp", 2, 2);
    e.I32(628, 5);
    e.I32(632, -2);
    e.I32(636, 1);
    e.I32(640, 99);
    ASSERT_EQ(ReadBytes("/p.vtp", e.bytes), 1);
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{1, 0, 1, 1}));
    DetectProjectChanges(); // the lowered corners are what the project holds
    EXPECT_EQ(g_projectDirty, 0);
}

TEST_F(ProjectReadTest, TheLargestProjectIsTakenWhole) {
    ExpectedBytes e = ExpectedNewProject("big.vtp", 128, 32767);
    const std::size_t last = 1636 + 128 * 544 + 32766 * 1012;
    e.Text(last, "Last");
    e.I32(last + 500 + 4 * 127, 16383);
    ASSERT_EQ(ReadBytes("/big.vtp", e.bytes), 1);
    EXPECT_EQ(std::pair(g_sliderCount, g_snapshotCount), std::pair(128, 32767));
    EXPECT_EQ(TextOf(g_snapshots[32767].name), "Last");
    EXPECT_EQ(g_snapshotsSaved[32767].values[127], 16383);
}

} // namespace
