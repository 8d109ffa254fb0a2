// Camera geometry for the scene; pure arithmetic, no GL.
#include "view/camera.h"

#include <algorithm>
#include <cmath>

SVec3 EyePosition(const SVec3& target, float elevation, float azimuth, float distance)
{
    const float c = std::cos(elevation);
    return {target.x + distance * c * std::sin(azimuth), target.y + distance * std::sin(elevation),
            target.z + distance * c * std::cos(azimuth)};
}

namespace {
float Length(float dx, float dy, float dz) { return std::sqrt(dx * dx + dy * dy + dz * dz); }
}  // namespace

SClipPlanes ComputeClipPlanes(const SVec3& size, const SVec3& target, const SVec3& eye, float distance)
{
    const SVec3 nearPoint = {std::clamp(eye.x, 0.0f, size.x), std::clamp(eye.y, 0.0f, size.y),
                             std::clamp(eye.z, 0.0f, size.z)};
    const SVec3 farCorner = {target.x > eye.x ? size.x : 0.0f, target.y > eye.y ? size.y : 0.0f,
                             target.z > eye.z ? size.z : 0.0f};
    float zNear = distance - Length(target.x - nearPoint.x, target.y - nearPoint.y, target.z - nearPoint.z);
    float zFar = Length(target.x - farCorner.x, target.y - farCorner.y, target.z - farCorner.z) + distance;
    if (zNear < 0.5f) zNear = 0.5f;
    return {zNear * 0.9f, zFar * 1.1f};
}
