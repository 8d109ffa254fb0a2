// Where the six dashed guide lines through the cursor cell run: short dashes over the three
// cells next to the cursor (near segments), long dashes from there to the border (far segments).
#pragma once

enum EGuideDirection { GUIDE_X_MINUS, GUIDE_X_PLUS, GUIDE_Y_MINUS, GUIDE_Y_PLUS, GUIDE_Z_MINUS, GUIDE_Z_PLUS };
constexpr int GUIDE_DIRECTIONS = 6;

// A stretch [from, to] along one axis.
struct SGuideSpan {
    float from;
    float to;
};

// The spans along one axis for cursor coordinate k on an axis of n cells; false when the
// direction has no such segment (cursor at the border, or too close to it for a far one).
bool NearGuideSpan(bool plus, int k, int n, SGuideSpan& span);
bool FarGuideSpan(bool plus, int k, int n, SGuideSpan& span);

// A segment in space: along the direction's axis, through the centre of the cursor cell.
struct SGuideSegment {
    float from[3];
    float to[3];
};

bool NearGuideSegment(int direction, const int cursor[3], const int size[3], SGuideSegment& segment);
bool FarGuideSegment(int direction, const int cursor[3], const int size[3], SGuideSegment& segment);

// Draws the segment as one GL line in the current colour, width and stipple.
void DrawGuideSegment(const SGuideSegment& segment);

// The axis (0 x, 1 y, 2 z) and sign of a direction.
inline int GuideAxis(int direction) { return direction / 2; }
inline bool GuidePlus(int direction) { return direction % 2 == 1; }
