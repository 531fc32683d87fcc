#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Menus, MenuBarHoldsTheMenusAndTheirItemsInOrder) {
    const std::vector<MenuNode> bar = BuildMenuBar();
    std::vector<std::string> titles;
    for (const MenuNode& menu : bar) {
        titles.push_back(menu.text);
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Edit", "&View", "Inser&t", "Re&altime",
                                        "&Project", "Too&ls", "Setti&ngs", "W&indow", "&?"}));
    // The File menu's print submenu sits between its items; the Insert menu holds the Csound
    // functions' submenu.
    EXPECT_EQ(MenuItems(bar[0].children).ids,
              (std::vector<int>{200, 300, 400, 500, 600, 52000, 53000, 700}));
    const auto print = std::find_if(bar[0].children.begin(), bar[0].children.end(),
                                    [](const MenuNode& n) { return n.kind == MenuNode::kSubmenu; });
    ASSERT_NE(print, bar[0].children.end());
    EXPECT_EQ(print->text, "&Print");
    EXPECT_EQ(MenuItems(print->children).ids, (std::vector<int>{52000, 53000}));
    EXPECT_EQ(MenuItems(bar[3].children).ids.size(), 16u);
    // Items that cannot act yet start grayed; the two bars start checked.
    const MenuItems all(bar);
    for (int id : {400, 500, 600, 14000, 15000, 28000, 34000, 49000}) {
        EXPECT_EQ(all.grayed.count(id), 1u) << id;
    }
    for (int id : {200, 300, 700, 800, 1200}) {
        EXPECT_EQ(all.grayed.count(id), 0u) << id;
    }
    EXPECT_EQ(all.checked, (std::set<int>{800, 900}));
}

TEST(Menus, RightClickAndTrayMenusFollowTheirPositions) {
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

TEST(ToolBar, EveryButtonHasItsImageAndOnlyAlwaysOnTopStaysPressed) {
    const auto layout = ToolBarLayout();
    EXPECT_EQ(layout.size(), 25u);
    for (const ToolBarEntry& entry : layout) {
        EXPECT_EQ(entry.checkButton, entry.id == 1200) << entry.id;
        if (!entry.separator) {
            ASSERT_NE(FindCommand(entry.id), nullptr) << entry.id;
            EXPECT_GE(FindCommand(entry.id)->toolBarImage, 0) << entry.id;
        }
    }
    EXPECT_EQ(FindCommand(1200)->toolBarImage, 3);
}

TEST(HelpLines, EveryMenuCommandHasItsHelpLineUnderItsOwnNumber) {
    for (const CommandRow& row : CommandTable()) {
        if (row.menuPath) {
            EXPECT_FALSE(MenuHelpText(row.id).empty()) << row.id;
        }
    }
    EXPECT_EQ(MenuHelpText(200), "Creates a new Ventaro project");
    EXPECT_EQ(MenuHelpText(59000), "Shows/hides the system exclusives scratchpad");
}
