// CScanColumns: a column it passes over holds no cell where the reader's first test would let a
// recogniser look, in flat and solid copies, including the columns beyond a flat copy that the
// test's second cell reaches back from.
#include <gtest/gtest.h>

#include <random>

#include "interpreter/scancolumns.h"
#include "space/cellcodes.h"

namespace {
// The outline test the reader makes before any recogniser, cell by cell.
bool readerLooksAt(const CSpace& s, int x, int y, int z)
{
    if (s.isFlat()) return s.get(x, 0, z) == CELL_BLUE || s.get(x - 2, 0, z - 2) == CELL_BLUE;
    return s.get(x, y, z) == CELL_GREEN || s.get(x, y - 1, z - 1) == CELL_GREEN;
}

// Whether the column or the one the test reaches back to holds the outline colour anywhere.
bool outlineNear(const CSpace& s, int x, int z)
{
    const int colour = s.isFlat() ? CELL_BLUE : CELL_GREEN;
    const int back = s.isFlat() ? 2 : 0, down = s.isFlat() ? 2 : 1;
    for (int y = 0; y < s.getSizeY(); y++)
        if (s.get(x, y, z) == colour || s.get(x - back, y, z - down) == colour) return true;
    return false;
}
}  // namespace

TEST(ScanColumns, PassesOverExactlyTheColumnsWithoutAnOutlineCellNearby)
{
    struct Case {
        int x, y, z;
        int outlines;  // outline cells scattered at random
    };
    std::mt19937 random(7);
    for (const Case c : {Case{9, 1, 7, 4}, Case{9, 1, 7, 0}, Case{6, 5, 4, 3}, Case{6, 5, 4, 0}, Case{1, 1, 1, 1},
                         Case{0, 0, 0, 0}}) {
        CSpace s(c.x, c.y, c.z, CELL_EMPTY);
        const int colour = s.isFlat() ? CELL_BLUE : CELL_GREEN;
        for (int i = 0; i < c.outlines; i++) {
            const int x = int(random() % unsigned(c.x)), y = int(random() % unsigned(c.y)),
                      z = int(random() % unsigned(c.z));
            s.set((x + 3) % c.x, y, z, colour == CELL_BLUE ? CELL_GREEN : CELL_BLUE);  // the other colour counts not
            s.set(x, y, z, colour);
        }
        CScanColumns columns(s);
        CSearchPoll poll;
        int held = 0;
        // Two columns and layers beyond the copy too: the document may have grown since it was taken.
        for (int z = 0; z < c.z + 3; z++) {
            columns.enterLayer(z, poll);
            for (int x = 0; x < c.x + 3; x++) {
                SCOPED_TRACE(testing::Message() << c.x << "x" << c.y << "x" << c.z << " column " << x << "," << z);
                EXPECT_EQ(columns.mayHold(x, z), outlineNear(s, x, z));
                held += columns.mayHold(x, z);
                for (int y = 0; y < c.y + 2; y++)
                    EXPECT_TRUE(!readerLooksAt(s, x, y, z) || columns.mayHold(x, z)) << "y " << y;
            }
        }
        EXPECT_EQ(held > 0, c.outlines > 0);
    }
}

TEST(ScanColumns, LooksAtALargeLayerPollingAsItGoes)
{
    const CSpace layers(300, 30, 2, CELL_EMPTY);  // 9,000 cells a layer
    CScanColumns columns(layers);
    int checks = 0;
    CSearchPoll poll{[&] { checks++; }};
    columns.enterLayer(0, poll);
    EXPECT_GE(checks, 2);
    EXPECT_FALSE(columns.mayHold(0, 0));
}
