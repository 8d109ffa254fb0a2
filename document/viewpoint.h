// CViewpoint: where the eye stands around the target it looks at (the middle of the cursor
// cell), as two angles and a distance: the value behind the MoveEye commands, the mouse orbit
// and wheel, and the joystick's hat. It rises and sinks up to just short of straight above or
// below, turns without wrapping, and zooms no nearer than two cells.
#pragma once

// Limits and steps, computed from the single-precision pi the view has always used.
namespace viewpoint {
constexpr double PI_F = 3.14159;
constexpr double TURN_STEP = PI_F / 12;  // added in double, stored as float
constexpr double RAISE_STEP = PI_F / 24;
constexpr float ELEVATION_LIMIT = float(PI_F / 2);
constexpr float ZOOM_IN = 0.8f;
constexpr float ZOOM_OUT = 1.25f;
constexpr float NEAREST = 2.0f;
constexpr float DEFAULT_ELEVATION = 0.3926991f;  // pi / 8
constexpr float DEFAULT_AZIMUTH = 0.2617994f;    // pi / 12
constexpr double FIELD_OF_VIEW = 60.0;           // vertical, degrees
constexpr float FIT_MARGIN = 0.05f;              // of the half-width and half-height, left free
}  // namespace viewpoint

// A point in the space's coordinates (cell (x, y, z) fills [x, x+1] x [y, y+1] x [z, z+1]).
struct SViewPoint {
    float x = 0, y = 0, z = 0;
};

// The straight views: from above (x to the right, -z up the screen), from the front (the +z
// side, x to the right, y up) and from the side (the +x side, -z to the right, y up).
enum class EAxisView { Top, Front, Side };

class CViewpoint {
public:
    float elevation = viewpoint::DEFAULT_ELEVATION;
    float azimuth = viewpoint::DEFAULT_AZIMUTH;
    float distance = viewpoint::NEAREST;

    void EyeUp();
    void EyeDown();
    void EyeLeft();
    void EyeRight();
    void ZoomIn();
    // No upper limit, but the distance stays finite so that the eye can always come back.
    void ZoomOut();
    // The starting viewpoint for a space of these sizes.
    void Reset(int sizeY, int sizeZ);

    // The eye straight along an axis, at the distance where a whole space of these sizes fits
    // a view of this aspect (width / height); returns the point to look at, the space's middle.
    SViewPoint LookAlong(EAxisView view, int sizeX, int sizeY, int sizeZ, float aspect);
    // The distance becomes `distance` and the returned target moves toward `point` in the same
    // ratio, so that the eye travels along its line to `point`: what lies there stays under the
    // pointer while the view zooms.
    SViewPoint ZoomToward(const SViewPoint& target, const SViewPoint& point, float distance);
    // The target after dragging the scene by (dx, dy) pixels (y downward) in a view `height`
    // pixels high: what lay under the pointer at the target's depth stays under it.
    SViewPoint Pan(const SViewPoint& target, float dx, float dy, float height) const;
    // Unit vectors of the picture: to the right, up, and from the eye toward the target.
    void Axes(float right[3], float up[3], float forward[3]) const;
};
