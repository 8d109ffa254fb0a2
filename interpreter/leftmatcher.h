// CLeftMatcher: tells whether a rule's left side matches a unit's cells at a position, and walks
// the positions worth testing in a box of positions.
//
// A match needs every cell of the left side that is neither "any" nor the outside code to equal
// the unit's cell under it, and such a cell then lies inside the unit. One of them, the anchor, is
// compared first: only positions that bring the anchor inside the unit onto its value are tested
// in full. Given a unit that counts its values, the anchor is a cell of the value the unit holds
// least; otherwise a coloured one when there is one, as colours are rarer than empty cells.
#pragma once

#include <algorithm>
#include <cstdint>

#include "interpreter/searchpoll.h"
#include "interpreter/unitview.h"
#include "space/cellcodes.h"
#include "space/space.h"

class CLeftMatcher {
public:
    CLeftMatcher(const CSpace& view, const CSpace& left) : CLeftMatcher(view, left, nullptr) {}
    CLeftMatcher(const CUnitView& view, const CSpace& left) : CLeftMatcher(view, left, &view) {}

private:
    CLeftMatcher(const CSpace& view, const CSpace& left, const CUnitView* counted)
        : view(view), left(left),
          // A one-cell left side (the common case) is compared directly: the general test walks
          // the pattern and its bounds at every position.
          oneCell(left.getSizeX() == 1 && left.getSizeY() == 1 && left.getSizeZ() == 1 && view.getSizeX() > 0),
          wanted(left.get(0, 0, 0))
    {
        // The first cell of the lowest rank: how often the unit holds its value, when known.
        std::int64_t anchorRank = 0;
        for (int k = 0; k < left.getSizeZ(); k++)
            for (int j = 0; j < left.getSizeY(); j++)
                for (int i = 0; i < left.getSizeX(); i++) {
                    const int v = left.get(i, j, k);
                    if (v == CELL_ANY || v == CELL_OUTSIDE) continue;
                    const std::int64_t rank = counted ? counted->countOf(v) : v == CELL_EMPTY ? 1 : 0;
                    if (anchored && rank >= anchorRank) continue;
                    anchored = true, ai = i, aj = j, ak = k, anchorValue = v, anchorRank = rank;
                }
        anchored = anchored && view.getSizeX() > 0;
        // The cells to compare, as offsets into the unit's array from the position's corner.
        const std::int64_t sx = view.getSizeX(), sy = view.getSizeY();
        for (int k = 0; k < left.getSizeZ() && small; k++)
            for (int j = 0; j < left.getSizeY() && small; j++)
                for (int i = 0; i < left.getSizeX() && small; i++) {
                    const int v = left.get(i, j, k);
                    if (v == CELL_ANY) continue;
                    if (exact == MAX_EXACT) {
                        small = false;
                        break;
                    }
                    offsets[exact] = i + sx * (j + sy * k);
                    values[exact++] = v;
                }
    }

public:
    bool at(int x, int y, int z) const
    {
        if (oneCell) return wanted == CELL_ANY || view.get(x, y, z) == wanted;
        if (anchored && view.get(x + ai, y + aj, z + ak) != anchorValue) return false;
        if (inside(x, y, z))
            return listedAt(view.data() + (x + std::int64_t(view.getSizeX()) * (y + std::int64_t(view.getSizeY()) * z)),
                            x, y, z);
        return view.matchAt(x, y, z, left) != 0;
    }

    // The cell that is compared first, and its place in the left side; false when every cell is
    // "any" or the outside code.
    bool anchor(int& i, int& j, int& k, int& value) const
    {
        i = ai, j = aj, k = ak, value = anchorValue;
        return anchored;
    }

    // Calls visit(x, y, z) at every position of the box [x0, x1] x [y0, y1] x [z0, z1] where the
    // left side matches, z outermost and x innermost; positions it passes over cannot match.
    template <class Visit>
    void forEachMatchIn(std::int64_t x0, std::int64_t y0, std::int64_t z0, std::int64_t x1, std::int64_t y1,
                        std::int64_t z1, CSearchPoll& poll, Visit visit) const
    {
        if (!anchored) {
            for (std::int64_t z = z0; z <= z1; z++)
                for (std::int64_t y = y0; y <= y1; y++)
                    for (std::int64_t x = x0; x <= x1; x++) {
                        poll.tick();
                        if (at(int(x), int(y), int(z))) visit(int(x), int(y), int(z));
                    }
            return;
        }
        // Only positions that put the anchor inside the unit.
        const std::int64_t sx = view.getSizeX(), sy = view.getSizeY(), sz = view.getSizeZ();
        x0 = std::max<std::int64_t>(x0, -ai), x1 = std::min<std::int64_t>(x1, sx - 1 - ai);
        y0 = std::max<std::int64_t>(y0, -aj), y1 = std::min<std::int64_t>(y1, sy - 1 - aj);
        z0 = std::max<std::int64_t>(z0, -ak), z1 = std::min<std::int64_t>(z1, sz - 1 - ak);
        if (x0 > x1) return;
        const int* cells = view.data();
        for (std::int64_t z = z0; z <= z1; z++)
            for (std::int64_t y = y0; y <= y1; y++) {
                poll.advance(int(x1 - x0 + 1));
                const int* row = cells + (ai + sx * (y + aj + sy * (z + ak)));
                // Rows whose positions all put the left side wholly inside compare its cells
                // directly; near the unit's faces the general test reads outside as 2.
                const std::int64_t base = sx * (y + sy * z);
                const bool rowInside = y >= 0 && z >= 0 && y + left.getSizeY() <= sy &&
                                       z + left.getSizeZ() <= sz;
                for (std::int64_t x = x0; x <= x1; x++) {
                    if (row[x] != anchorValue) continue;
                    const bool match = oneCell ? true
                                       : rowInside && x >= 0 && x + left.getSizeX() <= sx
                                           ? listedAt(cells + base + x, int(x), int(y), int(z))
                                           : view.matchAt(int(x), int(y), int(z), left) != 0;
                    if (match) visit(int(x), int(y), int(z));
                }
            }
    }

    // Calls visit(x, y, z) at each listed position where the left side matches, in list order.
    // A position marked inside has the left side wholly inside the unit.
    template <class Positions, class Visit>
    void forEachMatchAmong(const Positions& positions, CSearchPoll& poll, Visit visit) const
    {
        const int* cells = view.data();
        const bool direct = anchored;
        const std::int64_t anchorOffset = ai + std::int64_t(view.getSizeX()) * (aj + std::int64_t(view.getSizeY()) * ak);
        std::size_t polled = 0;
        for (const auto& p : positions) {
            if (++polled == CSearchPoll::TICKS_PER_CHECK) {
                poll.advance(int(polled));
                polled = 0;
            }
            if (!direct || !p.inside()) {
                if (at(p.x, p.y, p.z)) visit(p.x, p.y, p.z);
            } else if (cells[p.index + anchorOffset] == anchorValue && listedAt(cells + p.index, p.x, p.y, p.z)) {
                visit(p.x, p.y, p.z);
            }
        }
    }

private:
    // Whether the left side placed at the position lies wholly inside the unit.
    bool inside(int x, int y, int z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && std::int64_t(x) + left.getSizeX() <= view.getSizeX() &&
               std::int64_t(y) + left.getSizeY() <= view.getSizeY() &&
               std::int64_t(z) + left.getSizeZ() <= view.getSizeZ();
    }
    // At a position wholly inside: the listed cells first, which for a left side of many cells
    // are only its first few and turn most positions away before the full test.
    bool listedAt(const int* corner, int x, int y, int z) const
    {
        return exactAt(corner) && (small || view.matchAt(x, y, z, left) != 0);
    }
    bool exactAt(const int* corner) const
    {
        for (int e = 0; e < exact; e++)
            if (corner[offsets[e]] != values[e]) return false;
        return true;
    }

    static constexpr int MAX_EXACT = 8;
    const CSpace& view;
    const CSpace& left;
    const bool oneCell;
    const int wanted;
    bool anchored = false;  // the left side has a cell that must match exactly
    int ai = 0, aj = 0, ak = 0, anchorValue = CELL_EMPTY;
    bool small = true;  // at most MAX_EXACT cells to compare, all listed below; else the first few
    int exact = 0;
    std::int64_t offsets[MAX_EXACT] = {};
    int values[MAX_EXACT] = {};
};
