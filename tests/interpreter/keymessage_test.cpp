// CKey and CMessage: emptiness, equality, the default key, and copies that stand on their own.
#include <gtest/gtest.h>

#include "interpreter/key.h"
#include "interpreter/message.h"
#include "space/cellcodes.h"

TEST(Key, EmptinessEqualityAndTheDefaultKey)
{
    CKey none, key;
    key.setDefault();
    EXPECT_EQ(none.isEmpty(), 1);
    EXPECT_EQ(key.isEmpty(), 0);
    EXPECT_TRUE(key.icon.isEqual(CSpace(1, 1, 1, CELL_BLACK)));
    EXPECT_EQ(key.value, 1);

    CSpace icon(2, 1, 1, CELL_RED), other(icon);
    other.set(1, 0, 0, CELL_BLUE);
    EXPECT_EQ(CKey(icon, 3).isEqual(CKey(icon, 3)), 1);
    EXPECT_EQ(CKey(icon, 3).isEqual(CKey(icon, 4)), 0) << "equal icons, other value";
    EXPECT_EQ(CKey(icon, 3).isEqual(CKey(other, 3)), 0);
    EXPECT_EQ(CKey(CSpace(1, 1, 1, 0), 1).isEqual(CKey(CSpace(1, 1, 2, 0), 1)), 0) << "sizes differ";
}

TEST(Message, CopiesKeepEverythingAndShareNothing)
{
    CMessage m;
    m.key = CKey(CSpace(1, 1, 1, CELL_BLACK), 7);
    m.shape = CSpace(2, 1, 1, CELL_GREEN);
    m.data = CSpace(3, 2, 1, CELL_YELLOW);
    m.value = 5;
    CMessage copy(m), assigned;
    assigned = m;
    m.key.icon.set(0, 0, 0, CELL_WHITE);
    m.shape.set(0, 0, 0, 0);
    m.data.set(2, 1, 0, 0);
    m.value = 6;

    for (const CMessage* c : {&copy, &assigned}) {
        EXPECT_EQ(c->key.isEqual(CKey(CSpace(1, 1, 1, CELL_BLACK), 7)), 1);
        EXPECT_TRUE(c->shape.isEqual(CSpace(2, 1, 1, CELL_GREEN)));
        EXPECT_TRUE(c->data.isEqual(CSpace(3, 2, 1, CELL_YELLOW)));
        EXPECT_EQ(c->value, 5);
    }
}
