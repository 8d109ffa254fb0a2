// Work areas: a flat blue rectangle with a dot diagonally outside each corner, or a solid green
// floor with a post at its front left corner. The scan cell is the first interior cell.
#include "interpreter/blockprobe.h"

namespace {

// (s, f) is the top-left dot.
int flatWorkArea(CPatternSpace& sp, int s, int f, CSpace& out)
{
    CBlockProbe b(sp, CELL_BLUE);
    if (!b.hasAll({{s, 0, f},
                   {s + 1, 0, f + 1},
                   {s + 2, 0, f + 1},
                   {s + 3, 0, f + 1},
                   {s + 1, 0, f + 2},
                   {s + 1, 0, f + 3}}))
        return 0;
    if (!b.hasNone(
            {{s + 1, 0, f}, {s + 2, 0, f}, {s + 3, 0, f}, {s, 0, f + 1}, {s, 0, f + 2}, {s, 0, f + 3}}))
        return 0;

    const int w = 1 + b.run(s + 4, 0, f + 1, 1, 0, 0);
    const int xR = s + w + 2;
    const int zB = f + 3 + b.run(s + 1, 0, f + 4, 0, 0, 1);  // the left wall's last cell

    for (int x = s + 1; x <= xR; x++)
        if (!b.has(x, 0, f + 1) || !b.has(x, 0, zB) || b.has(x, 0, f) || b.has(x, 0, zB + 1)) return 0;
    for (int z = f + 1; z <= zB; z++)
        if (!b.has(s + 1, 0, z) || !b.has(xR, 0, z) || b.has(s, 0, z) || b.has(xR + 1, 0, z)) return 0;
    if (!b.hasAll({{xR + 1, 0, f}, {s, 0, zB + 1}, {xR + 1, 0, zB + 1}})) return 0;

    out = sp.extract(s + 2, 0, f + 2, xR - s - 2, 1, zB - f - 2);
    b.consume(CBox(s, 0, f, xR + 1, 0, zB + 1));  // border rows and columns with the interior
    return 1;
}

// (s, a, f) is the front left corner of the floor, under the post.
int solidWorkArea(CPatternSpace& sp, int s, int a, int f, CSpace& out)
{
    CBlockProbe g(sp, CELL_GREEN);
    if (!g.hasAll({{s, a, f},
                   {s + 1, a, f},
                   {s + 2, a, f},
                   {s, a, f + 1},
                   {s + 1, a, f + 1},
                   {s + 2, a, f + 1},
                   {s, a + 1, f}}))
        return 0;
    if (!g.hasNone({{s - 1, a, f - 1},
                    {s, a, f - 1},
                    {s + 1, a, f - 1},
                    {s - 1, a, f},
                    {s - 1, a, f + 1},
                    {s + 1, a + 1, f}}))
        return 0;

    const int xE = s + 3 + g.run(s + 3, a, f, 1, 0, 0);  // first x past the floor's front row
    const int h = 1 + g.run(s, a + 1, f, 0, 1, 0);
    const int d = 1 + g.run(s, a, f + 1, 0, 0, 1);

    out = sp.extract(s, a + 1, f + 1, xE - s, h - 1, d - 1);
    g.consume(CBox(s, a, f, xE - 1, a, f + d - 1));
    g.consume(CBox(s, a, f, s, a + h - 1, f));
    g.consume(CBox(xE - 1, a, f, xE - 1, a + h - 1, f));
    g.consume(CBox(s, a + 1, f + 1, xE - 1, a + h - 1, f + d - 1));
    return 1;
}

}  // namespace

int CPatternSpace::findWorkArea(int x, int y, int z, CSpace& out)
{
    CBlockProbe probe(*this, 0);
    if (probe.emptySpace()) return 0;
    if (isFlat()) return probe.inGrid(x, 0, z) ? flatWorkArea(*this, x - 2, z - 2, out) : 0;
    return probe.inGrid(x, y, z) ? solidWorkArea(*this, x, y - 1, z - 1, out) : 0;
}
