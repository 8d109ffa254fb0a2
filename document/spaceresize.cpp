#include "document/spaceresize.h"

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
                if ((x >= sizeX || y >= sizeY || z >= sizeZ) && space.get(x, y, z) != 0) dropped++;
    return dropped;
}
