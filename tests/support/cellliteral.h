// SCellLiteral: a cell as a test writes it, {x, y, z, value}; and the space holding such cells.
#pragma once

#include <initializer_list>

#include "space/space.h"

struct SCellLiteral {
    int x, y, z, value;
};

// An empty space of the given sizes with the cells set.
inline CSpace spaceWithCells(int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells)
{
    CSpace space(sx, sy, sz, 0);
    for (const SCellLiteral& c : cells) space.set(c.x, c.y, c.z, c.value);
    return space;
}
