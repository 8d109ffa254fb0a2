// CBlockProbe: the cell tests the block recognisers are written in (one outline colour, runs,
// whole-box tests) and the consumption of recognised cells.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "interpreter/patternspace.h"
#include "space/box.h"
#include "space/cellcodes.h"

class CBlockProbe {
public:
    CBlockProbe(CPatternSpace& s, int outline) : space(s), colour(outline) {}

    struct Cell {
        int x, y, z;
    };

    bool has(int x, int y, int z) const { return space.get(x, y, z) == colour; }
    bool hasAll(std::initializer_list<Cell> cells) const
    {
        for (const Cell& c : cells)
            if (!has(c.x, c.y, c.z)) return false;
        return true;
    }
    bool hasNone(std::initializer_list<Cell> cells) const
    {
        for (const Cell& c : cells)
            if (has(c.x, c.y, c.z)) return false;
        return true;
    }

    // Consecutive outline cells from (x, y, z) on in the step (dx, dy, dz); 0 when (x, y, z) is
    // not of the colour. Ends at the grid's edge, where reads yield 2.
    int run(int x, int y, int z, int dx, int dy, int dz) const
    {
        int n = 0;
        while (has(x + n * dx, y + n * dy, z + n * dz)) n++;
        return n;
    }

    // Every cell / no cell of the inclusive box holds the colour; an inverted range is vacuous.
    // Both poll for interruption after each layer: a box can be as large as the space.
    bool all(int x0, int y0, int z0, int x1, int y1, int z1) const
    {
        for (int z = z0; z <= z1; z++) {
            for (int y = y0; y <= y1; y++)
                for (int x = x0; x <= x1; x++)
                    if (!has(x, y, z)) return false;
            pollLayer(x0, y0, x1, y1);
        }
        return true;
    }
    bool none(int x0, int y0, int z0, int x1, int y1, int z1) const
    {
        for (int z = z0; z <= z1; z++) {
            for (int y = y0; y <= y1; y++)
                for (int x = x0; x <= x1; x++)
                    if (has(x, y, z)) return false;
            pollLayer(x0, y0, x1, y1);
        }
        return true;
    }

    // Marks the box as consumed (2); cells outside the grid are ignored by set.
    void consume(const CBox& b)
    {
        space.noteConsumed(b);
        for (int z = b.z0; z <= b.z1; z++) {
            for (int y = b.y0; y <= b.y1; y++) space.setRow(b.x0, b.x1, y, z, CELL_OUTSIDE);
            pollLayer(b.x0, b.y0, b.x1, b.y1);
        }
    }

    // True when (x, y, z) lies in the grid. Every block has an outline cell at or next to its scan
    // cell, so a scan cell outside the grid can be rejected before any coordinate arithmetic.
    bool inGrid(int x, int y, int z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && x < space.getSizeX() && y < space.getSizeY() &&
               z < space.getSizeZ();
    }
    bool emptySpace() const
    {
        return space.getSizeX() == 0 || space.getSizeY() == 0 || space.getSizeZ() == 0;
    }

    CPatternSpace& space;
    int colour;

private:
    void pollLayer(int x0, int y0, int x1, int y1) const
    {
        space.pollCells((std::int64_t(x1) - x0 + 1) * (std::int64_t(y1) - y0 + 1));
    }
};
