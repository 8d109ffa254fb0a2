// sweepBoxes: where a pass looks for a rule's left side: at every position from which the left
// side overlaps one of the boxes that changed, including positions that start outside the unit.
// The boxes are taken from the head of the set; within a box's reach z is outermost and x
// innermost. `onMatch(x, y, z)` is called at each such position where the left side matches, in
// that order; a position within the reach of several boxes is reported once for each.
//
// Walking every box's reach costs the sum of the reaches, which for a left side of many cells
// over many small boxes (a device picture after a step that rewrote a whole area) is many times
// the unit itself. Then the matches are first found in one scan of the unit and handed out box by
// box, which makes the same calls in the same order.
//
// `fresh(x, y, z)` is asked at each match before it is handed out; when it says no, the match is
// passed over: the caller has had it already.
#pragma once

#include <cstdint>
#include <vector>

#include "interpreter/leftmatcher.h"
#include "interpreter/reachcover.h"
#include "interpreter/reachlist.h"
#include "interpreter/searchpoll.h"
#include "space/boxset.h"
#include "space/cell.h"
#include "space/space.h"

namespace boxsweep {
// The positions scanned from a box: those whose left side overlaps it.
struct Reach {
    std::int64_t x0, y0, z0, x1, y1, z1;
    Reach(const CBox& h, const CSpace& left)
        : x0(std::int64_t(h.x0) - left.getSizeX() + 1), y0(std::int64_t(h.y0) - left.getSizeY() + 1),
          z0(std::int64_t(h.z0) - left.getSizeZ() + 1), x1(h.x1), y1(h.y1), z1(h.z1)
    {
    }
    std::int64_t volume() const
    {
        if (x1 < x0 || y1 < y0 || z1 < z0) return 0;
        return (x1 - x0 + 1) * (y1 - y0 + 1) * (z1 - z0 + 1);
    }
    bool holds(const CCell& p) const
    {
        return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1 && p.z >= z0 && p.z <= z1;
    }
};

// Every match of `left` in `view`, z outermost and x innermost, or false when there are more
// than `limit`. Needs a cell of `left` that is neither "any" nor the outside code: a match puts
// that cell inside the unit, so only positions bringing it inside are tried.
bool findAllMatches(const CSpace& view, const CSpace& left, std::size_t limit, CSearchPoll& poll,
                    std::vector<CCell>& out);
// The same with the matcher of the left side in the unit at hand.
bool findAllMatches(const CLeftMatcher& matcher, const CSpace& view, std::size_t limit, CSearchPoll& poll,
                    std::vector<CCell>& out);

// Calls found(context, x, y, z) at each position from which the matcher's left side overlaps a
// box of `boxes` and matches: box by box from the head, within a box's reach z-y-x.
void walkReaches(const CLeftMatcher& matcher, const CBoxSet& boxes, CSearchPoll& poll, void* context,
                 void (*found)(void* context, int x, int y, int z));

// Whether the sweep first tries one scan of the unit rather than walking the reach.
inline bool scansUnit(std::int64_t reach, std::int64_t unit, std::int64_t leftCells)
{
    return leftCells > 1 && reach > 2 * unit;
}

// Tests of one position the sweep is expected to cost for a left side of `leftCells` cells whose
// reach over `boxes` boxes is `reach` positions in `rows` rows, when it matches `matches` times:
// the reach and a cost for each row, or one scan and every match handed to every box.
inline std::int64_t walkCost(std::int64_t reach, std::int64_t rows, std::int64_t unit, std::int64_t boxes,
                             std::int64_t leftCells, std::int64_t matches, std::int64_t rowCost)
{
    if (scansUnit(reach, unit, leftCells) && boxes * matches <= reach / 2) return unit + boxes * matches;
    return reach + rowCost * rows;
}
}  // namespace boxsweep

namespace boxsweep {
// Hands out `matches` (z-y-x order) box by box from the head, each box in its reach's order:
// the calls the walk of every box's reach makes.
template <class Fresh, class OnMatch>
void handOut(const std::vector<CCell>& matches, const CSpace& left, const CBoxSet& boxes, CSearchPoll& poll,
             Fresh& fresh, OnMatch& onMatch)
{
    if (matches.empty()) return;
    boxes.forEach([&](const CBox& h) {
        const Reach r(h, left);
        poll.tick();
        for (const CCell& p : matches)
            if (r.holds(p) && fresh(p.x, p.y, p.z)) onMatch(p.x, p.y, p.z);
    });
}

// Every match of the matcher's left side whose anchor lands in the cover, z-y-x, or false when
// there are more than `limit`.
bool findCoveredMatches(const CLeftMatcher& matcher, const CReachCover& cover, std::size_t limit, CSearchPoll& poll,
                        std::vector<CCell>& out);

// Whether the sweep tries the cover of a reach of `reach` positions in `rows` rows: its rows are
// long enough that marking a row costs less than walking it.
inline bool triesCover(std::int64_t reach, std::int64_t rows, std::int64_t leftCells)
{
    return leftCells > 1 && reach >= 4 * rows;
}
}  // namespace boxsweep

// `View` is CSpace or a unit that counts its values (CUnitView), whose matcher picks a rarer anchor.
// A left side whose boxes' reaches overlap much, and that matches seldom, is looked for once over
// the cover of the reaches (`cover`, kept by the caller for its memory) rather than box by box.
// `matcher` is that of `left` in `view`.
template <class Fresh, class OnMatch>
void sweepBoxes(const CLeftMatcher& matcher, const CSpace& view, const CSpace& left, const CBoxSet& boxes,
                CReachCover& cover, CSearchPoll& poll, Fresh fresh, OnMatch onMatch)
{
    const std::int64_t unit = std::int64_t(view.getSizeX()) * view.getSizeY() * view.getSizeZ();
    std::int64_t reach = 0, rows = 0;
    const std::int64_t leftCells = left.getSizeX() * std::int64_t(left.getSizeY()) * left.getSizeZ();
    if (leftCells > 1) boxes.measureReaches(left.getSizeX(), left.getSizeY(), left.getSizeZ(), reach, rows);

    std::vector<CCell> matches;
    const std::int64_t count = boxes.count();
    // Handing out the matches costs one test per box and match; worth it only below the reach.
    const std::size_t limit = count > 0 ? std::size_t(reach / 2 / count) : 0;
    if (boxsweep::scansUnit(reach, unit, leftCells) &&
        boxsweep::findAllMatches(matcher, view, limit, poll, matches)) {
        boxsweep::handOut(matches, left, boxes, poll, fresh, onMatch);
        return;
    }
    int ai, aj, ak, anchor;
    if (!boxsweep::scansUnit(reach, unit, leftCells) && boxsweep::triesCover(reach, rows, leftCells) &&
        matcher.anchor(ai, aj, ak, anchor)) {
        const std::int64_t covered = cover.build(boxes, left.getSizeX(), left.getSizeY(), left.getSizeZ(), ai, aj,
                                                 ak, view.getSizeX(), view.getSizeY(), view.getSizeZ());
        if (covered >= 0 && 2 * covered < reach && boxsweep::findCoveredMatches(matcher, cover, limit, poll, matches)) {
            boxsweep::handOut(matches, left, boxes, poll, fresh, onMatch);
            return;
        }
    }
    // A position that does not match is passed over without asking `fresh`: it would not match
    // the next time either. The walk is a function of its own, and matches (few) reach this
    // pass's calls through a pointer: the walk's loops then keep their counters in registers.
    auto found = [&](int x, int y, int z) {
        if (fresh(x, y, z)) onMatch(x, y, z);
    };
    boxsweep::walkReaches(matcher, boxes, poll, &found, [](void* context, int x, int y, int z) {
        (*static_cast<decltype(found)*>(context))(x, y, z);
    });
}

// The same with a matcher and a cover of its own.
template <class View, class Fresh, class OnMatch>
void sweepBoxes(const View& view, const CSpace& left, const CBoxSet& boxes, CSearchPoll& poll, Fresh fresh,
                OnMatch onMatch)
{
    CReachCover cover;
    sweepBoxes(CLeftMatcher(view, left), view, left, boxes, cover, poll, fresh, onMatch);
}

// The same calls as sweepBoxes over the boxes `reach` was built from, for a left side of its
// size: each position is tested once, where the walk first comes to it; the walk's later visits
// would only have been passed over by `fresh`.
template <class Fresh, class OnMatch>
void sweepList(const CLeftMatcher& matcher, const CReachList& reach, CSearchPoll& poll, Fresh fresh, OnMatch onMatch)
{
    matcher.forEachMatchAmong(reach.positions(), poll, [&](int x, int y, int z) {
        if (fresh(x, y, z)) onMatch(x, y, z);
    });
}

template <class View, class Fresh, class OnMatch>
void sweepList(const View& view, const CSpace& left, const CReachList& reach, CSearchPoll& poll, Fresh fresh,
               OnMatch onMatch)
{
    sweepList(CLeftMatcher(view, left), reach, poll, fresh, onMatch);
}
