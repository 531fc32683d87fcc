// The gesture window on the real widgets: drags across the pad, right clicks with and without
// F2, and SDL's virtual joystick moving the pointer; the bytes at the MIDI output checked.

#include <SDL.h>

#include "GuiTestSupport.h"
#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "snapshots/SnapshotState.h"
#include "tools/Gesture.h"
#include "tools/GestureWindow.h"

namespace {

// Four snapshots of a two-slider 7-bit panel at the corners; the next one taken is Snap5.
void PutCorners() {
    BuildDefaultPanel(false, 2);
    const int values[4][2] = {{0, 100}, {100, 50}, {20, 0}, {120, 1}};
    for (int n = 1; n <= 4; ++n) {
        g_snapshots[n].values[0] = values[n - 1][0];
        g_snapshots[n].values[1] = values[n - 1][1];
    }
    g_snapshotCount = 4;
    g_snapshotNameCounter = 4;
    g_gestureSnapshots = {0, 1, 2, 3};
}

} // namespace

class GestureWindowTest : public GuiTest {
    Q_OBJECT

private:
    GestureWindow* Gesture() const {
        return qobject_cast<GestureWindow*>(Window()->ToolWindow(kCmdGestureWindow));
    }
    // The window opened by its command, 406 pixels wide so that its pad's span is 400.
    GestureWindow* OpenGesture() {
        PutCorners();
        GestureWindow* gesture = OpenTool<GestureWindow>(kCmdGestureWindow);
        if (gesture) {
            gesture->resize(406, gesture->height());
            QCoreApplication::processEvents();
            m_app->Sent();
        }
        return gesture;
    }
    // The window point over pad point (x, y).
    static QPoint OnPad(GestureWindow* gesture, int x, int y) {
        return gesture->Pad()->pos() + QPoint(x + 2, y + 2);
    }
    static void Mouse(GestureWindow* gesture, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent event(type, at, gesture->mapToGlobal(at), button, buttons, keys);
        QApplication::sendEvent(gesture, &event);
    }

private slots:
    void aDragSendsTheBlendsARightClickTogglesTheTransportAndF2StoresTheBlend() {
        GestureWindow* gesture = OpenGesture();
        QVERIFY(gesture);
        GesturePad* pad = gesture->Pad();
        const int below = pad->ClientBottom() + 50; // clamped to the bottom margin: fy = 1

        Mouse(gesture, QEvent::MouseMove, OnPad(gesture, 300, 40), Qt::NoButton, Qt::NoButton);
        QVERIFY(m_app->Sent().isEmpty());
        QCOMPARE(pad->Crosshair(), QPoint(300, 40));

        // Along the bottom edge the blend is between the bottom corners, 3 (20, 0) and 4 (120, 1).
        Mouse(gesture, QEvent::MouseButtonPress, OnPad(gesture, 400, below), Qt::LeftButton,
              Qt::LeftButton);
        QCOMPARE(m_app->Sent(), (QStringList{"B0 00 78", "B0 01 01"}));
        QCOMPARE(gesture->PositionText()->text(), QString("X: 1, Y: 1"));
        QVERIFY(pad->CurrentPen() == GesturePad::Pen::Active);
        // An output with no room for the blend now: it goes once the output has room again.
        m_app->Ports().room = 1;
        Mouse(gesture, QEvent::MouseMove, OnPad(gesture, 100, below), Qt::NoButton, Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(m_app->Sent().isEmpty());
        m_app->Ports().room = MidiOutPort::kAnyRoom;
        QTRY_VERIFY(!g_gesture.blendWaiting);
        QCOMPARE(m_app->Sent(), (QStringList{"B0 00 2D", "B0 01 00"}));
        Mouse(gesture, QEvent::MouseButtonRelease, OnPad(gesture, 100, below), Qt::LeftButton,
              Qt::NoButton);
        QVERIFY(pad->CurrentPen() == GesturePad::Pen::Normal);

        // Shift holds x where it was.
        Mouse(gesture, QEvent::MouseMove, OnPad(gesture, 350, 60), Qt::NoButton, Qt::NoButton,
              Qt::ShiftModifier);
        QCOMPARE(pad->Crosshair(), QPoint(100, 60));
        QCOMPARE(gesture->ModeText()->text(), QString("[X locked]"));

        // A right click toggles the transport; with F2 held it sends and stores the blend.
        const QPoint at = OnPad(gesture, 400, pad->ClientBottom());
        QTest::mouseClick(gesture, Qt::RightButton, Qt::NoModifier, at);
        QCOMPARE(g_transportStopped, 0);
        QCOMPARE(m_app->Sent().last(), QString("90 3C 40"));
        Mouse(gesture, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QTest::keyPress(gesture, Qt::Key_F2);
        QTest::mouseClick(gesture, Qt::RightButton, Qt::NoModifier, at);
        QTest::keyRelease(gesture, Qt::Key_F2);
        QCOMPARE(m_app->Sent(), (QStringList{"B0 00 78", "B0 01 01"}));
        QCOMPARE(gesture->CornerList(3)->itemText(4), QString("Snap5"));
        QVERIFY(pad->CurrentPen() == GesturePad::Pen::Flash);
        QTRY_VERIFY(pad->CurrentPen() == GesturePad::Pen::Normal);

        // The corner chosen is the project's, and a reopened window shows it.
        gesture->CornerList(3)->setCurrentIndex(0);
        emit gesture->CornerList(3)->activated(0);
        QCOMPARE(g_gestureSnapshots[3], 0);
        Window()->OnCommand(kCmdGestureWindow);
        QVERIFY(!Window()->IsToolWindowOpen(kCmdGestureWindow));
        Window()->OnCommand(kCmdGestureWindow);
        QVERIFY(Gesture() && QTest::qWaitForWindowExposed(Gesture()));
        QCOMPARE(Gesture()->CornerList(3)->currentIndex(), 0);
    }

    void aJoystickMovesThePointerAndItsButtonsMorphAndToggle() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        QCOMPARE(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 2, 0);
        QVERIFY2(device >= 0, SDL_GetError());
        SDL_Joystick* stick = SDL_JoystickOpen(device);
        QVERIFY(stick);
        const auto detach = qScopeGuard([&] {
            SDL_JoystickClose(stick);
            SDL_JoystickDetachVirtual(device);
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        });

        GestureWindow* gesture = OpenGesture();
        QVERIFY(gesture);
        // Away from the main window, so that the pointer's moves reach the gesture window.
        const QRect frame = Window()->frameGeometry();
        gesture->move(frame.right() + 40, frame.top());
        QCoreApplication::processEvents();
        const QPoint start = gesture->mapToGlobal(OnPad(gesture, 200, 40));
        QCursor::setPos(start);

        SDL_JoystickSetVirtualAxis(stick, 0, 32767);
        QTRY_VERIFY(QCursor::pos().x() >= start.x() + 32);
        SDL_JoystickSetVirtualAxis(stick, 0, 0);
        QVERIFY(m_app->Sent().isEmpty()); // no button: the crosshair follows, nothing is sent

        // Button 1 held while the stick moves down: the blends go out.
        SDL_JoystickSetVirtualButton(stick, 0, 1);
        SDL_JoystickSetVirtualAxis(stick, 1, 8192); // the slowest step down, 5 pixels
        QTRY_VERIFY(gesture->Pad()->CurrentPen() == GesturePad::Pen::Active);
        QVERIFY(!m_app->Sent().isEmpty());
        SDL_JoystickSetVirtualAxis(stick, 1, 0);
        SDL_JoystickSetVirtualButton(stick, 0, 0);
        QTRY_VERIFY(gesture->Pad()->CurrentPen() == GesturePad::Pen::Normal);

        // Button 2 is the right click.
        QCOMPARE(g_transportStopped, 1);
        SDL_JoystickSetVirtualButton(stick, 1, 1);
        QTRY_COMPARE(g_transportStopped, 0);
        SDL_JoystickSetVirtualButton(stick, 1, 0);
        gesture->close();
    }
};

QTEST_MAIN(GestureWindowTest)
#include "GestureWindowTest.moc"
