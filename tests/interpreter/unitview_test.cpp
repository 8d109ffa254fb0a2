// A unit's cells with their counts of each value: the counts follow every write, and a pattern
// needing a value no cell holds is known to match nowhere.
#include <gtest/gtest.h>

#include <random>

#include "interpreter/unitview.h"
#include "space/cellcodes.h"

namespace {
bool anyCellHolds(const CSpace& s, int value)
{
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0; x < s.getSizeX(); x++)
                if (s.get(x, y, z) == value) return true;
    return false;
}

// Every position from which the pattern overlaps the unit, as a changed box's reach takes them.
bool matchesSomewhere(const CSpace& s, const CSpace& p)
{
    for (int z = 1 - p.getSizeZ(); z < s.getSizeZ(); z++)
        for (int y = 1 - p.getSizeY(); y < s.getSizeY(); y++)
            for (int x = 1 - p.getSizeX(); x < s.getSizeX(); x++)
                if (s.matchAt(x, y, z, p)) return true;
    return false;
}
}  // namespace

TEST(UnitView, CountsFollowEveryWriteAndAPatternNeedingAMissingValueMatchesNowhere)
{
    std::mt19937 rng(5);
    const int values[] = {CELL_EMPTY, CELL_WHITE, CELL_BLACK, CELL_RED, CELL_GREEN, CELL_YELLOW};
    CUnitView view(CSpace(6, 2, 5, CELL_EMPTY));
    int impossible = 0;
    for (int round = 0; round < 400; round++) {
        // Writes inside and outside the grid; now and then the cells are replaced as a whole.
        if (round % 100 == 99) view = CSpace(5, 1, 4, CELL_RED);
        for (int i = 0; i < 3; i++)
            view.set(int(rng() % 8) - 1, int(rng() % 3) - 1, int(rng() % 7) - 1, values[rng() % 6]);
        for (int v : values) ASSERT_EQ(view.holds(v), anyCellHolds(view, v)) << "round " << round << " value " << v;
        // A value without a count of its own is always taken to be there.
        ASSERT_TRUE(view.holds(7));

        CSpace pattern(1 + int(rng() % 2), 1, 1 + int(rng() % 2), CELL_ANY);
        pattern.set(0, 0, 0, values[rng() % 6]);
        if (rng() % 4 == 0) pattern.set(pattern.getSizeX() - 1, 0, 0, CELL_OUTSIDE);
        if (!view.mayMatch(pattern)) {
            impossible++;
            ASSERT_FALSE(matchesSomewhere(view, pattern)) << "round " << round;
        }
        // The outside code and "any" are never needed from the cells.
        ASSERT_TRUE(view.mayMatch(CSpace(2, 1, 1, CELL_OUTSIDE)));
    }
    EXPECT_GT(impossible, 20);  // the case must have come up, not only patterns that may match
}
