#pragma once
// The snapshots of the process: the store and its saved copy, their count, the name counter,
// the gesture window's four corner choices, and the operations that keep them consistent. All
// of it lives on the user-interface thread.

#include <array>
#include <cstdint>
#include <string_view>

#include "snapshots/SnapshotStore.h"

inline constexpr int kGestureCorners = 4;

extern SnapshotStore g_snapshots;
extern SnapshotStore g_snapshotsSaved;
extern int g_snapshotCount;
extern int g_snapshotNameCounter;
// The snapshot (0-based) each corner of the gesture window morphs from.
extern std::array<std::int32_t, kGestureCorners> g_gestureSnapshots;
// 1 while the snapshot manager is open.
extern int g_snapshotManagerOpen;

// Start values: no snapshot, every corner on the first, the manager closed.
void ResetSnapshotState();

void DeleteSnapshot(int number);
void CopySnapshot(int source, int destination);
int FindSnapshotByName(std::string_view name);
