// CScanColumns: exactly the columns with an outline cell at or behind them are kept (so none the
// reader's first test would look at is passed over), also beyond the copy; layers are polled.
#include "interpreter/scancolumns.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "space/cellcodes.h"

TEST(ScanColumns, KeepExactlyTheColumnsWithAnOutlineCellAtOrBehindThem)
{
    std::mt19937 random(7);
    for (const auto& [sx, sy, sz, outlines] : {std::array{9, 1, 7, 4}, std::array{9, 1, 7, 0}, std::array{6, 5, 4, 3},
                                               std::array{1, 1, 1, 1}, std::array{0, 0, 0, 0}}) {
        CSpace s(sx, sy, sz, CELL_EMPTY);
        const bool flat = s.isFlat();
        const int colour = flat ? CELL_BLUE : CELL_GREEN, back = flat ? 2 : 0, down = flat ? 2 : 1;
        for (int i = 0; i < outlines; i++) {
            const int x = int(random() % unsigned(sx)), y = int(random() % unsigned(sy));
            const int z = int(random() % unsigned(sz));
            s.set((x + 3) % sx, y, z, flat ? CELL_GREEN : CELL_BLUE);  // the other colour counts not
            s.set(x, y, z, colour);
        }
        CScanColumns columns(s);
        CSearchPoll poll;
        int kept = 0;
        for (int z = 0; z < sz + 3; z++) {  // the document may have grown since the copy was taken
            columns.enterLayer(z, poll);
            for (int x = 0; x < sx + 3; x++) {
                bool near = false, looked = false;
                for (int y = -1; y < sy + 2; y++) {
                    near = near || s.get(x, y, z) == colour || s.get(x - back, y, z - down) == colour;
                    // The reader's own first test at (x, y, z).
                    looked = looked || (flat ? s.get(x, 0, z) == colour || s.get(x - 2, 0, z - 2) == colour
                                             : s.get(x, y, z) == colour || s.get(x, y - 1, z - 1) == colour);
                }
                EXPECT_EQ(columns.mayHold(x, z), near) << sx << "x" << sy << "x" << sz << " at " << x << "," << z;
                EXPECT_TRUE(columns.mayHold(x, z) || !looked);
                kept += columns.mayHold(x, z);
            }
        }
        EXPECT_EQ(kept > 0, outlines > 0);
    }
    int checks = 0;
    CSearchPoll counting{[&] { checks++; }};
    CScanColumns(CSpace(300, 30, 2, CELL_EMPTY)).enterLayer(0, counting);  // 9,000 cells
    EXPECT_GE(checks, 2);
}
