// CReachMatches: where each of many left sides of one size matches among the positions of a
// reach list, found for all of them in one walk of the list. A program drawn with sequences has
// dozens of left sides of one size that differ only in their colours; testing each at every
// listed position costs the positions times the left sides. Here left sides that compare the
// same cells are told apart by those cells' values, read once per position and looked up.
// The unit does not change within a pass, so the matches found up front are the matches a
// left side's own walk of the list would find, in the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "interpreter/reachlist.h"
#include "interpreter/searchpoll.h"
#include "space/space.h"

class CReachMatches {
public:
    // Finds the matches of every left side of `lefts` (each of the list's size) in `view` at
    // the positions of `reach`. Left sides of the same cells are kept once.
    void build(const CSpace& view, const CReachList& reach, const std::vector<CSpace>& lefts, CSearchPoll& poll);

    // The indexes, into the reach list's positions and in its order, where `left` matches; null
    // when `left` was not among those the table was built for.
    const std::vector<std::uint32_t>* matchesOf(const CSpace& left) const;

    void clear() { sides.clear(); }

private:
    struct Side {
        CSpace left;
        std::uint64_t key = 0;  // of the left side's cells, to find it again
        std::vector<std::int64_t> offsets;  // of its cells other than "any", from the corner
        std::vector<int> values;            // their values
        std::uint64_t valueKey = 0;         // of `values`
        std::vector<std::uint32_t> matches;
    };
    std::vector<Side> sides;
};
