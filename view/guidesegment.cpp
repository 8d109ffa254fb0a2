// Guide segment geometry; a pure function of the cursor and the space's size.
#include "view/guidesegment.h"

#include <algorithm>

bool NearGuideSpan(bool plus, int k, int n, SGuideSpan& span)
{
    if (!plus) {
        if (k <= 0) return false;
        span = {float(std::max(k - 3, 0)), k - 0.5f};
        return true;
    }
    if (k + 1 >= n) return false;
    span = {k + 1.5f, float(std::min(n, k + 4))};
    return true;
}

bool FarGuideSpan(bool plus, int k, int n, SGuideSpan& span)
{
    if (!plus) {
        if (k <= 0 || k - 3 < 0) return false;
        span = {0.0f, float(k - 3)};
        return true;
    }
    if (k + 1 >= n || n < k + 4) return false;
    span = {float(k + 4), float(n)};
    return true;
}

namespace {
bool MakeSegment(bool far, int direction, const int cursor[3], const int size[3], SGuideSegment& segment)
{
    const int axis = GuideAxis(direction);
    SGuideSpan span;
    bool present = far ? FarGuideSpan(GuidePlus(direction), cursor[axis], size[axis], span)
                       : NearGuideSpan(GuidePlus(direction), cursor[axis], size[axis], span);
    if (!present) return false;
    for (int a = 0; a < 3; a++) segment.from[a] = segment.to[a] = cursor[a] + 0.5f;
    segment.from[axis] = span.from;
    segment.to[axis] = span.to;
    return true;
}
}  // namespace

bool NearGuideSegment(int direction, const int cursor[3], const int size[3], SGuideSegment& segment)
{
    return MakeSegment(false, direction, cursor, size, segment);
}

bool FarGuideSegment(int direction, const int cursor[3], const int size[3], SGuideSegment& segment)
{
    return MakeSegment(true, direction, cursor, size, segment);
}
