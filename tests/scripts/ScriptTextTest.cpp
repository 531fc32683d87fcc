#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CoreServices.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"
#include "scripts/ScriptText.h"

namespace {

// The bytes a pane gives back when nobody edited it.
std::string RoundTrip(const std::string& bytes) {
    const EditableScript script = DecodeScriptText(bytes);
    return EncodeScriptText(script.text, script.form);
}

} // namespace

TEST(ScriptText, UnchangedScriptsComeBackByteForByte) {
    for (const std::string& bytes : std::vector<std::string>{
             "instr 1\r\nendin\r\n",             // CR LF
             "instr 1\nendin\n",                 // the file's own LF
             "i1 0 1",                           // no line end at all
             "; r\xC3\xA9sonance \xE2\x82\xAC",  // UTF-8
             "; r\xE9sonance \xB1 1\r\ninstr 1", // no UTF-8: Latin-1
             "caf\xE9",                          // a UTF-8 lead byte cut at the very end
             "a\xED\xA0\x80z",                   // an encoded surrogate is no UTF-8 either
             std::string("a\0b", 3),
         }) {
        EXPECT_EQ(RoundTrip(bytes), bytes);
    }
}

TEST(ScriptText, ThePaneShowsUtf8WithOneLfPerLineEnd) {
    EditableScript script = DecodeScriptText("a\r\nb\rc\nd");
    EXPECT_EQ(script.text, "a\nb\nc\nd");
    EXPECT_TRUE(script.form.crlf);
    EXPECT_FALSE(script.form.latin1);

    script = DecodeScriptText("r\xE9s\n");
    EXPECT_EQ(script.text, "r\xC3\xA9s\n");
    EXPECT_TRUE(script.form.latin1);
    EXPECT_FALSE(script.form.crlf);
    EXPECT_TRUE(DecodeScriptText("").form.crlf); // a new script takes the generated CR LF

    // A byte order mark is not shown, and so not written back.
    EXPECT_EQ(DecodeScriptText("\xEF\xBB\xBFinstr").text, "instr");
}

TEST(ScriptText, EditedTextIsWrittenInTheScriptsFormAndEncoding) {
    EXPECT_EQ(EncodeScriptText("a\nb", {false, true}), "a\r\nb");
    EXPECT_EQ(EncodeScriptText("a\nb", {false, false}), "a\nb");
    EXPECT_EQ(EncodeScriptText("a\xE2\x80\xA9"
                               "b",
                               {false, true}),
              "a\r\nb"); // U+2029
    // Latin-1 takes what it can; a character beyond it is "?" for each UTF-16 unit it takes.
    EXPECT_EQ(EncodeScriptText("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", {true, false}), "\xE9???");
}

using ScriptTextEdit = CoreServices;

TEST_F(ScriptTextEdit, AnEditMustLeaveTheScriptWithinItsBytes) {
    EXPECT_TRUE(ScriptEditFits(std::string(kMaxScriptLength, 'a'), {false, false}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(ScriptEditFits(std::string(kMaxScriptLength + 1, 'a'), {false, false}));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{Str(kStrEditorOutOfSpace)});
    // The bytes are counted as they will be written: CR LF is two, "é" one in Latin-1.
    const std::string lines(kMaxScriptLength / 2 + 1, '\n');
    EXPECT_TRUE(ScriptEditFits(lines, {false, false}));
    EXPECT_FALSE(ScriptEditFits(lines, {false, true}));
    std::string accents;
    for (std::size_t i = 0; i < kMaxScriptLength; ++i) {
        accents += "\xC3\xA9";
    }
    EXPECT_TRUE(ScriptEditFits(accents, {true, false}));
    EXPECT_FALSE(ScriptEditFits(accents, {false, false}));
}
