#include <gtest/gtest.h>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "engine/EngineSettings.h"
#include "fakes/FakeUi.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptCommands.h"
#include "scripts/ScriptStore.h"

namespace {

class ScriptCommands : public ::testing::Test {
protected:
    void SetUp() override {
        g_ui = &ui;
        ResetAllState();
        for (int i = 0; i < g_sliderCount; ++i) {
            SetDefaultSlider(i, false);
        }
    }
    void TearDown() override {
        g_ui = nullptr;
        ResetAllState();
    }
    FakeUi ui;
};

} // namespace

TEST_F(ScriptCommands, EditorNeedsAtLeastOneScript) {
    EXPECT_TRUE(CheckScriptsToEdit());
    SetText(g_scriptPaths[0], "");
    SetText(g_scriptPaths[1], "");
    EXPECT_FALSE(CheckScriptsToEdit());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, no scripts specified!"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

TEST_F(ScriptCommands, InsertMenuHandsOverThePiecesOfEachCommand) {
    EXPECT_EQ(InsertMenuPieces(34000, 4), std::vector<std::string>{CsoundHeaderPiece(4)});
    const std::vector<std::string> orchestra = InsertMenuPieces(35000, 15);
    ASSERT_EQ(orchestra.size(), 19u);
    EXPECT_EQ(orchestra[17], "\r\nkSlider16\tctrl7\t\t1, 15, 0., 1.\r\n");
    EXPECT_EQ(InsertMenuPieces(36000, 15), std::vector<std::string>{FunctionTablePiece(1)});
    EXPECT_EQ(InsertMenuPieces(43000, 15), std::vector<std::string>{FunctionTablePiece(8)});
    EXPECT_EQ(InsertMenuPieces(48000, 15), std::vector<std::string>{FunctionTablePiece(13)});
    EXPECT_TRUE(InsertMenuPieces(36500, 15).empty());
    EXPECT_TRUE(InsertMenuPieces(50000, 15).empty());
}

TEST_F(ScriptCommands, PFieldCommandWritesTheLinearValueBackIntoThePanel) {
    g_sliderCount = 2;
    g_sliders[0].value = 127;
    g_sliders[1].value = 64;
    g_sliders[1].scaledValue = 0.9f; // a curve-mapped value is replaced
    const std::vector<std::string> pieces = InsertMenuPieces(49000, 15);
    EXPECT_EQ(pieces, (std::vector<std::string>{"; Current values (P-fields)\r\ni.\t+\t.", "\t1.",
                                                "\t0.5039370079", "\r\n\r\n"}));
    EXPECT_EQ(g_sliders[0].scaledValue, 1.0f);
    EXPECT_EQ(g_sliders[1].scaledValue, static_cast<float>(64.0 / 127.0));
}

TEST_F(ScriptCommands, ExternalEditorOpensTheProjectOrTheEnvironmentScript) {
    SetText(g_soundEngine.scriptEditor, "kate");
    SetText(g_scriptPaths[1], "/music/piece.sco");
    SetText(g_environmentFiles.script2, "env.sco");
    ExternalEditorLaunch launch = ExternalEditorFor(51000);
    EXPECT_EQ(launch.program, "kate");
    EXPECT_EQ(launch.parameter, "env.sco");
    g_projectOpen = 1;
    EXPECT_EQ(ExternalEditorFor(51000).parameter, "/music/piece.sco");
    EXPECT_EQ(ExternalEditorFor(50000).parameter, "test.orc");
}
