#pragma once
// The gesture window without its widgets: where its controls stand, what a pointer event on the
// pad does (the crosshair, the axis locks, the fractions and the morph), the right click, the
// corner choices and the joystick's steps. The window shows what these return.

#include <array>
#include <cstdint>
#include <string>

#include "panel/PanelLayout.h"

inline constexpr int kGestureCornerCount = 4;

// The child controls for a client area of width × height and the dialog base unit height u.
struct GestureLayout {
    Rect pad;
    std::array<Rect, kGestureCornerCount> corners{}; // top-left, top-right, bottom-left, -right
    Rect modeText;
    Rect positionText;
};
GestureLayout LayOutGesture(int width, int height, int u);

// The width of the pad's sunken edge: the pad's client area starts this far inside it.
inline constexpr int kGesturePadEdge = 2;

enum GestureModifier : unsigned {
    kGestureShift = 1u,
    kGestureCtrl = 2u,
};

enum class GestureMode { Free, XLocked, YLocked, Clip };

// The crosshair and the joystick, kept while the window is open.
struct GestureState {
    int lastX = 0; // the crosshair in the pad's client coordinates
    int lastY = 0;
    float fx = 0.0f;
    float fy = 0.0f;
    int joystickButton1 = 0;
    bool blendWaiting = false; // the blend at (fx, fy) waits for room at the output
    std::array<int, 2> joystickAxes{32768, 32768}; // x, y in 0..65535; centred at start
};
extern GestureState g_gesture;
void ResetGestureState();

// What one pointer event did: the crosshair to erase, the one to draw, and the texts.
struct GesturePointerResult {
    int oldX = 0;
    int oldY = 0;
    int x = 0;
    int y = 0;
    float fx = 0.0f;
    float fy = 0.0f;
    GestureMode mode = GestureMode::Free;
    std::string modeText;
    std::string positionText;
    bool sent = false; // drawn with the active pen: the blend went out
};

// A pointer move or left button down at (mouseX, mouseY) of the window's client area, over a
// pad whose client area is padRight × padBottom. With the left button or joystick button 1
// down the four corners are blended into the panel and sent.
GesturePointerResult GesturePointer(int mouseX, int mouseY, unsigned modifiers, bool leftDown,
                                    int padRight, int padBottom, int u);

// Sends the blend that waits for room at the output, if there is room now; true while it still
// waits. The window calls it every millisecond or so while `g_gesture.blendWaiting`.
bool SendWaitingGestureBlend();

// "X: 0.5, Y: 1": each fraction with two significant digits.
std::string GesturePositionText(float fx, float fy);

enum class GestureRightClick { TransportToggled, SnapshotStored, SnapshotRefused };
// A right click (or joystick button 2): the transport toggled, or with F2 held the blend sent
// and stored as a new snapshot that every open view shows.
GestureRightClick GestureRightButton(bool f2Held);

// The user chose list position `position` in corner list `corner`.
void ChooseGestureCorner(int corner, int position);

// The title: whether a joystick was captured.
std::string GestureTitle(bool joystick);

// The pointer step of one joystick axis at position 0..65535: none in the middle, faster
// towards either end.
int JoystickAxisStep(int position);
// An axis (0 x, 1 y) moved to `value` in SDL's range -32768..32767.
void GestureJoystickAxis(int axis, int value);
// A joystick button changed; true when it was button 2 pressed, which acts as a right click.
bool GestureJoystickButton(int button, bool down);
struct PointerStep {
    int dx = 0;
    int dy = 0;
};
// How far the joystick moves the mouse pointer at each of its ticks.
PointerStep GestureJoystickStep();
