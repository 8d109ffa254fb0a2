// Mouse navigation of the eye, as plain arithmetic: orbiting by a drag, zooming by wheel notches,
// and the distance at which the whole space fits in the view.
#pragma once

#include "view/camera.h"

struct SEyeAngles {
    float elevation;
    float azimuth;
};

// Radians the eye turns per pixel of drag.
constexpr float ORBIT_RADIANS_PER_PIXEL = 0.01f;
// One wheel notch, in the units of a wheel event's angle delta (eighths of a degree).
constexpr int WHEEL_NOTCH = 120;

// The eye angles after dragging by (dx, dy) pixels from `start` (y downward): a drag to the
// right turns the space to the right (the eye goes left around the target), a drag downward
// raises the eye; the elevation stays within the limits of the MoveEye commands.
SEyeAngles OrbitByDrag(SEyeAngles start, float dx, float dy);

// The distance after `notches` wheel notches (positive: away from the user, nearer), each one
// ZoomIn or ZoomOut step with their limits.
float ZoomByNotches(float distance, int notches);

// The smallest distance from `target` at which every corner of the box [0, size] lies inside a
// view of the given aspect (width / height) with the view's vertical field of view, leaving
// `margin` (a fraction of the half-width and half-height) free at the borders. At least the
// nearest distance of the zoom commands.
float FitDistance(const SVec3& size, const SVec3& target, SEyeAngles angles, float aspect, float margin = 0.05f);
// The same for the box [lo, hi].
float FitBoxDistance(const SVec3& lo, const SVec3& hi, const SVec3& target, SEyeAngles angles, float aspect,
                     float margin = 0.05f);
