#include "snapshots/SnapshotState.h"

#include "base/ByteCodec.h"
#include "panel/PanelState.h"

SnapshotStore g_snapshots;
SnapshotStore g_snapshotsSaved;
int g_snapshotCount = 0;
int g_snapshotNameCounter = 0;
std::array<std::int32_t, kGestureCorners> g_gestureSnapshots{};
int g_snapshotManagerOpen = 0;

void ResetSnapshotState() {
    g_snapshots.Clear();
    g_snapshotsSaved.Clear();
    g_snapshotCount = 0;
    g_snapshotNameCounter = 0;
    g_gestureSnapshots.fill(0);
    g_snapshotManagerOpen = 0;
}

void DeleteSnapshot(int number) {
    for (int n = number; n < g_snapshotCount; ++n) {
        CopySnapshot(n + 1, n);
    }
    --g_snapshotCount;
}

void CopySnapshot(int source, int destination) {
    if (source == destination) {
        return;
    }
    const SnapshotRecord& from = g_snapshots[source];
    SnapshotRecord& to = g_snapshots[destination];
    SetText(to.name, TextOf(from.name));
    for (int i = 0; i < g_sliderCount; ++i) {
        to.values[i] = from.values[i];
    }
}

int FindSnapshotByName(std::string_view name) {
    for (int n = 1; n <= g_snapshotCount; ++n) {
        if (TextOf(g_snapshots.Peek(n).name) == name) {
            return n;
        }
    }
    return 0;
}
