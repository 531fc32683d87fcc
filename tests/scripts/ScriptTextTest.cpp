#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CoreServices.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"
#include "scripts/ScriptText.h"

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
