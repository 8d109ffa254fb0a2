// The rewriting operations of CPatternSpace. Matching at each position sees the changes made at
// earlier positions of the same call.
#include "interpreter/patternspace.h"

#include <utility>

#include "space/cellcodes.h"

template <class F>
void CPatternSpace::forEachMatch(const CSpace& p, F f)
{
    if (sizeX == 0 || sizeY == 0 || sizeZ == 0) return;
    for (int z = 0; z <= sizeZ - p.getSizeZ(); z++)
        for (int y = 0; y <= sizeY - p.getSizeY(); y++)
            for (int x = 0; x <= sizeX - p.getSizeX(); x++)
                if (matchAt(x, y, z, p)) f(x, y, z);
}

void CPatternSpace::copyAnyCells(const CSpace& other)
{
    if (other.getSizeX() != sizeX || other.getSizeY() != sizeY || other.getSizeZ() != sizeZ) return;
    for (int z = 0; z < sizeZ; z++)
        for (int y = 0; y < sizeY; y++)
            for (int x = 0; x < sizeX; x++)
                if (other.get(x, y, z) == CELL_ANY) set(x, y, z, CELL_ANY);
}

namespace {
bool sameSizes(const CSpace& a, const CSpace& b)
{
    return a.getSizeX() == b.getSizeX() && a.getSizeY() == b.getSizeY() && a.getSizeZ() == b.getSizeZ();
}

// Writes q at (x, y, z), leaving the cells where both p and q hold 1.
void writeValue(CSpace& s, int x, int y, int z, const CSpace& p, const CSpace& q)
{
    for (int k = 0; k < q.getSizeZ(); k++)
        for (int j = 0; j < q.getSizeY(); j++)
            for (int i = 0; i < q.getSizeX(); i++) {
                int v = q.get(i, j, k);
                if (v == CELL_ANY && p.get(i, j, k) == CELL_ANY) continue;
                s.set(x + i, y + j, z + k, v);
            }
}
}  // namespace

void CPatternSpace::substitute(const CSpace& p, const CSpace& q)
{
    if (!sameSizes(p, q)) return;
    forEachMatch(p, [&](int x, int y, int z) { writeValue(*this, x, y, z, p, q); });
}

void CPatternSpace::substituteFirstRest(const CSpace& p, const CSpace& q1, const CSpace& q2)
{
    if (!sameSizes(p, q1)) return;
    bool first = true;
    forEachMatch(p, [&](int x, int y, int z) {
        writeValue(*this, x, y, z, p, first ? q1 : q2);
        first = false;
    });
}

void CPatternSpace::blankMatches(const CSpace& p)
{
    forEachMatch(p, [&](int x, int y, int z) {
        for (int k = 0; k < p.getSizeZ(); k++)
            for (int j = 0; j < p.getSizeY(); j++)
                for (int i = 0; i < p.getSizeX(); i++) {
                    int v = p.get(i, j, k);
                    if (v != CELL_EMPTY && v != CELL_ANY) set(x + i, y + j, z + k, CELL_ANY);
                }
    });
}

void CPatternSpace::replaceColour(int k)
{
    for (int z = 0; z < sizeZ; z++)
        for (int y = 0; y < sizeY; y++)
            for (int x = 0; x < sizeX; x++)
                if (get(x, y, z) == k) set(x, y, z, CELL_ANY);
}

CSpace CPatternSpace::extract(int x, int y, int z, int w, int h, int d) const
{
    if (!poll) return CSpace::extract(x, y, z, w, h, d);
    CPatternSpace out(w, h, d, Unset{});
    for (int k = 0; k < d; k++) {
        if (out.getSizeZ() > 0) extractLayer(out, x, y, z, k);
        pollCells(std::int64_t(w) * h);
    }
    return CSpace(std::move(out));
}

CPatternSpace CPatternSpace::framed() const
{
    CPatternSpace f(sizeX + 1, sizeY + 1, sizeZ + 1, 0);
    f.set(0, 0, 0, CELL_GREEN);  // the handle
    for (int x = 1; x <= sizeX; x++) {
        for (int y = 0; y <= sizeY; y++) f.set(x, y, 0, CELL_GREEN);  // front face
        for (int z = 0; z <= sizeZ; z++) f.set(x, 0, z, CELL_GREEN);  // bottom face
    }
    f.paste(1, 1, 1, *this);
    return f;
}
