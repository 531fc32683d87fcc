#include "app/CommandTable.h"

#include <algorithm>
#include <iterator>

#include "resources/Strings.h"

namespace {

constexpr KeyChord kNoKey{};
constexpr KeyChord Ctrl(int key) {
    return {key, kModCtrl};
}
constexpr KeyChord Alt(int key) {
    return {key, kModAlt};
}
constexpr KeyChord Plain(int key) {
    return {key, kModNone};
}

constexpr const char* kFile = "&File";
constexpr const char* kPrint = "&File|&Print";
constexpr const char* kEdit = "&Edit";
constexpr const char* kView = "&View";
// Mnemonics of the drop-down menus avoid the letters the Alt accelerators take, which would
// otherwise shadow them.
constexpr const char* kInsert = "Inser&t";
constexpr const char* kFunctions = "Inser&t|Csound functions";
constexpr const char* kRealtime = "Re&altime";
constexpr const char* kProject = "&Project";
constexpr const char* kTools = "Too&ls";
constexpr const char* kExternal = "Too&ls|Edit with external editor";
constexpr const char* kSettings = "Setti&ngs";
constexpr const char* kWindow = "W&indow";
constexpr const char* kHelp = "&?";

constexpr bool kSep = true;
constexpr bool kGray = true;
constexpr bool kCheck = true;

// clang-format off
// Rows in the order of the menu bar; the commands without a menu bar item follow. The
// accelerator table is made in this order, so Alt+S reaches the sine function (Insert) before
// the send-message window (Tools) and the second entry is never reached.
constexpr CommandRow kRows[] = {
//   id                          menu text                                   menu bar path  sep   key                      popup      tray       gray   check  image
    {kCmdNewProject,             "&New project...",                          kFile,      false, Ctrl('N'),               1, false,  0, false,  false, false,  6},
    {kCmdOpenProject,            "&Open project...",                         kFile,      false, Ctrl('O'),               2, false,  0, false,  false, false,  0},
    {kCmdCloseProject,           "&Close",                                   kFile,      false, Ctrl('W'),               0, false,  0, false,  kGray, false, -1},
    {kCmdSaveProject,            "&Save project",                            kFile,      kSep,  Ctrl('S'),               3, false,  0, false,  kGray, false,  7},
    {kCmdSaveProjectAs,          "Save project &as...",                      kFile,      false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdPrintScript1,           "Script &1",                                kPrint,     kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdPrintScript2,           "Script &2",                                kPrint,     false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdExit,                   "&Exit",                                    kFile,      kSep,  Plain(KeyF(10)),         0, false,  4, kSep,   false, false, -1},
    {kCmdUndo,                   "&Undo",                                    kEdit,      false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdCut,                    "Cu&t",                                     kEdit,      kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdCopy,                   "&Copy",                                    kEdit,      false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdPaste,                  "&Paste",                                   kEdit,      false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdDelete,                 "&Delete",                                  kEdit,      false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdSelectAll,              "Select a&ll",                              kEdit,      kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdFindSlider,             "&Find slider...",                          kEdit,      kSep,  Ctrl('F'),               0, false,  0, false,  kGray, false, 19},
    {kCmdShowToolBar,            "Show &Tool Bar",                           kView,      false, kNoKey,                  0, false,  0, false,  false, kCheck, -1},
    {kCmdShowStatusBar,          "&Show Status Bar",                         kView,      false, kNoKey,                  0, false,  0, false,  false, kCheck, -1},
    {kCmdGlobalMemory,           "&Global memory status...",                 kView,      kSep,  kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdInsertHeader,           "Csound inferred &header",                  kInsert,    false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertOrchestra,        "Csound inferred &orchestra",               kInsert,    false, Alt('O'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertSine,             "&Sine",                                    kFunctions, kSep,  Alt('S'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertSquare,           "S&quare",                                  kFunctions, false, Alt('Q'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertSigmoid,          "Si&gmoid",                                 kFunctions, false, Alt('G'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertSaw,              "Sa&w",                                     kFunctions, false, Alt('W'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertDummy,            "&Dummy",                                   kFunctions, false, Alt('D'),                0, false,  0, false,  kGray, false, -1},
    {kCmdInsertHamming,          "&Hamming",                                 kFunctions, kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertHanning,          "Ha&nning",                                 kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertBarlett,          "&Barlett",                                 kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertBlackman,         "B&lackman",                                kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertBlackmanHarris,   "Blackman-H&arris",                         kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertGaussian,         "Ga&ussian",                                kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertKaiser,           "&Kaiser",                                  kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertRectangle,        "&Rectangle",                               kFunctions, false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdInsertSliderValues,     "Current sliders &values (Csound P-fields)", kInsert,   kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdVirtualPanel,           "&Virtual panel...",                        kRealtime,  false, Ctrl('P'),               4, kSep,   0, false,  kGray, false, 10},
    {kCmdGestureWindow,          "Gesture &window...",                       kRealtime,  false, Ctrl('G'),               5, false,  0, false,  kGray, false, 18},
    {kCmdStart,                  "&Start",                                   kRealtime,  kSep,  Plain(KeyF(5)),          0, false,  0, false,  kGray, false, -1},
    {kCmdStop,                   "S&top",                                    kRealtime,  false, Plain(KeyF(6)),          0, false,  0, false,  kGray, false, -1},
    {kCmdRunEngine,              "Run sound &engine",                        kRealtime,  kSep,  Ctrl(KeyF(5)),           6, kSep,   0, false,  false, false, 11},
    {kCmdStopEngine,             "Stop sound en&gine",                       kRealtime,  false, Ctrl(KeyF(6)),           7, false,  0, false,  kGray, false, 12},
    {kCmdPanic,                  "&Panic!",                                  kRealtime,  kSep,  Plain(KeyF(11)),         8, kSep,   0, false,  false, false, -1},
    {kCmdResetDevices,           "&Reset current devices",                   kRealtime,  false, Plain(KeyF(12)),         9, false,  0, false,  false, false, 13},
    {kCmdProjectManager,         "Pro&ject manager...",                      kProject,   false, Ctrl('M'),              10, kSep,   0, false,  kGray, false, 14},
    {kCmdScriptEditor,           "S&cript editor...",                        kProject,   false, Ctrl('E'),              11, false,  0, false,  kGray, false, 15},
    {kCmdPanelProperties,        "&Virtual panel properties...",             kProject,   kSep,  kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdSnapshotManager,        "&Snapshot manager...",                     kProject,   false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdAudioRecorder,          "&Audio recorder...",                       kTools,     false, Alt('R'),               12, kSep,   0, false,  false, false, 17},
    {kCmdMidiScope,              "&MIDIScope...",                            kTools,     false, Alt('M'),               13, false,  0, false,  false, false, 16},
    {kCmdKeyboardMapping,        "Enable &keyboard mapping...",              kTools,     false, Alt('K'),                0, false,  0, false,  false, false, -1},
    {kCmdSendMidiMessage,        "Send M&IDI message...",                    kTools,     false, Alt('S'),               14, false,  0, false,  false, false, -1},
    {kCmdScratchPad,             "System e&xclusive scratchpad...",          kTools,     false, kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdEditScript1,            "Script &1...",                             kExternal,  kSep,  Alt('1'),                0, false,  0, false,  false, false, -1},
    {kCmdEditScript2,            "Script &2...",                             kExternal,  false, Alt('2'),                0, false,  0, false,  false, false, -1},
    {kCmdMidiDevices,            "&MIDI devices...",                         kSettings,  false, kNoKey,                  0, false,  0, false,  false, false,  8},
    {kCmdDeviceCapabilities,     "Current MIDI devices &capabilities...",    kSettings,  false, kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdAudioDevices,           "&Audio devices...",                        kSettings,  false, kNoKey,                  0, false,  0, false,  kGray, false, -1},
    {kCmdVolumeControl,          "&Volume control...",                       kSettings,  false, kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdEnvironmentFiles,       "&Environment additional files...",         kSettings,  kSep,  kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdSoundEngineConfig,      "&Sound engine configuration...",           kSettings,  false, kNoKey,                  0, false,  0, false,  false, false,  9},
    {kCmdPreferences,            "&Preferences...",                          kSettings,  kSep,  kNoKey,                  0, false,  0, false,  false, false,  2},
    {kCmdClearPreferences,       "C&lear all preferences",                   kSettings,  false, kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdAlwaysOnTop,            "&Always on top",                           kWindow,    false, kNoKey,                  0, false,  0, false,  false, false,  3},
    {kCmdMinimizeToTray,         "&Minimize in the tray bar",                kWindow,    false, Ctrl('T'),               0, false,  0, false,  false, false, -1},
    {kCmdOverview,               "&Overview...",                             kHelp,      false, Plain(KeyF(1)),          0, false,  1, false,  false, false,  5},
    {kCmdWebSite,                "Ventaro on the &Web...",                   kHelp,      kSep,  kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdBugReport,              "&Bugs/comments report...",                 kHelp,      false, kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdAbout,                  "&About...",                                kHelp,      kSep,  kNoKey,                  0, false,  0, false,  false, false, -1},
    {kCmdRestore,                "&Restore",                                 nullptr,    false, kNoKey,                  0, false,  2, kSep,   false, false, -1},
    {kCmdMaximize,               "&Maximize",                                nullptr,    false, kNoKey,                  0, false,  3, false,  false, false, -1},
    {kCmdSpecialFeatures,        nullptr,                                    nullptr,    false, {KeyF(12), kModCtrl | kModShift}, 0, false, 0, false, false, false, -1},
    {kCmdQuitAtOnce,             nullptr,                                    nullptr,    false, {kKeyBackspace, kModCtrl | kModAlt}, 0, false, 0, false, false, false, -1},
};

constexpr ToolBarEntry kToolBar[] = {
    {kCmdNewProject, false, false, false},
    {kCmdOpenProject, false, false, false},
    {kCmdSaveProject, false, true, false},
    {0, true, false, false},
    {kCmdFindSlider, false, true, false},
    {kToolSeparatorFind, true, true, false},
    {kCmdVirtualPanel, false, true, false},
    {kCmdGestureWindow, false, true, false},
    {kCmdRunEngine, false, false, false},
    {kCmdStopEngine, false, false, false},
    {kCmdResetDevices, false, false, false},
    {kToolSeparatorProject, true, true, false},
    {kCmdProjectManager, false, true, false},
    {kCmdScriptEditor, false, true, false},
    {0, true, false, false},
    {kCmdMidiScope, false, false, false},
    {kCmdAudioRecorder, false, false, false},
    {0, true, false, false},
    {kCmdMidiDevices, false, false, false},
    {kCmdSoundEngineConfig, false, false, false},
    {kCmdPreferences, false, false, false},
    {0, true, false, false},
    {kCmdAlwaysOnTop, false, false, true},
    {0, true, false, false},
    {kCmdOverview, false, false, false},
};
// clang-format on

std::string KeyName(int key) {
    if (key >= kKeyF1 && key < kKeyF1 + 12) {
        // Appended rather than "F" + ...: GCC 12 at -O3 reports a false overlap for the latter.
        std::string name = "F";
        name += std::to_string(key - kKeyF1 + 1);
        return name;
    }
    if (key == kKeyBackspace) {
        return "Backspace";
    }
    if (key == kKeyEscape) {
        return "Esc";
    }
    return std::string(1, static_cast<char>(key));
}

// Splits "&File|&Print" into its levels.
std::vector<std::string> PathLevels(const char* path) {
    std::vector<std::string> levels;
    std::string rest(path);
    for (std::size_t cut; (cut = rest.find('|')) != std::string::npos;) {
        levels.push_back(rest.substr(0, cut));
        rest.erase(0, cut + 1);
    }
    levels.push_back(rest);
    return levels;
}

MenuNode ItemNode(const CommandRow& row) {
    MenuNode node;
    node.kind = MenuNode::kItem;
    node.command = row.id;
    node.text = MenuItemText(row);
    node.grayed = row.grayed;
    node.checked = row.checked;
    return node;
}

MenuNode SeparatorNode() {
    MenuNode node;
    node.kind = MenuNode::kSeparator;
    return node;
}

// The submenu of `menu` titled `title`, made at the end when it is not the last child yet.
MenuNode& Submenu(std::vector<MenuNode>& menu, const std::string& title, bool separatorBefore) {
    if (!menu.empty() && menu.back().kind == MenuNode::kSubmenu && menu.back().text == title) {
        return menu.back();
    }
    if (separatorBefore && !menu.empty()) {
        menu.push_back(SeparatorNode());
    }
    MenuNode node;
    node.kind = MenuNode::kSubmenu;
    node.text = title;
    menu.push_back(node);
    return menu.back();
}

// A flat menu (right-click or tray) from the rows' positions in it.
template <typename Position, typename Separator>
std::vector<MenuNode> BuildFlatMenu(Position position, Separator separatorBefore) {
    std::vector<const CommandRow*> rows;
    for (const CommandRow& row : kRows) {
        if (position(row) > 0) {
            rows.push_back(&row);
        }
    }
    std::sort(rows.begin(), rows.end(), [&](const CommandRow* a, const CommandRow* b) {
        return position(*a) < position(*b);
    });
    std::vector<MenuNode> menu;
    for (const CommandRow* row : rows) {
        if (separatorBefore(*row) && !menu.empty()) {
            menu.push_back(SeparatorNode());
        }
        menu.push_back(ItemNode(*row));
    }
    return menu;
}

} // namespace

std::span<const CommandRow> CommandTable() {
    return kRows;
}

const CommandRow* FindCommand(int id) {
    const auto* it = std::find_if(std::begin(kRows), std::end(kRows),
                                  [id](const CommandRow& row) { return row.id == id; });
    return it == std::end(kRows) ? nullptr : it;
}

const std::vector<AcceleratorEntry>& AcceleratorTable() {
    static const std::vector<AcceleratorEntry> table = [] {
        std::vector<AcceleratorEntry> entries;
        for (const CommandRow& row : kRows) {
            if (row.accelerator.key != 0) {
                entries.push_back({row.accelerator, row.id});
            }
        }
        return entries;
    }();
    return table;
}

int FindAcceleratorCommand(const KeyChord& key) {
    for (const AcceleratorEntry& entry : AcceleratorTable()) {
        if (entry.key == key) {
            return entry.command;
        }
    }
    return -1;
}

std::string AcceleratorText(const KeyChord& key) {
    std::string text;
    if (key.modifiers & kModCtrl) {
        text += "Ctrl+";
    }
    if (key.modifiers & kModShift) {
        text += "Shift+";
    }
    if (key.modifiers & kModAlt) {
        text += "Alt+";
    }
    return text + KeyName(key.key);
}

std::string MenuItemText(const CommandRow& row) {
    std::string text = row.menuText ? row.menuText : "";
    // A key whose first entry belongs to another command would be a promise the menu can't keep.
    if (row.accelerator.key != 0 && FindAcceleratorCommand(row.accelerator) == row.id) {
        text += '\t';
        text += AcceleratorText(row.accelerator);
    }
    return text;
}

std::vector<MenuNode> BuildMenuBar() {
    std::vector<MenuNode> bar;
    for (const CommandRow& row : kRows) {
        if (!row.menuPath) {
            continue;
        }
        const std::vector<std::string> levels = PathLevels(row.menuPath);
        std::vector<MenuNode>* menu = &Submenu(bar, levels[0], false).children;
        bool separatorPending = row.separatorBefore;
        for (std::size_t i = 1; i < levels.size(); ++i) {
            const bool entering = menu->empty() || menu->back().kind != MenuNode::kSubmenu ||
                                  menu->back().text != levels[i];
            menu = &Submenu(*menu, levels[i], separatorPending && entering).children;
            if (entering) {
                separatorPending = false;
            }
        }
        if (separatorPending && !menu->empty()) {
            menu->push_back(SeparatorNode());
        }
        menu->push_back(ItemNode(row));
    }
    return bar;
}

std::vector<MenuNode> BuildPopupMenu() {
    return BuildFlatMenu([](const CommandRow& row) { return row.popupPosition; },
                         [](const CommandRow& row) { return row.popupSeparatorBefore; });
}

std::vector<MenuNode> BuildTrayMenu() {
    return BuildFlatMenu([](const CommandRow& row) { return row.trayPosition; },
                         [](const CommandRow& row) { return row.traySeparatorBefore; });
}

std::span<const ToolBarEntry> ToolBarLayout() {
    return kToolBar;
}

std::string MenuHelpText(int command) {
    return Str(command);
}
