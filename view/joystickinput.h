// What the joystick's readings mean for the view: normalised axes, the stick turned into world
// directions by the eye's azimuth, dead zones and fast thresholds, the repeat delay of a held
// stick, and the hat's angle as an eye command. No device access here.
#pragma once

#include <cstdint>

constexpr float JOY_DEAD_ZONE = 0.2f;     // horizontal axes: -0.2 < v < 0.2 is at rest
constexpr float JOY_FAST = 0.6f;          // at or beyond +-0.6 a move goes 10 cells
constexpr float JOY_TWIST_DEAD_ZONE = 0.3f;
constexpr float JOY_TWIST_FAST = 0.8f;
constexpr std::uint32_t JOY_REPEAT_DELAY_MS = 500;
constexpr unsigned JOY_HAT_CENTRED = 65535;  // any angle above 35900 means centred
constexpr int JOY_FAST_STEP = 10;

// position / (max - min) * 2 - 1, without subtracting min; anything outside [-1, 1] is 0.
float NormaliseAxis(long position, long min, long max);

inline bool HatCentred(unsigned angle) { return angle > 35900; }

enum EHatAction { HAT_NONE, HAT_ZOOM_IN, HAT_EYE_RIGHT, HAT_ZOOM_OUT, HAT_EYE_LEFT };
// The hat's angle in hundredths of a degree (0 forward, 9000 right); the four diagonals
// 4500, 13500, 22500 and 31500 themselves do nothing.
EHatAction HatAction(unsigned angle);

// The stick in world directions: h along x, d along z, v (the twist) along y.
struct SStickWorld {
    float h, d, v;
};
SStickWorld StickToWorld(float x, float y, float twist, float azimuth);
bool StickAtRest(const SStickWorld& w);

// The signed number of cells one axis asks for: 0 inside the dead zone, +-1 up to the fast
// threshold, +-JOY_FAST_STEP at or beyond it.
int AxisCells(float v, float deadZone, float fast);

// The repeat rule of a deflected stick: the first deflection moves at once and notes the time;
// after that it moves again only once `now` is JOY_REPEAT_DELAY_MS past that time, and from then
// on at every poll. Call only while the stick is out of its dead zone. Tick counts may wrap.
bool StickMayMove(bool& moving, std::uint32_t& tick, std::uint32_t now);
