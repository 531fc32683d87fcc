#include "tools/Gesture.h"

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "panel/PanelTestFixture.h"

namespace {

constexpr int kU = 16;
// A pad whose client area is 200 × 150: the crosshair runs over 2..198 and 2..148.
constexpr int kRight = 200;
constexpr int kBottom = 150;

// Snapshots 1 to 4 at the top-left, top-right, bottom-left and bottom-right of a 7-bit pair.
class GestureTest : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanel(2, false);
        Put(1, {0, 100});
        Put(2, {100, 50});
        Put(3, {20, 0});
        Put(4, {120, 1});
        g_gestureSnapshots = {0, 1, 2, 3};
        g_snapshotNameCounter = 4;
    }
    static void Put(int n, std::vector<int> values) {
        g_snapshotCount = std::max(g_snapshotCount, n);
        SetText(g_snapshots[n].name, "S" + std::to_string(n));
        std::copy(values.begin(), values.end(), g_snapshots[n].values.begin());
    }
    // Over pad point (x, y), which lies below the corner lists.
    static GesturePointerResult Move(int x, int y, unsigned modifiers = 0, bool left = false) {
        return GesturePointer(x + 2, y + 2 * kU + 2, modifiers, left, kRight, kBottom, kU);
    }
};

TEST(GestureLayoutTest, ControlsStandOnThirdsOfTheWidthAndTheUnit) {
    const GestureLayout layout = LayOutGesture(301, 240, kU);
    EXPECT_EQ(layout.pad, (Rect{0, 32, 301, 176}));
    EXPECT_EQ(layout.corners[0], (Rect{1, 9, 99, 16}));
    EXPECT_EQ(layout.corners[3], (Rect{201, 210, 99, 16}));
    EXPECT_EQ(layout.modeText, (Rect{100, 8, 100, 16}));
    EXPECT_EQ(layout.positionText, (Rect{100, 216, 100, 16}));
    // A window shorter than the lists leaves an empty pad, never a negative one.
    EXPECT_EQ(LayOutGesture(30, 20, kU).pad.height, 0);
}

TEST_F(GestureTest, TheClampsKeepTheCrosshairInsideTheMarginsAndGiveTheFractions) {
    GesturePointerResult at = GesturePointer(-40, -40, 0, false, kRight, kBottom, kU);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(2, 2));
    EXPECT_EQ(at.positionText, "X: 0.01, Y: 0.014");
    EXPECT_EQ(at.modeText, "");

    at = Move(500, 500);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(198, 148));
    EXPECT_EQ(at.positionText, "X: 1, Y: 1");
    EXPECT_EQ(std::pair(at.oldX, at.oldY), std::pair(2, 2)); // the crosshair to erase

    at = Move(99, 37);
    EXPECT_EQ(at.positionText, "X: 0.5, Y: 0.25");
    // A pad squeezed below its margins divides by nothing.
    at = GesturePointer(50, 50, 0, false, 3, 1, kU);
    EXPECT_EQ(std::pair(at.fx, at.fy), std::pair(1.0f, 1.0f));
}

TEST_F(GestureTest, OnlyADragSendsTheBlendAndJoystickButton1ActsAsTheLeftButton) {
    Sent();
    EXPECT_FALSE(Move(99, 74).sent);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Values(), (std::vector<int>{0, 0}));

    // (0.5, 0.5): top 50 and 75, bottom 70 and 0, then 60 and 37.
    EXPECT_TRUE(Move(99, 74, 0, true).sent);
    EXPECT_EQ(Sent(), SevenBitBytes({60, 37}));

    EXPECT_FALSE(GestureJoystickButton(0, true));
    EXPECT_TRUE(Move(198, 148).sent);
    EXPECT_EQ(Sent(), SevenBitBytes({120, 1}));
    GestureJoystickButton(0, false);
    Move(2, 2);
    EXPECT_TRUE(Sent().empty());
}

// A port whose queue is full (a JACK port between cycles) gets no part of a blend: the latest
// blend goes whole once it has room, the ones in between are passed over.
TEST_F(GestureTest, ABlendWaitsWholeForRoomAtTheOutputAndOnlyTheLatestGoes) {
    Sent();
    ports->room = 1; // a two-slider blend is two messages
    EXPECT_TRUE(Move(99, 74, 0, true).sent);
    EXPECT_TRUE(Move(198, 148, 0, true).sent);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Values(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(SendWaitingGestureBlend());
    EXPECT_TRUE(Sent().empty());

    ports->room = 2;
    EXPECT_FALSE(SendWaitingGestureBlend());
    EXPECT_EQ(Sent(), SevenBitBytes({120, 1}));
    EXPECT_EQ(Values(), (std::vector<int>{120, 1}));
    EXPECT_FALSE(SendWaitingGestureBlend());
    EXPECT_TRUE(Sent().empty());
}

TEST_F(GestureTest, ShiftLocksXCtrlLocksYAndBothClipOnePixelDiagonally) {
    Move(50, 60);
    GesturePointerResult at = Move(120, 90, kGestureShift);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(50, 90));
    EXPECT_EQ(at.modeText, "[X locked]");
    at = Move(130, 10, kGestureCtrl);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(130, 90));
    EXPECT_EQ(at.modeText, "[Y locked]");

    const unsigned clip = kGestureShift | kGestureCtrl;
    at = Move(140, 5, clip); // up and to the right
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(131, 89));
    EXPECT_EQ(at.modeText, "[Clip mode]");
    at = Move(20, 120, clip);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(130, 90));
    at = Move(130, 5, clip); // straight up: one sign is zero, nothing moves
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(130, 90));
    // Clip mode runs into the clamps like any move.
    g_gesture.lastX = 198;
    g_gesture.lastY = 148;
    at = Move(300, 300, clip);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(198, 148));
}

// The transport's bytes are the panel's; here only that a right click reaches it both ways.
TEST_F(GestureTest, ARightClickTogglesTheTransportBothWays) {
    for (const int stopped : {0, 1}) {
        EXPECT_EQ(GestureRightButton(false), GestureRightClick::TransportToggled);
        EXPECT_EQ(g_transportStopped, stopped);
    }
    EXPECT_EQ(g_snapshotCount, 4);
}

TEST_F(GestureTest, F2StoresTheBlendAsANewSnapshotAndReopensTheViewsThatShowIt) {
    AttachViews();
    ui.openWindows = {kCmdVirtualPanel, kCmdProjectManager};
    ui.onCommand = nullptr;
    Move(99, 74);
    Sent();
    EXPECT_EQ(GestureRightButton(true), GestureRightClick::SnapshotStored);
    EXPECT_EQ(Sent(), SevenBitBytes({60, 37})); // the blend went out first
    ASSERT_EQ(g_snapshotCount, 5);
    EXPECT_EQ(std::pair(g_snapshots.Peek(5).values[0], g_snapshots.Peek(5).values[1]),
              std::pair(60, 37));
    EXPECT_EQ(g_transportStopped, 1);
    EXPECT_EQ(ui.commands, (std::vector<int>{kCmdVirtualPanel, kCmdVirtualPanel, kCmdProjectManager,
                                             kCmdProjectManager}));
    EXPECT_EQ(m_gesture.appended, Lines{"Snap5"});
    EXPECT_EQ(std::pair(m_gesture.frontOn, m_gesture.frontOff), std::pair(1, 1));
    EXPECT_TRUE(m_panel.list.empty()); // the reopened panel lists it, not the old one

    // At the limit the blend is sent and nothing stored; the snapshot tests hold the message.
    ui.commands.clear();
    g_snapshotCount = kMaxSnapshots;
    Move(198, 148, 0, true);
    Sent();
    EXPECT_EQ(GestureRightButton(true), GestureRightClick::SnapshotRefused);
    EXPECT_EQ(Sent(), SevenBitBytes({120, 1}));
    EXPECT_TRUE(ui.commands.empty());
    EXPECT_EQ(m_gesture.appended, Lines{"Snap5"});
}

TEST_F(GestureTest, CornerChoicesStayWithinTheStore) {
    ChooseGestureCorner(2, 3);
    ChooseGestureCorner(1, 4);  // no fifth snapshot
    ChooseGestureCorner(0, -1); // an emptied list
    ChooseGestureCorner(4, 0);  // no fifth corner
    EXPECT_EQ(g_gestureSnapshots, (std::array<std::int32_t, 4>{0, 1, 3, 3}));
}

TEST(GestureJoystickTest, AxesStepThePointerOutsideTheDeadZoneAndButton2IsARightClick) {
    ResetGestureState();
    const std::pair<int, int> steps[] = {
        {0, -17},       {12 * 2048 + 2047, -5},
        {13 * 2048, 0}, {19 * 2048 + 2047, 0},
        {20 * 2048, 5}, {65535, 16},
        {70000, 16},
    };
    for (const auto& [position, step] : steps) {
        EXPECT_EQ(JoystickAxisStep(position), step) << position;
    }
    EXPECT_EQ(GestureJoystickStep().dx, 0); // centred at start
    GestureJoystickAxis(0, -32768);
    GestureJoystickAxis(1, 32767);
    GestureJoystickAxis(2, -32768); // a third axis moves nothing
    const PointerStep step = GestureJoystickStep();
    EXPECT_EQ(std::pair(step.dx, step.dy), std::pair(-17, 16));
    EXPECT_TRUE(GestureJoystickButton(1, true));
    EXPECT_FALSE(GestureJoystickButton(1, false));
    EXPECT_FALSE(GestureJoystickButton(2, true));
    EXPECT_EQ(g_gesture.joystickButton1, 0);
}

} // namespace
