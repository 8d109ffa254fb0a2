// CLeftMatcher: tells whether a rule's left side matches a unit's cells at a position.
#pragma once

#include "space/cellcodes.h"
#include "space/space.h"

class CLeftMatcher {
public:
    CLeftMatcher(const CSpace& view, const CSpace& left)
        : view(view), left(left),
          // A one-cell left side (the common case) is compared directly: the general test walks
          // the pattern and its bounds at every position.
          oneCell(left.getSizeX() == 1 && left.getSizeY() == 1 && left.getSizeZ() == 1 && view.getSizeX() > 0),
          wanted(left.get(0, 0, 0))
    {
    }

    bool at(int x, int y, int z) const
    {
        if (oneCell) return wanted == CELL_ANY || view.get(x, y, z) == wanted;
        return view.matchAt(x, y, z, left) != 0;
    }

private:
    const CSpace& view;
    const CSpace& left;
    const bool oneCell;
    const int wanted;
};
