// CViewpoint: each step is computed in double and stored as float, as the view always did, so
// that the same keys give the same picture.
#include "document/viewpoint.h"

#include <algorithm>
#include <cmath>

using namespace viewpoint;

void CViewpoint::EyeUp()
{
    elevation = float(elevation + RAISE_STEP);
    if (elevation > ELEVATION_LIMIT) elevation = ELEVATION_LIMIT;
}

void CViewpoint::EyeDown()
{
    elevation = float(elevation - RAISE_STEP);
    if (elevation < -ELEVATION_LIMIT) elevation = -ELEVATION_LIMIT;
}

// The azimuth is never wrapped; the cursor commands reduce it themselves.
void CViewpoint::EyeLeft() { azimuth = float(azimuth - TURN_STEP); }
void CViewpoint::EyeRight() { azimuth = float(azimuth + TURN_STEP); }

void CViewpoint::ZoomIn()
{
    distance *= ZOOM_IN;
    if (distance < NEAREST) distance = NEAREST;
}

void CViewpoint::ZoomOut()
{
    const float farther = distance * ZOOM_OUT;
    if (std::isfinite(farther)) distance = farther;
}

void CViewpoint::Reset(int sizeY, int sizeZ)
{
    elevation = DEFAULT_ELEVATION;
    azimuth = DEFAULT_AZIMUTH;
    distance = float(sizeY + sizeZ);
}

// --- Views and the mouse -------------------------------------------------------------------

namespace {
double HalfFieldTangent() { return std::tan(FIELD_OF_VIEW / 2 * 3.14159265358979 / 180); }
}  // namespace

// Seen straight along an axis the space is a rectangle across the picture; its near face lies
// half the depth in front of the target.
SViewPoint CViewpoint::LookAlong(EAxisView view, int sizeX, int sizeY, int sizeZ, float aspect)
{
    float across = float(sizeX), upward = float(sizeY), depth = float(sizeZ);
    switch (view) {
    case EAxisView::Top:
        elevation = ELEVATION_LIMIT;
        azimuth = 0;
        upward = float(sizeZ);
        depth = float(sizeY);
        break;
    case EAxisView::Front:
        elevation = 0;
        azimuth = 0;
        break;
    case EAxisView::Side:
        elevation = 0;
        azimuth = float(PI_F / 2);
        across = float(sizeZ);
        depth = float(sizeX);
        break;
    }
    const double tanV = HalfFieldTangent() * (1 - FIT_MARGIN);
    const double tanH = tanV * (aspect > 0 ? aspect : 1.0f);
    distance = std::max(float(std::max(across / 2 / tanH, upward / 2 / tanV) + depth / 2), NEAREST);
    return {sizeX / 2.0f, sizeY / 2.0f, sizeZ / 2.0f};
}

SViewPoint CViewpoint::ZoomToward(const SViewPoint& target, const SViewPoint& point, float newDistance)
{
    const float ratio = distance > 0 ? newDistance / distance : 1.0f;
    distance = newDistance;
    return {point.x + (target.x - point.x) * ratio, point.y + (target.y - point.y) * ratio,
            point.z + (target.z - point.z) * ratio};
}

SViewPoint CViewpoint::Pan(const SViewPoint& target, float dx, float dy, float height) const
{
    float right[3], up[3], forward[3];
    Axes(right, up, forward);
    // One pixel at the target's depth.
    const float unit = height > 0 ? float(2 * distance * HalfFieldTangent() / height) : 0.0f;
    return {target.x - (right[0] * dx - up[0] * dy) * unit, target.y - (right[1] * dx - up[1] * dy) * unit,
            target.z - (right[2] * dx - up[2] * dy) * unit};
}

// As a look from the eye to the target with y up: right = forward x y, up = right x forward.
void CViewpoint::Axes(float right[3], float up[3], float forward[3]) const
{
    const float ce = std::cos(elevation), se = std::sin(elevation);
    const float sa = std::sin(azimuth), ca = std::cos(azimuth);
    forward[0] = -ce * sa;
    forward[1] = -se;
    forward[2] = -ce * ca;
    const float length = std::hypot(forward[0], forward[2]);
    right[0] = -forward[2] / length;
    right[1] = 0;
    right[2] = forward[0] / length;
    up[0] = right[1] * forward[2] - right[2] * forward[1];
    up[1] = right[2] * forward[0] - right[0] * forward[2];
    up[2] = right[0] * forward[1] - right[1] * forward[0];
}
