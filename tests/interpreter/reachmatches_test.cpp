// The matches of many left sides found in one walk of a reach list, against each left side tested
// at every listed position in order; and the position marks that list and search rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "interpreter/positionmarks.h"
#include "interpreter/reachmatches.h"
#include "space/cellcodes.h"

namespace {
CSpace randomCells(std::mt19937& rng, int sx, int sy, int sz, const std::vector<int>& kinds)
{
    CSpace s(sx, sy, sz, CELL_EMPTY);
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++) s.set(x, y, z, kinds[rng() % kinds.size()]);
    return s;
}
}  // namespace

// Left sides as a sequence draws them: one shape in many colourings (the same cells compared,
// told apart by their values), some twice, some with "any" or outside cells of their own; units
// and boxes reaching over the faces, so that listed positions lie partly outside.
TEST(ReachMatches, EveryLeftSideFindsWhatItsOwnWalkOfTheListFindsInItsOrder)
{
    std::mt19937 rng(29);
    const std::vector<int> colours = {CELL_EMPTY, CELL_RED, CELL_YELLOW};
    CReachList reach;
    CReachMatches table;
    int found = 0, looked = 0;
    for (int round = 0; round < 200; round++) {
        const int sx = 3 + int(rng() % 12), sy = 1 + int(rng() % 3), sz = 3 + int(rng() % 12);
        const CSpace view = randomCells(rng, sx, sy, sz, colours);
        const int lx = 1 + int(rng() % 4), ly = 1 + int(rng() % sy), lz = 1 + int(rng() % 3);
        const CSpace shape = view.extract(int(rng() % sx), 0, int(rng() % sz), lx, ly, lz);
        std::vector<CSpace> lefts;
        for (int n = 1 + int(rng() % 14); n > 0; n--) {
            CSpace left = shape;
            const int kind = int(rng() % 8);
            for (int z = 0; z < lz; z++)
                for (int y = 0; y < ly; y++)
                    for (int x = 0; x < lx; x++)
                        if (shape.get(x, y, z) != CELL_ANY && rng() % 3 == 0)
                            left.set(x, y, z, colours[rng() % colours.size()]);
            if (kind == 0) left.set(int(rng() % lx), int(rng() % ly), int(rng() % lz), CELL_ANY);
            if (kind == 1) left.set(int(rng() % lx), int(rng() % ly), int(rng() % lz), CELL_OUTSIDE);
            if (kind == 2) left = CSpace(lx, ly, lz, CELL_ANY);
            lefts.push_back(left);
            if (kind == 3) lefts.push_back(left);  // the same left side in two pairs
        }
        CBoxSet boxes;
        for (int i = 1 + int(rng() % 40); i > 0; i--) {
            const int x = int(rng() % (sx + 6)) - 3, y = int(rng() % (sy + 2)) - 1, z = int(rng() % (sz + 6)) - 3;
            boxes.push(CBox(x, y, z, x + int(rng() % 3), y + int(rng() % 2), z + int(rng() % 3)));
        }
        CSearchPoll poll;
        reach.build(boxes, lx, ly, lz, sx, sy, sz, poll);
        table.build(view, reach, lefts, poll);
        const auto& positions = reach.positions();
        for (const CSpace& left : lefts) {
            std::vector<std::uint32_t> expected;
            for (std::size_t i = 0; i < positions.size(); i++)
                if (view.matchAt(positions[i].x, positions[i].y, positions[i].z, left)) expected.push_back(std::uint32_t(i));
            const std::vector<std::uint32_t>* listed = table.matchesOf(left);
            ASSERT_NE(listed, nullptr) << "round " << round;
            ASSERT_EQ(*listed, expected) << "round " << round;
            found += int(expected.size());
            looked++;
        }
        // A left side the table was not built for is not answered for.
        CSpace other(lx, ly, lz, CELL_GREEN);
        EXPECT_EQ(table.matchesOf(other), nullptr);
    }
    EXPECT_GT(found, 2000);  // the left sides must have matched often
    EXPECT_GT(looked, 1000);
}

// One table prepared once and walked over units of changing cells and sizes (the offsets follow
// the unit), asked for its left sides in the order given (the cursor), out of order, and for one it
// was not prepared for.
TEST(ReachMatches, APreparedTableIsWalkedOverManyUnitsAndFindsEachLeftSideByItsCursor)
{
    std::mt19937 rng(7);
    const std::vector<int> colours = {CELL_EMPTY, CELL_RED, CELL_YELLOW, CELL_BLUE};
    const int lx = 2, ly = 1, lz = 2;
    std::vector<CSpace> lefts;
    for (int n = 0; n < 40; n++) {
        CSpace left = randomCells(rng, lx, ly, lz, colours);
        if (n % 9 == 4) left.set(1, 0, 0, CELL_ANY);  // a second family, smaller
        lefts.push_back(left);
    }
    lefts.push_back(lefts[3]);  // asked twice in one pass
    CReachMatches table;
    table.prepare(lefts);
    CReachList reach;
    int found = 0;
    for (int round = 0; round < 60; round++) {
        const int sx = 2 + int(rng() % 9), sz = 2 + int(rng() % 9);
        const CSpace view = randomCells(rng, sx, 1, sz, colours);
        CBoxSet boxes;
        for (int i = 1 + int(rng() % 6); i > 0; i--) {
            const int x = int(rng() % (sx + 2)) - 1, z = int(rng() % (sz + 2)) - 1;
            boxes.push(CBox(x, 0, z, x + int(rng() % 3), 0, z + int(rng() % 3)));
        }
        CSearchPoll poll;
        reach.build(boxes, lx, ly, lz, sx, 1, sz, poll);
        table.walk(view, reach, poll);
        const auto& positions = reach.positions();
        std::size_t cursor = 0;
        for (std::size_t n = 0; n < lefts.size(); n++) {
            // Every third round asks from the end, past the cursor's place.
            const CSpace& left = round % 3 == 0 ? lefts[lefts.size() - 1 - n] : lefts[n];
            std::vector<std::uint32_t> expected;
            for (std::size_t i = 0; i < positions.size(); i++)
                if (view.matchAt(positions[i].x, positions[i].y, positions[i].z, left)) expected.push_back(std::uint32_t(i));
            const std::vector<std::uint32_t>* listed = table.matchesOf(left, cursor);
            ASSERT_NE(listed, nullptr) << "round " << round << " left " << n;
            ASSERT_EQ(*listed, expected) << "round " << round << " left " << n;
            if (round % 3 != 0) {
                EXPECT_EQ(cursor, n + 1) << "round " << round;
            }
            found += int(expected.size());
        }
        EXPECT_EQ(table.matchesOf(CSpace(lx, ly, lz, CELL_GREEN), cursor), nullptr);
    }
    EXPECT_GT(found, 50);  // the left sides must have matched
}

// Marks set in one round are gone in the next, whether few words were set (cleared one by one)
// or many (cleared at once), and when the frame changes size; a mark is reported new only once,
// whether set alone or in a run (which reports its new positions in ascending order).
TEST(PositionMarks, EachRoundStartsUnmarkedAndReportsEachPositionNewOnce)
{
    struct Mark {
        std::size_t first, run;  // run 0: a single mark
    };
    struct Round {
        std::size_t count;
        std::vector<Mark> marks;
    };
    std::vector<Mark> spread;
    for (std::size_t i = 0; i < 1000; i += 7) spread.push_back({i, 0});
    const Round rounds[] = {
        {1000, {{0, 0}, {63, 0}, {64, 0}, {999, 0}, {63, 0}, {0, 0}}},
        {1000, {{0, 0}, {63, 0}, {5, 0}}},  // few words set before: cleared one by one
        {1000, spread},
        {1000, {{7, 0}, {14, 0}, {700, 0}, {994, 0}}},  // many words set before: cleared at once
        {1000, {{60, 10}, {62, 3}, {0, 200}, {190, 1}, {990, 10}}},  // runs over word boundaries
        {1000, {{64, 64}, {0, 0}, {127, 0}, {128, 0}}},  // a whole word
        {130, {{129, 0}, {128, 0}, {0, 0}, {120, 10}}},  // a smaller frame
        {5000, {{129, 0}, {4999, 0}, {128, 0}}},  // a larger one
        {5000, {{4999, 0}, {4998, 0}, {4990, 10}}},
    };
    CPositionMarks marks;
    int round = 0;
    for (const Round& r : rounds) {
        ASSERT_TRUE(marks.begin(r.count));
        ASSERT_TRUE(marks.ready());
        std::set<std::size_t> seen;
        for (const Mark& m : r.marks) {
            if (m.run == 0) {
                EXPECT_EQ(marks.mark(m.first), seen.insert(m.first).second) << "round " << round << " at " << m.first;
                continue;
            }
            std::vector<std::size_t> expected, reported;
            for (std::size_t i = m.first; i < m.first + m.run; i++)
                if (seen.insert(i).second) expected.push_back(i);
            marks.markRun(m.first, m.run, [&](std::size_t i) { reported.push_back(i); });
            EXPECT_EQ(reported, expected) << "round " << round << " run at " << m.first;
        }
        round++;
    }
    // A copy has no marks and must be begun before use.
    const CPositionMarks copy(marks);
    EXPECT_FALSE(copy.ready());
}
