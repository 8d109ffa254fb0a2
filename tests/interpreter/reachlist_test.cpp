// The positions listed for a set of boxes against the walk they stand for: every box from the
// head, its reach z-y-x, each position kept the first time it comes, with its index in the unit's
// cells when a left side placed there lies wholly inside.
#include "interpreter/reachlist.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <vector>

using Listed = std::tuple<int, int, int, std::int32_t>;

// Flat and solid units wide enough that a row of marks crosses words; small boxes well inside,
// long ones, and boxes over the faces; both ways a pass's boxes are stored (pushed one by one,
// or taken over head first); one list kept across rounds, as a pass keeps it.
TEST(ReachList, ListsEachPositionOnceInTheOrderTheWalkFirstComesToIt)
{
    struct Case {
        int sx, sy, sz, maxLeft, maxBox, margin, boxes;
    } const cases[] = {
        {80, 1, 80, 3, 2, 0, 400}, {130, 3, 40, 4, 36, 0, 60}, {70, 9, 11, 3, 3, 0, 300}, {40, 5, 30, 4, 5, 3, 120}};
    std::mt19937 rng(29);
    CReachList reach;
    std::size_t total = 0;
    for (const Case& c : cases)
        for (int round = 0; round < 40; round++) {
            const int lx = 1 + int(rng() % c.maxLeft), ly = 1 + int(rng() % std::min(c.maxLeft, c.sy)),
                      lz = 1 + int(rng() % c.maxLeft);
            std::vector<CBoxSet::Item> drawn;
            std::set<std::tuple<int, int, int, int, int, int>> distinct;
            for (int i = int(rng() % c.boxes); i >= 0; i--) {
                const int x = int(rng() % (c.sx + 2 * c.margin)) - c.margin,
                          y = int(rng() % (c.sy + 2 * c.margin)) - c.margin,
                          z = int(rng() % (c.sz + 2 * c.margin)) - c.margin;
                const int x1 = std::min(x + int(rng() % c.maxBox), c.sx - 1 + c.margin),
                          y1 = std::min(y + int(rng() % std::min(c.maxBox, c.sy)), c.sy - 1 + c.margin),
                          z1 = std::min(z + int(rng() % 3), c.sz - 1 + c.margin);
                if (distinct.insert({x, y, z, x1, y1, z1}).second) drawn.push_back(CBoxSet::Item{x, y, z, x1, y1, z1});
            }
            CBoxSet boxes;
            for (const CBoxSet::Item& b : drawn) boxes.push(b.box());
            if (round % 2) boxes.takeDistinctHeadFirst(drawn);
            CSearchPoll poll;
            reach.build(boxes, lx, ly, lz, c.sx, c.sy, c.sz, poll);
            std::vector<Listed> listed, walked;
            for (const CReachList::Position& p : reach.positions()) listed.emplace_back(p.x, p.y, p.z, p.index);
            std::set<std::tuple<int, int, int>> seen;
            boxes.forEach([&](const CBox& h) {
                for (int z = h.z0 - lz + 1; z <= h.z1; z++)
                    for (int y = h.y0 - ly + 1; y <= h.y1; y++)
                        for (int x = h.x0 - lx + 1; x <= h.x1; x++) {
                            if (!seen.insert({x, y, z}).second) continue;
                            const bool in =
                                x >= 0 && y >= 0 && z >= 0 && x + lx <= c.sx && y + ly <= c.sy && z + lz <= c.sz;
                            walked.emplace_back(x, y, z, in ? x + c.sx * (y + c.sy * z) : -1);
                        }
            });
            ASSERT_EQ(listed, walked) << "unit " << c.sx << " x " << c.sy << " x " << c.sz << ", round " << round;
            total += walked.size();
        }
    EXPECT_GT(total, 100000u);
}
