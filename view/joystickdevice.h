// Joystick 1 through SDL: the first joystick SDL knows, opened when it appears and let go when
// it goes. Without SDL's joystick subsystem, or without a joystick, it simply reads nothing.
#pragma once

struct _SDL_Joystick;

// One full reading, in the terms the view works with.
struct SJoyPosition {
    long x = 32768, y = 32768, twist = 32768;  // raw positions over the range below
    long min = 0, max = 65535;                 // the range of every axis
    unsigned buttons = 0;                      // bit i: button i + 1 is down
    int buttonNumber = 0;                      // the lowest button that is down (1-based), 0 none
    unsigned hat = 65535;                      // hundredths of a degree; 65535 centred
};

class CJoystickDevice {
public:
    CJoystickDevice();
    ~CJoystickDevice();
    CJoystickDevice(const CJoystickDevice&) = delete;
    CJoystickDevice& operator=(const CJoystickDevice&) = delete;

    // Whether SDL's joystick subsystem started.
    bool IsStarted() const { return m_bStarted; }
    // Lets SDL take in the device's new state; opens the first joystick when none is open.
    // False when there is no joystick.
    bool Update();
    // The state taken in by the last Update; false without a joystick.
    bool Read(SJoyPosition& position) const;

private:
    bool m_bStarted = false;
    _SDL_Joystick* m_joystick = nullptr;
};

// SDL reports a hat as a bit mask; the view wants the angle.
unsigned HatMaskToAngle(unsigned mask);
