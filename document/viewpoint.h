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
}  // namespace viewpoint

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
};
