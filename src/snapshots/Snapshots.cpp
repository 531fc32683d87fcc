#include "snapshots/Snapshots.h"

#include <algorithm>
#include <cmath>

#include "base/ByteCodec.h"
#include "base/Ui.h"
#include "panel/PanelLogic.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "panel/SliderOutput.h"
#include "resources/Strings.h"

GestureView* g_gestureView = nullptr;

namespace {

// A stored position applies to whatever slider stands at its index now, which may have a
// smaller range than the one it was taken from.
std::int32_t WithinRange(std::int32_t value, const SliderRecord& slider) {
    return std::clamp(value, 0, SliderRange(slider));
}

} // namespace

int AddPanelSnapshot() {
    if (g_snapshotCount >= kMaxSnapshots) {
        ShowWarning(Str(kStrTooManySnapshots));
        return 0;
    }
    const int k = ++g_snapshotCount;
    SnapshotRecord& snapshot = g_snapshots[k];
    for (int i = 0; i < g_sliderCount; ++i) {
        snapshot.values[static_cast<std::size_t>(i)] = g_sliders[static_cast<std::size_t>(i)].value;
    }
    ++g_snapshotNameCounter;
    SetText(snapshot.name, Str(kStrSnapshotName) + std::to_string(g_snapshotNameCounter));
    return k;
}

int TakeSnapshot() {
    const int k = AddPanelSnapshot();
    if (k == 0) {
        return 0;
    }
    const std::string name(TextOf(g_snapshots.Peek(k).name));

    if (g_panelWindow) {
        g_panelWindow->InsertSnapshotItem(k, name);
    }
    if (g_gestureView) {
        g_gestureView->AppendCornerName(name);
    }
    if (g_projectManagerView) {
        // The panel stays in front while the project manager is rebuilt.
        if (g_panelWindow) {
            g_panelWindow->KeepInFront(true);
        }
        g_projectManagerView->Rebuild(ProjectBranch::Snapshots);
        if (g_panelWindow) {
            g_panelWindow->KeepInFront(false);
        }
    }
    return 1;
}

void RecallSnapshot(int k) {
    if (k < 1 || k > g_snapshotCount) {
        return;
    }
    const SnapshotRecord& snapshot = g_snapshots.Peek(k);
    g_forceMsbResend = 1;
    for (int i = 0; i < g_sliderCount; ++i) {
        SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
        if (slider.locked == 1) {
            continue;
        }
        SetLinearPosition(slider, snapshot.values[static_cast<std::size_t>(i)]);
        SendSlider(i);
    }
    g_forceMsbResend = 0;
    RefreshCurrentValue();
}

std::vector<std::string> SnapshotNames() {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(g_snapshotCount));
    for (int n = 1; n <= g_snapshotCount; ++n) {
        names.emplace_back(TextOf(g_snapshots.Peek(n).name));
    }
    return names;
}

std::vector<std::string> SnapshotListItems() {
    SetText(g_snapshots[0].name, Str(kStrOrganize));
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(g_snapshotCount) + 1);
    items.emplace_back(TextOf(g_snapshots.Peek(0).name));
    for (int n = 1; n <= g_snapshotCount; ++n) {
        items.emplace_back(TextOf(g_snapshots.Peek(n).name));
    }
    return items;
}

int CanOpenSnapshotManager() {
    if (g_snapshotCount < 1) {
        ShowWarning(Str(kStrNoSnapshots));
        return 0;
    }
    return 1;
}

SnapshotListChoice ChooseSnapshotListItem(int item) {
    if (item == 0) {
        return CanOpenSnapshotManager() ? SnapshotListChoice::OpenManager
                                        : SnapshotListChoice::Nothing;
    }
    if (item < 1 || item > g_snapshotCount) {
        return SnapshotListChoice::Nothing;
    }
    RecallSnapshot(item);
    return SnapshotListChoice::Recalled;
}

void KeepGestureCornersInRange() {
    const std::int32_t last = std::max(g_snapshotCount - 1, 0);
    for (std::int32_t& corner : g_gestureSnapshots) {
        corner = std::clamp(corner, 0, last);
    }
}

std::size_t MorphMessageCount() {
    if (g_snapshotCount < 1) {
        return 0;
    }
    std::size_t count = 0;
    for (int i = 0; i < g_sliderCount; ++i) {
        const SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
        if (slider.locked != 1) {
            count += slider.type == kSevenBitType ? 1 : 2; // the MSB is always sent again
        }
    }
    return count;
}

void MorphSnapshots(float x, float y) {
    if (g_snapshotCount < 1) {
        return; // nothing to blend
    }
    // The corners come from the project file: a choice outside the store is not followed.
    KeepGestureCornersInRange();
    const SnapshotRecord& corner1 = g_snapshots.Peek(g_gestureSnapshots[0] + 1);
    const SnapshotRecord& corner2 = g_snapshots.Peek(g_gestureSnapshots[1] + 1);
    const SnapshotRecord& corner3 = g_snapshots.Peek(g_gestureSnapshots[2] + 1);
    const SnapshotRecord& corner4 = g_snapshots.Peek(g_gestureSnapshots[3] + 1);
    x = std::isfinite(x) ? std::clamp(x, 0.0f, 1.0f) : 0.0f;
    y = std::isfinite(y) ? std::clamp(y, 0.0f, 1.0f) : 0.0f;

    g_forceMsbResend = 1;
    g_updateSliderControls = g_panelWindow ? 1 : 0;
    for (int i = 0; i < g_sliderCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        SliderRecord& slider = g_sliders[at];
        if (slider.locked == 1) {
            continue;
        }
        // Each corner's value is taken as a recall would set it, within the slider's range.
        const auto p = static_cast<float>(WithinRange(corner1.values[at], slider));
        const auto q = static_cast<float>(WithinRange(corner2.values[at], slider));
        const auto s = static_cast<float>(WithinRange(corner3.values[at], slider));
        const auto t = static_cast<float>(WithinRange(corner4.values[at], slider));
        const auto top = static_cast<std::int32_t>(p * (1.0f - x) + q * x);
        const auto bottom = static_cast<std::int32_t>(s * (1.0f - x) + t * x);
        SetLinearPosition(slider, static_cast<std::int32_t>(static_cast<float>(top) * (1.0f - y) +
                                                            static_cast<float>(bottom) * y));
        SendSlider(i);
    }
    g_updateSliderControls = 1;
    g_forceMsbResend = 0;
    RefreshCurrentValue();
}
