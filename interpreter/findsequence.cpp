// Sequence strips: a variable box whose bottom edge sticks out one cell to the right, optionally
// followed by a strip of equal value boxes. Frames are pushed left to right.
#include "interpreter/blockprobe.h"

namespace {

// Flat strip in the x-z plane; (a, z0) is the top-left corner of the variable box.
int flatSequence(CPatternSpace& s, int a, int z0, CLinkList<CSpace>& out)
{
    CBlockProbe b(s, CELL_BLUE);
    if (!b.hasAll({{a, 0, z0}, {a, 0, z0 + 1}, {a, 0, z0 + 2}, {a + 1, 0, z0}, {a + 2, 0, z0}})) return 0;

    const int w = 1 + b.run(a + 3, 0, z0, 1, 0, 0);
    const int xR = a + w + 1;
    const int h = 1 + b.run(xR, 0, z0 + 3, 0, 0, 1);
    const int zB = z0 + h + 1;

    for (int x = a; x <= xR; x++)
        if (!b.has(x, 0, zB) || b.has(x, 0, z0 - 1) || b.has(x, 0, zB + 1)) return 0;
    for (int z = z0; z <= z0 + h; z++)
        if (!b.has(a, 0, z) || b.has(a - 1, 0, z) || b.has(xR + 1, 0, z)) return 0;
    if (b.has(a - 1, 0, zB) || !b.has(xR + 1, 0, zB)) return 0;  // the tail sticks out right
    if (!b.hasNone({{a - 1, 0, z0 - 1}, {a - 1, 0, zB + 1}, {xR + 1, 0, z0 - 1}, {xR + 1, 0, zB + 1}}))
        return 0;

    out.clear();
    out.push(s.extract(a + 1, 0, z0 + 1, w, 1, h));

    const int t = xR + 2;
    if (b.has(t, 0, zB)) {
        // The strip's bottom row holds a whole number of boxes of the variable's width.
        const int n = b.run(t, 0, zB, 1, 0, 0);
        if ((n - 1) % (w + 1) != 0) return 0;
        const int q = (n - 1) / (w + 1);
        const int xEnd = a + (w + 1) * (q + 1);
        for (int x = t; x <= xEnd + 2; x++)
            if (b.has(x, 0, z0 - 1) || b.has(x, 0, zB + 1) || !b.has(x, 0, z0)) return 0;
        for (int z = z0; z <= zB; z++) {
            if (b.has(xEnd + 3, 0, z) || !b.has(t, 0, z)) return 0;
            for (int x = a + 2 * w + 4; x <= xEnd + 2; x += w + 1)
                if (!b.has(x, 0, z)) return 0;
        }
        if (b.has(xEnd + 3, 0, z0 - 1) || b.has(xEnd + 3, 0, zB + 1)) return 0;
        for (int x = a + w + 4; x <= xEnd + 1; x += w + 1) out.push(s.extract(x, 0, z0 + 1, w, 1, h));
        b.consume(CBox(a, 0, z0, xEnd + 2, 0, zB));
        return 1;
    }
    if (b.has(t, 0, z0 + h) || b.has(t, 0, zB + 1)) return 0;
    b.consume(CBox(a, 0, z0, xR, 0, zB));
    b.consume(CBox(xR + 1, 0, zB, xR + 1, 0, zB));
    return 1;
}

// Solid strip; (a, y0, z0) is the front bottom left corner of the variable frame.
int solidSequence(CPatternSpace& s, int a, int y0, int z0, CLinkList<CSpace>& out)
{
    CBlockProbe g(s, CELL_GREEN);
    if (!g.hasAll({{a, y0, z0},
                   {a + 1, y0, z0},
                   {a, y0, z0 + 1},
                   {a + 1, y0, z0 + 1},
                   {a, y0 + 1, z0},
                   {a + 1, y0 + 1, z0}}))
        return 0;
    if (!g.hasNone({{a - 1, y0, z0},
                    {a, y0, z0 - 1},
                    {a - 1, y0, z0 - 1},
                    {a, y0 - 1, z0},
                    {a - 1, y0 - 1, z0},
                    {a - 1, y0 - 1, z0 + 1}}))
        return 0;

    const int w = 1 + g.run(a + 2, y0 + 1, z0, 1, 0, 0);
    const int h = 1 + g.run(a, y0 + 2, z0, 0, 1, 0);
    const int d = 1 + g.run(a, y0, z0 + 2, 0, 0, 1);
    if (!g.has(a + w + 1, y0, z0) || g.has(a + w + 1, y0 + 1, z0)) return 0;  // the tail

    out.clear();
    out.push(s.extract(a, y0 + 1, z0 + 1, w, h, d));

    const int t = a + w + 2;
    if (g.has(t, y0, z0)) {
        const int n = g.run(t, y0, z0, 1, 0, 0);
        if (n % (w + 1) != 0) return 0;
        const int q = n / (w + 1);
        const int xEnd = a + 1 + (w + 1) * (q + 1);
        for (int x = t; x < xEnd; x += w + 1) out.push(s.extract(x, y0 + 1, z0 + 1, w, h, d));
        g.consume(CBox(a, y0, z0, xEnd - 1, y0 + h, z0 + d));
        return 1;
    }
    if (g.has(a + w + 3, y0, z0)) return 0;
    g.consume(CBox(a, y0, z0, a + w, y0 + h, z0 + d));
    g.consume(CBox(a + w + 1, y0, z0, a + w + 1, y0, z0));
    return 1;
}

}  // namespace

int CPatternSpace::findSequence(int x, int y, int z, CLinkList<CSpace>& out)
{
    CBlockProbe probe(*this, 0);
    if (probe.emptySpace()) return 0;
    if (isFlat()) return probe.inGrid(x, 0, z) ? flatSequence(*this, x, z, out) : 0;
    return probe.inGrid(x, y, z) ? solidSequence(*this, x, y, z, out) : 0;
}
