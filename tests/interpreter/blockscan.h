// Helpers for the recogniser tests: the Separate scan order without an interpreter, and a check
// that a recogniser consumed exactly a drawn block.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "interpreter/patternspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "support/blockbuilder.h"

// A block found by the scan: its kind ('S'equence, 'R'ule group, work 'A'rea, 'W'indow) and cell.
struct FoundBlock {
    char kind;
    int x, y, z;
    bool operator==(const FoundBlock&) const = default;
};

// Tries the four recognisers at every cell, z outermost, then x, then y from the top, as the
// Separate phase does, and lists what was found where.
inline std::vector<FoundBlock> scanBlocks(CPatternSpace& s)
{
    std::vector<FoundBlock> found;
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int x = 0; x < s.getSizeX(); x++)
            for (int y = s.getSizeY() - 1; y >= 0; y--) {
                CLinkList<CSpace> sequence;
                CSpacePairList group;
                CSpace area;
                CWindow window;
                if (s.findSequence(x, y, z, sequence))
                    found.push_back({'S', x, y, z});
                else if (s.findRuleGroup(x, y, z, group))
                    found.push_back({'R', x, y, z});
                else if (s.findWorkArea(x, y, z, area))
                    found.push_back({'A', x, y, z});
                else if (s.findWindow(x, y, z, window))
                    found.push_back({'W', x, y, z});
            }
    return found;
}

inline FoundBlock foundAt(char kind, const DrawnBlock& b)
{
    return {kind, b.scan.x, b.scan.y, b.scan.z};
}

// Every cell the blocks cover reads 2 in `after`; every other cell is as in `before`.
inline ::testing::AssertionResult consumedExactly(const CSpace& before, const CSpace& after,
                                                  const std::vector<DrawnBlock>& blocks)
{
    for (int z = 0; z < before.getSizeZ(); z++)
        for (int y = 0; y < before.getSizeY(); y++)
            for (int x = 0; x < before.getSizeX(); x++) {
                bool covered = false;
                for (const DrawnBlock& b : blocks) covered = covered || b.covers(x, y, z);
                const int want = covered ? 2 : before.get(x, y, z);
                if (after.get(x, y, z) != want)
                    return ::testing::AssertionFailure()
                           << "cell (" << x << ", " << y << ", " << z << ") holds " << after.get(x, y, z)
                           << ", expected " << want;
            }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult consumedExactly(const CSpace& before, const CSpace& after,
                                                  const DrawnBlock& b)
{
    return consumedExactly(before, after, std::vector<DrawnBlock>{b});
}

// Recolours every cell of one value, to draw a block in the other space kind's outline colour.
inline void recolour(CSpace& s, int from, int to)
{
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0; x < s.getSizeX(); x++)
                if (s.get(x, y, z) == from) s.set(x, y, z, to);
}
