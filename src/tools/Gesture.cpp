#include "tools/Gesture.h"

#include <algorithm>
#include <cstdio>

#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/Ui.h"
#include "midi/MidiDevices.h"
#include "panel/PanelLogic.h"
#include "resources/Strings.h"
#include "snapshots/Snapshots.h"

GestureState g_gesture;

void ResetGestureState() {
    g_gesture = GestureState{};
}

namespace {

// A blend goes out whole or waits: when the output cannot take all of it now (a JACK port whose
// cycles are full), the latest blend goes once there is room, so a fast drag never leaves the
// receiver with part of one blend and part of another.
void SendGestureBlend() {
    g_gesture.blendWaiting = MidiOutputRoom() < MorphMessageCount();
    if (!g_gesture.blendWaiting) {
        MorphSnapshots(g_gesture.fx, g_gesture.fy);
    }
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

GestureMode ModeOf(unsigned modifiers) {
    const bool shift = (modifiers & kGestureShift) != 0;
    const bool ctrl = (modifiers & kGestureCtrl) != 0;
    if (shift && ctrl) {
        return GestureMode::Clip;
    }
    return shift ? GestureMode::XLocked : ctrl ? GestureMode::YLocked : GestureMode::Free;
}

std::string ModeText(GestureMode mode) {
    switch (mode) {
    case GestureMode::XLocked:
        return Str(kStrGestureXLocked);
    case GestureMode::YLocked:
        return Str(kStrGestureYLocked);
    case GestureMode::Clip:
        return Str(kStrGestureClipMode);
    case GestureMode::Free:
        break;
    }
    return "";
}

// The fraction of the pad's span at `at`; a pad too small to have a span gives its far end.
float Fraction(int at, int far) {
    if (far < 1) {
        return 1.0f;
    }
    return std::clamp(static_cast<float>(at) / static_cast<float>(far), 0.0f, 1.0f);
}

std::string TwoDigits(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2g", static_cast<double>(value));
    return text;
}

} // namespace

GestureLayout LayOutGesture(int width, int height, int u) {
    const int third = width / 3;
    const int listWidth = std::max(third - 1, 0);
    const int textX = (width - third) / 2;
    GestureLayout layout;
    layout.pad = {0, 2 * u, width, std::max(height - 4 * u, 0)};
    const int topRow = u / 2 + 1;
    const int bottomRow = height - 2 * u + 2;
    layout.corners[0] = {1, topRow, listWidth, u};
    layout.corners[1] = {2 * third + 1, topRow, listWidth, u};
    layout.corners[2] = {1, bottomRow, listWidth, u};
    layout.corners[3] = {2 * third + 1, bottomRow, listWidth, u};
    layout.modeText = {textX, u / 2, third, u};
    layout.positionText = {textX, height - u / 2 - u, third, u};
    return layout;
}

GesturePointerResult GesturePointer(int mouseX, int mouseY, unsigned modifiers, bool leftDown,
                                    int padRight, int padBottom, int u) {
    GesturePointerResult result;
    result.oldX = g_gesture.lastX;
    result.oldY = g_gesture.lastY;
    result.mode = ModeOf(modifiers);
    result.modeText = ModeText(result.mode);

    // The pointer in the pad's client coordinates.
    const int padX = mouseX - kGesturePadEdge;
    const int padY = mouseY - (2 * u + kGesturePadEdge);
    int x = padX;
    int y = padY;
    switch (result.mode) {
    case GestureMode::Free:
        break;
    case GestureMode::XLocked:
        x = g_gesture.lastX;
        break;
    case GestureMode::YLocked:
        y = g_gesture.lastY;
        break;
    case GestureMode::Clip: {
        // One pixel diagonally towards the pointer, compared where the crosshair is drawn, so
        // that a pointer resting on the crosshair leaves it there.
        const int sx = Sign(padX - g_gesture.lastX);
        const int sy = Sign(padY - g_gesture.lastY);
        x = g_gesture.lastX;
        y = g_gesture.lastY;
        if (sx != 0 && sy != 0) {
            x += sx;
            y += sy;
        }
        break;
    }
    }
    // A pad smaller than its margins keeps the crosshair at the margin.
    const int farX = padRight - 2;
    const int farY = padBottom - 2;
    x = std::clamp(x, 2, std::max(farX, 2));
    y = std::clamp(y, 2, std::max(farY, 2));

    result.x = x;
    result.y = y;
    result.fx = Fraction(x, farX);
    result.fy = Fraction(y, farY);
    result.positionText = GesturePositionText(result.fx, result.fy);
    g_gesture.lastX = x;
    g_gesture.lastY = y;
    g_gesture.fx = result.fx;
    g_gesture.fy = result.fy;
    if (leftDown || g_gesture.joystickButton1 != 0) {
        result.sent = true;
        SendGestureBlend();
    }
    return result;
}

bool SendWaitingGestureBlend() {
    if (g_gesture.blendWaiting) {
        SendGestureBlend();
    }
    return g_gesture.blendWaiting;
}

std::string GesturePositionText(float fx, float fy) {
    std::string text = Str(kStrGesturePosition);
    for (const float value : {fx, fy}) {
        const std::size_t at = text.find("%s");
        if (at != std::string::npos) {
            text.replace(at, 2, TwoDigits(value));
        }
    }
    return text;
}

GestureRightClick GestureRightButton(bool f2Held) {
    if (!f2Held) {
        ToggleTransport();
        return GestureRightClick::TransportToggled;
    }
    MorphSnapshots(g_gesture.fx, g_gesture.fy);
    const int k = AddPanelSnapshot();
    if (k == 0) {
        return GestureRightClick::SnapshotRefused;
    }
    const std::string name(TextOf(g_snapshots.Peek(k).name));
    // The panel and the project manager are made afresh to list the new snapshot; the gesture
    // window, where the user is working, stays in front of them.
    if (g_gestureView) {
        g_gestureView->KeepInFront(true);
    }
    for (const int command : {kCmdVirtualPanel, kCmdProjectManager}) {
        if (g_ui && g_ui->IsWindowOpen(command)) {
            g_ui->SendCommand(command);
            g_ui->SendCommand(command);
        }
    }
    if (g_gestureView) {
        g_gestureView->KeepInFront(false);
        g_gestureView->AppendCornerName(name);
    }
    return GestureRightClick::SnapshotStored;
}

void ChooseGestureCorner(int corner, int position) {
    if (corner < 0 || corner >= kGestureCornerCount || position < 0 ||
        position >= g_snapshotCount) {
        return;
    }
    g_gestureSnapshots[static_cast<std::size_t>(corner)] = position;
}

std::string GestureTitle(bool joystick) {
    return Str(joystick ? kStrGestureTitleJoystick : kStrGestureTitle);
}

int JoystickAxisStep(int position) {
    const int p = std::clamp(position, 0, 65535) / 2048;
    if (p < 13) {
        return p - 17;
    }
    if (p >= 20) {
        return p - 15;
    }
    return 0;
}

void GestureJoystickAxis(int axis, int value) {
    if (axis < 0 || axis > 1) {
        return;
    }
    g_gesture.joystickAxes[static_cast<std::size_t>(axis)] =
        std::clamp(value, -32768, 32767) + 32768;
}

bool GestureJoystickButton(int button, bool down) {
    if (button == 0) {
        g_gesture.joystickButton1 = down ? 1 : 0;
    }
    return button == 1 && down;
}

PointerStep GestureJoystickStep() {
    return {JoystickAxisStep(g_gesture.joystickAxes[0]),
            JoystickAxisStep(g_gesture.joystickAxes[1])};
}
