// CReachMatches: where each of many left sides of one size matches among the positions of a
// reach list, found for all of them in one walk of the list. A program drawn with sequences has
// dozens of left sides of one size that differ only in their colours; testing each at every
// listed position costs the positions times the left sides. Here left sides that compare the
// same cells are told apart by those cells' values, read once per position and looked up.
// The unit does not change within a pass, so the matches found up front are the matches a
// left side's own walk of the list would find, in the same order.
//
// The table (the left sides, grouped by the cells they compare, and their lookup) depends only on
// the left sides and the unit's size, which seldom change: it is set up once and then walked over
// each pass's positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "interpreter/reachlist.h"
#include "interpreter/searchpoll.h"
#include "space/space.h"

class CReachMatches {
public:
    // Sets the table up for `lefts` (each of one size). Left sides of the same cells are kept once.
    void prepare(const std::vector<CSpace>& lefts);

    // Finds the matches of every left side in `view` at the positions of `reach`.
    void walk(const CSpace& view, const CReachList& reach, CSearchPoll& poll);

    // Both of the above.
    void build(const CSpace& view, const CReachList& reach, const std::vector<CSpace>& lefts, CSearchPoll& poll)
    {
        prepare(lefts);
        walk(view, reach, poll);
    }

    // The indexes, into the reach list's positions and in its order, where `left` matches; null
    // when `left` was not among those the table was prepared for. `cursor` counts the left sides
    // given to prepare that have been asked for: asked in that order, each is found at once.
    const std::vector<std::uint32_t>* matchesOf(const CSpace& left, std::size_t& cursor) const;
    const std::vector<std::uint32_t>* matchesOf(const CSpace& left) const
    {
        std::size_t cursor = 0;
        return matchesOf(left, cursor);
    }

    void clear();

private:
    struct Side {
        CSpace left;
        std::uint64_t key = 0;       // of the left side's cells, to find it again
        std::uint64_t valueKey = 0;  // of the values of the cells its family compares
        std::vector<std::uint32_t> matches;
    };
    // Left sides comparing the same cells (those not "any"), with their values hashed into an
    // open table.
    struct Family {
        std::vector<std::int64_t> offsets;  // of the compared cells from the corner, in the unit
        std::vector<int> cells;             // the same cells as i, j, k in the left side
        std::vector<std::size_t> sides;
        std::vector<int> values;            // of each side in turn, `offsets.size()` each
        int shift = 64;                     // a bucket is the top 64 - shift bits of a key
        std::vector<std::int32_t> slots;    // first side (index into `sides`) of each bucket, or -1
        std::vector<std::int32_t> next;     // the next side in the same bucket, or -1
        // The values some side holds at each compared cell, a bit per value below 128 (two words
        // a cell); and the compared cells a position is first tested at, fewest values first: a
        // value no side holds there turns the position away before the lookup.
        std::vector<std::uint64_t> allowed;
        std::vector<std::uint32_t> telling;
    };
    // Sets the family's `allowed` and `telling` from its sides' values.
    static void pickTellingCells(Family& fam);
    void walkFamily(const Family& fam, const CSpace& view, const CReachList& reach, CSearchPoll& poll);
    // Computes the offsets for a unit of size sx x sy.
    void placeIn(std::int64_t sx, std::int64_t sy);

    std::vector<Side> sides;
    std::vector<Family> families;
    std::vector<std::size_t> order;  // the side of each left side given to prepare
    std::int64_t ux = -1, uy = -1;  // the unit's size the offsets are for
};
