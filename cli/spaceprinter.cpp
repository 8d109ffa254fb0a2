// Text pictures of spaces, and the per-step change count of the runner's trace.
#include "cli/spaceprinter.h"

#include <algorithm>

#include "space/cellcodes.h"

namespace {
char cellChar(int v)
{
    if (v == CELL_EMPTY) return '.';
    if (v == CELL_ANY) return '?';
    if (v == CELL_OUTSIDE) return '#';
    if (v >= CELL_WHITE && v <= CELL_YELLOW) return "WKBRGPQY"[v - CELL_WHITE];
    return '*';
}
}  // namespace

std::string printSpace(const CSpace& s)
{
    std::string out;
    const int sx = s.getSizeX(), sy = s.getSizeY(), sz = s.getSizeZ();
    if (s.isFlat()) {
        for (int z = 0; z < sz; z++) {
            for (int x = 0; x < sx; x++) out += cellChar(s.get(x, 0, z));
            out += '\n';
        }
        return out;
    }
    for (int z = 0; z < sz; z++) {
        if (z > 0) out += '\n';
        out += "z=" + std::to_string(z) + "\n";
        for (int y = sy - 1; y >= 0; y--) {
            for (int x = 0; x < sx; x++) out += cellChar(s.get(x, y, z));
            out += '\n';
        }
    }
    return out;
}

long countChangedCells(const CSpace& a, const CSpace& b)
{
    auto read = [](const CSpace& s, int x, int y, int z) {
        bool inside = x < s.getSizeX() && y < s.getSizeY() && z < s.getSizeZ();
        return inside ? s.get(x, y, z) : CELL_EMPTY;
    };
    const int sx = std::max(a.getSizeX(), b.getSizeX());
    const int sy = std::max(a.getSizeY(), b.getSizeY());
    const int sz = std::max(a.getSizeZ(), b.getSizeZ());
    long changed = 0;
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++)
                if (read(a, x, y, z) != read(b, x, y, z)) changed++;
    return changed;
}
