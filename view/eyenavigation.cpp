// Eye navigation arithmetic; see eyenavigation.h.
#include "view/eyenavigation.h"

#include <algorithm>
#include <cmath>

using namespace viewpoint;

SEyeAngles OrbitByDrag(SEyeAngles start, float dx, float dy)
{
    SEyeAngles eye;
    eye.azimuth = start.azimuth - dx * ORBIT_RADIANS_PER_PIXEL;
    eye.elevation = std::clamp(start.elevation + dy * ORBIT_RADIANS_PER_PIXEL, -ELEVATION_LIMIT, ELEVATION_LIMIT);
    return eye;
}

float ZoomByNotches(float distance, int notches)
{
    for (; notches > 0; notches--) distance = std::max(distance * ZOOM_IN, NEAREST);
    for (; notches < 0; notches++) {
        const float farther = distance * ZOOM_OUT;
        if (!std::isfinite(farther)) break;
        distance = farther;
    }
    return distance;
}

float FitDistance(const SVec3& size, const SVec3& target, SEyeAngles angles, float aspect, float margin)
{
    return FitBoxDistance({0, 0, 0}, size, target, angles, aspect, margin);
}

float FitBoxDistance(const SVec3& lo, const SVec3& hi, const SVec3& target, SEyeAngles angles, float aspect,
                     float margin)
{
    // The camera's axes as gluLookAt builds them: forward f from the eye to the target, side
    // s = f x up, true up u = s x f. A point P seen from eye = target - d f lies at depth
    // (P - target).f + d and off the axis by (P - target).s and (P - target).u.
    const float ce = std::cos(angles.elevation), se = std::sin(angles.elevation);
    const float sa = std::sin(angles.azimuth), ca = std::cos(angles.azimuth);
    const float f[3] = {-ce * sa, -se, -ce * ca};
    float s[3] = {-f[2], 0, f[0]};  // f x (0, 1, 0)
    const float sl = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    s[0] /= sl;
    s[2] /= sl;
    const float u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};

    const float tanV = float(std::tan(FIELD_OF_VIEW / 2 * 3.14159265358979 / 180)) * (1 - margin);
    const float tanH = tanV * aspect;
    float distance = NEAREST;
    for (int corner = 0; corner < 8; corner++) {
        const float p[3] = {(corner & 1 ? hi.x : lo.x) - target.x, (corner & 2 ? hi.y : lo.y) - target.y,
                            (corner & 4 ? hi.z : lo.z) - target.z};
        const float x = p[0] * s[0] + p[1] * s[1] + p[2] * s[2];
        const float y = p[0] * u[0] + p[1] * u[1] + p[2] * u[2];
        const float depth = p[0] * f[0] + p[1] * f[1] + p[2] * f[2];
        distance = std::max({distance, std::abs(x) / tanH - depth, std::abs(y) / tanV - depth});
    }
    return distance;
}
