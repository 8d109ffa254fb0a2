// CReachCover: the unit's cells on which a left side's anchor cell lands from the positions in
// the reach of a set of boxes, marked in tiles of a few cells by a few rows. Neighbouring small
// boxes reach the same positions again and again; their cover is marked a tile at a time and then
// scanned once, rows in z-y order and each row's runs of tiles in x order, so that what a
// scan of the cover finds comes out in the order a scan of the whole unit would find it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "interpreter/positionmarks.h"
#include "space/boxset.h"

class CReachCover {
public:
    // Cells of a row, and rows along y and z, under one mark.
    static constexpr int TILE = 8, TILE_ROWS = 4;

    // Marks the cover of `boxes` for a left side of size lx x ly x lz whose anchor cell lies at
    // (ai, aj, ak) in it, over a unit of size sx x sy x sz. Returns the cells of the tiles marked
    // (a bound on the cells a scan reads), or -1 when the marks' memory could not be had.
    std::int64_t build(const CBoxSet& boxes, int lx, int ly, int lz, int ai, int aj, int ak, int sx, int sy, int sz)
    {
        tilesPerRow = (std::int64_t(sx) + TILE - 1) / TILE, tileRowsY = (std::int64_t(sy) + TILE_ROWS - 1) / TILE_ROWS;
        usx = sx;
        zLo = sz, zHi = -1, yLo = sy, yHi = -1;
        const std::int64_t tileRowsZ = (std::int64_t(sz) + TILE_ROWS - 1) / TILE_ROWS;
        if (!marks.begin(std::size_t(tilesPerRow * tileRowsY * tileRowsZ))) return -1;
        std::int64_t tiles = 0;
        // The anchor's cells from a box's reach run from its low corner less these to its high
        // corner plus (ai, aj, ak), cut to the unit. The order of the boxes changes nothing here.
        const std::int64_t dx = std::int64_t(lx) - 1 - ai, dy = std::int64_t(ly) - 1 - aj, dz = std::int64_t(lz) - 1 - ak;
        std::int64_t yFrom = sy, yTo = -1, zFrom = sz, zTo = -1;  // kept in registers, then stored
        for (const CBoxSet::Item& h : boxes.stored()) {
            const std::int64_t x0 = std::max<std::int64_t>(h.x0 - dx, 0), x1 = std::min<std::int64_t>(std::int64_t(h.x1) + ai, sx - 1);
            const std::int64_t y0 = std::max<std::int64_t>(h.y0 - dy, 0), y1 = std::min<std::int64_t>(std::int64_t(h.y1) + aj, sy - 1);
            const std::int64_t z0 = std::max<std::int64_t>(h.z0 - dz, 0), z1 = std::min<std::int64_t>(std::int64_t(h.z1) + ak, sz - 1);
            if (x0 > x1 || y0 > y1 || z0 > z1) continue;
            yFrom = std::min(yFrom, y0), yTo = std::max(yTo, y1), zFrom = std::min(zFrom, z0), zTo = std::max(zTo, z1);
            // All of these are at least 0: divided as unsigned, by shifting.
            const std::uint64_t t0 = std::uint64_t(x0) / TILE, n = std::uint64_t(x1) / TILE - t0 + 1;
            for (std::uint64_t tz = std::uint64_t(z0) / TILE_ROWS; tz <= std::uint64_t(z1) / TILE_ROWS; tz++)
                for (std::uint64_t ty = std::uint64_t(y0) / TILE_ROWS; ty <= std::uint64_t(y1) / TILE_ROWS; ty++)
                    tiles += std::int64_t(marks.markCount(std::size_t(t0 + tilesPerRow * (ty + tileRowsY * tz)), n));
        }
        yLo = yFrom, yHi = yTo, zLo = zFrom, zHi = zTo;
        return tiles * TILE * std::min(sy, TILE_ROWS) * std::min(sz, TILE_ROWS);
    }

    // Calls visit(x0, x1, y, z) for each run of covered cells x0 to x1 of row (y, z), z outermost
    // and x innermost, while visit returns true; false when it stopped the scan.
    template <class Visit>
    bool forEachRun(Visit visit) const
    {
        for (std::int64_t z = zLo; z <= zHi; z++)
            for (std::int64_t y = yLo; y <= yHi; y++) {
                const std::int64_t row = tilesPerRow * (y / TILE_ROWS + tileRowsY * (z / TILE_ROWS));
                std::int64_t first = -1, last = -2;  // the run of tiles being gathered
                bool going = true;
                auto flush = [&] {
                    if (going && first >= 0)
                        going = visit(int(first * TILE), int(std::min<std::int64_t>(last * TILE + TILE - 1, usx - 1)),
                                      int(y), int(z));
                };
                marks.forEachMarked(std::size_t(row), std::size_t(tilesPerRow), [&](std::size_t i) {
                    const std::int64_t t = std::int64_t(i) - row;
                    if (t != last + 1) {
                        flush();
                        first = t;
                    }
                    last = t;
                });
                flush();
                if (!going) return false;
            }
        return true;
    }

private:
    // One per tile: tile t of the rows (y, z) is t + tilesPerRow * (y / TILE_ROWS + tileRowsY * (z / TILE_ROWS)).
    CPositionMarks marks;
    std::int64_t tilesPerRow = 0, tileRowsY = 0, usx = 0;
    std::int64_t zLo = 0, zHi = -1, yLo = 0, yHi = -1;  // the rows holding marks lie within these
};
