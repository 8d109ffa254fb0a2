// CTestedPositions: at which positions of a unit one left side has been found in this pass. A
// position in the reach of several changed boxes, or where the pair matched in the last pass,
// would otherwise be recorded again, which records nothing new. Only matches are marked: a
// position that did not match will not match when it comes up again within the pass. A mark is the
// number of the evaluation, so starting the next one clears nothing; the few positions outside
// the unit that come up are kept in a small hash set.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "space/entryindex.h"

class CTestedPositions {
public:
    CTestedPositions() = default;
    // A copy of a unit starts with no marks: they only matter within one evaluation.
    CTestedPositions(const CTestedPositions&) {}
    CTestedPositions& operator=(const CTestedPositions&)
    {
        *this = CTestedPositions();
        return *this;
    }
    CTestedPositions(CTestedPositions&&) noexcept = default;
    CTestedPositions& operator=(CTestedPositions&&) noexcept = default;

    // Starts an evaluation over a unit of this size.
    void begin(int sizeX, int sizeY, int sizeZ)
    {
        if (sx != sizeX || sy != sizeY || sz != sizeZ) {
            sx = sizeX, sy = sizeY, sz = sizeZ;
            // Zeroed memory from the system costs nothing until it is touched, so a huge unit's
            // first evaluation does not spend a long unpolled moment clearing it. Without the
            // memory every position counts as untested, which finds the same.
            count = std::size_t(sx) * std::size_t(sy) * std::size_t(sz);
            marks.reset(static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t))));
            if (!marks) count = 0;
            round = 0;
        }
        outside.clear();
        outsideIndex.clear();
        if (++round == 0) {  // the numbers wrapped: old marks could be taken for new ones
            std::fill_n(marks.get(), count, 0u);
            round = 1;
        }
    }

    // True the first time a position is asked about in this evaluation.
    bool first(int x, int y, int z)
    {
        if (x < 0 || y < 0 || z < 0 || x >= sx || y >= sy || z >= sz) {
            const std::uint32_t known = outsideIndex.findOrInsert(
                CEntryIndex::hashOf(x, y, z),
                [&](std::uint32_t i) { return outside[i] == std::make_tuple(x, y, z); },
                [&] {
                    outside.emplace_back(x, y, z);
                    return std::uint32_t(outside.size() - 1);
                });
            return known == CEntryIndex::NONE;
        }
        if (!marks) return true;
        std::uint32_t& mark = marks[std::size_t(x) + std::size_t(sx) * (std::size_t(y) + std::size_t(sy) * z)];
        if (mark == round) return false;
        mark = round;
        return true;
    }

private:
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint32_t[], Free> marks;
    std::size_t count = 0;
    std::vector<std::tuple<int, int, int>> outside;
    CEntryIndex outsideIndex;
    int sx = 0, sy = 0, sz = 0;
    std::uint32_t round = 0;
};
