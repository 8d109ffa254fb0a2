// Picking by colour: the guide lines (or the cursor cell) are drawn in flat colours into an
// offscreen target that is never shown, and the pixel under the mouse tells what was hit.
#pragma once

#include <memory>

#include "document/viewpoint.h"
#include "view/guidesegment.h"

class CTesseraView;
class QOpenGLFramebufferObject;

// One pixel as read back from an 8-bit target.
struct SPickPixel {
    unsigned char r, g, b;
};

// A component is high above 0.5 and low below it. A colour written as exactly 0.5 comes back
// as 127 or 128 depending on the renderer's rounding, so both count as neither.
inline bool PickHigh(unsigned char c) { return c > 128; }
inline bool PickLow(unsigned char c) { return c < 127; }
inline bool PickAllHigh(SPickPixel p) { return PickHigh(p.r) && PickHigh(p.g) && PickHigh(p.b); }
inline bool PickAllLow(SPickPixel p) { return PickLow(p.r) && PickLow(p.g) && PickLow(p.b); }

// The flat colour each guide direction is drawn in for picking (EGuideDirection order).
struct SPickColour {
    float r, g, b;
};
SPickColour GuidePickColour(int direction);

// The direction whose picking colour the pixel shows, or -1. The colours are tested in the
// order -x, +x, -y, +y, -z, +z.
int ClassifyPickPixel(SPickPixel p);

// The unit segment [unit, unit + 1] along the direction's axis, through the centre line of the
// cursor's row; the search along a guide line adds these one by one.
SGuideSegment UnitGuideSegment(int direction, const int cursor[3], int unit);

// A hit on a guide line: the direction and how many cursor moves it asks for (possibly 0).
struct SGuidePick {
    int direction = -1;
    int moves = 0;
};

// The point of the scene under a window point: on the first cell face or floor the line from
// the eye through the pixel meets, or, where it meets neither, on the plane through the target
// facing the eye. `along` is that line's direction.
struct SScenePick {
    bool onScene = false;
    SViewPoint point;
    SViewPoint along;
};

// Draws the picking passes for a view into its own framebuffer, sized like the view. Each call
// makes the view's context current and leaves the view's own framebuffer untouched.
class CGuidePicker {
public:
    explicit CGuidePicker(CTesseraView& view);
    ~CGuidePicker();
    CGuidePicker(const CGuidePicker&) = delete;
    CGuidePicker& operator=(const CGuidePicker&) = delete;

    // The guide line under the window point (x, y) (logical pixels, y downward) and the count
    // of moves along it to the clicked cell; direction -1 when no guide line is there or the
    // point lies on the cursor cell, where the lines meet.
    SGuidePick PickGuide(int x, int y);
    // True when the window point lies on the cursor cell's image, also where guide lines cross it.
    bool PickCursorCell(int x, int y);
    // The cells and the floor as drawn, without cursor, guide lines or overlays; false when the
    // view has no GL context yet.
    bool PickScenePoint(int x, int y, SScenePick& pick);
    // Frees the GL resources; the view's context must be current.
    void Release();

private:
    bool Begin(int x, int y);
    void End();
    SPickPixel ReadPixel() const;
    void Clear() const;
    int CountMoves(int direction);
    void MaskCursorCell(float level);

    CTesseraView& m_view;
    std::unique_ptr<QOpenGLFramebufferObject> m_target;
    int m_px = 0, m_py = 0;  // the pixel under the mouse, in the target's rows (y upward)
};
