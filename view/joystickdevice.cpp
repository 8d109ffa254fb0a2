// Joystick 1 through SDL's joystick API. SDL queues no events here: the view polls, so each
// Update asks SDL to read the devices (SDL_JoystickUpdate) and Read takes the current state.
#include "view/joystickdevice.h"

#include <SDL.h>

namespace {
// SDL axes are -32768 ... 32767; the view reads them as 0 ... 65535.
long RawAxis(SDL_Joystick* joystick, int axis)
{
    if (axis >= SDL_JoystickNumAxes(joystick)) return 32768;
    return long(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}
}  // namespace

unsigned HatMaskToAngle(unsigned mask)
{
    switch (mask) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return 65535;
    }
}

CJoystickDevice::CJoystickDevice()
{
    // The editor keeps its own handling of Ctrl+C and termination.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_bStarted = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (m_bStarted) SDL_JoystickEventState(SDL_IGNORE);
}

CJoystickDevice::~CJoystickDevice()
{
    if (!m_bStarted) return;
    if (m_joystick) SDL_JoystickClose(m_joystick);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool CJoystickDevice::Update()
{
    if (!m_bStarted) return false;
    SDL_JoystickUpdate();
    if (m_joystick && !SDL_JoystickGetAttached(m_joystick)) {
        SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
    }
    if (!m_joystick && SDL_NumJoysticks() > 0) {
        m_joystick = SDL_JoystickOpen(0);
        if (m_joystick) SDL_JoystickUpdate();
    }
    return m_joystick != nullptr;
}

bool CJoystickDevice::Read(SJoyPosition& position) const
{
    if (!m_joystick) return false;
    position = SJoyPosition();
    position.x = RawAxis(m_joystick, 0);
    position.y = RawAxis(m_joystick, 1);
    position.twist = RawAxis(m_joystick, 2);  // the rudder (twist) axis
    const int buttons = SDL_JoystickNumButtons(m_joystick);
    for (int b = 0; b < buttons && b < 32; b++)
        if (SDL_JoystickGetButton(m_joystick, b)) {
            position.buttons |= 1u << b;
            if (position.buttonNumber == 0) position.buttonNumber = b + 1;
        }
    position.hat = SDL_JoystickNumHats(m_joystick) > 0 ? HatMaskToAngle(SDL_JoystickGetHat(m_joystick, 0)) : 65535;
    return true;
}
