#pragma once
// The joystick through SDL 2: joystick 0 opened with only SDL's joystick subsystem running, its
// changes read when the owner polls, on the owner's thread. SDL runs no thread of its own that
// reaches our state, and installs no signal handler.

#include <vector>

struct JoystickChange {
    enum Kind { Axis, ButtonDown, ButtonUp };
    Kind kind = Axis;
    int index = 0; // the axis or button, from 0
    int value = 0; // an axis's position, -32768..32767
};

class SdlJoystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick();
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Captures joystick 0; false when SDL cannot start or no joystick is there.
    bool Open();
    void Close();
    bool IsOpen() const { return m_joystick != nullptr; }
    // The joystick's changes since the last poll, in order.
    std::vector<JoystickChange> Poll();

private:
    void* m_joystick = nullptr; // SDL_Joystick*, kept out of the header
    int m_instance = -1;
    bool m_started = false;
};
