#include "project/ProjectFilesEditing.h"
#include "ProjectTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "resources/Strings.h"

class ProjectFiles : public ProjectTest {};

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
    ui.openWindows.insert(kCmdProjectManager);
    EXPECT_FALSE(ConfirmProjectFiles("a.orc", std::string(260, 's'), "c.wav", 3));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{Str(kStrPathTooLong)});
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
    EXPECT_NE(g_audioFormatIndex, 3);

    EXPECT_TRUE(ConfirmProjectFiles("a.orc", "b.sco", "c.wav", 3));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "a.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[1]), "b.sco");
    EXPECT_EQ(TextOf(g_audioOutputFileCommitted), "c.wav");
    EXPECT_EQ(g_audioFormatIndex, 3);
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdProjectManager, kCmdProjectManager}));
}
