// Comparing two spaces cell by cell.
#include "document/changedcells.h"

std::vector<CCell> changedCells(const CSpace& before, const CSpace& after, std::size_t limit)
{
    std::vector<CCell> changed;
    const int sx = after.getSizeX(), sy = after.getSizeY(), sz = after.getSizeZ();
    if (before.getSizeX() != sx || before.getSizeY() != sy || before.getSizeZ() != sz) return changed;
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++) {
                const int v = after.get(x, y, z);
                if (before.get(x, y, z) == v) continue;
                if (changed.size() >= limit) return changed;
                changed.emplace_back(x, y, z, v);
            }
    return changed;
}
