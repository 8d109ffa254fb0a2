// CMatchContext: the step state machine, search passes and the incremental search of one unit.
// Rules: during a pass `work.ruleGroups` holds the groups still to evaluate (oldest at the head)
// and `program.ruleGroups` those already evaluated, with the positions where each pair matched;
// together they are the whole program. `dirtyBoxes` gathers the boxes that applied groups cover
// and becomes the next pass's `searchBoxes`. `writes` is in unit coordinates and reaches `view`
// only when the pass closes, so every group of a pass sees the unit as the pass found it.
// A step polls for stop and restart requests during long work; when the check throws, the step
// is abandoned half done, which is safe because the run then ends or starts over from Separate.
#include "interpreter/matchcontext.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "interpreter/boxsweep.h"
#include "interpreter/leftmatcher.h"

namespace {
// A variable icon in a left side matches whatever lies under its coloured cells.
void maskVariables(CPatternSpace& left, const CSpaceList& variables)
{
    variables.forEach([&](const CSpace& v) {
        if (left.contains(v)) left.blankMatches(v);
    });
}

bool holdsAny(const CSpace& left, const CSpaceList& variables)
{
    bool any = false;
    variables.forEach([&](const CSpace& v) { any = any || left.contains(v); });
    return any;
}

// The left side as the search tests it: with its variables masked, when it holds any.
CSpace searchedLeft(const CSpace& left, const CSpaceList& variables)
{
    if (!holdsAny(left, variables)) return left;
    CPatternSpace masked(left);
    maskVariables(masked, variables);
    CSpace out(std::move(masked));
    return out;
}

bool sameSpaces(const CSpaceList& a, const CSpaceList& b)
{
    std::vector<const CSpace*> listed;
    a.forEach([&](const CSpace& s) { listed.push_back(&s); });
    std::size_t n = 0;
    bool same = true;
    b.forEach([&](const CSpace& s) { same = same && n < listed.size() && listed[n++]->isEqual(s); });
    return same && n == listed.size();
}
}  // namespace

void CMatchContext::init(CUnitProgram p, CSpace unitCells)
{
    state = State::Idle;
    program = std::move(p);
    view = std::move(unitCells);
    dirtyBoxes.clear();
    dirtyBoxes.push(CBox(0, 0, 0, view.getSizeX() - 1, view.getSizeY() - 1, view.getSizeZ() - 1));
    endMessages.clear();
    sendMessages.clear();
}

int CMatchContext::step()
{
    CSearchPoll none;
    return step(none);
}

int CMatchContext::step(CSearchPoll& poll)
{
    switch (state) {
    case State::Idle:
        beginPass(poll);
        return 0;
    case State::Searching:
        searchStep(poll);
        return 0;
    case State::Applied:
        state = State::Idle;
        return 1;
    case State::Ended:
        return 1;
    }
    return 0;
}

int CMatchContext::isEnded() const { return state == State::Ended ? 1 : 0; }

int CMatchContext::popWrite(int& x, int& y, int& z, int& value)
{
    CCell cell;
    if (!writes.pop(cell)) return 0;
    x = cell.x;
    y = cell.y;
    z = cell.z;
    value = cell.value;
    return 1;
}

int CMatchContext::popEndMessage(CMessage& m) { return endMessages.popBack(m); }

int CMatchContext::popSendMessage(CMessage& m) { return sendMessages.popBack(m); }

void CMatchContext::beginPass()
{
    CSearchPoll none;
    beginPass(none);
}

void CMatchContext::beginPass(CSearchPoll& poll)
{
    state = State::Searching;
    appliedMark = 0;
    writes.clear();
    // The work copy takes the program's groups; the program keeps none of them. The groups
    // (with all their recorded positions) are handed over rather than copied and freed. Of the
    // rest, the pass reads only the declarations copied here, as they stand at its start.
    work.ruleGroups = std::move(program.ruleGroups);
    poll.now();
    applied.clear();
    work.variableIcons = program.variableIcons;
    work.sendIcons = program.sendIcons;
    work.ownKey = program.ownKey;
    // The old search region's memory is reused for the next pass's changes.
    searchBoxes.swap(dirtyBoxes);
    dirtyBoxes.clear();
    receiveCount = 0;
    passDone = 0;
    passGroups = work.ruleGroups.reverse();  // the oldest group at the head, taken first
    countSharedReaches();
}

// Left sides of one size that come up in several pairs share one listing of the positions; a
// single box (the first pass) brings no position up twice and is walked as it is. Only pairs that
// may match are counted (the others are not searched), each with the matches it had last pass.
void CMatchContext::countSharedReaches()
{
    for (SharedReach& shared : sharedReaches) {
        shared.pairs = 0, shared.decided = false, shared.tabled = false, shared.cursor = 0;
        shared.oldMatches.clear();
    }
    if (searchBoxes.count() < 2) return;
    work.ruleGroups.forEach([&](const CSpacePairList& group) {
        group.forEach([&](const CSpacePair& pair) {
            const CSpace& left = pair.first;
            if (!view.mayMatch(left)) return;
            for (SharedReach& shared : sharedReaches)
                if (shared.lx == left.getSizeX() && shared.ly == left.getSizeY() && shared.lz == left.getSizeZ()) {
                    shared.pairs++;
                    shared.oldMatches.push_back(pair.cells.count());
                    return;
                }
            if (sharedReaches.size() < MAX_SHARED_SIZES) {
                SharedReach shared;
                shared.lx = left.getSizeX(), shared.ly = left.getSizeY(), shared.lz = left.getSizeZ();
                shared.pairs = 1;
                shared.oldMatches.push_back(pair.cells.count());
                sharedReaches.push_back(std::move(shared));
            }
        });
    });
    keepTables();
}

// The tables of sizes that many pairs share are kept while the left sides of all pairs of the
// size (including those that cannot match in this pass), taken in the order of the pass, are
// those they were prepared from; otherwise they are prepared again when first asked.
void CMatchContext::keepTables()
{
    auto tabling = [](const SharedReach& shared) { return shared.pairs >= int(MIN_TABLE_PAIRS); };
    if (std::none_of(sharedReaches.begin(), sharedReaches.end(), tabling)) return;
    work.ruleGroups.forEach([&](const CSpacePairList& group) {
        group.forEach([&](const CSpacePair& pair) {
            const CSpace& left = pair.first;
            for (SharedReach& shared : sharedReaches)
                if (shared.lx == left.getSizeX() && shared.ly == left.getSizeY() && shared.lz == left.getSizeZ()) {
                    if (tabling(shared)) shared.passLefts.push_back(&left);
                    return;
                }
        });
    });
    for (SharedReach& shared : sharedReaches) {
        if (!tabling(shared)) continue;
        bool same = shared.tablePrepared && shared.passLefts.size() == shared.tableLefts.size() &&
                    sameSpaces(work.variableIcons, shared.tableVariables);
        for (std::size_t n = 0; same && n < shared.passLefts.size(); n++)
            same = shared.passLefts[n]->isEqual(shared.tableLefts[n]) != 0;
        if (!same) {
            shared.tablePrepared = false;
            shared.tableLefts.clear();
            for (const CSpace* left : shared.passLefts) shared.tableLefts.push_back(*left);
            shared.tableVariables = work.variableIcons;
        }
        shared.passLefts.clear();
    }
}

// The matches of `left` in the shared list, from the table of all the size's left sides (walked
// the first time one is asked for in a pass); null when there is no table or `left` is not in it.
const std::vector<std::uint32_t>* CMatchContext::tabledMatches(SharedReach& shared, const CSpace& left,
                                                               CSearchPoll& poll)
{
    if (shared.pairs < int(MIN_TABLE_PAIRS)) return nullptr;
    if (!shared.tabled) {
        shared.tabled = true;
        if (!shared.tablePrepared) {
            std::vector<CSpace> lefts;
            lefts.reserve(shared.tableLefts.size());
            for (const CSpace& raw : shared.tableLefts) lefts.push_back(searchedLeft(raw, shared.tableVariables));
            shared.table.prepare(lefts);
            shared.tablePrepared = true;
        }
        shared.table.walk(view, shared.reach, poll);
    }
    return shared.table.matchesOf(left, shared.cursor);
}

// Listing costs a few tests' worth per position of the reach, once; then every pair tests each
// position once. The walk tests the reach for every pair, with a cost for every row of every
// box; when the reach is much larger than the unit, it scans the unit instead and hands every
// match out to every box (see sweepBoxes), which a pair's matches of the last pass estimate. The
// list is built only when it costs less in all.
CMatchContext::SharedReach* CMatchContext::sharedReachFor(const CSpace& left, CSearchPoll& poll)
{
    const int lx = left.getSizeX(), ly = left.getSizeY(), lz = left.getSizeZ();
    for (SharedReach& shared : sharedReaches) {
        if (shared.lx != lx || shared.ly != ly || shared.lz != lz) continue;
        if (shared.pairs < MIN_SHARING_PAIRS) return nullptr;
        if (!shared.decided) {
            shared.decided = true;
            std::int64_t reach = 0, rows = 0;
            searchBoxes.forEach([&](const CBox& h) {
                const std::int64_t row = (std::int64_t(h.y1) - h.y0 + ly) * (std::int64_t(h.z1) - h.z0 + lz);
                rows += row;
                reach += row * (std::int64_t(h.x1) - h.x0 + lx);
            });
            const std::int64_t unit = std::int64_t(view.getSizeX()) * view.getSizeY() * view.getSizeZ();
            std::int64_t walked = 0;
            for (const int matches : shared.oldMatches)
                walked += boxsweep::walkCost(reach, rows, unit, searchBoxes.count(), std::int64_t(lx) * ly * lz,
                                             matches, ROW_COST);
            const std::int64_t listed = std::min(reach, unit);
            shared.worth = LIST_COST * reach + shared.pairs * listed < walked;
            if (shared.worth)
                shared.reach.build(searchBoxes, lx, ly, lz, view.getSizeX(), view.getSizeY(), view.getSizeZ(), poll);
        }
        return shared.worth ? &shared : nullptr;
    }
    return nullptr;
}


void CMatchContext::searchStep()
{
    CSearchPoll none;
    searchStep(none);
}

void CMatchContext::searchStep(CSearchPoll& poll)
{
    if (isSleeping()) {
        statusPiece.set(CStatusPiece::Kind::Asleep);
        return;
    }
    if (passGroups < 0) passDone = program.ruleGroups.count(), passGroups = passDone + work.ruleGroups.count();
    statusPiece.setProgress(passDone, passGroups);

    // The group is evaluated where it lies, at the head of the work list, and its node then moves
    // over to the program: nothing is copied, moved or freed on the way.
    CSpacePairList* const taken = work.ruleGroups.front();
    if (!taken) {
        closePass(poll);
        return;
    }
    CSpacePairList& group = *taken;
    const int useDevices = group.mark <= CSpacePairList::MARK_DEVICES ? 1 : 0;
    // Where each right side would land, in the order found; a box that two pairs share comes
    // twice, and the second is dropped only if the group applies (see addDirtyBoxes).
    std::vector<CBoxSet::Item>& changed = changedBoxes;
    changed.clear();
    // Each position is recorded once per pair, so the boxes of a single pair are distinct.
    int pairsWithBoxes = 0;
    int allMatched = 1;

    // The pairs from the head, as pop would take them; each keeps its sides and has its old
    // positions replaced by this pass's, and its node moves on to the head of `evaluated`: the
    // group again, with this pass's positions and its pairs in reverse order.
    CSpacePairList evaluated;
    while (CSpacePair* const first = group.front()) {
        CSpacePair& pair = *first;
        CCellSet& old = pair.cells;
        const bool hadCells = !old.isEmpty();
        // A left side holding no variable icon is used as it is, without a masked copy.
        std::optional<CPatternSpace> masked;
        if (holdsAny(pair.first, work.variableIcons)) {
            masked.emplace(pair.first);
            maskVariables(*masked, work.variableIcons);
        }
        const CSpace& left = masked ? *masked : pair.first;
        // A left side needing a value the unit does not hold finds nothing, old or new: with no
        // old positions to drop either, the pair has nothing to do (most pairs of most passes).
        const bool possible = view.mayMatch(left);
        if (!possible && !hadCells) {
            allMatched = 0;
            group.moveFrontTo(evaluated);
            continue;
        }
        const bool found = possible && findsFew(pair, left)
                               ? searchFewPair(pair, left, hadCells, pairsWithBoxes, poll)
                               : searchPair(pair, left, possible, hadCells, pairsWithBoxes, poll);
        if (!found) allMatched = 0;
        group.moveFrontTo(evaluated);
        poll.now();  // after a pair that tested positions
    }
    static_cast<CLinkList<CSpacePair>&>(group) = std::move(evaluated);

    // Marks 1 and 2 (the device groups) never block; after a group of a higher mark has been
    // applied, only groups of that same mark may still apply in this pass.
    if (allMatched && (appliedMark <= CSpacePairList::MARK_DEVICES || group.mark == appliedMark) &&
        !applyFewWrites(group, useDevices, changed, pairsWithBoxes <= 1, poll))
        applyGroup(group, useDevices, changed, pairsWithBoxes <= 1, poll);
    // The group returns to the program with its new positions. (Applying reads only the group
    // itself, so it may come first; a stop request in between abandons the whole step anyway.)
    work.ruleGroups.moveFrontTo(program.ruleGroups);
    passDone++;
}

// Tests one pair of the group being evaluated (see searchStep): its old positions, then the
// search region. Its positions are replaced by those found, and the boxes its right side would
// cover go to `changedBoxes`. Kept apart from the loop over the pairs, which mostly passes pairs
// over. Returns whether the pair matched anywhere. (searchFewPair is its copy for a pair that
// can find only a few positions; a change to one belongs in the other.)
bool CMatchContext::searchPair(CSpacePair& pair, const CSpace& left, bool possible, bool hadCells,
                               int& pairsWithBoxes, CSearchPoll& poll)
{
    std::vector<CBoxSet::Item>& changed = changedBoxes;
    CCellSet& old = pair.cells;
    const int rx = pair.second.getSizeX(), ry = pair.second.getSizeY(), rz = pair.second.getSizeZ();
    const int hasRight = rx > 0 && ry > 0 && rz > 0;
    // The found cells go into the spare set's memory, which an earlier pair's positions left
    // behind, so that a large set does not grow from nothing in every pass.
    CCellSet& found = spareCells;
    found.clear();
    int matched = 0;
    // Left a function of its own: gcc otherwise splits it in two, which costs large searches more.
    auto record = [&](int x, int y, int z) __attribute__((noipa)) {
        matched = 1;
        found.pushNew(CCell(x, y, z, 0));
        if (hasRight) changed.push_back(CBoxSet::Item{x, y, z, x + rx - 1, y + ry - 1, z + rz - 1});
    };
    const std::size_t boxesBefore = changed.size();

    // Where the pair matched in the last pass, then wherever the left side overlaps a box
    // that changed, including positions that start outside the unit. Each match is recorded
    // once: a second would record nothing new. Only matches are marked: a position that does
    // not match now will not match when it comes again, as the unit does not change in a pass.
    // With no old positions and a single box (a unit's first pass), no position comes twice:
    // nothing needs marking, and a huge unit's marks are not even touched.
    const bool onlyOnce = !hadCells && searchBoxes.count() == 1;
    if (!onlyOnce && possible) tested.begin(view.getSizeX(), view.getSizeY(), view.getSizeZ());
    auto fresh = [&](int x, int y, int z) { return onlyOnce || tested.first(x, y, z); };
    // The old positions are distinct, so each is fresh here and is tested in place (the order
    // of the tests changes nothing); the matches are recorded in pop order. Then the set is
    // dropped, rather than popped one by one.
    // The matcher is built only for a pair that tests positions itself (not through the table).
    std::optional<CLeftMatcher> built;
    auto matcher = [&]() -> const CLeftMatcher& {
        if (!built) built.emplace(view, left);
        return *built;
    };
    if (possible && hadCells) {
        const CLeftMatcher& oldMatcher = matcher();
        old.forEachPassing(
            [&](const CCell& at) {
                poll.tick();
                return oldMatcher.at(at.x, at.y, at.z) && fresh(at.x, at.y, at.z);
            },
            [&](const CCell& at) { record(at.x, at.y, at.z); }, oldMatches);
    }
    if (hadCells) old.clear();  // empty: its memory serves the next pair, or a layout
    if (possible) {
        if (SharedReach* shared = onlyOnce ? nullptr : sharedReachFor(left, poll)) {
            if (const std::vector<std::uint32_t>* listed = tabledMatches(*shared, left, poll)) {
                const auto& positions = shared->reach.positions();
                for (const std::uint32_t i : *listed) {
                    const CReachList::Position& p = positions[i];
                    if (fresh(p.x, p.y, p.z)) record(p.x, p.y, p.z);
                }
            } else {
                sweepList(matcher(), shared->reach, poll, fresh, record);
            }
        } else
            sweepBoxes(matcher(), view, left, searchBoxes, reachCover, poll, fresh, record);
    }

    if (changed.size() > boxesBefore) pairsWithBoxes++;
    // The pair takes the found cells and leaves its old set's memory spare; a pair that found
    // nothing keeps no memory: the larger of the two empty sets stays spare.
    // (A pair that had no cells and found none keeps the memory it had.)
    if (!found.isEmpty() || (hadCells && old.bytes() > found.bytes())) old.swap(found);
    return matched != 0;
}

void CMatchContext::closePass(CSearchPoll& poll)
{
    writes.forEachInPlace([&](const CCell& cell) {  // distinct positions: any order will do
        poll.tick();
        view.set(cell.x, cell.y, cell.z, cell.value);
    });
    if (appliedMark > 0) {
        state = State::Applied;
        statusPiece.set(CStatusPiece::Kind::Done);
        return;
    }
    state = State::Ended;
    statusPiece.set(CStatusPiece::Kind::End);
    if (program.replyKey.isEmpty()) return;
    // The result goes back to the caller: the cells at the unit's corner, as large as its name.
    const CSpace& name = program.ownKey.icon;
    CMessage end;
    end.key = program.replyKey;
    end.shape = name;
    end.data = view.extract(0, 0, 0, name.getSizeX(), name.getSizeY(), name.getSizeZ());
    end.value = program.ownKey.value;
    endMessages.push(end);
}
