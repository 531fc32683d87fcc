#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CoreServices.h"
#include "resources/Strings.h"
#include "tools/ScratchPad.h"

namespace {

using Values = std::vector<std::int32_t>;

class ScratchPad : public CoreServices {
protected:
    std::vector<std::string> Messages() {
        const std::vector<std::string> texts = ui.MessageTexts();
        ui.messages.clear();
        return texts;
    }
    // `count` values: 240, then 1s, then 247.
    static Bytes Message(std::size_t count) {
        Bytes bytes(count, 1);
        bytes.front() = kSysexStart;
        bytes.back() = kSysexEnd;
        return bytes;
    }
};

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// How the text is cut into values, which value closes it, and which messages pass the check.
TEST_F(ScratchPad, TextParsesIntoOneCheckedMessage) {
    const std::string digits40(40, '9');
    const struct {
        std::string text;
        Values values;
        bool valid;
    } rows[] = {
        {"240 67 16 247 ", {240, 67, 16, 247}, true},
        {"240\t67\r\n16\n\a247", {240, 67, 16, 247}, true},
        // A value after the last separator closes the message only when it is 247.
        {"240 1 2 3", {240, 1, 2}, false},
        {"240 1 247 5", {240, 1, 247}, true},
        {"240 300 247", {240, 300, 247}, false},
        // Letters read 0; digits count up to the first other character; only the five
        // separators separate.
        {"240 abc 247", {240, 0, 247}, true},
        {"240 7x9 247", {240, 7, 247}, true},
        {"240 \f5 247", {240, 0, 247}, true},
        {"240 +67 -0 247", {240, 67, 0, 247}, true},
        {"240 -16 247", {240, -16, 247}, false},
        // Huge digit runs saturate far outside a byte, in both directions.
        {"240 " + digits40 + " 247", {240, 1'000'000'000, 247}, false},
        {"240 -" + digits40 + " 247", {240, -1'000'000'000, 247}, false},
        {"240 4294967536 247", {240, 1'000'000'000, 247}, false}, // 2^32 + 240
        {"", {}, false},
        {"247", {247}, false},
        {"240", {}, false},
        // 511 separated values are the most; a final 247 makes the 512th byte.
        {"240 " + Repeat("1 ", 509) + "247 ", Values{}, true},
        {Repeat("240 ", 512), {}, false},
        {"240 " + Repeat("1 ", 510) + "247", Values{}, true},
        {"240 " + Repeat("1 ", 511) + "247", {}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 60));
        const SysexValues parsed = ParseSysexText(row.text);
        if (!row.values.empty() || !row.valid) {
            EXPECT_EQ(parsed.values, row.values);
        }
        EXPECT_EQ(IsValidSysex(parsed), row.valid);
    }
    EXPECT_EQ(ParseSysexText("240 " + Repeat("1 ", 509) + "247 ").values.size(), 511u);
    const SysexValues longest = ParseSysexText("240 " + Repeat("1 ", 510) + "247");
    EXPECT_EQ(SysexBytes(longest), Message(512));
}

TEST_F(ScratchPad, SendGoesOutAsOneBlockOnlyWhenValid) {
    OpenOutput();
    EXPECT_TRUE(SendScratchPad("240 67\t16\r\n247"));
    EXPECT_EQ(Sent(), std::vector<std::string>{"F0 43 10 F7"});
    EXPECT_TRUE(Messages().empty());

    EXPECT_FALSE(SendScratchPad("240 300 247"));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{Str(kStrSysexInvalid)});
    // The typed text stays, invalid or not.
    EXPECT_EQ(g_scratchPadText, "240 300 247");
}

// A refused bank leaves the scratchpad empty; a file that does not open leaves it as it was.
TEST_F(ScratchPad, LoadingTakesAtMostOneMessageOrNothing) {
    const auto first512 = [](const Bytes& bank) { // no room for a blank after the last value
        std::string text = FormatSysex(Bytes(bank.begin(), bank.begin() + 512));
        text.pop_back();
        return text;
    };
    const Bytes largest = Message(kSysexBankFileLimit);
    const struct {
        Bytes file;
        bool unreadable;
        BankLoad result;
        std::string text;
        std::vector<std::string> messages;
    } rows[] = {
        {largest, false, BankLoad::Loaded, first512(largest), {Str(kStrSysexBankCut) + "32256"}},
        {Message(512), false, BankLoad::Loaded, first512(Message(512)), {}},
        {Message(4), false, BankLoad::Loaded, "240 1 1 247 ", {}},
        {Message(kSysexBankFileLimit + 1), false, BankLoad::TooBig, "", {Str(kStrSysexBankTooBig)}},
        {Message(8), true, BankLoad::Unloadable, "", {Str(kStrSysexCannotLoad)}},
        {{}, false, BankLoad::Unloadable, "", {Str(kStrSysexCannotLoad)}},
        {{0x00, 0xF0, 0xF7}, false, BankLoad::Unloadable, "", {Str(kStrSysexCannotLoad)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file.size());
        g_scratchPadText = "240 1 247";
        files.files["/b.syx"] = row.file;
        files.unreadable.clear();
        if (row.unreadable) {
            files.unreadable.insert("/b.syx");
        }
        EXPECT_EQ(LoadSysexBank("/b.syx"), row.result);
        EXPECT_EQ(g_scratchPadText, row.text);
        EXPECT_EQ(Messages(), row.messages);
    }
    g_scratchPadText = "240 1 247";
    EXPECT_EQ(LoadSysexBank("/missing.syx"), BankLoad::NotOpened);
    EXPECT_EQ(g_scratchPadText, "240 1 247");
    EXPECT_TRUE(Messages().empty());
    // Handed over by the desktop rather than just chosen, a missing bank is reported by name.
    EXPECT_FALSE(LoadNamedSysexBank("/missing.syx"));
    EXPECT_EQ(g_scratchPadText, "240 1 247");
    EXPECT_EQ(Messages(), std::vector<std::string>{Str(kStrSysexBankNotOpened) + "/missing.syx"});
    files.files["/b.syx"] = Message(4);
    EXPECT_TRUE(LoadNamedSysexBank("/b.syx"));
    EXPECT_EQ(g_scratchPadText, "240 1 1 247 ");
}

// A save that fails, however it fails, keeps the previous bank whole and says so.
TEST_F(ScratchPad, SavingWritesTheRawBytesOrKeepsTheOldBank) {
    EXPECT_TRUE(SaveSysexBank("/b.syx", "240 67 16 247 "));
    EXPECT_EQ(files.files["/b.syx"], (Bytes{0xF0, 0x43, 0x10, 0xF7}));
    EXPECT_EQ(g_scratchPadText, "240 67 16 247 ");
    EXPECT_TRUE(Messages().empty());

    EXPECT_FALSE(SaveSysexBank("/b.syx", "240 1 2 3"));
    EXPECT_EQ(Messages(), std::vector<std::string>{Str(kStrSysexInvalid)});
    EXPECT_EQ(g_scratchPadText, "240 1 2 3");

    files.diskFree = 3; // a short write, or a rename that fails: the temporary file goes
    EXPECT_FALSE(SaveSysexBank("/b.syx", "240 1 2 3 4 247"));
    EXPECT_EQ(Messages(), std::vector<std::string>{Str(kStrSysexCannotSave)});
    files.diskFree.reset();
    files.failCreate = true;
    EXPECT_FALSE(SaveSysexBank("/b.syx", "240 1 2 3 4 247"));
    EXPECT_EQ(Messages(), std::vector<std::string>{Str(kStrSysexCannotSave)});
    EXPECT_EQ(files.files["/b.syx"], (Bytes{0xF0, 0x43, 0x10, 0xF7}));
    EXPECT_EQ(files.writes.size(), 3u); // the invalid message was never written
}

} // namespace
