// CMatchContext: applying a rule group that matched: device pictures, sends and receives,
// variable binding, and the cells where a right side differs from the unit.
#include <algorithm>
#include <utility>
#include <vector>

#include "interpreter/matchcontext.h"

namespace {
using RightCell = CMatchContext::RightCell;

// The right side's cells in the order they are compared, z outermost and x innermost.
void listRightCells(const CSpace& right, std::vector<RightCell>& out)
{
    out.clear();
    for (int z = 0; z < right.getSizeZ(); z++)
        for (int y = 0; y < right.getSizeY(); y++)
            for (int x = 0; x < right.getSizeX(); x++) {
                const int v = right.get(x, y, z);
                if (v != CELL_ANY) out.push_back(RightCell{x, y, z, v});  // "any" is never written
            }
}
}  // namespace

// Whether the pair's right side is written as it stands at every position: no device picture
// replaces it, and it holds no send icon and no variable.
bool CMatchContext::hasFixedRight(const CSpacePair& pair, int useDevices) const
{
    const CSpace& left = pair.first;
    return !(useDevices && (left.isEqual(devices.getRandomIcon()) || left.isEqual(devices.getMouseIcon()))) &&
           !sendIconIn(pair.second) && !variableIn(pair.second);
}

void CMatchContext::applyGroup(CSpacePairList& group, int useDevices, std::vector<CBoxSet::Item>& changed,
                               bool distinct, CSearchPoll& poll)
{
    appliedMark = group.mark;
    // A right side that no device picture, send icon or variable can change is the same at every
    // position and is used as it is; a group made only of such pairs cannot send.
    std::vector<char>& fixedPairs = fixedPairsScratch;
    fixedPairs.clear();
    group.forEach([&](const CSpacePair& pair) { fixedPairs.push_back(hasFixedRight(pair, useDevices)); });
    const bool maySend = std::find(fixedPairs.begin(), fixedPairs.end(), 0) != fixedPairs.end();
    // Pushing a set's cells in pop order into a set rebuilds them there as they are (the later
    // of two writes of a cell winning): so a group that cannot send, or any group while the pass
    // has no writes yet, writes straight into them. A group that may send keeps its writes apart
    // until it is known whether it sent, as a group that sends writes nothing.
    groupWrites.clear();  // empty, with the memory of earlier groups' writes
    // The writes lie in the unit but for those hanging over its edge: found through tables over it.
    writes.useGrid(0, 0, 0, view.getSizeX(), view.getSizeY(), view.getSizeZ());
    groupWrites.useGrid(0, 0, 0, view.getSizeX(), view.getSizeY(), view.getSizeZ());
    CCellSet& cellWrites = writes.isEmpty() || !maySend ? writes : groupWrites;
    std::vector<CSpace> sentIcons, sentData;

    // The pairs from the head and each pair's positions in pop order, read in place: the group
    // keeps its positions for variable binding.
    int positions = 0;
    std::size_t pairIndex = 0;
    std::vector<RightCell>& rightCells = rightCellsScratch;
    group.forEach([&](CSpacePair& pair) {
        const CSpace& left = pair.first;
        const bool fixed = fixedPairs[pairIndex++] != 0;
        if (fixed && cellWrites.isEmpty() && repaintsEveryPosition(pair, cellWrites, poll)) {
            positions += pair.cells.count();
            return;
        }
        // The positions lie in the order found; a long walk in pop order reads them faster once
        // they are laid out in that order.
        if (pair.cells.count() >= 4096) pair.cells.compact(spareCells);
        if (fixed) listRightCells(pair.second, rightCells);
        pair.cells.forEachCell([&](const CCell& at) {
            poll.tick();
            positions++;
            if (!fixed) {
                CPatternSpace own(pair.second);
                adaptRight(own, left, group, at, useDevices, sentIcons, sentData);
                listRightCells(own, rightCells);
            }
            // Every cell of the right side that differs from the unit, also where it hangs over
            // the unit's edge (outside reads 2): the unit's own copy ignores those cells when the
            // pass closes, but the sweep carries them into the document around the unit.
            for (const RightCell& r : rightCells) {
                const int ux = at.x + r.x, uy = at.y + r.y, uz = at.z + r.z;
                if (view.get(ux, uy, uz) != r.value) cellWrites.push(CCell(ux, uy, uz, r.value));
            }
        });
    });

    CAppliedGroup record;
    record.drawing = group.drawing;
    record.drawn = group.drawn;
    record.positions = positions;
    applied.push_back(record);

    if (sentIcons.empty()) {
        CCell cell;
        while (&cellWrites != &writes && cellWrites.pop(cell)) {
            poll.tick();
            writes.push(cell);
        }
        addDirtyBoxes(changed, distinct);
        return;
    }
    if (&cellWrites == &writes) writes.clear();  // a group that may send: it was empty before
    // A group that sends writes nothing: the data leaves as messages, in the order found.
    for (size_t i = 0; i < sentIcons.size(); i++) {
        CMessage send;
        send.key = work.ownKey;
        send.shape = sentIcons[i];
        send.data = sentData[i];
        sendMessages.push(send);
    }
}

// A right side of one cell that differs from the unit at every position of the pair (the common
// rule that repaints whatever it matched) writes the positions themselves, in their order, with
// that cell: then they are copied into the empty `into` at once. Otherwise `into` stays empty.
bool CMatchContext::repaintsEveryPosition(const CSpacePair& pair, CCellSet& into, CSearchPoll& poll) const
{
    const CSpace& right = pair.second;
    if (right.getSizeX() != 1 || right.getSizeY() != 1 || right.getSizeZ() != 1) return false;
    const int v = right.get(0, 0, 0);
    if (v == CELL_ANY) return false;
    into.copyWithValue(pair.cells, v);  // checked on the copy, read front to back
    bool everywhere = true;
    into.forEachInPlace([&](const CCell& at) {
        poll.tick();
        if (view.get(at.x, at.y, at.z) == v) everywhere = false;
    });
    if (!everywhere) into.clear();
    return everywhere;
}

// The right side at one position, for a pair whose right side can change: a device picture,
// then a send (recorded in sentIcons and sentData) or a receive, then the variables.
void CMatchContext::adaptRight(CPatternSpace& right, const CSpace& left, const CSpacePairList& group, const CCell& at,
                               int useDevices, std::vector<CSpace>& sentIcons, std::vector<CSpace>& sentData)
{
    if (useDevices) {
        if (left.isEqual(devices.getRandomIcon()))
            right = devices.rollRandomIcon();
        else if (left.isEqual(devices.getMouseIcon()))
            right = devices.getMouseState();
    }
    if (const CSpace* icon = sendIconIn(right)) {
        if (program.pendingReceives == 0) {
            sentIcons.push_back(*icon);
            sentData.push_back(view.extract(at.x, at.y, at.z, icon->getSizeX(), icon->getSizeY(), icon->getSizeZ()));
        } else {
            receive(right);
        }
    }
    bindVariables(left, group, at, right);
}

// Whether some variable icon occurs in the right side.
int CMatchContext::variableIn(const CSpace& right) const
{
    int found = 0;
    work.variableIcons.forEach([&](const CSpace& v) {
        if (!found && right.contains(v)) found = 1;
    });
    return found;
}

// Moves the boxes into `dirtyBoxes` as the cells of a pass move into `writes`: pushed in the order
// found onto a box set (which keeps the first of equal boxes), then popped from its head and
// pushed onto `dirtyBoxes`, so the first box found ends at the head and is scanned first in the
// next pass. Both sets refuse duplicates by hashing, so a group applied at a million positions
// costs linear time.
void CMatchContext::addDirtyBoxes(std::vector<CBoxSet::Item>& boxes, bool distinct)
{
    // The common case of one group applied in the pass needs no hashing, and no copy either: the
    // set takes the boxes' memory (and leaves its own for the next group's boxes).
    if (distinct && dirtyBoxes.isEmpty()) {
        dirtyBoxes.takeDistinctHeadFirst(boxes);
        return;
    }
    dirtyBoxes.reserve(boxes.size());
    if (distinct) {  // all kept, so the set would give them back from the last found to the first
        for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) dirtyBoxes.push(it->box());
        return;
    }
    CBoxSet found;
    found.reserve(boxes.size());
    for (const CBoxSet::Item& b : boxes) found.push(b.box());
    found.forEach([&](const CBox& b) { dirtyBoxes.push(b); });  // from the head, as pops would
}

// The first send icon, taken from the back of the list, that occurs in the right side.
const CSpace* CMatchContext::sendIconIn(const CSpace& right) const
{
    std::vector<const CSpace*> icons;
    work.sendIcons.forEach([&](const CSpace& icon) { icons.push_back(&icon); });
    for (auto it = icons.rbegin(); it != icons.rend(); ++it)
        if (right.contains(**it)) return *it;
    return nullptr;
}

// The receive numbered `receiveCount` in this pass takes the result with that id, if it has come.
void CMatchContext::receive(CPatternSpace& right)
{
    receiveCount++;
    CSpaceList keptData;
    CLinkList<int> keptIds;
    CSpace data;
    while (program.receivedData.popBack(data)) {
        int id = 0;
        program.receivedIds.popBack(id);
        if (id == receiveCount) {
            right = data;
        } else {
            keptData.push(data);
            keptIds.push(id);
        }
    }
    program.receivedData = keptData;
    program.receivedIds = keptIds;
    program.pendingReceives -= 1;
}

// A variable icon in the right side is replaced by what the variable matched: under the left
// side at this position, or else under the first pair (in evaluation order) whose left side holds
// it, at that pair's first position. The variable's own wildcard cells leave the right side as is.
void CMatchContext::bindVariables(const CSpace& left, const CSpacePairList& group, const CCell& at,
                                  CPatternSpace& right) const
{
    std::vector<const CSpacePair*> evaluationOrder;
    work.variableIcons.forEach([&](const CSpace& v) {
        if (!right.contains(v)) return;
        const int w = v.getSizeX(), h = v.getSizeY(), d = v.getSizeZ();
        int fx = 0, fy = 0, fz = 0;
        CPatternSpace captured;
        if (left.find(v, fx, fy, fz)) {
            captured = view.extract(at.x + fx, at.y + fy, at.z + fz, w, h, d);
        } else {
            if (evaluationOrder.empty()) {
                group.forEach([&](const CSpacePair& p) { evaluationOrder.push_back(&p); });
            }
            const CSpacePair* source = nullptr;
            for (auto it = evaluationOrder.rbegin(); it != evaluationOrder.rend() && !source; ++it)
                if ((*it)->first.contains(v)) source = *it;
            if (!source) return;
            CCellSet positions(source->cells);
            CCell q;
            if (!positions.pop(q) || !source->first.find(v, fx, fy, fz)) return;
            captured = view.extract(q.x + fx, q.y + fy, q.z + fz, w, h, d);
        }
        captured.copyAnyCells(v);
        int rx = 0, ry = 0, rz = 0;
        if (right.find(v, rx, ry, rz)) right.paste(rx, ry, rz, captured);
    });
}
