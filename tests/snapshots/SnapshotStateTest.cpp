#include <gtest/gtest.h>

#include "base/AllState.h"
#include "base/ByteCodec.h"
#include "panel/PanelState.h"
#include "snapshots/SnapshotState.h"

namespace {

// Every piece of state at its start: sixteen sliders counted, no snapshot.
class SnapshotStateTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }

    static void SetSnapshot(int number, const char* name, int firstValue) {
        SetText(g_snapshots[number].name, name);
        for (int i = 0; i < kMaxSliders; ++i) {
            g_snapshots[number].values[static_cast<std::size_t>(i)] = firstValue + i;
        }
    }
};

} // namespace

TEST_F(SnapshotStateTest, SnapshotsAreDeletedCopiedAndFound) {
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
    EXPECT_EQ(TextOf(g_snapshots[1].name), "B");
    EXPECT_EQ(TextOf(g_snapshots[2].name), "C");
    EXPECT_EQ(FindSnapshotByName("C"), 2);
    EXPECT_EQ(FindSnapshotByName("A"), 0);
}

TEST_F(SnapshotStateTest, CopySnapshotCopiesOnlyTheCountedValues) {
    g_sliderCount = 4;
    SetSnapshot(1, "Source", 100);
    SetSnapshot(2, "Destination", -1000);
    CopySnapshot(1, 2);
    EXPECT_EQ(TextOf(g_snapshots[2].name), "Source");
    for (int i = 0; i < kMaxSliders; ++i) {
        EXPECT_EQ(g_snapshots[2].values[static_cast<std::size_t>(i)], i < 4 ? 100 + i : -1000 + i);
    }
}

TEST(SnapshotStore, AllocatesBlocksOfSixtyFourAsSlotsAreTouched) {
    SnapshotStore store;
    EXPECT_EQ(store.AllocatedSlots(), 0u);
    EXPECT_EQ(store.Peek(5000), SnapshotRecord{});
    EXPECT_EQ(store.AllocatedSlots(), 0u);
    store[1].values[0] = 7;
    EXPECT_EQ(store.AllocatedSlots(), 64u);
    store[63].values[0] = 8;
    EXPECT_EQ(store.AllocatedSlots(), 64u);
    store[SnapshotStore::kSlots - 1].values[127] = 9;
    EXPECT_EQ(store.AllocatedSlots(), 128u);
    EXPECT_EQ(store.Peek(1).values[0], 7);
    EXPECT_EQ(store.Peek(32767).values[127], 9);
    EXPECT_EQ(store[64], SnapshotRecord{}); // a new block comes zero-filled
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
    EXPECT_EQ(copy.AllocatedSlots(), 128u);

    SnapshotStore smaller;
    smaller[1].values[0] = 3;
    copy = smaller; // blocks the source lacks are freed
    EXPECT_EQ(copy.AllocatedSlots(), 64u);
    EXPECT_EQ(copy.Peek(1).values[0], 3);
    EXPECT_EQ(copy.Peek(200), SnapshotRecord{});
    const SnapshotStore& same = copy;
    copy = same;
    EXPECT_EQ(copy.Peek(1).values[0], 3);
}
