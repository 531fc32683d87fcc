#include "tools/SdlJoystick.h"

#include <SDL.h>

namespace {

SDL_Joystick* JoystickOf(void* joystick) {
    return static_cast<SDL_Joystick*>(joystick);
}

} // namespace

SdlJoystick::~SdlJoystick() {
    Close();
}

bool SdlJoystick::Open() {
    if (m_joystick) {
        return true;
    }
    // SDL must leave SIGINT and SIGTERM to the program; and the program has no SDL window, so
    // the joystick reports while another window has the focus.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!m_started) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
            return false;
        }
        m_started = true;
    }
    SDL_Joystick* joystick = SDL_NumJoysticks() > 0 ? SDL_JoystickOpen(0) : nullptr;
    if (!joystick) {
        Close();
        return false;
    }
    m_joystick = joystick;
    m_instance = SDL_JoystickInstanceID(joystick);
    // Events left from before the capture are not this window's.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYDEVICEREMOVED);
    return true;
}

void SdlJoystick::Close() {
    if (m_joystick) {
        SDL_JoystickClose(JoystickOf(m_joystick));
        m_joystick = nullptr;
        m_instance = -1;
    }
    if (m_started) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        m_started = false;
    }
}

std::vector<JoystickChange> SdlJoystick::Poll() {
    std::vector<JoystickChange> changes;
    if (!m_joystick) {
        return changes;
    }
    SDL_JoystickUpdate();
    SDL_Event events[32];
    int count = 0;
    bool lost = false;
    // Only the joystick's own events are taken from SDL's queue.
    while ((count = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_JOYAXISMOTION,
                                   SDL_JOYDEVICEREMOVED)) > 0) {
        for (int i = 0; i < count; ++i) {
            const SDL_Event& event = events[i];
            switch (event.type) {
            case SDL_JOYAXISMOTION:
                if (event.jaxis.which == m_instance) {
                    changes.push_back({JoystickChange::Axis, event.jaxis.axis, event.jaxis.value});
                }
                break;
            case SDL_JOYBUTTONDOWN:
            case SDL_JOYBUTTONUP:
                if (event.jbutton.which == m_instance) {
                    changes.push_back({event.type == SDL_JOYBUTTONDOWN ? JoystickChange::ButtonDown
                                                                       : JoystickChange::ButtonUp,
                                       event.jbutton.button, 0});
                }
                break;
            case SDL_JOYDEVICEREMOVED:
                if (event.jdevice.which == m_instance) {
                    // Unplugged: the pointer stops and the button lets go.
                    changes.push_back({JoystickChange::Axis, 0, 0});
                    changes.push_back({JoystickChange::Axis, 1, 0});
                    changes.push_back({JoystickChange::ButtonUp, 0, 0});
                    lost = true;
                }
                break;
            default:
                break;
            }
        }
    }
    if (lost) {
        SDL_JoystickClose(JoystickOf(m_joystick));
        m_joystick = nullptr;
        m_instance = -1;
    }
    return changes;
}
