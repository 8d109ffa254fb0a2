// CCell: a position with a value, the entry of every cell set.
#pragma once

#include "space/object.h"

class CCell : public CObject {
public:
    CCell() = default;
    CCell(int x_, int y_, int z_, int value_) : x(x_), y(y_), z(z_), value(value_) {}
    CCell(const CCell&) = default;
    CCell& operator=(const CCell&) = default;
    ~CCell() override = default;

    int x = 0;
    int y = 0;
    int z = 0;
    int value = 0;
};
