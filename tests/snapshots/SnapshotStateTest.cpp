#include "snapshots/SnapshotState.h"
#include "base/ByteCodec.h"
#include "fakes/CoreServices.h"

class SnapshotStateTest : public CoreServices {};

TEST_F(SnapshotStateTest, SnapshotsAreFoundByTheirExactNameFromTheFirst) {
    SetText(g_snapshots[0].name, "Organize");
    SetText(g_snapshots[1].name, "A");
    SetText(g_snapshots[2].name, "B");
    SetText(g_snapshots[3].name, "C");
    g_snapshotCount = 2;
    EXPECT_EQ(FindSnapshotByName("B"), 2);
    EXPECT_EQ(FindSnapshotByName("b"), 0);
    EXPECT_EQ(FindSnapshotByName("Organize"), 0); // entry 0 is not a snapshot
    EXPECT_EQ(FindSnapshotByName("C"), 0);        // beyond the count
}

// Blocks of 64 slots come into being as they are first written, zero-filled.
TEST(SnapshotStore, AllocatesBlocksOfSixtyFourAsSlotsAreTouched) {
    SnapshotStore store;
    EXPECT_EQ(store.Peek(5000), SnapshotRecord{});
    EXPECT_EQ(store.AllocatedSlots(), 0u);
    store[1].values[0] = 7;
    store[63].values[0] = 8;
    EXPECT_EQ(store.AllocatedSlots(), 64u);
    store[SnapshotStore::kSlots - 1].values[127] = 9;
    EXPECT_EQ(store.AllocatedSlots(), 128u);
    EXPECT_EQ(store.Peek(32767).values[127], 9);
    EXPECT_EQ(store[64], SnapshotRecord{});
    store.Clear();
    EXPECT_EQ(store.AllocatedSlots(), 0u);
    EXPECT_EQ(store.Peek(1), SnapshotRecord{});
}

TEST(SnapshotStore, CopiesAreIndependent) {
    SnapshotStore original;
    original[1].values[0] = 1;
    original[200].values[0] = 2;
    SnapshotStore copy(original);
    original[1].values[0] = 10;
    EXPECT_EQ(copy.Peek(1).values[0], 1);
    EXPECT_EQ(copy.Peek(200).values[0], 2);

    SnapshotStore smaller;
    smaller[1].values[0] = 3;
    copy = smaller; // blocks the source lacks are freed
    EXPECT_EQ(copy.AllocatedSlots(), 64u);
    EXPECT_EQ(copy.Peek(200), SnapshotRecord{});
    const SnapshotStore& same = copy;
    copy = same;
    EXPECT_EQ(copy.Peek(1).values[0], 3);
}
