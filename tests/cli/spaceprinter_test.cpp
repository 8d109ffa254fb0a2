// The runner's text picture of a space and its count of changed cells.
#include <gtest/gtest.h>

#include "cli/spaceprinter.h"

TEST(SpacePrinter, EveryValueHasItsCharacter)
{
    CSpace s(13, 1, 1, 0);
    int values[] = {0, 100, 101, 102, 103, 104, 105, 106, 107, 1, 2, 3, -1};
    for (int x = 0; x < 13; x++) s.set(x, 0, 0, values[x]);
    EXPECT_EQ(printSpace(s), ".WKBRGPQY?#**\n");
}

TEST(SpacePrinter, SolidLayersListRowsFromTheTop)
{
    CSpace s(2, 3, 1, 0);
    s.set(0, 2, 0, 103);
    s.set(1, 0, 0, 104);
    EXPECT_EQ(printSpace(s), "z=0\nR.\n..\n.G\n");
}

TEST(SpacePrinter, ChangedCellsCountGrowthAsNonEmptyCellsOnly)
{
    CSpace a(2, 1, 1, 0), b(3, 1, 2, 0);
    a.set(0, 0, 0, 100);
    b.set(0, 0, 0, 100);
    EXPECT_EQ(countChangedCells(a, b), 0);
    b.set(2, 0, 1, 103);
    b.set(1, 0, 0, 1);
    EXPECT_EQ(countChangedCells(a, b), 2);
    EXPECT_EQ(countChangedCells(b, a), 2);
}
