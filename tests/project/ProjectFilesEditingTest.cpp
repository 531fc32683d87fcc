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

// Cut to its 260-byte field, a path would name another file.
TEST_F(ProjectFiles, OkRefusesAPathLongerThanItsFieldAndOtherwiseCommitsEveryField) {
    const std::string tooLong(kProjectPathWidth, 'a');
    EXPECT_FALSE(ConfirmProjectFiles("a.orc", tooLong, "c.wav", 3));
    EXPECT_FALSE(ConfirmProjectFiles("a.orc", "b.sco", tooLong, 3));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>(2, Str(kStrPathTooLong)));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
    EXPECT_EQ(TextOf(g_audioOutputFileCommitted), "test.wav");

    ui.openWindows.insert(kCmdProjectManager); // its tree shows the files: it is made again
    EXPECT_TRUE(ConfirmProjectFiles(std::string(259, 'a'), "b.sco", "c.wav", 3));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), std::string(259, 'a'));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[1]), "b.sco");
    EXPECT_EQ(TextOf(g_audioOutputFileCommitted), "c.wav");
    EXPECT_EQ(g_audioFormatIndex, 3);
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdProjectManager, kCmdProjectManager}));
}
