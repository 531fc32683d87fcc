#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ByteCodec.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeUi.h"
#include "scripts/ScriptStore.h"

namespace {

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// The open editor's panes as the window would show them.
class FakePanes : public ScriptPanes {
public:
    explicit FakePanes(int count) : texts(static_cast<std::size_t>(count)) {}
    int PaneCount() override { return static_cast<int>(texts.size()); }
    std::string PaneText(int pane) override { return texts[static_cast<std::size_t>(pane)]; }
    void SetPaneText(int pane, const std::string& text) override {
        texts[static_cast<std::size_t>(pane)] = text;
    }
    std::vector<std::string> texts;
};

class ScriptStore : public ::testing::Test {
protected:
    void SetUp() override {
        g_fileSystem = &files;
        g_ui = &ui;
        g_scriptPanes = nullptr;
        ResetScriptStore();
    }
    void TearDown() override {
        g_fileSystem = nullptr;
        g_ui = nullptr;
        g_scriptPanes = nullptr;
    }
    void SetPaths(const std::string& first, const std::string& second) {
        SetText(g_scriptPaths[0], first);
        SetText(g_scriptPaths[1], second);
        g_scriptPathsCommitted = g_scriptPaths;
    }

    FakeFileSystem files;
    FakeUi ui;
};

} // namespace

TEST_F(ScriptStore, ResetGivesTheDefaultPathsAndEmptyTexts) {
    g_scriptTexts[0] = "x";
    g_scriptLoaded[1] = 0;
    ResetScriptStore();
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "test.orc");
    EXPECT_EQ(TextOf(g_scriptPaths[1]), "test.sco");
    EXPECT_EQ(g_scriptPathsCommitted, g_scriptPaths);
    EXPECT_EQ(g_scriptTexts[0], "");
    EXPECT_EQ(g_scriptLoaded[1], 1);
    EXPECT_EQ(g_editorPaneCount, 2);
}

TEST_F(ScriptStore, LoadsTheFileSkippingNulBytes) {
    files.files["test.orc"] = {'a', 0, 'b', '\r', '\n'};
    LoadScript(0);
    EXPECT_EQ(g_scriptTexts[0], "ab\r\n");
    EXPECT_EQ(g_scriptTextsSaved[0], "ab\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScriptStore, MissingFileOrEmptyPathKeepsTheTextSilently) {
    g_scriptTexts[0] = g_scriptTextsSaved[0] = "kept";
    LoadScript(0);
    SetText(g_scriptPaths[1], "");
    g_scriptTexts[1] = "also kept";
    LoadScript(1);
    EXPECT_EQ(g_scriptTexts[0], "kept");
    EXPECT_EQ(g_scriptTexts[1], "also kept");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(files.reads, std::vector<std::string>{"test.orc"});
}

TEST_F(ScriptStore, RefusesAnEmptyOrUnreadableFileAsNotLoaded) {
    files.files["test.sco"] = {};
    LoadScript(1);
    files.files["test.orc"] = {0, 0, 0};
    LoadScript(0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Sorry, can't load the script file n.2",
                                        "Sorry, can't load the script file n.1"}));
    EXPECT_EQ(g_scriptLoaded[0], 0);
    EXPECT_EQ(g_scriptLoaded[1], 0);
    EXPECT_EQ(SaveScript(1), 1);
    EXPECT_TRUE(files.writes.empty());

    // A read that fails part way must not let the next save replace the file with what was read.
    ResetScriptStore();
    ui.messages.clear();
    files.files["test.orc"] = BytesOf("instr 1");
    files.unreadable.insert("test.orc");
    LoadScript(0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, can't load the script file n.1"});
    EXPECT_EQ(g_scriptLoaded[0], 0);
}

TEST_F(ScriptStore, LoadingAgainAfterARefusalMarksTheScriptLoaded) {
    files.files["test.orc"] = {};
    LoadScript(0);
    files.files["test.orc"] = BytesOf("f1 0 4096 10 1");
    LoadScript(0);
    EXPECT_EQ(g_scriptLoaded[0], 1);
    EXPECT_EQ(g_scriptTexts[0], "f1 0 4096 10 1");
}

TEST_F(ScriptStore, SavesTheTextAndTheSavedCopy) {
    g_scriptTexts[0] = "instr 1\r\nendin\r\n";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.files["test.orc"], BytesOf("instr 1\r\nendin\r\n"));
    EXPECT_EQ(g_scriptTextsSaved[0], g_scriptTexts[0]);
    EXPECT_EQ(SaveScript(1), 1); // an empty text gives an empty file
    EXPECT_EQ(files.files["test.sco"], std::vector<std::uint8_t>{});
    SetText(g_scriptPaths[1], "");
    EXPECT_EQ(SaveScript(1), 1);
    EXPECT_EQ(files.writes.size(), 2u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScriptStore, CountsTheNonEmptyPaths) {
    SetPaths("", "b.sco");
    CountScripts();
    EXPECT_EQ(g_editorPaneCount, 1);
    SetPaths("", "");
    CountScripts();
    EXPECT_EQ(g_editorPaneCount, 0);
}

TEST_F(ScriptStore, OnePaneShowsScript1WhenItHasAPathElseScript2) {
    SetPaths("", "test.sco");
    g_scriptTexts[1] = "score";
    FakePanes panes(1);
    g_scriptPanes = &panes;
    PutPaneTexts();
    EXPECT_EQ(panes.texts[0], "score");
    panes.texts[0] = "edited score";
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts[1], "edited score");
    EXPECT_EQ(g_scriptTexts[0], "");

    SetPaths("a.orc", "");
    panes.texts[0] = "orchestra";
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts[0], "orchestra");
}

TEST_F(ScriptStore, TwoPanesTakeTheirOwnScriptsCutTo65535Characters) {
    FakePanes panes(2);
    g_scriptPanes = &panes;
    panes.texts = {std::string(65536, 'o'), "score"}; // one character too many
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts[0], std::string(65535, 'o'));
    EXPECT_EQ(g_scriptTexts[1], "score");
    g_scriptPanes = nullptr;
    g_scriptTexts[1] = "untouched";
    TakePaneTexts(); // the editor is closed
    EXPECT_EQ(g_scriptTexts[1], "untouched");
}

TEST_F(ScriptStore, ChangedPathAsksToSaveUnderTheOldNameThenKeepsTheText) {
    files.files["test.orc"] = BytesOf("old");
    LoadScript(0);
    g_scriptTexts[0] = "edited";
    ui.answers = {MessageAnswer::Yes};
    CommitScriptPaths({"new.orc", "test.sco"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "test.orc not saved. Do you want to save changes?");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(files.files["test.orc"], BytesOf("edited"));
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "new.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "new.orc");
    EXPECT_EQ(g_scriptTexts[0], "edited"); // new.orc does not exist yet
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.files["new.orc"], BytesOf("edited"));
}

TEST_F(ScriptStore, ChangedPathLoadsAnExistingFileAndNoSavesNothing) {
    g_scriptTexts[1] = "edited";
    files.files["other.sco"] = BytesOf("other");
    ui.answers = {MessageAnswer::No};
    CommitScriptPaths({"test.orc", "other.sco"});
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(g_scriptTexts[1], "other");
    EXPECT_EQ(g_scriptTextsSaved[1], "other");

    ui.messages.clear();
    CommitScriptPaths({"test.orc", "other.sco"}); // nothing changed: no question, no load
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScriptStore, AFailedSaveUnderTheOldPathKeepsThePathAndTheText) {
    g_scriptTexts[0] = "edited";
    files.files["new.orc"] = BytesOf("would replace the edits");
    files.failCreate = true;
    ui.answers = {MessageAnswer::Yes};
    CommitScriptPaths({"new.orc", "test.sco"});
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"test.orc not saved. Do you want to save changes?",
                                        "Sorry, can't save the script file n.1"}));
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "test.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
    EXPECT_EQ(g_scriptTexts[0], "edited");
}

TEST_F(ScriptStore, ANewPathFreesAScriptRefusedUnderTheOldOne) {
    files.files["test.orc"] = std::vector<std::uint8_t>(70000, 'x');
    LoadScript(0);
    ASSERT_EQ(g_scriptLoaded[0], 0);
    CommitScriptPaths({"fresh.orc", "test.sco"});
    g_scriptTexts[0] = "instr 1";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.files["fresh.orc"], BytesOf("instr 1"));
    EXPECT_EQ(files.files["test.orc"].size(), 70000u);
}

TEST_F(ScriptStore, CommitWithTheEditorOpenTakesThePanesAndReopensTheEditor) {
    // One pane shows script 1; the dialog empties script 1's path and names a score.
    SetPaths("test.orc", "");
    FakePanes panes(1);
    g_scriptPanes = &panes;
    panes.texts[0] = "orchestra typed in the pane";
    files.files["new.sco"] = BytesOf("score from disk");
    ui.answers = {MessageAnswer::No};
    CommitScriptPaths({"", "new.sco"});
    EXPECT_EQ(g_scriptTexts[0], "orchestra typed in the pane");
    EXPECT_EQ(g_scriptTexts[1], "score from disk");
    EXPECT_EQ(g_editorPaneCount, 1);
    // The pane now shows what its closing takes back: script 2 of the new paths.
    EXPECT_EQ(panes.texts[0], "score from disk");
    EXPECT_EQ(ui.commands, (std::vector<int>{27000, 27000}));
}
