#include <fstream>
#include <sstream>
#include <vector>

#include "base/ByteCodec.h"
#include "engine/AudioFormats.h"
#include "engine/EngineSettings.h"
#include "fakes/CoreServices.h"
#include "panel/PanelState.h"
#include "project/ProjectState.h"
#include "scripts/CsoundText.h"
#include "scripts/ScriptCommands.h"
#include "scripts/ScriptStore.h"

namespace {

using ScriptCommands = CoreServices;

SliderRecord Named(const std::string& name, SliderRecord slider) {
    SetText(slider.name, name);
    return slider;
}

} // namespace

// InsertMenu.golden: each command's pieces closed by "|", the header once per audio format.
TEST_F(ScriptCommands, TheInsertMenuGivesTheGoldenTextsPieceByPiece) {
    g_sliderCount = 4;
    SetDefaultSlider(0, false);
    g_sliders[0].value = 64;
    g_sliders[0].curve = kCurveCubic; // the p-field is the linear value whatever the curve
    // Any type but 1 is a 14-bit slider; only blanks in a name become underscores. The fields:
    // name, type, value, scaled value, range, channel, controllers, reserved, curve, locked.
    g_sliders[1] = Named("Low pass cutoff", {{}, 7, 16383, 0, 20.0f, 20000.0f, 2, 7, 39, 0, 0, 0});
    g_sliders[2] = Named("a\tb.c  d", {{}, 1, 1, 0, 0.001f, 0.1f, 15, 127, 0, 0, 0, 0});
    g_sliders[3] =
        Named(std::string(499, 'n'), {{}, 0, 0, 0, -1e11f, 1e11f, 15, 127, 127, 0, 0, 0});
    std::string text;
    const auto add = [&text](int command, int format, const std::string& label) {
        text += "[" + label + "]\n";
        for (const std::string& piece : InsertMenuPieces(command, format)) {
            text += piece + "|";
        }
        text += "\n";
    };
    for (int format = 0; format < 16; ++format) {
        add(kCommandInsertHeader, format, "34000 format " + std::to_string(format));
    }
    for (int command = kCommandInsertOrchestra; command <= kCommandInsertPFields; command += 1000) {
        add(command, kDefaultAudioFormat, std::to_string(command));
    }
    std::ifstream golden(VENTARO_SCRIPTS_TEST_DIR "/InsertMenu.golden", std::ios::binary);
    std::stringstream expected;
    expected << golden.rdbuf();
    EXPECT_EQ(text, expected.str());
    EXPECT_EQ(g_sliders[0].scaledValue, static_cast<float>(64.0 / 127.0)); // written back
    EXPECT_EQ(g_sliders[1].scaledValue, 20000.0f);
    EXPECT_TRUE(InsertMenuPieces(36500, 15).empty());
    EXPECT_TRUE(InsertMenuPieces(kCommandEditScript1, 15).empty());
}

TEST_F(ScriptCommands, EditorsNeedAScriptAndAnExternalOneOpensTheProjectOrEnvironmentScript) {
    EXPECT_TRUE(CheckScriptsToEdit());
    SetText(g_soundEngine.scriptEditor, "kate");
    SetText(g_scriptPaths[1], "/music/piece.sco");
    SetText(g_environmentFiles.script2, "env.sco");
    ExternalEditorLaunch launch = ExternalEditorFor(kCommandEditScript2);
    EXPECT_EQ(std::tuple(launch.program, launch.parameter), std::tuple("kate", "env.sco"));
    g_projectOpen = 1;
    EXPECT_EQ(ExternalEditorFor(kCommandEditScript2).parameter, "/music/piece.sco");
    EXPECT_EQ(ExternalEditorFor(kCommandEditScript1).parameter, "test.orc");
    SetText(g_scriptPaths[0], "");
    SetText(g_scriptPaths[1], "");
    EXPECT_FALSE(CheckScriptsToEdit());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Sorry, no scripts specified!"});
}

// Ten significant digits, the point kept, a three-digit exponent below a tenth or past ten digits.
TEST(NumberText, WritesTenSignificantDigitsFixedOrScientific) {
    std::string texts;
    for (const double value : {0.0, -0.0, 0.5, -0.25, 127.0, -20000.0, 0.1, double{0.05f}, -0.05,
                               1e-300, 1234567890.0, 12345678901.0, 9999999999.7}) {
        texts += NumberText(value) + " ";
    }
    EXPECT_EQ(texts, "0. 0. 0.5 -0.25 127. -20000. 0.1 5.000000075e-002 -5.e-002 1.e-300 "
                     "1234567890. 1.23456789e+010 1.e+010 ");
}
