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
    // The anchor cell runs over the unit; the left side's corner lies that far before it.
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++) {
            poll.advance(sx);
            if (!matcher.forEachMatchAnchoredIn(0, sx - 1, y, z, [&](int x, int y, int z) {
                    if (out.size() >= limit) return false;
                    out.emplace_back(x, y, z, 0);
                    return true;
                }))
                return false;
        }
    return true;
}

bool boxsweep::findCoveredMatches(const CLeftMatcher& matcher, const CReachCover& cover, std::size_t limit,
                                  CSearchPoll& poll, std::vector<CCell>& out)
{
    out.clear();
    return cover.forEachRun([&](int x0, int x1, int y, int z) {
        poll.advance(x1 - x0 + 1);
        return matcher.forEachMatchAnchoredIn(x0, x1, y, z, [&](int x, int y, int z) {
            if (out.size() >= limit) return false;
            out.emplace_back(x, y, z, 0);
            return true;
        });
    });
}

void boxsweep::walkReaches(const CLeftMatcher& matcher, const CBoxSet& boxes, CSearchPoll& poll, void* context,
                           void (*found)(void* context, int x, int y, int z))
{
    matcher.forEachMatchInReaches(boxes.stored(), boxes.storedHeadFirst(), poll,
                                  [&](int x, int y, int z) { found(context, x, y, z); });
}
