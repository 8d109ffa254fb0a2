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

// Cells pushed into `pending` inside one box. The positions of the box the set already holds
// are found with their places from one walk over it, so that a cell goes in without the set's
// own lookup: a new position as new, a held one by its place. Only when the set is much the
// larger and its index is up to date (a walk costs a few steps a cell, a question a few dozen,
// indexing afresh more than a walk) is each cell asked of the set instead. The set must see no
// pop while this lives.
class CBoxPushes {
public:
    CBoxPushes(CCellSet& pending, const CBox& box)
        : pending(pending),
          box(box),
          h(std::int64_t(box.y1) - box.y0 + 1),
          d(std::int64_t(box.z1) - box.z0 + 1)
    {
        if (box.x1 < box.x0 || box.y1 < box.y0 || box.z1 < box.z0) return;
        const std::int64_t volume = (std::int64_t(box.x1) - box.x0 + 1) * h * d;
        marked = pending.count() <= 8 * volume || !pending.positionsIndexed();
        if (!marked) return;
        places.assign(std::size_t(volume), NONE);
        pending.forEachPlaced([&](std::uint32_t place, const CCell& c) {
            if (inside(c.x, c.y, c.z)) places[slot(c.x, c.y, c.z)] = place;
        });
    }

    // Whether the set holds a write at (x, y, z), a position of the box.
    bool holds(int x, int y, int z) { return holdsAt(slot(x, y, z), x, y, z); }
    // Pushes the cell, which may lie anywhere.
    void push(const CCell& c)
    {
        if (!inside(c.x, c.y, c.z)) {
            pending.push(c);
            return;
        }
        pushAt(slot(c.x, c.y, c.z), c);
    }

    // As holds and push for a position of the box given with its slot as well: the box's cells
    // numbered from 0, x outermost, then y, then z, as a walk over the box counts them.
    bool holdsAt(std::size_t at, int x, int y, int z)
    {
        return marked ? places[at] != NONE : pending.holds(x, y, z);
    }
    void pushAt(std::size_t at, const CCell& c)
    {
        if (!marked || c.value == CELL_ANY) {
            pending.push(c);  // "any" is never stored
            return;
        }
        std::uint32_t& place = places[at];
        if (place != NONE)
            pending.setValueAt(place, c.value);  // the later write replaces the earlier in place
        else
            place = pending.pushNew(c);
    }

private:
    static constexpr std::uint32_t NONE = CCellSet::NO_PLACE;
    bool inside(int x, int y, int z) const
    {
        return x >= box.x0 && x <= box.x1 && y >= box.y0 && y <= box.y1 && z >= box.z0 && z <= box.z1;
    }
    std::size_t slot(int x, int y, int z) const
    {
        return std::size_t(((std::int64_t(x) - box.x0) * h + (std::int64_t(y) - box.y0)) * d + (std::int64_t(z) - box.z0));
    }

    CCellSet& pending;
    const CBox box;
    const std::int64_t h, d;
    bool marked = false;
    std::vector<std::uint32_t> places;  // x outermost, then y, then z, as a box is written
};

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
    CBoxPushes pushes(pending, box);
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
                if (v == now && v != CELL_OUTSIDE && !pushes.holdsAt(i, cx, cy, cz)) {
                    leftOut = true;
                    continue;
                }
                pushes.pushAt(i, CCell(cx, cy, cz, v));
            }
        }
    }
    return leftOut;
}
