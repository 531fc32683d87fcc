#include <map>
#include <optional>

#include "base/ByteCodec.h"
#include "project/ProjectTestSupport.h"
#include "scripts/ScriptCommands.h"

namespace {

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// The open editor's panes as the window would show them.
class FakePanes : public ScriptPanes {
public:
    explicit FakePanes(Lines shown) : texts(std::move(shown)) {}
    int PaneCount() override { return static_cast<int>(texts.size()); }
    std::string PaneText(int pane) override { return texts[static_cast<std::size_t>(pane)]; }
    void SetPaneText(int pane, const std::string& text) override {
        texts[static_cast<std::size_t>(pane)] = text;
    }
    Lines texts;
};

class ScriptStore : public ProjectTest {
protected:
    void SetPaths(const std::string& first, const std::string& second) {
        SetText(g_scriptPaths[0], first);
        SetText(g_scriptPaths[1], second);
        g_scriptPathsCommitted = g_scriptPaths;
    }
};

const std::string kCannotLoad = "Sorry, can't load the script file n.1";
const std::string kCannotSave = "Sorry, can't save the script file n.1";
const std::string kSaveQuestion = "test.orc not saved. Do you want to save changes?";

} // namespace

// A refused file leaves the script not loaded: it is never written back over that file.
TEST_F(ScriptStore, LoadingTakesAFileOrRefusesItAndARefusedScriptIsNeverSavedOverIt) {
    struct Load {
        const char* what;
        std::optional<std::string> file; // nothing: no such file
        bool unreadable;
        std::string text; // script 1 afterwards, where it was "kept" before
        std::string message;
    };
    const std::vector<Load> loads = {
        {"no file: the text stays", std::nullopt, false, "kept", ""},
        {"empty", "", false, "", kCannotLoad},
        {"NUL bytes are skipped", std::string("a\0b\r\n", 5), false, "ab\r\n", ""},
        {"only NUL bytes", std::string(3, '\0'), false, "", kCannotLoad},
        {"the longest", std::string(65535, 'y'), false, std::string(65535, 'y'), ""},
        {"a read failing part way", "instr 1", true, "", kCannotLoad},
        {"one byte too many", std::string(65536, 'x'), false, "",
         "Sorry, file too big to be loaded! (n. 1)"},
    };
    for (const Load& load : loads) {
        SCOPED_TRACE(load.what);
        ui.messages.clear();
        files = FakeFileSystem{};
        if (load.file) {
            files.files["test.orc"] = BytesOf(*load.file);
        }
        if (load.unreadable) {
            files.unreadable.insert("test.orc");
        }
        g_scriptTexts[0] = g_scriptTextsSaved[0] = "kept";
        LoadScript(0);
        EXPECT_EQ(g_scriptTexts[0], load.text);
        EXPECT_EQ(g_scriptTextsSaved[0], load.text);
        EXPECT_EQ(ui.messages.empty() ? "" : ui.messages.back().text, load.message);
        g_scriptTexts[0] = "typed afterwards";
        EXPECT_EQ(SaveScript(0), 1);
        EXPECT_EQ(files.writes.size(), load.message.empty() ? 1u : 0u);
    }
}

TEST_F(ScriptStore, SavesTheTextOrKeepsTheFileAndTheSavedCopyWhenTheWriteFails) {
    g_scriptTexts[0] = "instr 1\r\nendin\r\n";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(SaveScript(1), 1); // an empty text of our own: no empty file to refuse later
    SetText(g_scriptPaths[1], "");
    EXPECT_EQ(SaveScript(1), 1); // no path: nothing to write
    EXPECT_EQ(files.files, (std::map<std::string, std::vector<std::uint8_t>>{
                               {"test.orc", BytesOf("instr 1\r\nendin\r\n")}}));
    EXPECT_EQ(g_scriptTextsSaved[0], g_scriptTexts[0]);

    g_scriptTexts[0] = "edited";
    files.diskFree = 3;
    EXPECT_EQ(SaveScript(0), 0);
    EXPECT_EQ(ui.MessageTexts(), Lines{kCannotSave});
    EXPECT_EQ(files.files["test.orc"], BytesOf("instr 1\r\nendin\r\n"));
    EXPECT_EQ(g_scriptTextsSaved[0], "instr 1\r\nendin\r\n");
}

TEST_F(ScriptStore, PanesShowScript1WhenItHasAPathElseScript2AndAreCutTo65535Characters) {
    SetPaths("", "test.sco");
    CountScripts();
    EXPECT_EQ(g_editorPaneCount, 1);
    g_scriptTexts[1] = "score";
    FakePanes one({""});
    g_scriptPanes = &one;
    PutPaneTexts();
    EXPECT_EQ(one.texts[0], "score");
    one.texts[0] = "edited score";
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts, (std::array<std::string, 2>{"", "edited score"}));
    SetPaths("a.orc", "");
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts[0], "edited score");

    FakePanes two({std::string(65536, 'o'), "score"}); // one character too many
    g_scriptPanes = &two;
    TakePaneTexts();
    EXPECT_EQ(g_scriptTexts, (std::array<std::string, 2>{std::string(65535, 'o'), "score"}));
    g_scriptPanes = nullptr;
    g_scriptTexts[1] = "untouched";
    TakePaneTexts(); // the editor is closed
    EXPECT_EQ(g_scriptTexts[1], "untouched");
}

// Yes saves the edits under the old name first, No drops them; the new path's file is loaded.
TEST_F(ScriptStore, AChangedPathAsksToSaveTheEditedTextUnderTheOldName) {
    files.files["test.orc"] = BytesOf("old");
    LoadScript(0);
    g_scriptTexts[0] = "edited";
    ui.answers = {MessageAnswer::Yes};
    CommitScriptPaths({"new.orc", "test.sco"});
    EXPECT_EQ(ui.MessageTexts(), Lines{kSaveQuestion});
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(files.files["test.orc"], BytesOf("edited"));
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "new.orc");
    EXPECT_EQ(g_scriptTexts[0], "edited"); // new.orc does not exist yet
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.files["new.orc"], BytesOf("edited"));

    g_scriptTexts[1] = "edited";
    files.files["other.sco"] = BytesOf("other");
    files.writes.clear();
    ui.answers = {MessageAnswer::No};
    CommitScriptPaths({"new.orc", "other.sco"});
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(std::tuple(g_scriptTexts[1], g_scriptTextsSaved[1]), std::tuple("other", "other"));
}

TEST_F(ScriptStore, AFailedSaveUnderTheOldPathKeepsThePathAndTheText) {
    g_scriptTexts[0] = "edited";
    files.files["new.orc"] = BytesOf("would replace the edits");
    files.failCreate = true;
    ui.answers = {MessageAnswer::Yes};
    CommitScriptPaths({"new.orc", "test.sco"});
    EXPECT_EQ(ui.MessageTexts(), (Lines{kSaveQuestion, kCannotSave}));
    EXPECT_EQ(TextOf(g_scriptPaths[0]), "test.orc");
    EXPECT_EQ(TextOf(g_scriptPathsCommitted[0]), "test.orc");
    EXPECT_EQ(g_scriptTexts[0], "edited");

    // A script refused under its old path is free to be saved under a new one.
    files = FakeFileSystem{};
    files.files["test.orc"] = std::vector<std::uint8_t>(70000, 'x');
    LoadScript(0);
    CommitScriptPaths({"fresh.orc", "test.sco"});
    g_scriptTexts[0] = "instr 1";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.files["fresh.orc"], BytesOf("instr 1"));
    EXPECT_EQ(files.files["test.orc"].size(), 70000u);
}

TEST_F(ScriptStore, CommitWithTheEditorOpenTakesThePanesAndReopensTheEditor) {
    // One pane shows script 1; the dialog empties script 1's path and names a score.
    SetPaths("test.orc", "");
    FakePanes panes({"orchestra typed in the pane"});
    g_scriptPanes = &panes;
    files.files["new.sco"] = BytesOf("score from disk");
    ui.answers = {MessageAnswer::No};
    CommitScriptPaths({"", "new.sco"});
    EXPECT_EQ(g_scriptTexts,
              (std::array<std::string, 2>{"orchestra typed in the pane", "score from disk"}));
    EXPECT_EQ(g_editorPaneCount, 1);
    // The pane now shows what its closing takes back: script 2 of the new paths.
    EXPECT_EQ(panes.texts[0], "score from disk");
    EXPECT_EQ(ui.commands, (std::vector<int>{kCommandScriptEditor, kCommandScriptEditor}));
}
