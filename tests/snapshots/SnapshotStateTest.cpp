#include "snapshots/SnapshotState.h"
#include "base/ByteCodec.h"
#include "fakes/CoreServices.h"
#include "panel/PanelState.h"

namespace {

class SnapshotStateTest : public CoreServices {
protected:
    static void SetSnapshot(int number, const char* name, int firstValue) {
        SetText(g_snapshots[number].name, name);
        for (int i = 0; i < kMaxSliders; ++i) {
            g_snapshots[number].values[static_cast<std::size_t>(i)] = firstValue + i;
        }
    }
};

} // namespace

TEST_F(SnapshotStateTest, SnapshotsAreFoundDeletedAndCopied) {
    SetText(g_snapshots[0].name, "Organize");
    SetSnapshot(1, "A", 100);
    SetSnapshot(2, "B", 200);
    SetSnapshot(3, "C", 300);
    g_snapshotCount = 3;
    EXPECT_EQ(FindSnapshotByName("B"), 2);
    EXPECT_EQ(FindSnapshotByName("b"), 0);
    EXPECT_EQ(FindSnapshotByName("Organize"), 0); // entry 0 is not a snapshot
    DeleteSnapshot(1);
    EXPECT_EQ(g_snapshotCount, 2);
    EXPECT_EQ(FindSnapshotByName("C"), 2);
    EXPECT_EQ(FindSnapshotByName("A"), 0);
    EXPECT_EQ(g_snapshots[1].values[0], 200);

    // A copy takes the name and only the values of the counted sliders.
    g_sliderCount = 4;
    CopySnapshot(2, 1);
    EXPECT_EQ(TextOf(g_snapshots[1].name), "C");
    EXPECT_EQ(g_snapshots[1].values[3], 303);
    EXPECT_EQ(g_snapshots[1].values[4], 204);
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
