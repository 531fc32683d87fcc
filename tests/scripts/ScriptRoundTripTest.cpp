// A script nobody edited goes back to its file byte for byte, or is not written at all.

#include <gtest/gtest.h>

#include "fakes/CoreServices.h"
#include "scripts/ScriptStore.h"
#include "scripts/ScriptText.h"

namespace {

// Latin-1 with a no-break space (0xA0), a lone CR, mixed CR LF and LF line ends.
const std::string kMixed = "instr 1\r\n\ta1\xA0oscil 1000, 440\rendin\nf1 0 4096 10 1\r\n";

TEST(ScriptRoundTrip, AnUneditedTextGoesBackAsItsOwnBytesAndAnEditedOneInItsForm) {
    for (const std::string& bytes : {kMixed, std::string("\xEF\xBB\xBFsr = 44100\n")}) {
        const EditableScript script = DecodeScriptText(bytes);
        EXPECT_EQ(EncodeScriptText(script.text, script.form, &script.origin), bytes);
    }
    const EditableScript script = DecodeScriptText(kMixed);
    EXPECT_EQ(script.text, "instr 1\n\ta1\xC2\xA0oscil 1000, 440\nendin\nf1 0 4096 10 1\n");
    // An edit writes the script in its encoding with the CR LF line ends it mostly had.
    EXPECT_EQ(EncodeScriptText(script.text + ";", script.form, &script.origin),
              "instr 1\r\n\ta1\xA0oscil 1000, 440\r\nendin\r\nf1 0 4096 10 1\r\n;");
}

class ScriptSaving : public CoreServices {};

TEST_F(ScriptSaving, AnUnchangedScriptIsNotWrittenAndAChangedOneIs) {
    files.files["test.orc"] = std::vector<std::uint8_t>(kMixed.begin(), kMixed.end());
    LoadScript(0);
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_TRUE(files.writes.empty());
    g_scriptTexts[0] += ";";
    EXPECT_EQ(SaveScript(0), 1);
    EXPECT_EQ(files.writes, std::vector<std::string>{"test.orc"});
    EXPECT_EQ(SaveScript(0), 1); // saved now: unchanged again
    EXPECT_EQ(files.writes.size(), 1u);
    // A script whose file is missing is written, even with a text unchanged since it was set.
    LoadScript(1);
    EXPECT_EQ(SaveScript(1), 1);
    EXPECT_EQ(files.writes.back(), "test.sco");
}

} // namespace
