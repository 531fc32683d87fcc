#include "project/ProjectManager.h"

#include <utility>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Ui.h"
#include "panel/PanelState.h"
#include "panel/SliderValidation.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"
#include "snapshots/Snapshots.h"

namespace {

ManagerItem Entry(std::string text, ProjectBranch parent, ManagerAction action,
                  ManagerIcon icon = ManagerIcon::Entry) {
    ManagerItem item;
    item.text = std::move(text);
    item.icon = icon;
    item.parent = parent;
    item.action = action;
    return item;
}

ManagerItem Branch(int label, ManagerIcon icon, ProjectBranch branch) {
    ManagerItem item;
    item.text = Str(label);
    item.icon = icon;
    item.branch = branch;
    return item;
}

// A stale panel or gesture window would show sliders or snapshots that are gone.
void ReopenPanel() {
    if (g_panelWindow) {
        g_panelWindow->Close();
        if (g_ui) {
            g_ui->SendCommand(kCmdVirtualPanel);
        }
    }
}

void DeleteSnapshotItem(std::string_view name) {
    const int number = FindSnapshotByName(name);
    if (number == 0) {
        ShowWarning(Str(kStrSnapshotNotFound));
        return;
    }
    if (!AskYesNo(Str(kStrDeleteSnapshotQuestion), MessageIcon::Warning)) {
        return;
    }
    DeleteSnapshot(number);
    ReopenPanel();
    // The corners are kept in range whether or not the gesture window shows them: a project
    // saved now must not name a snapshot that is gone.
    KeepGestureCornersInRange();
    if (g_gestureView) {
        if (g_snapshotCount > 0) {
            g_gestureView->RefillCornerLists(SnapshotNames(), g_gestureSnapshots);
        } else {
            g_gestureView->Close();
        }
    }
    RebuildProjectManager(ProjectBranch::Snapshots);
}

void DeleteSliderItem(std::string_view name) {
    const int index = FindSliderByName(name);
    if (index == kSliderNotFound) {
        ShowWarning(Str(kStrSliderNotFound));
        return;
    }
    if (g_sliderCount <= 1) {
        ShowWarning(Str(kStrLastSliderWarning));
        return;
    }
    if (!AskYesNo(Str(kStrDeleteSliderQuestion), MessageIcon::Warning)) {
        return;
    }
    DeleteSlider(index);
    ReopenPanel();
    RebuildProjectManager(ProjectBranch::Panel);
}

} // namespace

ManagerItem BuildProjectTree() {
    ManagerItem root;
    root.text = TextOf(g_projectName);
    root.icon = ManagerIcon::Main;
    root.expanded = true;

    ManagerItem panel = Branch(kStrManagerPanelBranch, ManagerIcon::Panel, ProjectBranch::Panel);
    for (int i = 0; i < g_sliderCount; ++i) {
        const SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
        panel.children.push_back(Entry(
            std::string(TextOf(slider.name)), ProjectBranch::Panel, ManagerAction::SliderProperties,
            slider.locked == 1 ? ManagerIcon::Locked : ManagerIcon::Entry));
    }
    ManagerItem snapshots =
        Branch(kStrManagerSnapshotsBranch, ManagerIcon::Snapshot, ProjectBranch::Snapshots);
    for (std::string& name : SnapshotNames()) {
        snapshots.children.push_back(
            Entry(std::move(name), ProjectBranch::Snapshots, ManagerAction::SnapshotManager));
    }
    ManagerItem files =
        Branch(kStrManagerFilesBranch, ManagerIcon::Script, ProjectBranch::AdditionalFiles);
    for (std::string_view path :
         {TextOf(g_scriptPaths[0]), TextOf(g_scriptPaths[1]), TextOf(g_audioOutputFile)}) {
        if (!path.empty()) {
            files.children.push_back(Entry(std::string(path), ProjectBranch::AdditionalFiles,
                                           ManagerAction::AdditionalFiles));
        }
    }
    root.children.push_back(std::move(panel));
    root.children.push_back(std::move(snapshots));
    root.children.push_back(
        Branch(kStrManagerTransitionsBranch, ManagerIcon::Transition, ProjectBranch::Transitions));
    root.children.push_back(std::move(files));
    return root;
}

int ManagerIconPixels() {
    return g_managerIconSize == kManagerSmallIcons ? kManagerSmallIcons : kManagerLargeIcons;
}

void ChooseManagerIconSize(int pixels) {
    const int size = pixels == kManagerSmallIcons ? kManagerSmallIcons : kManagerLargeIcons;
    if (g_managerIconSize != size) {
        g_managerIconSize = size;
        g_projectDirty = 1;
    }
    RebuildProjectManager(ProjectBranch::None);
}

ManagerRequest ActivateManagerItem(ProjectBranch parent, std::string_view text) {
    // The entry's text as the window hands it over, never longer than a name.
    text = text.substr(0, kNameWidth);
    ManagerRequest request;
    switch (parent) {
    case ProjectBranch::Panel:
        if (g_sliderPropsOpen != 1) {
            request.action = ManagerAction::SliderProperties;
            request.sliderName = text;
        }
        break;
    case ProjectBranch::Snapshots:
        if (g_snapshotManagerOpen != 1) {
            const int number = FindSnapshotByName(text);
            if (number == 0) {
                ShowWarning(Str(kStrSnapshotNotFound));
            } else {
                request.action = ManagerAction::SnapshotManager;
                request.snapshotPosition = number - 1;
            }
        }
        break;
    case ProjectBranch::AdditionalFiles:
        request.action = ManagerAction::AdditionalFiles;
        break;
    default:
        break;
    }
    return request;
}

void DeleteManagerItem(ProjectBranch parent, std::string_view text) {
    if (parent == ProjectBranch::Snapshots) {
        DeleteSnapshotItem(text);
    } else if (parent == ProjectBranch::Panel) {
        DeleteSliderItem(text);
    }
}

void ProjectManagerClosing() {
    if (g_snapshotManagerOpen == 1) {
        g_snapshotManagerOpen = 0;
        if (g_ui) {
            g_ui->EnableCommand(kCmdSnapshotManager, true);
        }
    }
}
