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
#include <cstdlib>
#include <cstring>
#include <span>

#include "interpreter/searchpoll.h"
#include "interpreter/unitview.h"
#include "space/boxset.h"
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
        // The first cell of the lowest rank: how often the unit holds its value, when known. And
        // the cells to compare, as offsets into the unit's array from the position's corner.
        // One walk over the cells in memory order, (i, j, k) and the offset of the row (0, j, k)
        // stepped along with it.
        const int lx = left.getSizeX(), ly = left.getSizeY();
        const int* pattern = left.data();
        const std::int64_t n = std::int64_t(lx) * ly * left.getSizeZ();
        const std::int64_t sx = view.getSizeX(), sxy = sx * view.getSizeY();
        std::int64_t anchorRank = 0, row = 0, plane = 0;
        int i = 0, j = 0, k = 0;
        for (std::int64_t c = 0; c < n; c++) {
            const int v = pattern[c];
            if (v != CELL_ANY) {
                if (small) {
                    if (exact == MAX_EXACT) {
                        small = false;
                    } else {
                        offsets[exact] = row + i;
                        values[exact++] = v;
                    }
                }
                if (v != CELL_OUTSIDE) {
                    const std::int64_t rank = counted ? counted->countOf(v) : v == CELL_EMPTY ? 1 : 0;
                    if (!anchored || rank < anchorRank)
                        anchored = true, ai = i, aj = j, ak = k, anchorValue = v, anchorRank = rank;
                }
            }
            if (++i < lx) continue;
            i = 0, row += sx;
            if (++j < ly) continue;
            j = 0, k++, plane += sxy, row = plane;
        }
        anchored = anchored && view.getSizeX() > 0;
        if (!small) pickTellingCells(counted);
    }

    // For a left side of more cells than are listed: the cells of the rarest values, farthest
    // from the anchor first. The first few cells in order often lie along one line with the
    // anchor, which a line drawn in the unit matches again and again; cells of rare values far
    // from the anchor seldom match where it does.
    void pickTellingCells(const CUnitView* counted)
    {
        struct Pick {
            std::int64_t rank, distance, offset;
            int value;
        } picks[MAX_EXACT];
        int n = 0;
        const std::int64_t sx = view.getSizeX(), sy = view.getSizeY();
        for (int k = 0; k < left.getSizeZ(); k++)
            for (int j = 0; j < left.getSizeY(); j++)
                for (int i = 0; i < left.getSizeX(); i++) {
                    const int v = left.get(i, j, k);
                    if (v == CELL_ANY) continue;
                    const std::int64_t rank = v == CELL_OUTSIDE ? -1 : counted ? counted->countOf(v) : v == CELL_EMPTY ? 1 : 0;
                    const Pick p{rank, std::int64_t(std::abs(i - ai)) + std::abs(j - aj) + std::abs(k - ak),
                                 i + sx * (j + sy * k), v};
                    auto before = [](const Pick& a, const Pick& b) {
                        return a.rank != b.rank ? a.rank < b.rank : a.distance > b.distance;
                    };
                    if (n == MAX_EXACT && !before(p, picks[n - 1])) continue;
                    int at = n < MAX_EXACT ? n++ : n - 1;  // sorted in: the last falls out when full
                    for (; at > 0 && before(p, picks[at - 1]); at--) picks[at] = picks[at - 1];
                    picks[at] = p;
                }
        for (int e = 0; e < n; e++) offsets[e] = picks[e].offset, values[e] = picks[e].value;
        exact = n;
    }

public:
    bool at(int x, int y, int z) const
    {
        if (oneCell) return wanted == CELL_ANY || cellAt(x, y, z) == wanted;
        if (anchored && cellAt(x + ai, y + aj, z + ak) != anchorValue) return false;
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

    // Calls visit(x, y, z) at every position from which the left side overlaps one of `boxes`
    // and matches: the boxes in the order given (`headFirst`: from the first item, else from the
    // last), within a box's reach z outermost and x innermost. Positions passed over cannot match.
    template <class Visit>
    void forEachMatchInReaches(std::span<const CBoxSet::Item> boxes, bool headFirst, CSearchPoll& poll,
                               Visit visit) const
    {
        const std::int64_t lx = left.getSizeX(), ly = left.getSizeY(), lz = left.getSizeZ();
        const std::size_t count = boxes.size();
        if (!anchored) {
            for (std::size_t k = 0; k < count; k++) {
                const CBoxSet::Item& h = boxes[headFirst ? k : count - 1 - k];
                for (std::int64_t z = h.z0 - lz + 1; z <= h.z1; z++)
                    for (std::int64_t y = h.y0 - ly + 1; y <= h.y1; y++)
                        for (std::int64_t x = h.x0 - lx + 1; x <= h.x1; x++) {
                            poll.tick();
                            if (at(int(x), int(y), int(z))) visit(int(x), int(y), int(z));
                        }
            }
            return;
        }
        // Only positions that put the anchor inside the unit: corners from lo to hi.
        const std::int64_t sx = view.getSizeX(), sy = view.getSizeY(), sz = view.getSizeZ(), sxy = sx * sy;
        const std::int64_t loX = -ai, loY = -aj, loZ = -ak, hiX = sx - 1 - ai, hiY = sy - 1 - aj, hiZ = sz - 1 - ak;
        const int a = anchorValue;
        const int* cells = view.data();
        // From a position's index in the cells to its anchor's.
        const std::int64_t toAnchor = ai + sx * aj + sxy * ak;
        // A position whose anchor holds its value, tested in full. Kept out of the loops below (it
        // is seldom reached), which then keep their counters in registers. A left side lying
        // wholly inside compares its cells directly; near the unit's faces the general test reads
        // outside as 2.
        auto test = [&](std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t base) __attribute__((noinline))
        {
            const bool inside = x >= 0 && y >= 0 && z >= 0 && x + lx <= sx && y + ly <= sy && z + lz <= sz;
            const bool match = oneCell ? true
                               : inside ? listedAt(cells + base + x, int(x), int(y), int(z))
                                        : view.matchAt(int(x), int(y), int(z), left) != 0;
            if (match) visit(int(x), int(y), int(z));
        };
        for (std::size_t k = 0; k < count; k++) {
            const CBoxSet::Item& h = boxes[headFirst ? k : count - 1 - k];
            const std::int64_t x0 = std::max<std::int64_t>(h.x0 - lx + 1, loX), x1 = std::min<std::int64_t>(h.x1, hiX);
            const std::int64_t y0 = std::max<std::int64_t>(h.y0 - ly + 1, loY), y1 = std::min<std::int64_t>(h.y1, hiY);
            const std::int64_t z0 = std::max<std::int64_t>(h.z0 - lz + 1, loZ), z1 = std::min<std::int64_t>(h.z1, hiZ);
            if (x0 > x1 || y0 > y1 || z0 > z1) continue;
            // A small reach is counted at once, a large one row by row.
            const std::int64_t nx = x1 - x0 + 1, ny = y1 - y0 + 1, volume = nx * ny * (z1 - z0 + 1);
            const bool rowByRow = volume > CSearchPoll::TICKS_PER_CHECK;
            if (!rowByRow) poll.advance(int(volume));
            // The index of a row's x = 0, stepped through by adding.
            std::int64_t base = sx * y0 + sxy * z0;
            const std::int64_t toNextPlane = sxy - ny * sx;
            for (std::int64_t z = z0; z <= z1; z++, base += toNextPlane)
                for (std::int64_t y = y0; y <= y1; y++, base += sx) {
                    if (rowByRow) poll.advance(int(nx));
                    const int* row = cells + (base + toAnchor);
                    for (std::int64_t x = x0; x <= x1; x++)
                        if (row[x] == a) [[unlikely]]
                            test(x, y, z, base);
                }
        }
    }

    // For the unit's cells x0 to x1 of row (y, z) in order: where the anchor cell placed there
    // lets the left side match, calls visit(x, y, z) with the left side's corner, while visit
    // returns true; false when it stopped. Needs an anchor.
    template <class Visit>
    bool forEachMatchAnchoredIn(int x0, int x1, int y, int z, Visit visit) const
    {
        const std::int64_t sx = view.getSizeX(), sy = view.getSizeY(), sz = view.getSizeZ();
        const int* cells = view.data();
        const int* row = cells + sx * (y + sy * z);
        const std::int64_t cy = std::int64_t(y) - aj, cz = std::int64_t(z) - ak;
        // Corners of this row that put the left side wholly inside compare its cells directly.
        const bool rowInside = cy >= 0 && cz >= 0 && cy + left.getSizeY() <= sy && cz + left.getSizeZ() <= sz;
        const std::int64_t base = sx * (cy + sy * cz);
        const int a = anchorValue;
        for (int x = x0; x <= x1; x++) {
            // Eight cells at a time while none holds the anchor's value: the common case.
            while (x + 7 <= x1 && !holdsIn8(row + x, a)) x += 8;
            if (x > x1) break;
            if (row[x] != a) continue;
            const std::int64_t cx = std::int64_t(x) - ai;
            const bool match = oneCell ? true
                               : rowInside && cx >= 0 && cx + left.getSizeX() <= sx
                                   ? listedAt(cells + base + cx, int(cx), int(cy), int(cz))
                                   : view.matchAt(int(cx), int(cy), int(cz), left) != 0;
            if (match && !visit(int(cx), int(cy), int(cz))) return false;
        }
        return true;
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
    // The unit's cell, or the outside code, as CSpace::get reads it; written out so that the test
    // of a position never leaves it for a call.
    int cellAt(int x, int y, int z) const
    {
        if (unsigned(x) >= unsigned(view.getSizeX()) || unsigned(y) >= unsigned(view.getSizeY()) ||
            unsigned(z) >= unsigned(view.getSizeZ()))
            return CELL_OUTSIDE;
        return view.data()[x + std::int64_t(view.getSizeX()) * (y + std::int64_t(view.getSizeY()) * z)];
    }
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
    // Whether one of the eight cells from `p` holds `a`, compared four at a time.
    static bool holdsIn8(const int* p, int a)
    {
        typedef int Four __attribute__((vector_size(16)));
        Four lo, hi;
        std::memcpy(&lo, p, sizeof lo);
        std::memcpy(&hi, p + 4, sizeof hi);
        const Four any = (lo == a) | (hi == a);
        std::uint64_t halves[2];
        std::memcpy(halves, &any, sizeof halves);
        return (halves[0] | halves[1]) != 0;
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
