// Moving a large space hands its cells over instead of copying them; what is left behind is the
// empty space, still safe to read, assign and resize.
#include <gtest/gtest.h>

#include <utility>

#include "interpreter/patternspace.h"
#include "space/space.h"

TEST(SpaceMove, CellsChangeHandsAndTheSourceIsTheEmptySpace)
{
    CSpace source(300, 20, 300, 0);
    source.set(299, 19, 299, 105);
    const int* cells = source.data();

    CSpace moved(std::move(source));
    EXPECT_EQ(moved.data(), cells) << "no copy was made";
    EXPECT_EQ(moved.get(299, 19, 299), 105);
    EXPECT_EQ(source.getSizeX() + source.getSizeY() + source.getSizeZ(), 0);
    EXPECT_EQ(source.get(0, 0, 0), 2);

    // A moved-from space takes new contents like any other.
    source = CSpace(2, 1, 2, 103);
    EXPECT_EQ(source.get(1, 0, 1), 103);
    source.resize(3, 1, 3);
    EXPECT_EQ(source.get(2, 0, 2), 0);

    CPatternSpace target(4, 4, 4, 101);
    CSpace& base = target;
    base = std::move(moved);
    EXPECT_EQ(target.getSizeX(), 300);
    EXPECT_EQ(target.get(299, 19, 299), 105);
}
