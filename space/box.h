// CBox: a box of cells given by two inclusive corners.
#pragma once

#include "space/object.h"

class CBox : public CObject {
public:
    CBox() = default;
    CBox(int ax0, int ay0, int az0, int ax1, int ay1, int az1)
        : x0(ax0), y0(ay0), z0(az0), x1(ax1), y1(ay1), z1(az1)
    {
    }
    CBox(const CBox&) = default;
    CBox& operator=(const CBox&) = default;
    ~CBox() override = default;

    int isEqual(const CBox& o) const
    {
        return x0 == o.x0 && y0 == o.y0 && z0 == o.z0 && x1 == o.x1 && y1 == o.y1 && z1 == o.z1;
    }

    int x0 = 0;
    int y0 = 0;
    int z0 = 0;
    int x1 = 0;
    int y1 = 0;
    int z1 = 0;
};
