#include <gtest/gtest.h>

#include <algorithm>

#include "app/CommandTable.h"
#include "resources/Strings.h"

namespace {

// Items by number, "g" if grayed, "c" if checked, "|" for a separator, a submenu in brackets.
std::string Layout(const std::vector<MenuNode>& menu) {
    std::string text;
    for (const MenuNode& node : menu) {
        text += text.empty() ? "" : " ";
        if (node.kind == MenuNode::kItem) {
            text +=
                std::to_string(node.command) + (node.grayed ? "g" : "") + (node.checked ? "c" : "");
        } else {
            text += node.kind == MenuNode::kSeparator ? "|" : "[" + Layout(node.children) + "]";
        }
    }
    return text;
}

} // namespace

TEST(Accelerators, FirstMatchWinsSoAltSInsertsTheSineNeverOpensSendMessage) {
    EXPECT_EQ(FindAcceleratorCommand({'S', kModCtrl | kModShift}), -1);
    EXPECT_EQ(FindAcceleratorCommand({KeyF(12), kModCtrl | kModShift}), 0);
    EXPECT_EQ(AcceleratorText({KeyF(12), kModCtrl | kModShift}), "Ctrl+Shift+F12");
    // Item texts carry only the keys that reach them: Alt+S is the sine's, the first of two.
    EXPECT_EQ(MenuItemText(*FindCommand(200)), "&New project...\tCtrl+N");
    EXPECT_EQ(MenuItemText(*FindCommand(36000)), "&Sine\tAlt+S");
    EXPECT_EQ(MenuItemText(*FindCommand(55000)), "Send M&IDI message...");
}

TEST(Menus, MenusHoldTheirItemsInOrderWithTheGrayedAndCheckedOnes) {
    const std::vector<MenuNode> bar = BuildMenuBar();
    ASSERT_EQ(bar.size(), 10u);
    // Nothing to save or to edit before a project is open.
    EXPECT_EQ(Layout(bar[0].children), "200 300 400g | 500g 600g | [52000g 53000g] | 700");
    EXPECT_EQ(Layout(bar[3].children),
              "34000g 35000g | [36000g 37000g 38000g 39000g 40000g | 41000g 42000g 43000g 44000g "
              "45000g 46000g 47000g 48000g] | 49000g");
    const std::string all = Layout(bar);
    EXPECT_EQ(std::count(all.begin(), all.end(), 'c'), 2);
    EXPECT_TRUE(all.find("[800c") != std::string::npos && all.find(" 900c") != std::string::npos);
    // Stop of the sound engine waits for an engine to stop.
    EXPECT_EQ(Layout(BuildPopupMenu()), "200 300 500g | 15000g 61000g | 24000 25000g | 22000 23000 "
                                        "| 14000g 27000g | 18000 58000 55000");
    EXPECT_EQ(Layout(BuildTrayMenu()), "1400 | 10000 11000 | 700");
}

TEST(HelpLines, EveryMenuCommandHasItsHelpLineUnderItsOwnNumber) {
    for (const CommandRow& row : CommandTable()) {
        if (row.menuPath) {
            EXPECT_FALSE(MenuHelpText(row.id).empty()) << row.id;
        }
    }
}
