#include <gtest/gtest.h>

#include "base/AllState.h"
#include "base/Preferences.h"
#include "midi/MidiInputQueue.h"
#include "tools/MidiScope.h"
#include "tools/ToolWindows.h"

namespace {

class MidiScope : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
};

// Every status byte gets its name and colour; all three bytes are shown, whatever the length.
TEST_F(MidiScope, EachStatusIsNamedAndColouredByItsKind) {
    const std::tuple<std::uint32_t, const char*, ScopeColour> rows[] = {
        {0x00643C90, "0x00001F40 0x90 0x3C 0x64 (Note on)", {0, 255, 0}},
        {0x00003C8F, "0x00001F40 0x8F 0x3C 0x00 (Note off)", {0, 127, 0}},
        {0x007F01A0, "0x00001F40 0xA0 0x01 0x7F (Key aftertouch)", {0, 127, 127}},
        {0x000007B5, "0x00001F40 0xB5 0x07 0x00 (Control change)", {0, 0, 255}},
        {0x000005CF, "0x00001F40 0xCF 0x05 0x00 (Program change)", {255, 0, 127}},
        {0x000040D0, "0x00001F40 0xD0 0x40 0x00 (Channel aftertouch)", {0, 127, 255}},
        {0x004000EF, "0x00001F40 0xEF 0x00 0x40 (Pitch bend)", {255, 0, 0}},
        {0x000000F5, "0x00001F40 0xF5 0x00 0x00 (Csound stop signal)", {255, 255, 0}},
        {0x000000FE, "0x00001F40 0xFE 0x00 0x00 (Active sensing)", {255, 255, 255}},
        {0x0000007F, "0x00001F40 0x7F 0x00 0x00 (Unknown MIDI message)", {127, 127, 127}},
        {0x000000FF, "0x00001F40 0xFF 0x00 0x00 (Unknown MIDI message)", {127, 127, 127}},
    };
    for (const auto& [word, text, colour] : rows) {
        EXPECT_EQ(DecodeScopeLine(word, 8000, false), (ScopeLine{text, colour}));
    }
    EXPECT_EQ(DecodeScopeLine(0xFFFFFFF8, 0xFFFFFFFF, true)->text,
              "0xFFFFFFFF 0xF8 0xFF 0xFF (Unknown MIDI message)");
}

// The line past the limit empties the list, itself with it; after a clear the next line is first.
TEST_F(MidiScope, TheLinePastTheLimitEmptiesTheList) {
    const ScopeLine line{"0x00000000 0x90 0x3C 0x64 (Note on)", {0, 255, 0}};
    for (std::size_t i = 0; i < kScopeMaxLines; ++i) {
        AppendScopeLine(line);
    }
    EXPECT_EQ(g_scopeLines.size(), kScopeMaxLines);
    AppendScopeLine(line);
    EXPECT_TRUE(g_scopeLines.empty());
    AppendScopeLine(line);
    ClearScopeList();
    AppendScopeLine({"first", {}});
    EXPECT_EQ(g_scopeLines, (std::vector<ScopeLine>{ScopeLine{"first", {}}}));
}

// Active Sensing is filtered from a first start; system exclusive blocks are not shown.
TEST_F(MidiScope, InputIsListedOnlyWhileTheWindowShowsAndAsTheFilterSays) {
    SetPreferenceDefaults();
    const MidiInputEvent noteOn{0x00643C90, {}, 8000};
    const MidiInputEvent activeSensing{0xFE, {}, 8001};
    const MidiInputEvent sysex{0, {0xF0, 0x43, 0xF7}, 8002};
    EXPECT_FALSE(ScopeMidiInput(noteOn, false));
    EXPECT_FALSE(ScopeMidiInput(activeSensing, true));
    EXPECT_FALSE(ScopeMidiInput(sysex, true));
    EXPECT_TRUE(ScopeMidiInput(noteOn, true));
    g_midiScopeFilterActiveSensing = 0;
    EXPECT_TRUE(ScopeMidiInput(activeSensing, true));
    ASSERT_EQ(g_scopeLines.size(), 2u);
    EXPECT_EQ(g_scopeLines[0].text, "0x00001F40 0x90 0x3C 0x64 (Note on)");
    EXPECT_EQ(g_scopeLines[1].colour, (ScopeColour{255, 255, 255}));
}

// Each tool's corner of the frame, the memory status and the recorder beside each other.
TEST_F(MidiScope, ToolWindowsOpenAtTheirCornerOfTheFrame) {
    const MainFrameMetrics frame{{100, 50, 800, 600}, 60, 20};
    const std::tuple<ToolWindow, int, ScreenPoint> rows[] = {
        {kToolMidiScope, 0, {1, 650 - 200 - 20 - 2}},
        {kToolMidiSend, 0, {900 - 300 - 4, 60 + 50 + 3}},
        {kToolScratchPad, 0, {1, 113}},
        {kToolGlobalMemory, 0, {596, 428}},
        {kToolGlobalMemory, 250, {346, 428}},
        {kToolAudioRecorder, 120, {476, 428}},
    };
    for (const auto& [tool, besideWidth, at] : rows) {
        EXPECT_EQ(MidiToolDefaultPosition(tool, frame, 300, 200, besideWidth), at) << tool;
    }
}

} // namespace
