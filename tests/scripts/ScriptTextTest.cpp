// Unedited, a script is not rewritten; edited, it keeps its encoding and line ends.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CoreServices.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"
#include "scripts/ScriptText.h"

namespace {

// Latin-1 with a no-break space (0xA0), a lone CR, mixed CR LF and LF line ends.
const std::string kMixed = "instr 1\r\n\ta1\xA0oscil 1000, 440\rendin\nf1 0 4096 10 1\r\n";

TEST(ScriptText, UnchangedScriptsComeBackByteForByte) {
    for (const std::string& bytes : std::vector<std::string>{
             "instr 1\r\nendin\r\n",             // CR LF
             "instr 1\nendin\n",                 // the file's own LF
             "; r\xC3\xA9sonance \xE2\x82\xAC",  // UTF-8, and no line end: CR LF for new lines
             "; r\xE9sonance \xB1 1\r\ninstr 1", // no UTF-8: Latin-1
             "caf\xE9",                          // a UTF-8 lead byte cut at the very end
             "a\xED\xA0\x80z",                   // an encoded surrogate is no UTF-8 either
             std::string("a\0b", 3),
         }) {
        const EditableScript script = DecodeScriptText(bytes);
        EXPECT_EQ(EncodeScriptText(script.text, script.form), bytes);
    }
    for (const std::string& bytes : {kMixed, std::string("\xEF\xBB\xBFsr = 44100\n")}) {
        const EditableScript script = DecodeScriptText(bytes);
        EXPECT_EQ(EncodeScriptText(script.text, script.form, &script.origin), bytes);
    }
}

TEST(ScriptText, ThePaneShowsUtf8WithOneLfPerLineEnd) {
    EXPECT_EQ(DecodeScriptText("a\r\nb\rc\nd").text, "a\nb\nc\nd");
    EXPECT_EQ(DecodeScriptText("r\xE9s").text, "r\xC3\xA9s");
    EXPECT_EQ(DecodeScriptText("\xEF\xBB\xBFinstr").text, "instr"); // the mark is not shown
    // Edited text goes back in the script's form: "€" and "😀" have no Latin-1 byte.
    EXPECT_EQ(EncodeScriptText("a\nb\xE2\x80\xA9"
                               "c",
                               {false, true}),
              "a\r\nb\r\nc");
    EXPECT_EQ(EncodeScriptText("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", {true, false}), "\xE9???");
    const EditableScript script = DecodeScriptText(kMixed);
    EXPECT_EQ(script.text, "instr 1\n\ta1\xC2\xA0oscil 1000, 440\nendin\nf1 0 4096 10 1\n");
    // An edit writes the script in its encoding with the CR LF line ends it mostly had.
    EXPECT_EQ(EncodeScriptText(script.text + ";", script.form, &script.origin),
              "instr 1\r\n\ta1\xA0oscil 1000, 440\r\nendin\r\nf1 0 4096 10 1\r\n;");
}

using ScriptTextEdit = CoreServices;

TEST_F(ScriptTextEdit, AnEditMustLeaveTheScriptWithinItsBytes) {
    EXPECT_TRUE(ScriptEditFits(std::string(kMaxScriptLength, 'a'), {false, false}));
    EXPECT_FALSE(ScriptEditFits(std::string(kMaxScriptLength + 1, 'a'), {false, false}));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{Str(kStrEditorOutOfSpace)});
    const std::string lines(kMaxScriptLength / 2 + 1, '\n'); // CR LF counts two
    EXPECT_TRUE(ScriptEditFits(lines, {false, false}));
    EXPECT_FALSE(ScriptEditFits(lines, {false, true}));
    std::string accents; // one byte each in Latin-1, two in UTF-8
    for (std::size_t i = 0; i < kMaxScriptLength; ++i) {
        accents += "\xC3\xA9";
    }
    EXPECT_TRUE(ScriptEditFits(accents, {true, false}));
    EXPECT_FALSE(ScriptEditFits(accents, {false, false}));
}

TEST_F(ScriptTextEdit, AnUnchangedScriptIsNotWrittenAndAChangedOneIs) {
    files.files["test.orc"] = std::vector<std::uint8_t>(kMixed.begin(), kMixed.end());
    LoadScript(0);
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_TRUE(files.writes.empty());
    g_scriptTexts[0] += ";";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(SaveScript(0), 1); // saved now: unchanged again
    EXPECT_EQ(files.writes, std::vector<std::string>{"test.orc"});
    // A missing file is written even for an unchanged text; an emptied one is written empty.
    g_scriptTexts[1] = "i1 0 1";
    LoadScript(1);
    EXPECT_EQ(SaveScript(1), 1);
    EXPECT_EQ(files.writes.back(), "test.sco");
    g_scriptTexts[0].clear();
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_TRUE(files.files["test.orc"].empty());
}

} // namespace
