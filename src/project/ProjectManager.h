#pragma once
// The project manager without its window: the tree it shows of the open project, what
// activating and deleting an entry do, and its icon size. The window shows BuildProjectTree()
// and hands each gesture here with the entry's branch and text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panel/PanelViews.h"

// The tree's image list, in this order.
enum class ManagerIcon { Main, Panel, Snapshot, Transition, Script, Entry, Locked };
inline constexpr int kManagerIconCount = 7;
// Every item of the tree is written in pure blue.
inline constexpr std::uint32_t kManagerTextRgb = 0x0000FF;
inline constexpr int kManagerSmallIcons = 16;
inline constexpr int kManagerLargeIcons = 32;

// What activating an entry opens.
enum class ManagerAction { None, SliderProperties, SnapshotManager, AdditionalFiles };

struct ManagerItem {
    std::string text;
    ManagerIcon icon = ManagerIcon::Entry;
    // The branch a level-1 item heads; None for the root and the entries.
    ProjectBranch branch = ProjectBranch::None;
    // The branch an entry lies in; None for the root and the level-1 items, which act on nothing.
    ProjectBranch parent = ProjectBranch::None;
    ManagerAction action = ManagerAction::None;
    bool expanded = false;
    std::vector<ManagerItem> children;
};

// The root (the project's name, expanded) over "Virtual Panel", "Snapshots", "Transitions" and
// "Project additional files", filled from the project as it is now.
ManagerItem BuildProjectTree();

// The edge of the icons the window draws: 16 for small icons, 32 for any other stored value (a
// damaged file must not ask for giant pictures; the stored value itself is kept).
int ManagerIconPixels();
// Small or large icons (16 or 32): stored in the project, a change counts as one, and the tree is
// made again with them.
void ChooseManagerIconSize(int pixels);

struct ManagerRequest {
    ManagerAction action = ManagerAction::None;
    std::string sliderName;    // SliderProperties: the slider to edit
    int snapshotPosition = -1; // SnapshotManager: the list position to select (number − 1)
};
// Double click or Enter on an entry of `parent` with this text: what the window opens, after
// any message. Nothing while the dialog it would open is already open.
ManagerRequest ActivateManagerItem(ProjectBranch parent, std::string_view text);

// The Delete key on an entry: a slider or a snapshot is deleted after the user's Yes, and every
// window showing it is made again. Other entries and the branches themselves are left alone.
void DeleteManagerItem(ProjectBranch parent, std::string_view text);

// The window closing: a snapshot manager flag left set is cleared and its command enabled.
void ProjectManagerClosing();
