#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/CommandTable.h"
#include "resources/Strings.h"

namespace {

// The items of a menu tree in order, separators left out, submenus flattened.
void Flatten(const std::vector<MenuNode>& menu, std::vector<int>& ids) {
    for (const MenuNode& node : menu) {
        if (node.kind == MenuNode::kItem) {
            ids.push_back(node.command);
        } else if (node.kind == MenuNode::kSubmenu) {
            Flatten(node.children, ids);
        }
    }
}

std::vector<int> Items(const std::vector<MenuNode>& menu) {
    std::vector<int> ids;
    Flatten(menu, ids);
    return ids;
}

void Collect(const std::vector<MenuNode>& menu, std::set<int>& grayed, std::set<int>& checked) {
    for (const MenuNode& node : menu) {
        if (node.kind == MenuNode::kItem && node.grayed) {
            grayed.insert(node.command);
        }
        if (node.kind == MenuNode::kItem && node.checked) {
            checked.insert(node.command);
        }
        Collect(node.children, grayed, checked);
    }
}

const MenuNode* FindItem(const std::vector<MenuNode>& menu, int command) {
    for (const MenuNode& node : menu) {
        if (node.kind == MenuNode::kItem && node.command == command) {
            return &node;
        }
        if (const MenuNode* inner = FindItem(node.children, command)) {
            return inner;
        }
    }
    return nullptr;
}

} // namespace

TEST(Accelerators, TableHoldsTheThirtyTwoEntriesOfKeybAccel) {
    std::set<std::pair<std::string, int>> entries;
    for (const AcceleratorEntry& entry : AcceleratorTable()) {
        entries.insert({AcceleratorText(entry.key), entry.command});
    }
    const std::set<std::pair<std::string, int>> expected = {
        {"Ctrl+N", 200},   {"Ctrl+O", 300},   {"Ctrl+W", 400},       {"Ctrl+S", 500},
        {"F10", 700},      {"Ctrl+T", 1300},  {"F1", 1400},          {"Ctrl+Alt+Backspace", 100},
        {"Ctrl+M", 14000}, {"Ctrl+P", 15000}, {"Ctrl+E", 27000},     {"Ctrl+G", 61000},
        {"Ctrl+F", 65000}, {"Alt+R", 18000},  {"Alt+M", 58000},      {"Alt+K", 60000},
        {"F5", 20000},     {"F6", 21000},     {"Ctrl+F5", 24000},    {"Ctrl+F6", 25000},
        {"F11", 22000},    {"F12", 23000},    {"Ctrl+Shift+F12", 0}, {"Alt+O", 35000},
        {"Alt+S", 36000},  {"Alt+S", 55000},  {"Alt+Q", 37000},      {"Alt+G", 38000},
        {"Alt+W", 39000},  {"Alt+D", 40000},  {"Alt+1", 50000},      {"Alt+2", 51000},
    };
    EXPECT_EQ(AcceleratorTable().size(), 32u);
    EXPECT_EQ(entries, expected);
}

TEST(Accelerators, FirstMatchWinsSoAltSInsertsTheSineNeverOpensSendMessage) {
    EXPECT_EQ(FindAcceleratorCommand({'S', kModAlt}), 36000);
    EXPECT_EQ(FindAcceleratorCommand({'S', kModCtrl}), 500);
    EXPECT_EQ(FindAcceleratorCommand({'S', kModCtrl | kModShift}), -1);
    EXPECT_EQ(FindAcceleratorCommand({KeyF(12), kModNone}), 23000);
    EXPECT_EQ(FindAcceleratorCommand({KeyF(12), kModCtrl | kModShift}), 0);
    EXPECT_EQ(FindAcceleratorCommand({kKeyBackspace, kModCtrl | kModAlt}), 100);
}

TEST(Menus, ItemTextsCarryOnlyTheKeysThatReachThem) {
    EXPECT_EQ(MenuItemText(*FindCommand(200)), "&New project...\tCtrl+N");
    EXPECT_EQ(MenuItemText(*FindCommand(36000)), "&Sine\tAlt+S");
    EXPECT_EQ(MenuItemText(*FindCommand(1300)), "&Minimize in the tray bar\tCtrl+T");
    EXPECT_EQ(MenuItemText(*FindCommand(24000)), "Run sound &engine\tCtrl+F5");
    // Alt+S never reaches the send-message window: its item does not promise it.
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
    const std::vector<std::vector<int>> expected = {
        {200, 300, 400, 500, 600, 52000, 53000, 700},
        {28000, 29000, 30000, 31000, 32000, 33000, 65000},
        {800, 900, 57000},
        {34000, 35000, 36000, 37000, 38000, 39000, 40000, 41000, 42000, 43000, 44000, 45000, 46000,
         47000, 48000, 49000},
        {15000, 61000, 20000, 21000, 24000, 25000, 22000, 23000},
        {14000, 27000, 16000, 17000},
        {18000, 58000, 60000, 55000, 59000, 50000, 51000},
        {12000, 56000, 26000, 54000, 19000, 13000, 1000, 1100},
        {1200, 1300},
        {1400, 62000, 63000, 1500},
    };
    ASSERT_EQ(bar.size(), expected.size());
    for (std::size_t i = 0; i < bar.size(); ++i) {
        EXPECT_EQ(Items(bar[i].children), expected[i]) << bar[i].text;
    }
}

TEST(Menus, SubmenusHoldPrintTheCsoundFunctionsAndTheExternalEditor) {
    const std::vector<MenuNode> bar = BuildMenuBar();
    auto submenu = [&](int menu, const std::string& title) -> const MenuNode* {
        for (const MenuNode& node : bar[menu].children) {
            if (node.kind == MenuNode::kSubmenu && node.text == title) {
                return &node;
            }
        }
        return nullptr;
    };
    const MenuNode* print = submenu(0, "&Print");
    const MenuNode* functions = submenu(3, "Csound functions");
    const MenuNode* external = submenu(6, "Edit with external editor");
    ASSERT_TRUE(print && functions && external);
    EXPECT_EQ(Items(print->children), (std::vector<int>{52000, 53000}));
    EXPECT_EQ(Items(functions->children).size(), 13u);
    EXPECT_EQ(Items(functions->children).front(), 36000);
    EXPECT_EQ(Items(functions->children).back(), 48000);
    EXPECT_EQ(Items(external->children), (std::vector<int>{50000, 51000}));
}

TEST(Menus, ItemsThatCannotActYetStartGrayedAndTheTwoBarsStartChecked) {
    std::set<int> grayed;
    std::set<int> checked;
    Collect(BuildMenuBar(), grayed, checked);
    std::set<int> expected = {400,   500,   600,   52000, 53000, 15000, 61000, 20000,
                              21000, 14000, 27000, 16000, 17000, 26000, 65000};
    for (int id = 28000; id <= 49000; id += 1000) {
        expected.insert(id); // the editor's Edit items and every Insert item
    }
    EXPECT_EQ(grayed, expected);
    EXPECT_EQ(checked, (std::set<int>{800, 900}));
}

TEST(Menus, RightClickAndTrayMenusHoldTheirItemsInOrder) {
    const std::vector<MenuNode> popup = BuildPopupMenu();
    EXPECT_EQ(Items(popup), (std::vector<int>{200, 300, 500, 15000, 61000, 24000, 25000, 22000,
                                              23000, 14000, 27000, 18000, 58000, 55000}));
    std::set<int> grayed;
    std::set<int> checked;
    Collect(popup, grayed, checked);
    EXPECT_EQ(grayed, (std::set<int>{500, 15000, 61000, 14000, 27000}));
    EXPECT_EQ(Items(BuildTrayMenu()), (std::vector<int>{1400, 10000, 11000, 700}));
    EXPECT_EQ(FindItem(BuildTrayMenu(), 10000)->text, "&Restore");
    EXPECT_EQ(FindItem(BuildTrayMenu(), 11000)->text, "&Maximize");
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

TEST(ToolBar, HasTheTwentyFiveEntriesWithTheirImagesAndStates) {
    struct Expected {
        int id;
        int image; // -1 for a separator
        bool hidden;
    };
    const Expected expected[] = {
        {200, 6, false},    {300, 0, false},    {500, 7, true},     {0, -1, false},
        {65000, 19, true},  {334, -1, true},    {15000, 10, true},  {61000, 18, true},
        {24000, 11, false}, {25000, 12, false}, {23000, 13, false}, {333, -1, true},
        {14000, 14, true},  {27000, 15, true},  {0, -1, false},     {58000, 16, false},
        {18000, 17, false}, {0, -1, false},     {12000, 8, false},  {13000, 9, false},
        {1000, 2, false},   {0, -1, false},     {1200, 3, false},   {0, -1, false},
        {1400, 5, false},
    };
    const auto layout = ToolBarLayout();
    ASSERT_EQ(layout.size(), std::size(expected));
    for (std::size_t i = 0; i < layout.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(layout[i].id, expected[i].id);
        EXPECT_EQ(layout[i].separator, expected[i].image < 0);
        EXPECT_EQ(layout[i].hidden, expected[i].hidden);
        EXPECT_EQ(layout[i].checkButton, expected[i].id == 1200);
        if (!layout[i].separator) {
            EXPECT_EQ(FindCommand(layout[i].id)->toolBarImage, expected[i].image);
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
    EXPECT_EQ(MenuHelpText(1200), "Toggles keeping this window on top");
    EXPECT_EQ(MenuHelpText(18000), "Show/hides the audio recorder");
    EXPECT_EQ(MenuHelpText(33000), "Selects the entire editor contets");
    EXPECT_EQ(MenuHelpText(59000), "Shows/hides the system exclusives scratchpad");
    EXPECT_EQ(Str(2), "Ventaro.2 - Live Fader Studio");
}
