// CScanMemory: the copy is brought up to date row by row over each consumed box and cell by cell
// at each written position, each clipped to the grid.
#include "interpreter/scanmemory.h"

#include <algorithm>
#include <cstdint>

namespace {
bool sameSizes(const CSpace& a, const CSpace& b)
{
    return a.getSizeX() == b.getSizeX() && a.getSizeY() == b.getSizeY() && a.getSizeZ() == b.getSizeZ();
}
}  // namespace

bool CScanMemory::refresh(CPatternSpace& copy, const CSpace& doc, unsigned long changes)
{
    const bool whole = !valid || changes != changesSeen || !sameSizes(copy, doc) || !doc.data() || !copy.data();
    if (whole) {
        copy = doc;
    } else {
        const int sx = doc.getSizeX(), sy = doc.getSizeY(), sz = doc.getSizeZ();
        for (const CBox& b : consumed) {
            const int x0 = std::max(b.x0, 0), x1 = std::min(b.x1, sx - 1);
            if (x0 > x1) continue;
            for (int z = std::max(b.z0, 0); z <= std::min(b.z1, sz - 1); z++)
                for (int y = std::max(b.y0, 0); y <= std::min(b.y1, sy - 1); y++) copy.copyRow(doc, x0, x1, y, z);
        }
        for (const CCell& c : written) copy.set(c.x, c.y, c.z, doc.get(c.x, c.y, c.z));
    }
    consumed.clear();
    written.clear();
    valid = true;
    changesSeen = changes;
    return whole;
}

void CScanMemory::noteWrites(const CCellSet& writes, const CSpace& doc, unsigned long before, unsigned long after)
{
    if (!valid) return;
    // Another writer came first, or so many cells that copying them all costs hardly more.
    const std::int64_t cells = std::int64_t(doc.getSizeX()) * doc.getSizeY() * doc.getSizeZ();
    if (before != changesSeen || std::int64_t(written.size()) + writes.count() > std::max<std::int64_t>(64, cells / 8)) {
        forget();
        return;
    }
    writes.forEachInPlace([&](const CCell& c) { written.push_back(c); });
    changesSeen = after;
}
