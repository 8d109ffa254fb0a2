// CSpace: construction, access, whole-space operations, boxes, pastes and pattern searches.
#include <gtest/gtest.h>

#include "space/space.h"

TEST(Space, EmptySpaceReadsOutside)
{
    for (CSpace s : {CSpace(0, 5, 5, 0), CSpace(-1, 1, 1, 0)}) {
        EXPECT_EQ(s.getSizeX(), 0);
        EXPECT_EQ(s.getSizeY(), 0);
        EXPECT_EQ(s.getSizeZ(), 0);
        EXPECT_EQ(s.get(0, 0, 0), 2);
        s.set(0, 0, 0, 104);
        EXPECT_EQ(s.get(0, 0, 0), 2);
        EXPECT_EQ(s.countNonEmpty(), 0);
    }
}
