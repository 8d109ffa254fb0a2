// CReachList: the positions a pass searches for left sides of one size, each once. A position
// lies in the reach of every changed box that a left side placed there would overlap; walked box
// by box, neighbouring boxes bring the same positions up again and again, and again for every
// rule group. Here they are listed once, in the order that walk first comes to them: testing a
// group at the listed positions in order finds its matches in the order the walk would.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "interpreter/positionmarks.h"
#include "interpreter/searchpoll.h"
#include "interpreter/testedpositions.h"
#include "space/boxset.h"
#include "space/space.h"

class CReachList {
public:
    struct Position {
        int x, y, z;
        // Of the position in the unit's cells when a left side of the size placed here lies
        // wholly inside the unit (a unit's cells are counted in an int), else -1.
        std::int32_t index;
        bool inside() const { return index >= 0; }
    };
    static_assert(CSpace::MAX_CELLS <= INT32_MAX, "a unit's cells are counted in an int");

    // The positions from which a left side of size lx x ly x lz overlaps a box of `boxes`, in a
    // unit of size sx x sy x sz.
    void build(const CBoxSet& boxes, int lx, int ly, int lz, int sx, int sy, int sz, CSearchPoll& poll);

    std::span<const Position> positions() const { return {list.data(), used}; }

private:
    // A left side's size and the unit's, with the marked frame's margins and size.
    struct Frame {
        Frame(int lx, int ly, int lz, int sx, int sy, int sz)
            : lx(lx), ly(ly), lz(lz), sx(sx), sy(sy), sz(sz), mx(lx - 1), my(ly - 1), mz(lz - 1), fw(sx + mx),
              fh(sy + my), fd(sz + mz)
        {
        }
        std::int64_t lx, ly, lz, sx, sy, sz, mx, my, mz, fw, fh, fd;
    };
    // Lists the new positions of the reach of a box not wholly within the unit, one at a time.
    void listAnyhow(const CBox& h, const Frame& f, CSearchPoll& poll);
    // Lists the new positions of the reach of a box that the quick loop of `build` leaves: one
    // of wide rows, near the unit's faces or beyond them.
    void listBox(const CBoxSet::Item& h, const Frame& f, bool framed, CSearchPoll& poll);
    // Room for n more positions after the `used` ones.
    Position* room(std::size_t n)
    {
        if (list.size() < used + n) grow(n);
        return list.data() + used;
    }
    void grow(std::size_t n);

    // Whether a position (shifted by the low margin) comes up for the first time in this build.
    bool first(std::int64_t x, std::int64_t y, std::int64_t z)
    {
        if (x < 0 || y < 0 || z < 0 || x >= fw || y >= fh || z >= fd || !marks.ready())
            return beyond.first(int(x), int(y), int(z));
        return marks.mark(std::size_t(x + fw * (y + fh * z)));
    }

    std::vector<Position> list;  // the first `used` are this build's; the rest is room
    std::size_t used = 0;
    // The positions listed, one mark per position of the unit and its low margin; the rare
    // positions beyond go to `beyond`.
    CPositionMarks marks;
    std::int64_t fw = 0, fh = 0, fd = 0;  // the marked frame's size
    CTestedPositions beyond;  // of size zero: every position it is asked about is outside
};
