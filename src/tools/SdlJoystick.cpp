#include "tools/SdlJoystick.h"

#include <SDL.h>
#include <dlfcn.h>

namespace {

// SDL is loaded when a joystick is first wanted, not linked: linked, it brings PulseAudio and
// libsndfile into every start of the program for the sake of one window.
struct SdlLibrary {
    decltype(&SDL_SetHint) setHint = nullptr;
    decltype(&SDL_InitSubSystem) initSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) quitSubSystem = nullptr;
    decltype(&SDL_NumJoysticks) numJoysticks = nullptr;
    decltype(&SDL_JoystickOpen) joystickOpen = nullptr;
    decltype(&SDL_JoystickClose) joystickClose = nullptr;
    decltype(&SDL_JoystickInstanceID) joystickInstanceId = nullptr;
    decltype(&SDL_JoystickUpdate) joystickUpdate = nullptr;
    decltype(&SDL_FlushEvents) flushEvents = nullptr;
    decltype(&SDL_PeepEvents) peepEvents = nullptr;
};

template <typename Function> bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// The library once loaded (it stays loaded), or null when it is not on this machine.
const SdlLibrary* Sdl() {
    static const SdlLibrary* const loaded = []() -> const SdlLibrary* {
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        static SdlLibrary sdl;
        if (!library || !Resolve(library, "SDL_SetHint", sdl.setHint) ||
            !Resolve(library, "SDL_InitSubSystem", sdl.initSubSystem) ||
            !Resolve(library, "SDL_QuitSubSystem", sdl.quitSubSystem) ||
            !Resolve(library, "SDL_NumJoysticks", sdl.numJoysticks) ||
            !Resolve(library, "SDL_JoystickOpen", sdl.joystickOpen) ||
            !Resolve(library, "SDL_JoystickClose", sdl.joystickClose) ||
            !Resolve(library, "SDL_JoystickInstanceID", sdl.joystickInstanceId) ||
            !Resolve(library, "SDL_JoystickUpdate", sdl.joystickUpdate) ||
            !Resolve(library, "SDL_FlushEvents", sdl.flushEvents) ||
            !Resolve(library, "SDL_PeepEvents", sdl.peepEvents)) {
            return nullptr;
        }
        return &sdl;
    }();
    return loaded;
}

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
    const SdlLibrary* sdl = Sdl();
    if (!sdl) {
        return false; // no SDL: the mouse alone
    }
    // SDL must leave SIGINT and SIGTERM to the program; and the program has no SDL window, so
    // the joystick reports while another window has the focus.
    sdl->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->setHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!m_started) {
        if (sdl->initSubSystem(SDL_INIT_JOYSTICK) != 0) {
            return false;
        }
        m_started = true;
    }
    SDL_Joystick* joystick = sdl->numJoysticks() > 0 ? sdl->joystickOpen(0) : nullptr;
    if (!joystick) {
        Close();
        return false;
    }
    m_joystick = joystick;
    m_instance = sdl->joystickInstanceId(joystick);
    // Events left from before the capture are not this window's.
    sdl->flushEvents(SDL_JOYAXISMOTION, SDL_JOYDEVICEREMOVED);
    return true;
}

void SdlJoystick::Close() {
    if (m_joystick) {
        Sdl()->joystickClose(JoystickOf(m_joystick));
        m_joystick = nullptr;
        m_instance = -1;
    }
    if (m_started) {
        Sdl()->quitSubSystem(SDL_INIT_JOYSTICK);
        m_started = false;
    }
}

std::vector<JoystickChange> SdlJoystick::Poll() {
    std::vector<JoystickChange> changes;
    if (!m_joystick) {
        return changes;
    }
    const SdlLibrary* sdl = Sdl(); // loaded: the joystick was opened through it
    sdl->joystickUpdate();
    SDL_Event events[32];
    int count = 0;
    bool lost = false;
    // Only the joystick's own events are taken from SDL's queue.
    while ((count = sdl->peepEvents(events, 32, SDL_GETEVENT, SDL_JOYAXISMOTION,
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
        Sdl()->joystickClose(JoystickOf(m_joystick));
        m_joystick = nullptr;
        m_instance = -1;
    }
    return changes;
}
