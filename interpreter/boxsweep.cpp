// sweepBoxes: the scan of the whole unit for the matches of one left side.
#include "interpreter/boxsweep.h"

#include "space/cellcodes.h"

bool boxsweep::findAllMatches(const CSpace& view, const CSpace& left, std::size_t limit, CSearchPoll& poll,
                              std::vector<CCell>& out)
{
    int ai = -1, aj = -1, ak = -1, anchor = CELL_ANY;
    for (int k = 0; k < left.getSizeZ() && ai < 0; k++)
        for (int j = 0; j < left.getSizeY() && ai < 0; j++)
            for (int i = 0; i < left.getSizeX() && ai < 0; i++) {
                const int v = left.get(i, j, k);
                if (v == CELL_ANY || v == CELL_OUTSIDE) continue;
                ai = i, aj = j, ak = k, anchor = v;
            }
    if (ai < 0) return false;  // such a left side may match anywhere, even far outside the unit
    out.clear();
    const int sx = view.getSizeX(), sy = view.getSizeY(), sz = view.getSizeZ();
    const int* cells = view.data();
    // The anchor cell runs over the unit; the left side's corner lies that far before it.
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++) {
            poll.tick();
            const int* row = cells + std::int64_t(sx) * (y + std::int64_t(sy) * z);
            for (int x = 0; x < sx; x++) {
                if (row[x] != anchor || !view.matchAt(x - ai, y - aj, z - ak, left)) continue;
                if (out.size() >= limit) return false;
                out.emplace_back(x - ai, y - aj, z - ak, 0);
            }
        }
    return true;
}
