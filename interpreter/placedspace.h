// CPlacedSpace: a picture together with the position of its corner cell in a larger space.
#pragma once

#include <utility>

#include "interpreter/patternspace.h"

class CPlacedSpace : public CPatternSpace {
public:
    CPlacedSpace() = default;
    CPlacedSpace(int sx, int sy, int sz, int fill) : CPatternSpace(sx, sy, sz, fill) {}
    explicit CPlacedSpace(const CSpace& s) : CPatternSpace(s) {}
    // Takes over the cells of a space made for it.
    explicit CPlacedSpace(CSpace&& s) : CPatternSpace(std::move(s)) {}
    CPlacedSpace(const CPlacedSpace&) = default;
    CPlacedSpace& operator=(const CPlacedSpace&) = default;
    CPlacedSpace(CPlacedSpace&&) noexcept = default;
    CPlacedSpace& operator=(CPlacedSpace&&) noexcept = default;

    void setOrigin(int ax, int ay, int az)
    {
        x = ax;
        y = ay;
        z = az;
    }
    void getOrigin(int& ax, int& ay, int& az) const
    {
        ax = x;
        ay = y;
        az = z;
    }

    int x = 0;
    int y = 0;
    int z = 0;
};
