// Joystick decisions; see joystickinput.h.
#include "view/joystickinput.h"

#include <cmath>

float NormaliseAxis(long position, long min, long max)
{
    if (max == min) return 0.0f;
    const float v = float(position) / float(max - min) * 2.0f - 1.0f;
    return v < -1.0f || v > 1.0f ? 0.0f : v;
}

EHatAction HatAction(unsigned angle)
{
    if (HatCentred(angle)) return HAT_NONE;
    if (angle < 4500 || angle > 31500) return HAT_ZOOM_IN;
    if (angle > 4500 && angle < 13500) return HAT_EYE_RIGHT;
    if (angle > 13500 && angle < 22500) return HAT_ZOOM_OUT;
    if (angle > 22500 && angle < 31500) return HAT_EYE_LEFT;
    return HAT_NONE;
}

SStickWorld StickToWorld(float x, float y, float twist, float azimuth)
{
    const float c = std::cos(azimuth), s = std::sin(azimuth);
    const float root2 = std::sqrt(2.0f);
    return {(x * c + y * s) / root2, (y * c - x * s) / root2, twist};
}

bool StickAtRest(const SStickWorld& w)
{
    auto inside = [](float v, float zone) { return -zone < v && v < zone; };
    return inside(w.h, JOY_DEAD_ZONE) && inside(w.d, JOY_DEAD_ZONE) && inside(w.v, JOY_TWIST_DEAD_ZONE);
}

int AxisCells(float v, float deadZone, float fast)
{
    if (v <= -fast) return -JOY_FAST_STEP;
    if (v <= -deadZone) return -1;
    if (v >= fast) return JOY_FAST_STEP;
    if (v >= deadZone) return 1;
    return 0;
}

bool StickMayMove(bool& moving, std::uint32_t& tick, std::uint32_t now)
{
    if (!moving) {
        moving = true;
        tick = now;
        return true;
    }
    // The tick is not renewed: once the delay is over, every poll moves.
    return std::uint32_t(now - tick) >= JOY_REPEAT_DELAY_MS;
}
