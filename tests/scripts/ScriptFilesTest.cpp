// Loading and saving scripts on real files through the platform's file system.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>

#include "CsoundRunner.h"
#include "base/ByteCodec.h"
#include "base/PosixFileSystem.h"
#include "fakes/FakeUi.h"
#include "scripts/ScriptStore.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ScriptFiles : public ::testing::Test {
protected:
    void SetUp() override {
        g_fileSystem = &files;
        g_ui = &ui;
        ResetScriptStore();
        SetText(g_scriptPaths[0], (folder.Path() / "piece.orc").string());
        SetText(g_scriptPaths[1], (folder.Path() / "piece.sco").string());
        g_scriptPathsCommitted = g_scriptPaths;
    }
    void TearDown() override {
        g_fileSystem = nullptr;
        g_ui = nullptr;
    }
    fs::path Script(int i) const { return fs::path(std::string(TextOf(g_scriptPaths[i]))); }
    int FilesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder.Path()), {}));
    }

    TempFolder folder;
    PosixFileSystem files;
    FakeUi ui;
};

} // namespace

TEST_F(ScriptFiles, From65536BytesAScriptIsRefusedAndItsFileSurvivesTheNextSave) {
    const std::string big(65536, 'x');
    folder.Write("piece.orc", big);
    LoadScript(0);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Sorry, file too big to be loaded! (n. 1)"});
    EXPECT_EQ(g_scriptTexts[0], "");
    EXPECT_EQ(g_scriptLoaded[0], 0);
    g_scriptTexts[0] = "typed after the refusal";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(ReadAll(Script(0)), big);
    folder.Write("piece.sco", std::string(65535, 'y'));
    LoadScript(1);
    EXPECT_EQ(g_scriptTexts[1].size(), 65535u);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ScriptFiles, ZeroByteScriptIsReportedWithItsNumber) {
    folder.Write("piece.sco", "");
    LoadScript(1);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, can't load the script file n.2"});
    EXPECT_EQ(SaveScript(1), 1);
    EXPECT_TRUE(fs::exists(Script(1)));
}

TEST_F(ScriptFiles, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    folder.Write("piece.orc", "old orchestra");
    LoadScript(0);
    g_scriptTexts[0] = "sr = 44100\r\n";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(SaveScript(1), 1); // piece.sco did not exist: it is created
    EXPECT_EQ(ReadAll(Script(0)), "sr = 44100\r\n");
    EXPECT_EQ(g_scriptTextsSaved[0], "sr = 44100\r\n");
    EXPECT_TRUE(fs::exists(Script(1)));
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(ScriptFiles, AShortWriteKeepsTheOldFileAndTheSavedCopy) {
    folder.Write("piece.orc", "old text");
    LoadScript(0);
    g_scriptTexts[0] = std::string(4096, 'n');
    // The file size limit makes the disk refuse the write part way, as a full disk does.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::int32_t result = SaveScript(0);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, can't save the script file n.1"});
    EXPECT_EQ(ReadAll(Script(0)), "old text");
    EXPECT_EQ(g_scriptTextsSaved[0], "old text");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(ScriptFiles, AScriptThatCannotBeCreatedIsReported) {
    SetText(g_scriptPaths[1], (folder.Path() / "no such folder" / "piece.sco").string());
    g_scriptTexts[1] = "i1 0 1";
    EXPECT_EQ(SaveScript(1), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, can't save the script file n.2"});
    EXPECT_EQ(g_scriptTextsSaved[1], "");
}
