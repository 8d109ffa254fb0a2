// CScanColumns: exactly the columns with an outline cell at or behind them are kept (so none the
// reader's first test would look at is passed over), also beyond the copy; layers are polled.
#include "interpreter/scancolumns.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "space/cellcodes.h"

TEST(ScanColumns, KeepExactlyTheColumnsWithAnOutlineCellAtOrBehindThem)
{
    std::mt19937 random(7);
    // Flat, low solid (heights told apart, up to the 64th), high solid (not), and empty.
    for (const auto& [sx, sy, sz, outlines] :
         {std::array{9, 1, 7, 4}, std::array{9, 1, 7, 0}, std::array{6, 5, 4, 3}, std::array{5, 64, 4, 40},
          std::array{4, 65, 3, 6}, std::array{1, 1, 1, 1}, std::array{0, 0, 0, 0}}) {
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
            const std::vector<std::uint64_t> layer = columns.layerRows(z);
            ASSERT_EQ(layer.size(), std::size_t(sx + 2));
            for (int x = 0; x < sx + 3; x++) {
                bool near = false;
                std::vector<int> looked, tried;  // heights, from the top down
                for (int y = sy + 1; y >= -1; y--) {
                    near = near || s.get(x, y, z) == colour || s.get(x - back, y, z - down) == colour;
                    // The reader's own first test at (x, y, z), at the heights the scan visits.
                    if (y >= 0 && y < sy && (flat ? s.get(x, 0, z) == colour || s.get(x - 2, 0, z - 2) == colour
                             : s.get(x, y, z) == colour || s.get(x, y - 1, z - 1) == colour))
                        looked.push_back(y);
                }
                const std::string at = std::to_string(sx) + "x" + std::to_string(sy) + "x" + std::to_string(sz) +
                                       " at " + std::to_string(x) + "," + std::to_string(z);
                EXPECT_EQ(columns.mayHold(x, z), near) << at;
                EXPECT_TRUE(near || looked.empty()) << at;
                if (x < sx + 2) {
                    EXPECT_EQ(layer[std::size_t(x)], columns.rows(x, z)) << at;
                }
                // Told apart, the heights tried are exactly those the first test passes at;
                // otherwise every height of a column kept.
                CScanColumns::forEachRowDown(columns.rows(x, z), sy, [&](int y) { tried.push_back(y); });
                if (!flat && sy <= 64) {
                    EXPECT_EQ(tried, looked) << at;
                } else if (near) {
                    EXPECT_EQ(columns.rows(x, z), CScanColumns::ALL_ROWS) << at;
                    EXPECT_EQ(tried.size(), std::size_t(sy)) << at;
                }
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
