// Space sizes: a product of sizes is checked in 64 bits before any space is made; a resize drops
// only what lies beyond the new sizes on some axis.
#include "document/spaceresize.h"

#include "space/cellcodes.h"

bool isPossibleSpaceSize(int sizeX, int sizeY, int sizeZ)
{
    if (sizeX < 1 || sizeY < 1 || sizeZ < 1) return false;
    const std::int64_t plane = std::int64_t(sizeX) * sizeY;  // below 2^62: no overflow
    return plane <= CSpace::MAX_CELLS && plane * sizeZ <= CSpace::MAX_CELLS;
}

std::int64_t countCellsDropped(const CSpace& space, int sizeX, int sizeY, int sizeZ)
{
    std::int64_t dropped = 0;
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++)
            for (int x = 0; x < space.getSizeX(); x++)
                if ((x >= sizeX || y >= sizeY || z >= sizeZ) && space.get(x, y, z) != CELL_EMPTY) dropped++;
    return dropped;
}
