// queueBoxWrites: queues a box of document writes, x outermost, then y, then z, leaving out each
// write that would change nothing: one of the value the document cell already holds where no
// other write to that cell is queued. The boxes that message delivery writes (pictures, erased
// instance frames) are mostly empty over empty cells, and queueing a cell is what they cost.
// The caller holds the link's lock over `doc`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "interpreter/plannedgrowth.h"
#include "space/box.h"
#include "space/cellcodes.h"
#include "space/cellset.h"
#include "space/space.h"

// value(x, y, z) gives the value for the cell at that offset from the box's corner. Returns
// whether some write was left out. `grown`, when given, is a growth the document will have had
// when the writes land: its cells are read as the grown grid will hold them.
template <class Value>
bool queueBoxWrites(CCellSet& pending, const CSpace& doc, const CBox& box, Value value,
                    const CPlannedGrowth* grown = nullptr)
{
    if (box.x1 < box.x0 || box.y1 < box.y0 || box.z1 < box.z0) return false;
    const std::int64_t w = std::int64_t(box.x1) - box.x0 + 1, h = std::int64_t(box.y1) - box.y0 + 1,
                       d = std::int64_t(box.z1) - box.z0 + 1;
    // Which cells of the box have a write queued: marked from a walk over the set unless the set
    // is much the larger (a walk costs a few steps a cell, a question a few dozen), else asked of
    // it cell by cell.
    const bool marked = pending.count() <= 8 * w * h * d;
    std::vector<std::uint8_t> queued;
    if (marked) {
        queued.assign(std::size_t(w * h * d), 0);
        pending.forEachInPlace([&](const CCell& c) {
            if (c.x < box.x0 || c.x > box.x1 || c.y < box.y0 || c.y > box.y1 || c.z < box.z0 || c.z > box.z1) return;
            queued[std::size_t(((std::int64_t(c.x) - box.x0) * h + (c.y - box.y0)) * d + (c.z - box.z0))] = 1;
        });
    }
    // The document read along z, a plane apart, with the grid's bounds tested once per row.
    const int* cells = doc.data();
    const std::int64_t sx = doc.getSizeX(), sy = doc.getSizeY(), sz = doc.getSizeZ(), plane = sx * sy;
    bool leftOut = false;
    std::size_t i = 0;
    for (int x = 0; x < w; x++) {
        const int cx = box.x0 + x;
        for (int y = 0; y < h; y++) {
            const int cy = box.y0 + y;
            const bool rowInside = cx >= 0 && cx < sx && cy >= 0 && cy < sy;
            const int* row = rowInside ? cells + cx + sx * cy : nullptr;
            for (int z = 0; z < d; z++, i++) {
                const int cz = box.z0 + z;
                const int v = value(x, y, z);
                if (v == CELL_ANY) continue;  // never queued
                // Outside the grid the cell reads 2, and the grid may grow before the writes land.
                int now = rowInside && cz >= 0 && cz < sz ? row[plane * cz] : CELL_OUTSIDE;
                if (grown) now = grown->read(now, cx, cy, cz);
                if (v == now && v != CELL_OUTSIDE && !(marked ? queued[i] != 0 : pending.holds(cx, cy, cz))) {
                    leftOut = true;
                    continue;
                }
                pending.push(CCell(cx, cy, cz, v));
            }
        }
    }
    return leftOut;
}
