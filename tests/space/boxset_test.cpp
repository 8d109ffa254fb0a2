// Boxes and box sets: equality of boxes, and a set that refuses duplicates, also in its copies.
#include <gtest/gtest.h>

#include "space/boxset.h"

TEST(Records, BoxEqualityAndBoxSetDuplicates)
{
    CBox unit(4, 5, 6, 4, 5, 6);
    EXPECT_EQ(unit.isEqual(CBox(4, 5, 6, 4, 5, 6)), 1);
    EXPECT_EQ(unit.isEqual(CBox(4, 5, 6, 4, 5, 7)), 0);
    EXPECT_EQ(CBox().isEqual(CBox(0, 0, 0, 0, 0, 0)), 1);

    CBoxSet set;
    set.push(CBox(1, 2, 3, 4, 5, 6));
    set.push(CBox(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(set.count(), 1);
    // A box differing in any single coordinate is a different box.
    for (int i = 0; i < 6; i++) {
        int c[6] = {1, 2, 3, 4, 5, 6};
        c[i] += 10;
        set.push(CBox(c[0], c[1], c[2], c[3], c[4], c[5]));
    }
    EXPECT_EQ(set.count(), 7);
    set.push(CBox(1, 2, 3, 4, 5, 6));  // a duplicate deep in the list is found as well
    EXPECT_EQ(set.count(), 7);

    CBoxSet copy(set);
    CBox b;
    ASSERT_EQ(copy.pop(b), 1);
    EXPECT_EQ(b.isEqual(CBox(1, 2, 3, 4, 5, 16)), 1);
    EXPECT_EQ(set.count(), 7);
    copy.push(CBox(1, 2, 3, 4, 5, 6));  // still refused in the copy
    EXPECT_EQ(copy.count(), 6);
    ASSERT_EQ(copy.popBack(b), 1);
    EXPECT_EQ(b.isEqual(CBox(1, 2, 3, 4, 5, 6)), 1);
}
