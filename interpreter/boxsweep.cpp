// sweepBoxes: the scan of the whole unit for the matches of one left side.
#include "interpreter/boxsweep.h"

#include <cstdint>

bool boxsweep::findAllMatches(const CSpace& view, const CSpace& left, std::size_t limit, CSearchPoll& poll,
                              std::vector<CCell>& out)
{
    return findAllMatches(CLeftMatcher(view, left), view, limit, poll, out);
}

bool boxsweep::findAllMatches(const CLeftMatcher& matcher, const CSpace& view, std::size_t limit, CSearchPoll& poll,
                              std::vector<CCell>& out)
{
    int ai, aj, ak, anchor;
    if (!matcher.anchor(ai, aj, ak, anchor)) return false;  // such a left side may match anywhere
    out.clear();
    const int sx = view.getSizeX(), sy = view.getSizeY(), sz = view.getSizeZ();
    const int* cells = view.data();
    // The anchor cell runs over the unit; the left side's corner lies that far before it.
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++) {
            poll.tick();
            const int* row = cells + std::int64_t(sx) * (y + std::int64_t(sy) * z);
            for (int x = 0; x < sx; x++) {
                if (row[x] != anchor || !matcher.at(x - ai, y - aj, z - ak)) continue;
                if (out.size() >= limit) return false;
                out.emplace_back(x - ai, y - aj, z - ak, 0);
            }
        }
    return true;
}
