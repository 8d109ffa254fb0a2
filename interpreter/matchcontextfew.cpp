// CMatchContext: the search and the application of a pair or group that can touch only a few
// cells (an agent's rules, most of whose steps change a handful of cells). Their positions and
// writes are gathered in a small array and go into their cell sets at once, sparing the sets'
// indexes. Kept apart from the general search so that its code is built as before.
#include <vector>

#include "interpreter/boxsweep.h"
#include "interpreter/leftmatcher.h"
#include "interpreter/matchcontext.h"

// As searchPair, for a pair that findsFew: with at most one box, no reach is shared with
// other pairs.
bool CMatchContext::searchFewPair(CSpacePair& pair, const CSpace& left, bool hadCells, int& pairsWithBoxes,
                                  CSearchPoll& poll)
{
    std::vector<CBoxSet::Item>& changed = changedBoxes;
    CCellSet& old = pair.cells;
    const int rx = pair.second.getSizeX(), ry = pair.second.getSizeY(), rz = pair.second.getSizeZ();
    const bool hasRight = rx > 0 && ry > 0 && rz > 0;
    std::vector<CCell>& few = fewCells;
    few.clear();
    auto record = [&](int x, int y, int z) {
        few.emplace_back(x, y, z, 0);
        if (hasRight) changed.push_back(CBoxSet::Item{x, y, z, x + rx - 1, y + ry - 1, z + rz - 1});
    };
    const std::size_t boxesBefore = changed.size();
    const bool onlyOnce = !hadCells && searchBoxes.count() == 1;
    if (!onlyOnce) tested.begin(view.getSizeX(), view.getSizeY(), view.getSizeZ());
    auto fresh = [&](int x, int y, int z) { return onlyOnce || tested.first(x, y, z); };
    const CLeftMatcher matcher(view, left);
    if (hadCells) {
        old.forEachPassing(
            [&](const CCell& at) {
                poll.tick();
                return matcher.at(at.x, at.y, at.z) && fresh(at.x, at.y, at.z);
            },
            [&](const CCell& at) { record(at.x, at.y, at.z); }, oldMatches);
        old.clear();
    }
    sweepBoxes(matcher, view, left, searchBoxes, reachCover, poll, fresh, record);
    if (changed.size() > boxesBefore) pairsWithBoxes++;
    if (!few.empty()) old.assignFew(few.data(), few.size());  // `old` is empty by now
    return !few.empty();
}

// A group of fixed right sides that writes at most a few cells, as the first to write in the pass:
// its writes are gathered in a small array, a later write to a cell replacing the earlier value
// as the set would, and go into the empty `writes` at once. False, with nothing done, when the
// group may write more cells than that or has a right side that a device, send icon or variable
// can change: applyGroup applies it then.
bool CMatchContext::applyFewWrites(CSpacePairList& group, int useDevices, std::vector<CBoxSet::Item>& changed,
                                   bool distinct, CSearchPoll& poll)
{
    if (!writes.isEmpty()) return false;
    std::size_t most = 0;
    bool fixed = true;
    group.forEach([&](const CSpacePair& pair) {
        const CSpace& right = pair.second;
        if (std::size_t(pair.cells.count()) > CCellSet::FEW) most = CCellSet::FEW + 1;
        most += std::size_t(pair.cells.count()) * std::size_t(right.getSizeX()) * std::size_t(right.getSizeY()) *
                std::size_t(right.getSizeZ());
        fixed = fixed && hasFixedRight(pair, useDevices);
    });
    if (most > CCellSet::FEW || !fixed) return false;
    appliedMark = group.mark;
    std::vector<CCell>& few = fewCells;
    few.clear();
    int positions = 0;
    group.forEach([&](const CSpacePair& pair) {
        const CSpace& right = pair.second;
        const int sx = right.getSizeX(), sy = right.getSizeY(), sz = right.getSizeZ();
        pair.cells.forEachCell([&](const CCell& at) {
            poll.tick();
            positions++;
            // The right side's cells z outermost and x innermost, as they lie in memory.
            const int* v = right.data();
            for (int z = 0; z < sz; z++)
                for (int y = 0; y < sy; y++)
                    for (int x = 0; x < sx; x++, v++) {
                        const int ux = at.x + x, uy = at.y + y, uz = at.z + z;
                        if (*v == CELL_ANY || view.get(ux, uy, uz) == *v) continue;
                        std::size_t i = 0;
                        while (i < few.size() && (few[i].x != ux || few[i].y != uy || few[i].z != uz)) i++;
                        if (i == few.size())
                            few.emplace_back(ux, uy, uz, *v);
                        else
                            few[i].value = *v;  // a later write of a cell replaces the earlier
                    }
        });
    });
    writes.assignFew(few.data(), few.size());
    CAppliedGroup record;
    record.drawing = group.drawing;
    record.drawn = group.drawn;
    record.positions = positions;
    applied.push_back(record);
    addDirtyBoxes(changed, distinct);
    return true;
}
