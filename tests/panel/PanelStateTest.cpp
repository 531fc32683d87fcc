#include <gtest/gtest.h>

#include <cstring>

#include "base/ByteCodec.h"
#include "panel/PanelState.h"

namespace {

class PanelStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPanelState();
        for (int i = 0; i < 16; ++i) {
            SetDefaultSlider(i, false); // Slider1..Slider16 on controllers 0..15
        }
    }
    void TearDown() override { ResetPanelState(); }

    static void SetSnapshot(int number, const char* name, int firstValue) {
        SetText(g_snapshots[number].name, name);
        for (int i = 0; i < kMaxSliders; ++i) {
            g_snapshots[number].values[static_cast<std::size_t>(i)] = firstValue + i;
        }
    }
};

TEST_F(PanelStateTest, InsertedSliderTakesTheNextControllersAndName) {
    const SliderRecord oldThird = g_sliders[3];
    InsertSlider(3);
    SliderRecord expected;
    SetText(expected.name, "Slider17");
    expected.type = kSevenBitType;
    expected.maxValue = 1.0f;
    expected.controller1 = 16;
    expected.controller2 = 1;
    EXPECT_EQ(g_sliders[3], expected);
    EXPECT_EQ(g_sliders[4], oldThird);
    EXPECT_EQ(TextOf(g_sliders[16].name), "Slider16");
    EXPECT_EQ(g_sliderCount, 17);
    EXPECT_EQ(g_sliderCountCommitted, 17);
}

TEST_F(PanelStateTest, InsertCountsTheDisplacedSliderIgnoresStaleSlotsAndWrapsAt127) {
    g_sliders[3].controller1 = 50;   // the occupant moved up one place still counts
    g_sliders[16].controller1 = 100; // beyond the count: stale, never read
    g_sliders[16].controller2 = 120;
    InsertSlider(3);
    EXPECT_EQ(g_sliders[3].controller1, 51);
    EXPECT_EQ(g_sliders[3].controller2, 1);

    g_sliders[0].controller1 = 127;
    g_sliders[1].controller2 = 127;
    InsertSlider(0);
    EXPECT_EQ(g_sliders[0].controller1, 0);
    EXPECT_EQ(g_sliders[0].controller2, 0);
}

TEST_F(PanelStateTest, DeletingTheFirstOfTwoSlidersKeepsSnapshotValues) {
    g_sliderCount = g_sliderCountCommitted = 2;
    SetSnapshot(1, "Snap1", 10);
    g_snapshotCount = 1;
    const SliderRecord second = g_sliders[1];
    DeleteSlider(0);
    EXPECT_EQ(g_sliderCount, 1);
    EXPECT_EQ(g_sliderCountCommitted, 1);
    EXPECT_EQ(g_sliders[0], second);
    EXPECT_EQ(g_snapshots[1].values[0], 10);
    EXPECT_EQ(g_snapshots[1].values[1], 11);
}

TEST_F(PanelStateTest, CopySliderCopiesTheNameAsText) {
    std::memcpy(g_sliders[2].name.data(), "Src\0junk", 8);
    g_sliders[2].scaledValue = 0.25f;
    g_sliders[2].reserved = 9;
    g_sliders[2].locked = 1;
    SetText(g_sliders[5].name, "AMuchLongerName");
    CopySlider(2, 5);
    SliderRecord expected = g_sliders[2];
    SetText(expected.name, "Src");
    EXPECT_EQ(g_sliders[5], expected);
}

TEST_F(PanelStateTest, FindSliderByNameIsExactWithinTheCount) {
    EXPECT_EQ(FindSliderByName("Slider2"), 1);
    EXPECT_EQ(FindSliderByName("slider2"), kSliderNotFound);
    SetText(g_sliders[16].name, "Ghost");
    EXPECT_EQ(FindSliderByName("Ghost"), kSliderNotFound);
    EXPECT_EQ(FindSliderByName(""), kSliderNotFound);
}

TEST_F(PanelStateTest, SnapshotsAreDeletedCopiedAndFound) {
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

TEST_F(PanelStateTest, CopySnapshotCopiesOnlyTheCountedValues) {
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

} // namespace
