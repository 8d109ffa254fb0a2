// CTestedPositions: at which positions of a unit one left side has been found in this pass. A
// position in the reach of several changed boxes, or where the pair matched in the last pass,
// would otherwise be recorded again, which records nothing new. Only matches are marked: a
// position that did not match will not match when it comes up again within the pass. The few
// positions outside the unit that come up are kept in a small hash set.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "interpreter/positionmarks.h"
#include "space/entryindex.h"

class CTestedPositions {
public:
    // Starts an evaluation over a unit of this size.
    void begin(int sizeX, int sizeY, int sizeZ)
    {
        sx = sizeX, sy = sizeY, sz = sizeZ;
        // Without the memory every position counts as untested, which finds the same.
        marks.begin(std::size_t(sx) * std::size_t(sy) * std::size_t(sz));
        outside.clear();
        outsideIndex.clear();
    }

    // True the first time a position is asked about in this evaluation. Small enough to be
    // inlined where a match is recorded, which asks it for every match.
    [[gnu::always_inline]] bool first(int x, int y, int z)
    {
        if (unsigned(x) >= unsigned(sx) || unsigned(y) >= unsigned(sy) || unsigned(z) >= unsigned(sz))
            return firstOutside(x, y, z);
        if (!marks.ready()) return true;
        return marks.mark(std::size_t(x) + std::size_t(sx) * (std::size_t(y) + std::size_t(sy) * z));
    }

private:
    // Kept out of line: the common position lies inside.
    [[gnu::noinline]] bool firstOutside(int x, int y, int z)
    {
        const std::uint32_t known = outsideIndex.findOrInsert(
            CEntryIndex::hashOf(x, y, z), [&](std::uint32_t i) { return outside[i] == std::make_tuple(x, y, z); },
            [&] {
                outside.emplace_back(x, y, z);
                return std::uint32_t(outside.size() - 1);
            });
        return known == CEntryIndex::NONE;
    }

    CPositionMarks marks;
    std::vector<std::tuple<int, int, int>> outside;
    CEntryIndex outsideIndex;
    int sx = 0, sy = 0, sz = 0;
};
