#include <gtest/gtest.h>

#include <string>

#include "app/CommandTable.h"
#include "app/KeysPage.h"

namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

// The page is the table read aloud: one row per command, the menu place without mnemonics, and
// a key only where the key really reaches the command.
TEST(KeysPage, HasOneRowPerCommandWithItsMenuPlaceKeyAndHelpLine) {
    const std::string page = KeysPageHtml();
    EXPECT_EQ(Count(page, "<tr><td>"), CommandTable().size());
    const char* const rows[] = {
        "<tr><td>1400</td><td>?</td><td>Overview...</td><td><kbd>F1</kbd></td>"
        "<td>Displays an help overview</td></tr>",
        // Alt+S reaches the sine function first, so the send-message window shows no key.
        "<tr><td>36000</td><td>Insert &#8250; Csound functions</td><td>Sine</td>"
        "<td><kbd>Alt+S</kbd></td>",
        "<tr><td>55000</td><td>Tools</td><td>Send MIDI message...</td><td></td>",
        "<tr><td>100</td><td>(key only)</td><td></td><td><kbd>Ctrl+Alt+Backspace</kbd></td>",
        "<tr><td>10000</td><td>Tray menu</td><td>Restore</td>",
    };
    for (const char* row : rows) {
        EXPECT_EQ(Count(page, row), 1u) << row;
    }
    EXPECT_EQ(page.find("&amp;"), std::string::npos) << "a mnemonic reached the page";
}
