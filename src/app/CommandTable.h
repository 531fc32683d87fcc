#pragma once
// The one table of the main window's commands. The menu bar, the right-click menu, the tray
// menu, the accelerator table "KeybAccel", the tool bar and the help lines are all made from it,
// so a command's text, key and state are written down once.

#include <span>
#include <string>
#include <vector>

#include "base/CommandIds.h"

enum KeyModifier : unsigned {
    kModNone = 0,
    kModCtrl = 1,
    kModShift = 2,
    kModAlt = 4,
};

// Keys are the platform's virtual key numbers: 'A'..'Z', '0'..'9', and these.
inline constexpr int kKeyBackspace = 0x08;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyF1 = 0x70;
inline constexpr int KeyF(int n) {
    return kKeyF1 + n - 1;
}

struct KeyChord {
    int key = 0; // 0: no key
    unsigned modifiers = kModNone;
    bool operator==(const KeyChord&) const = default;
};

struct CommandRow {
    int id;
    const char* menuText; // null for a command without a menu item
    // Where the item sits in the menu bar: "&File", or "&File|&Print" inside a submenu; null
    // when the command is not in the menu bar.
    const char* menuPath;
    bool separatorBefore; // in the menu bar; on a submenu's first item: before the submenu
    KeyChord accelerator;
    int popupPosition; // 1-based place in the right-click menu, 0 when absent
    bool popupSeparatorBefore;
    int trayPosition; // 1-based place in the tray menu, 0 when absent
    bool traySeparatorBefore;
    bool grayed;      // as created, in every menu that holds it
    bool checked;     // as created
    int toolBarImage; // image of its tool bar button, -1 without one
};

std::span<const CommandRow> CommandTable();
// The row of a command; null for a number the table does not hold.
const CommandRow* FindCommand(int id);

// "KeybAccel": one entry per command with a key, in the table's order.
struct AcceleratorEntry {
    KeyChord key;
    int command;
};
const std::vector<AcceleratorEntry>& AcceleratorTable();
// The command of the first entry whose key matches, or -1.
int FindAcceleratorCommand(const KeyChord& key);
// "Ctrl+Shift+F12", "Alt+S", "F5", "Ctrl+Alt+Backspace".
std::string AcceleratorText(const KeyChord& key);

// A menu as the windows build it: items, separators and submenus, texts with the accelerator
// after a tab when the key really reaches the command.
struct MenuNode {
    enum Kind { kItem, kSeparator, kSubmenu };
    Kind kind = kItem;
    int command = -1;
    std::string text;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuNode> children;
};
// The menu bar: one submenu node per drop-down menu, left to right.
std::vector<MenuNode> BuildMenuBar();
std::vector<MenuNode> BuildPopupMenu();
std::vector<MenuNode> BuildTrayMenu();
// The text of an item: its menu text, then a tab and the key when the key reaches it.
std::string MenuItemText(const CommandRow& row);

// The tool bar, in order: buttons (with their command) and separators (some with an id of
// their own so they can be hidden with the buttons they group).
struct ToolBarEntry {
    int id;         // the command, or the separator's id (0 for a plain separator)
    bool separator; //
    bool hidden;    // hidden until a project is opened
    bool checkButton;
};
std::span<const ToolBarEntry> ToolBarLayout();
inline constexpr int kAlwaysOnTopCheckedImage = 4;
inline constexpr int kToolBarImageCount = 20;

// The menu help line of a command (its string); a submenu shows a blank.
std::string MenuHelpText(int command);
