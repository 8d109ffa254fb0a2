// changedCells: the cells a step wrote, found by comparing the space before and after it.
#include <gtest/gtest.h>

#include "document/changedcells.h"

TEST(ChangedCells, ListsEveryDifferingCellInScanOrderUpToTheLimit)
{
    CSpace before(4, 2, 3, 0), after(4, 2, 3, 0);
    EXPECT_TRUE(changedCells(before, after).empty());
    after.set(3, 1, 0, 103);
    after.set(0, 0, 2, 104);
    after.set(1, 0, 0, 101);
    const std::vector<CCell> changed = changedCells(before, after);
    ASSERT_EQ(changed.size(), 3u);
    EXPECT_EQ(changed[0].x, 1);
    EXPECT_EQ(changed[0].value, 101);
    EXPECT_EQ(changed[1].y, 1);
    EXPECT_EQ(changed[2].z, 2);
    EXPECT_EQ(changed[2].value, 104);
    EXPECT_EQ(changedCells(before, after, 2).size(), 2u);
    // A resized space: nothing to compare.
    EXPECT_TRUE(changedCells(CSpace(4, 2, 2, 0), after).empty());
}
