#include <gtest/gtest.h>

#include <set>

#include "app/CommandTable.h"
#include "resources/Strings.h"

namespace {

// A menu tree as text: items by number, "|" for a separator, a submenu in brackets; the grayed
// and checked items collected on the way.
struct MenuItems {
    std::string layout;
    std::set<int> grayed;
    std::set<int> checked;
    explicit MenuItems(const std::vector<MenuNode>& menu) { Add(menu); }
    void Add(const std::vector<MenuNode>& menu) {
        for (const MenuNode& node : menu) {
            layout += layout.empty() || layout.back() == '[' ? "" : " ";
            if (node.kind == MenuNode::kItem) {
                layout += std::to_string(node.command);
                if (node.grayed) {
                    grayed.insert(node.command);
                }
                if (node.checked) {
                    checked.insert(node.command);
                }
            } else if (node.kind == MenuNode::kSeparator) {
                layout += "|";
            } else {
                layout += "[";
                Add(node.children);
                layout += "]";
            }
        }
    }
};

} // namespace

TEST(Accelerators, FirstMatchWinsSoAltSInsertsTheSineNeverOpensSendMessage) {
    EXPECT_EQ(AcceleratorTable().size(), 32u);
    EXPECT_EQ(FindAcceleratorCommand({'S', kModAlt}), 36000);
    EXPECT_EQ(FindAcceleratorCommand({'S', kModCtrl}), 500);
    EXPECT_EQ(FindAcceleratorCommand({'S', kModCtrl | kModShift}), -1);
    EXPECT_EQ(FindAcceleratorCommand({KeyF(12), kModNone}), 23000);
    EXPECT_EQ(FindAcceleratorCommand({KeyF(12), kModCtrl | kModShift}), 0);
    EXPECT_EQ(FindAcceleratorCommand({kKeyBackspace, kModCtrl | kModAlt}), 100);
    EXPECT_EQ(AcceleratorText({KeyF(12), kModCtrl | kModShift}), "Ctrl+Shift+F12");
    EXPECT_EQ(AcceleratorText({kKeyBackspace, kModCtrl | kModAlt}), "Ctrl+Alt+Backspace");
    // Item texts carry only the keys that reach them.
    EXPECT_EQ(MenuItemText(*FindCommand(200)), "&New project...\tCtrl+N");
    EXPECT_EQ(MenuItemText(*FindCommand(36000)), "&Sine\tAlt+S");
    EXPECT_EQ(MenuItemText(*FindCommand(55000)), "Send M&IDI message...");
    EXPECT_EQ(MenuItemText(*FindCommand(600)), "Save project &as...");
}

TEST(Menus, MenusHoldTheirItemsInOrderWithTheGrayedAndCheckedOnes) {
    const std::vector<MenuNode> bar = BuildMenuBar();
    ASSERT_EQ(bar.size(), 10u);
    EXPECT_EQ(bar[0].text, "&File");
    EXPECT_EQ(bar[9].text, "&?");
    EXPECT_EQ(MenuItems(bar[0].children).layout, "200 300 400 | 500 600 | [52000 53000] | 700");
    EXPECT_EQ(MenuItems(bar[3].children).layout,
              "34000 35000 | [36000 37000 38000 39000 40000 | 41000 42000 43000 44000 45000 "
              "46000 47000 48000] | 49000");
    const MenuItems all(bar);
    EXPECT_EQ(all.checked, (std::set<int>{800, 900}));
    EXPECT_EQ(all.grayed.count(500), 1u); // nothing to save before a project is open
    EXPECT_EQ(all.grayed.count(300), 0u);
    const MenuItems popup(BuildPopupMenu());
    EXPECT_EQ(popup.layout, "200 300 500 | 15000 61000 | 24000 25000 | 22000 23000 | 14000 27000 "
                            "| 18000 58000 55000");
    EXPECT_EQ(popup.grayed, (std::set<int>{500, 15000, 61000, 14000, 27000}));
    EXPECT_EQ(MenuItems(BuildTrayMenu()).layout, "1400 | 10000 11000 | 700");
}

TEST(HelpLines, EveryMenuCommandHasItsHelpLineUnderItsOwnNumber) {
    for (const CommandRow& row : CommandTable()) {
        if (row.menuPath) {
            EXPECT_FALSE(MenuHelpText(row.id).empty()) << row.id;
        }
    }
    EXPECT_EQ(MenuHelpText(200), "Creates a new Ventaro project");
}
