#include "ProjectTestSupport.h"

#include <algorithm>

#include "base/Preferences.h"
#include "fakes/FakePanelWindow.h"
#include "project/NewProject.h"
#include "project/ProjectFilesEditing.h"
#include "project/ProjectLifecycle.h"
#include "resources/Strings.h"

namespace {

constexpr const char* kTitle = "Ventaro.2 - Live Fader Studio";

class ProjectLifecycleTest : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        SimulateWindows();
    }
    void NewSevenBitProject() {
        ASSERT_TRUE(BeginNewProject());
        ASSERT_EQ(AcceptNewProject(kNewPanelSevenBit, "16"), NewProjectChoice::PanelBuilt);
        FinishNewProject();
    }
    bool Enabled(int command) const {
        bool enabled = false;
        for (const auto& [c, e] : ui.enabledCommands) {
            enabled = c == command ? e : enabled;
        }
        return enabled;
    }
};

TEST_F(ProjectLifecycleTest, NewThenCloseAsksForProject1AndTheNextNewIsProject2) {
    NewSevenBitProject();
    EXPECT_EQ(TextOf(g_projectPath), "./Project1.vtp");
    EXPECT_EQ(ui.titles.back(), std::string(kTitle) + " - [Project1.vtp]");
    EXPECT_TRUE(ui.openWindows.count(kCmdProjectManager)); // a new project shows its manager

    ui.answers = {MessageAnswer::No};
    CloseProjectCommand();
    ASSERT_EQ(ui.MessageTexts(), Lines{"Project1.vtp not saved. Do you want to save changes?"});
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(std::pair(g_projectOpen, ui.openWindows.empty()), std::pair(0, true));
    EXPECT_EQ(ui.titles.back(), kTitle);
    EXPECT_EQ(ui.recentDocuments, Lines{"./Project1.vtp"});
    EXPECT_TRUE(files.writes.empty());

    NewSevenBitProject();
    EXPECT_EQ(TextOf(g_projectName), "Project2.vtp");
    // Open closes the project before it asks for the file: Cancel there leaves none.
    ui.answers = {MessageAnswer::No};
    OpenProjectCommand();
    EXPECT_EQ(ui.fileModes, std::vector<int>{3});
    EXPECT_EQ(std::pair(g_projectOpen, TextOf(g_projectPath)), std::pair(0, std::string_view()));
}

TEST_F(ProjectLifecycleTest, ACancelledSaveWritesNothingAndExitWithCancelKeepsTheProject) {
    NewSevenBitProject();
    SaveProjectCommand(); // both file dialogs cancelled: nothing is written
    SaveProjectAsCommand();
    EXPECT_EQ(ui.fileModes, (std::vector<int>{7, 7}));
    EXPECT_EQ(std::pair(files.writes.empty(), g_projectUntitled), std::pair(true, 1));
    g_frame.inTray = 1;
    ui.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(ExitProject());
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_EQ(ui.commands.back(), kCmdRestore); // restored from the tray before asking
    EXPECT_TRUE(ExitProject());
    EXPECT_EQ(g_projectOpen, 0);
    EXPECT_EQ(ui.recentDocuments, (Lines{"./Project1.vtp", "./Project1.vtp"}));
}

TEST_F(ProjectLifecycleTest, TheCommandLineProjectOpensAndATooLongPathIsRefused) {
    files.files["/s/Start.vtp"] = ExpectedNewProject("Start.vtp", 3, 0).bytes;
    OpenStartupProject("/s/Start.vtp");
    EXPECT_EQ(std::pair(g_projectOpen, g_sliderCount), std::pair(1, 3));

    // 259 bytes fill the path field; one more is refused whole: cut, it would open this other file.
    const std::string longest = "/" + std::string(254, 'd') + ".vtp";
    files.files[longest] = ExpectedNewProject("Other.vtp", 2, 0).bytes;
    ui.answers = {MessageAnswer::No};
    const std::size_t reads = files.reads.size();
    DropProjectFile(longest + "x");
    EXPECT_EQ(ui.MessageTexts(), Lines{"Error while opening the selected file!"});
    EXPECT_EQ(files.reads.size(), reads); // no cut path was tried
    DropProjectFile(longest);
    EXPECT_EQ(std::pair(g_projectOpen, g_sliderCount), std::pair(1, 2));
}

TEST_F(ProjectLifecycleTest, ClosingAndOpeningStopTheRecorderAndEngineAndSetTheCommands) {
    NewSevenBitProject();
    ui.recorderState = RecorderState::Recording; // its window is closed: it keeps recording
    ui.commands.clear();
    CloseProject(TextOf(g_projectPath));
    EXPECT_EQ(std::count(ui.commands.begin(), ui.commands.end(), kCommandRecorderStop), 0);
    EXPECT_EQ(ui.commands.front(), kCmdStopEngine);
    for (int c : {kCmdCloseProject, kCmdSaveProjectAs, kCmdProjectManager, kCmdVirtualPanel,
                  kCmdGestureWindow, kCmdPanelProperties, kCmdSnapshotManager, kCmdStart,
                  kCmdScriptEditor, kCmdFindSlider}) {
        EXPECT_FALSE(Enabled(c)) << c;
    }
    EXPECT_EQ(ui.projectButtons.back(), false);
    EXPECT_EQ(g_windowStates[kWindowProjectManager], (WindowState{0, kZeroPlacement, 1}));

    // The windows a project was saved with reopen, the editor first.
    ui.recorderState = RecorderState::Playing;
    ui.commands.clear();
    g_windowStates[kWindowVirtualPanel].visible = 1;
    g_windowStates[kWindowScriptEditor].visible = 1;
    ProjectOpened();
    EXPECT_EQ(ui.commands, (std::vector<int>{kCommandRecorderStop, kCmdStopEngine, kCmdScriptEditor,
                                             kCmdProjectManager, kCmdVirtualPanel}));
    EXPECT_TRUE(Enabled(kCmdStart));
}

class ProjectSaveTest : public ProjectTest {
protected:
    // A new project saved once to /p.vtp, then changed.
    void SetUp() override {
        ProjectTest::SetUp();
        AcceptNewProject(kNewPanelSevenBit, "16");
        FinishNewProject();
        ui.chosenFiles = {"/p.vtp"};
        ASSERT_EQ(WriteProject(), 1);
        previous = files.files["/p.vtp"];
        g_sliders[0].value = 99;
        g_scrollStep = 9;
        files.writes.clear();
    }
    std::vector<std::uint8_t> previous;
};

TEST_F(ProjectSaveTest, AFullDiskLeavesThePreviousFileWholeAndTheProjectChanged) {
    files.diskFree = 5000;
    EXPECT_EQ(WriteProject(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), "Error while writing on the selected file!");
    EXPECT_EQ(files.files["/p.vtp"], previous);
    EXPECT_EQ(files.writes, Lines{"/p.vtp"}); // the scripts were not saved
    // the saved copies still describe the file on disk
    EXPECT_EQ(std::tuple(g_slidersSaved[0].value, g_projectHeader.scrollStep, g_projectUntitled),
              std::tuple(0, 8, 0));
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 1);
}

TEST_F(ProjectSaveTest, AFileThatCannotBeCreatedIsReportedAsSuch) {
    files.failCreate = true;
    EXPECT_EQ(WriteProject(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), "Error while creating the selected file!");
    EXPECT_EQ(files.files["/p.vtp"], previous);

    // a chosen path too long for the project's field is not cut into another file's name
    files.failCreate = false;
    ui.chosenFiles = {"/" + std::string(300, 'l') + ".vtp"};
    SaveProjectAsCommand();
    EXPECT_EQ(ui.MessageTexts().back(), "Error while creating the selected file!");
    EXPECT_EQ(TextOf(g_projectPath), "/p.vtp");
    EXPECT_EQ(files.files.size(), 1u); // the project: its empty scripts are not written
}

TEST_F(ProjectSaveTest, AFailedSaveAnsweredFromThePromptAbortsTheCommand) {
    files.diskFree = 0;
    ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes};
    CloseProjectCommand();
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_FALSE(ExitProject());
    EXPECT_EQ(g_projectOpen, 1);
    ui.chosenFiles = {"/other.vtp"};
    OpenProjectCommand();
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_EQ(ui.chosenFiles.size(), 1u); // no file was asked for
    EXPECT_EQ(files.files["/p.vtp"], previous);
}

TEST_F(ProjectSaveTest, AScriptThatCannotBeSavedKeepsTheProjectChangedAndStopsTheExit) {
    g_scriptTexts[0] = "instr 1\r\nendin\r\n";
    files.diskFree = previous.size(); // room for the project file, none for the script
    EXPECT_EQ(WriteProject(), 0);
    EXPECT_NE(files.files["/p.vtp"], previous); // the project file itself was written
    EXPECT_EQ(g_projectUntitled, 0);
    EXPECT_EQ(ui.MessageTexts(), Lines{"Sorry, can't save the script file n.1"});

    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(ExitProject());
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_EQ(g_scriptTexts[0], "instr 1\r\nendin\r\n");
}

using ProjectFiles = ProjectTest;

TEST_F(ProjectFiles, ABrowsedFileGoesStraightInAndCancelTakesItBackOut) {
    ChooseProjectFile(kScript2Field, "/music/other.sco");
    ChooseProjectFile(kAudioFileField, "/music/take.wav");
    EXPECT_EQ(ProjectFilesToEdit().script2, "/music/other.sco");
    CancelProjectFiles();
    EXPECT_EQ(TextOf(g_scriptPaths[1]), "test.sco");
    EXPECT_EQ(TextOf(g_audioOutputFile), "test.wav");
}

// The path rule itself is the engine settings' (EngineSettings.APathThatFillsItsField...).
TEST_F(ProjectFiles, OkCommitsEveryFittingFieldAndMakesAnOpenManagerAgain) {
    FakeProjectManagerView manager;
    g_projectManagerView = &manager;
    EXPECT_FALSE(ConfirmProjectFiles("a.orc", std::string(260, 's'), "c.wav", 3));
    EXPECT_EQ(ui.MessageTexts(), Lines{Str(kStrPathTooLong)});
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
    EXPECT_NE(g_audioFormatIndex, 3);

    EXPECT_TRUE(ConfirmProjectFiles("a.orc", "b.sco", "c.wav", 3));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "a.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[1]), "b.sco");
    EXPECT_EQ(TextOf(g_audioOutputFileCommitted), "c.wav");
    EXPECT_EQ(g_audioFormatIndex, 3);
    // Rebuilt in place with the files' branch selected, never closed under the dialog.
    EXPECT_EQ(manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::AdditionalFiles});
    EXPECT_TRUE(ui.commands.empty());
    g_projectManagerView = nullptr;
}

} // namespace
