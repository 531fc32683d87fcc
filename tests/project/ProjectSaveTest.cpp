#include "ProjectTestSupport.h"

#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectIo.h"
#include "project/ProjectLifecycle.h"

namespace {

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
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Error while writing on the selected file!"});
    EXPECT_EQ(files.files["/p.vtp"], previous);
    EXPECT_EQ(files.writes, std::vector<std::string>{"/p.vtp"}); // the scripts were not saved
    // the saved copies still describe the file on disk
    EXPECT_EQ(g_slidersSaved[0].value, 0);
    EXPECT_EQ(g_projectHeader.scrollStep, 8);
    EXPECT_EQ(g_projectUntitled, 0);
    DetectProjectChanges();
    EXPECT_EQ(g_projectDirty, 1);
}

TEST_F(ProjectSaveTest, AFileThatCannotBeCreatedIsReportedAsSuch) {
    files.failCreate = true;
    EXPECT_EQ(WriteProject(), 0);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Error while creating the selected file!"});
    EXPECT_EQ(files.files["/p.vtp"], previous);

    // a chosen path too long for the project's field is not cut into another file's name
    files.failCreate = false;
    ui.chosenFiles = {"/" + std::string(300, 'l') + ".vtp"};
    SaveProjectAsCommand();
    EXPECT_EQ(ui.MessageTexts().back(), "Error while creating the selected file!");
    EXPECT_EQ(TextOf(g_projectPath), "/p.vtp");
    EXPECT_EQ(files.files.size(), 3u); // the project and its two scripts
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
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, can't save the script file n.1"});

    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(ExitProject());
    EXPECT_EQ(g_projectOpen, 1);
    EXPECT_EQ(g_scriptTexts[0], "instr 1\r\nendin\r\n");
}

} // namespace
