#include <gtest/gtest.h>

#include <set>

#include "app/CommandTable.h"
#include "resources/Strings.h"

namespace {

// The items of a menu tree in order, separators left out, submenus flattened; the grayed and
// checked ones collected on the way.
struct MenuItems {
    std::vector<int> ids;
    std::set<int> grayed;
    std::set<int> checked;
    explicit MenuItems(const std::vector<MenuNode>& menu) { Add(menu); }
    void Add(const std::vector<MenuNode>& menu) {
        for (const MenuNode& node : menu) {
            if (node.kind == MenuNode::kItem) {
                ids.push_back(node.command);
                if (node.grayed) {
                    grayed.insert(node.command);
                }
                if (node.checked) {
                    checked.insert(node.command);
                }
            }
            Add(node.children);
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
    // The print submenu sits between the File menu's items.
    EXPECT_EQ(MenuItems(bar[0].children).ids,
              (std::vector<int>{200, 300, 400, 500, 600, 52000, 53000, 700}));
    const MenuItems all(bar);
    EXPECT_EQ(all.checked, (std::set<int>{800, 900}));
    EXPECT_EQ(all.grayed.count(500), 1u); // nothing to save before a project is open
    EXPECT_EQ(all.grayed.count(300), 0u);
    const MenuItems popup(BuildPopupMenu());
    EXPECT_EQ(popup.ids, (std::vector<int>{200, 300, 500, 15000, 61000, 24000, 25000, 22000, 23000,
                                           14000, 27000, 18000, 58000, 55000}));
    EXPECT_EQ(popup.grayed, (std::set<int>{500, 15000, 61000, 14000, 27000}));
    EXPECT_EQ(MenuItems(BuildTrayMenu()).ids, (std::vector<int>{1400, 10000, 11000, 700}));
}

TEST(Menus, NoSeparatorStartsOrEndsAMenuOrFollowsAnother) {
    std::vector<std::vector<MenuNode>> menus = {BuildPopupMenu(), BuildTrayMenu()};
    for (const MenuNode& menu : BuildMenuBar()) {
        menus.push_back(menu.children);
        for (const MenuNode& inner : menu.children) {
            if (inner.kind == MenuNode::kSubmenu) {
                menus.push_back(inner.children);
            }
        }
    }
    for (const std::vector<MenuNode>& menu : menus) {
        ASSERT_FALSE(menu.empty());
        EXPECT_NE(menu.front().kind, MenuNode::kSeparator);
        EXPECT_NE(menu.back().kind, MenuNode::kSeparator);
        for (std::size_t i = 1; i < menu.size(); ++i) {
            EXPECT_FALSE(menu[i].kind == MenuNode::kSeparator &&
                         menu[i - 1].kind == MenuNode::kSeparator);
        }
    }
}

TEST(HelpLines, EveryMenuCommandHasItsHelpLineUnderItsOwnNumber) {
    for (const CommandRow& row : CommandTable()) {
        if (row.menuPath) {
            EXPECT_FALSE(MenuHelpText(row.id).empty()) << row.id;
        }
    }
    EXPECT_EQ(MenuHelpText(200), "Creates a new Ventaro project");
}
