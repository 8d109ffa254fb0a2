// The eye orbiting its target, and the near and far planes that keep the space inside the view.
#pragma once

#include "document/viewpoint.h"

struct SVec3 {
    float x;
    float y;
    float z;
};

// Eye = target + distance * (cos e sin a, sin e, cos e cos a): at azimuth 0 the eye lies on the
// +z side of the target, y is up.
SVec3 EyePosition(const SVec3& target, float elevation, float azimuth, float distance);

// The cell index of an eye coordinate, truncated toward zero; coordinates beyond any space
// (an eye zoomed far out) are held to a range where the conversion stays defined.
inline int EyeCellIndex(float v)
{
    const float limit = 1.0e9f;
    return int(v > limit ? limit : v < -limit ? -limit : v);
}

struct SClipPlanes {
    float zNear;
    float zFar;
};

// Planes for a space filling [0, size] on each axis: near reaches the point of the box closest to
// the eye (at least 0.5), far the box's corner beyond the target; then 10% slack on both.
SClipPlanes ComputeClipPlanes(const SVec3& size, const SVec3& target, const SVec3& eye, float distance);

