#include <string>

#include "ProjectTestSupport.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "project/ProjectFilesEditing.h"
#include "resources/Strings.h"

class ProjectFiles : public ProjectTest {};

TEST_F(ProjectFiles, ABrowsedFileGoesStraightInAndCancelTakesItBackOut) {
    ChooseProjectFile(kScript2Field, "/music/other.sco");
    ChooseProjectFile(kAudioFileField, "/music/take.wav");
    EXPECT_EQ(ProjectFilesToEdit().script2, "/music/other.sco");
    EXPECT_EQ(TextOf(g_audioOutputFile), "/music/take.wav");
    CancelProjectFiles();
    EXPECT_EQ(TextOf(g_scriptPaths[1]), "test.sco");
    EXPECT_EQ(TextOf(g_audioOutputFile), TextOf(g_audioOutputFileCommitted));
}

TEST_F(ProjectFiles, OkCommitsEveryFieldAndMakesAnOpenManagerAgain) {
    ui.openWindows.insert(kCmdProjectManager);
    EXPECT_TRUE(ConfirmProjectFiles("a.orc", "b.sco", "c.wav", 3));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "a.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[1]), "b.sco");
    EXPECT_EQ(TextOf(g_audioOutputFileCommitted), "c.wav");
    EXPECT_EQ(g_audioFormatIndex, 3);
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdProjectManager, kCmdProjectManager}));
}

// A path cut to its 260-byte field would name another file: 140 "é" are 280 bytes.
TEST_F(ProjectFiles, APathLongerThanItsFieldIsRefusedAndNothingChanges) {
    std::string accents;
    for (int i = 0; i < 140; ++i) {
        accents += "\xC3\xA9";
    }
    for (int field = 0; field < 3; ++field) {
        std::string paths[3] = {"a.orc", "b.sco", "c.wav"};
        paths[field] = accents;
        ui.messages.clear();
        EXPECT_FALSE(ConfirmProjectFiles(paths[0], paths[1], paths[2], 3));
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{Str(kStrPathTooLong)});
        EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
        EXPECT_EQ(TextOf(g_audioOutputFileCommitted), TextOf(g_audioOutputFile));
        EXPECT_NE(g_audioFormatIndex, 3);
    }
    EXPECT_TRUE(ConfirmProjectFiles(std::string(259, 'a'), "", "", 0)); // the longest that fits
}
