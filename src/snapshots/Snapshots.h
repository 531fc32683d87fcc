#pragma once
// Taking and recalling snapshots, the panel's snapshot list, and the four-corner morph of the
// gesture window.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "snapshots/SnapshotState.h"

inline constexpr int kCommandSnapshotManager = 17000;
inline constexpr int kCommandGestureWindow = 61000;

// The gesture window: its four corner lists and closing. Null while it is not visible.
class GestureView {
public:
    virtual ~GestureView() = default;
    // Appends a new snapshot's name to each of the four corner lists.
    virtual void AppendCornerName(const std::string& name) = 0;
    // Fills each corner list with the snapshot names and selects the corner choices.
    virtual void RefillCornerLists(const std::vector<std::string>& names,
                                   const std::array<std::int32_t, 4>& selected) = 0;
    // Closes the window; it sets g_gestureView back to null.
    virtual void Close() = 0;
    // Holds the window in front (true) while other windows are reopened, then lets it go.
    virtual void KeepInFront(bool inFront) = 0;
};

// The gesture window while it is visible; it attaches and detaches itself.
extern GestureView* g_gestureView;

// 1 with snapshot g_snapshotCount taken from the panel, 0 after the limit's message.
int TakeSnapshot();
// The store's part of taking: the panel's values as a new "Snap<n>", no window told. Its
// number, or 0 after the limit's message.
int AddPanelSnapshot();
// Sets every unlocked slider from snapshot k (1..count) and sends it, both messages of a
// 14-bit slider included.
void RecallSnapshot(int k);
// The panel's list: "Organize", then the name of every snapshot in order.
std::vector<std::string> SnapshotListItems();
// The names of snapshots 1..count, as the manager and the corner lists show them.
std::vector<std::string> SnapshotNames();

// The command 17000 and the list's "Organize": 1 when the manager may open, 0 after "Sorry,
// no snapshots present!".
int CanOpenSnapshotManager();

enum class SnapshotListChoice { Nothing, Recalled, OpenManager };
// The user changed the selection of the panel's list to `item`.
SnapshotListChoice ChooseSnapshotListItem(int item);

// Brings every corner choice within 0..count − 1 (0 when there are no snapshots).
void KeepGestureCornersInRange();

// Blends the snapshots of the four corners at (x, y) in 0..1 into every unlocked slider.
void MorphSnapshots(float x, float y);
// The messages one blend sends: one for each unlocked 7-bit slider, two for each 14-bit one.
std::size_t MorphMessageCount();
