#include "snapshots/SnapshotManager.h"

#include <algorithm>

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "resources/Strings.h"
#include "snapshots/Snapshots.h"

std::string_view CutSnapshotName(std::string_view text) {
    return text.substr(0, kNameWidth - 1);
}

SnapshotManager::SnapshotManager(ManagerOwner owner, int selected)
    : m_owner(owner), m_items(SnapshotNames()), m_rememberedCount(g_snapshotCount) {
    g_snapshotManagerOpen = 1;
    if (g_ui) {
        g_ui->EnableCommand(kCommandSnapshotManager, false);
    }
    if (!m_items.empty()) {
        m_selected = selected >= 0 && selected < static_cast<int>(m_items.size()) ? selected : 0;
    }
}

int SnapshotManager::Locate(int position) {
    const int number = FindSnapshotByName(m_items[static_cast<std::size_t>(position)]);
    if (number == 0) {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrSnapshotNotFound), MessageIcon::Warning);
        }
        Close();
    }
    return number;
}

void SnapshotManager::Rename(int position, const AskSnapshotName& askName) {
    if (m_closed || position < 0 || position >= static_cast<int>(m_items.size()) ||
        Locate(position) == 0) {
        return;
    }
    // The selected position is renamed, even when an earlier snapshot carries the same name.
    SnapshotRecord& snapshot = g_snapshots[position + 1];
    const std::optional<std::string> text = askName(std::string(TextOf(snapshot.name)));
    if (!text) {
        return;
    }
    SetText(snapshot.name, CutSnapshotName(*text));
    m_items[static_cast<std::size_t>(position)] = TextOf(snapshot.name);
    m_selected = position;
    m_rememberedCount = -1; // the other windows show the old name until they are refreshed
}

void SnapshotManager::Delete(int position) {
    if (m_closed || position < 0 || position >= static_cast<int>(m_items.size()) ||
        Locate(position) == 0) {
        return;
    }
    if (!g_ui || g_ui->ShowMessage(Str(kStrDeleteSnapshotQuestion), MessageIcon::Warning,
                                   MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    DeleteSnapshot(position + 1);
    m_items.erase(m_items.begin() + position);
    m_selected = m_items.empty() ? -1 : 0;
    if (g_snapshotCount == 0) {
        if (g_gestureView) {
            g_gestureSnapshots = {0, 0, 0, 0};
            g_gestureView->Close();
        }
        Close();
    }
}

void SnapshotManager::Close() {
    if (m_closed) {
        return;
    }
    RebuildProjectManager(ProjectBranch::Snapshots);
    KeepGestureCornersInRange();
    if (g_gestureView) {
        g_gestureView->RefillCornerLists(SnapshotNames(), g_gestureSnapshots);
    }
    if (g_panelWindow) {
        g_panelWindow->FillSnapshotList(SnapshotListItems(), g_snapshotCount);
    }
    g_snapshotManagerOpen = 0;
    if (g_ui) {
        g_ui->EnableCommand(kCommandSnapshotManager, true);
    }
    m_closed = true;
}

void SnapshotManager::LoseActivation() {
    if (m_closed || g_snapshotCount == m_rememberedCount) {
        return;
    }
    m_rememberedCount = g_snapshotCount;
    if (m_owner != ManagerOwner::ProjectManager) {
        RebuildProjectManager(ProjectBranch::Snapshots);
    }
    KeepGestureCornersInRange();
    if (g_gestureView) {
        g_gestureView->Close();
        if (g_ui) {
            g_ui->SendCommand(kCommandGestureWindow);
        }
    }
    if (g_panelWindow && m_owner != ManagerOwner::Panel) {
        g_panelWindow->Close();
        if (g_ui) {
            g_ui->SendCommand(kCommandVirtualPanel);
        }
    }
}
