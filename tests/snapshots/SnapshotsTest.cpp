#include "snapshots/Snapshots.h"
#include "base/ByteCodec.h"
#include "panel/PanelTestFixture.h"

namespace {

class SnapshotsTest : public PanelFixture {
protected:
    // Snapshot n, named "Sn", holds `values` for the first sliders.
    static void PutSnapshot(int n, const std::vector<int>& values) {
        g_snapshotCount = std::max(g_snapshotCount, n);
        SetText(g_snapshots[n].name, "S" + std::to_string(n));
        std::copy(values.begin(), values.end(), g_snapshots[n].values.begin());
    }
};

TEST_F(SnapshotsTest, TakingNamesTheSnapshotAndShowsItInTheOtherWindows) {
    AttachViews();
    m_panel.list = {"Organize"};
    MakePanel(4, false);
    for (int i = 0; i < 4; ++i) {
        Slider(i).value = 10 * (i + 1);
    }
    g_snapshots[1].values[4] = 99; // a slot used before keeps what lies beyond the panel
    ASSERT_EQ(TakeSnapshot(), 1);
    const SnapshotRecord& taken = g_snapshots.Peek(1);
    EXPECT_EQ(TextOf(taken.name), "Snap1");
    EXPECT_EQ((std::vector<int>(taken.values.begin(), taken.values.begin() + 5)),
              (std::vector<int>{10, 20, 30, 40, 99}));
    EXPECT_EQ(std::pair(m_panel.list, m_panel.listSelection),
              std::pair(Lines{"Organize", "Snap1"}, 1));
    EXPECT_EQ(m_gesture.appended, Lines{"Snap1"});
    EXPECT_EQ(m_manager.rebuilds, std::vector<ProjectBranch>{ProjectBranch::Snapshots});
    EXPECT_EQ(m_panel.CallsOf("front"), (Lines{"front on", "front off"}));
}

TEST_F(SnapshotsTest, TakingStopsAt32767) {
    g_snapshotCount = 32767;
    g_snapshotNameCounter = 40000;
    EXPECT_EQ(TakeSnapshot(), 0);
    EXPECT_EQ(std::pair(g_snapshotCount, g_snapshotNameCounter), std::pair(32767, 40000));
    EXPECT_EQ(ui.MessageTexts(), Lines{"Sorry, you can't create more than 32767 snapshots."});
    g_snapshotCount = 32766;
    EXPECT_EQ(TakeSnapshot(), 1);
    EXPECT_EQ(TextOf(g_snapshots.Peek(32767).name), "Snap40001");
}

TEST_F(SnapshotsTest, RecallSetsAndSendsEveryUnlockedSliderWithinItsRange) {
    MakePanel(6, false);
    Slider(2).locked = 1;
    Slider(2).value = 5;
    Slider(1).maxValue = 3.0f;
    PutSnapshot(1, {10, 16383, 30, 40}); // taken when the panel had 4 sliders, the second 14-bit
    Slider(4).value = 50;
    RecallSnapshot(1);
    EXPECT_EQ(Values(), (std::vector<int>{10, 127, 5, 40, 0, 0}));
    EXPECT_FLOAT_EQ(Slider(1).scaledValue, 3.0f);
    EXPECT_EQ(g_snapshots.Peek(1).values[1], 16383);
    EXPECT_EQ(Sent(), (Lines{"B0 00 0A", "B0 01 7F", "B0 03 28", "B0 04 00", "B0 05 00"}));
    RecallSnapshot(0); // not a snapshot
    RecallSnapshot(2);
    EXPECT_TRUE(Sent().empty());

    // The same 14-bit value again: the MSB is forced out anyway.
    MakePanel(1, true);
    for (int twice = 0; twice < 2; ++twice) {
        RecallSnapshot(1);
        EXPECT_EQ(Sent(), (Lines{"B0 00 00", "B0 40 0A"}));
    }
    EXPECT_EQ(g_forceMsbResend, 0);
}

TEST_F(SnapshotsTest, ThePanelListStartsWithOrganizeWhichWith17000NeedsASnapshot) {
    EXPECT_EQ(ChooseSnapshotListItem(0), SnapshotListChoice::Nothing);
    EXPECT_EQ(CanOpenSnapshotManager(), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (Lines{"Sorry, no snapshots present!", "Sorry, no snapshots present!"}));
    PutSnapshot(1, {64});
    PutSnapshot(2, {});
    EXPECT_EQ(ChooseSnapshotListItem(0), SnapshotListChoice::OpenManager);
    EXPECT_EQ(CanOpenSnapshotManager(), 1);
    EXPECT_EQ(ChooseSnapshotListItem(1), SnapshotListChoice::Recalled);
    EXPECT_EQ(Slider(0).value, 64);
    EXPECT_EQ(ChooseSnapshotListItem(3), SnapshotListChoice::Nothing);
}

class MorphTest : public SnapshotsTest {
protected:
    void SetUp() override {
        SnapshotsTest::SetUp();
        MakePanel(2, false);
        PutSnapshot(1, {0, 100});
        PutSnapshot(2, {101, 50});
        PutSnapshot(3, {20, 0});
        PutSnapshot(4, {127, 1});
        g_gestureSnapshots = {0, 1, 2, 3};
    }
};

// Corners give their snapshots, the middle the truncated blend; stray corners come back in.
TEST_F(MorphTest, CornersGiveTheirSnapshotsAndTheMiddleTheTruncatedBlend) {
    const std::tuple<float, float, std::vector<int>> rows[] = {
        {0.0f, 0.0f, {0, 100}}, {1.0f, 0.0f, {101, 50}}, {0.0f, 1.0f, {20, 0}},
        {1.0f, 1.0f, {127, 1}}, {0.5f, 0.0f, {50, 75}},  {0.5f, 0.5f, {61, 37}},
        {-3.0f, 9.0f, {20, 0}}, // outside the pad: at its edge
    };
    for (const auto& [x, y, values] : rows) {
        MorphSnapshots(x, y);
        EXPECT_EQ(Values(), values) << x << ", " << y;
        EXPECT_EQ(Sent(), SevenBitBytes(values));
    }
    EXPECT_EQ(std::pair(g_forceMsbResend, g_updateSliderControls), std::pair(0, 1));

    g_gestureSnapshots = {-5, 1, 2, 40000}; // as a damaged project file could hold them
    MorphSnapshots(1.0f, 1.0f);
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{0, 1, 2, 3}));
    EXPECT_EQ(Values(), (std::vector<int>{127, 1}));
    Sent();
    g_snapshotCount = 0; // an empty store morphs nothing
    MorphSnapshots(0.0f, 0.0f);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(MorphTest, LockedSlidersStayA14BitOneSendsBothBytesAndControlsMoveWhenShown) {
    Slider(1).locked = 1;
    Slider(1).value = 7;
    Slider(0).maxValue = 127.0f;
    MorphSnapshots(1.0f, 1.0f);
    EXPECT_EQ(Values(), (std::vector<int>{127, 7}));
    EXPECT_FLOAT_EQ(Slider(0).scaledValue, 127.0f);
    EXPECT_EQ(Sent(), Lines{"B0 00 7F"});
    EXPECT_TRUE(m_panel.calls.empty());

    MakePanel(1, true);
    AttachPanelWindow(&m_panel);
    PutSnapshot(1, {16383});
    for (int twice = 0; twice < 2; ++twice) {
        MorphSnapshots(0.0f, 0.0f);
    }
    EXPECT_EQ(Sent(), (Lines{"B0 00 7F", "B0 40 7F", "B0 00 7F", "B0 40 7F"}));
    EXPECT_EQ(m_panel.CallsOf("position"), (Lines{"position 0=16383", "position 0=16383"}));
}

TEST_F(SnapshotsTest, AreFoundByNameDeletedAndCopiedWithinThePanel) {
    SetText(g_snapshots[0].name, "Organize");
    PutSnapshot(1, {100});
    PutSnapshot(2, {200, 201, 202, 203, 204});
    PutSnapshot(3, {300});
    EXPECT_EQ(std::pair(FindSnapshotByName("S2"), FindSnapshotByName("s2")), std::pair(2, 0));
    EXPECT_EQ(FindSnapshotByName("Organize"), 0); // entry 0 is not a snapshot
    DeleteSnapshot(1);
    EXPECT_EQ(FindSnapshotByName("S3"), 2);
    // A copy takes the name and the values of the panel's sliders only.
    g_sliderCount = 4;
    g_snapshots[2].values[4] = -1;
    CopySnapshot(1, 2);
    EXPECT_EQ(TextOf(g_snapshots[2].name), "S2");
    EXPECT_EQ(std::pair(g_snapshots[2].values[3], g_snapshots[2].values[4]), std::pair(203, -1));
}

// Blocks of 64 slots come zero-filled when first touched; copies own theirs.
TEST(SnapshotStore, AllocatesBlocksAsSlotsAreTouchedAndCopiesOwnTheirs) {
    SnapshotStore store;
    EXPECT_EQ(store.Peek(5000), SnapshotRecord{});
    store[1].values[0] = 7;
    store[63].values[0] = 8;
    store[SnapshotStore::kSlots - 1].values[127] = 9;
    EXPECT_EQ(store.AllocatedSlots(), 128u);
    EXPECT_EQ(store[64], SnapshotRecord{});

    SnapshotStore copy(store);
    store[1].values[0] = 10;
    EXPECT_EQ(std::pair(copy.Peek(1).values[0], copy.Peek(32767).values[127]), std::pair(7, 9));
    SnapshotStore smaller;
    smaller[1].values[0] = 3;
    copy = smaller;
    copy = static_cast<const SnapshotStore&>(copy); // itself
    EXPECT_EQ(std::pair(copy.AllocatedSlots(), copy.Peek(1).values[0]),
              std::pair(std::size_t{64}, 3));
    store.Clear();
    EXPECT_EQ(store.AllocatedSlots(), 0u);
}

} // namespace
