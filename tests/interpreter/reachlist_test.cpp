// The positions listed for a set of boxes against the walk they stand for: every box from the
// head, its reach z-y-x, each position kept the first time it comes, with its index in the unit's
// cells when a left side placed there lies wholly inside.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "interpreter/reachlist.h"

namespace {
using Listed = std::tuple<int, int, int, std::int32_t>;

std::vector<Listed> walked(const CBoxSet& boxes, int lx, int ly, int lz, int sx, int sy, int sz)
{
    std::vector<Listed> out;
    std::set<std::tuple<int, int, int>> seen;
    boxes.forEach([&](const CBox& h) {
        for (int z = h.z0 - lz + 1; z <= h.z1; z++)
            for (int y = h.y0 - ly + 1; y <= h.y1; y++)
                for (int x = h.x0 - lx + 1; x <= h.x1; x++) {
                    if (!seen.insert({x, y, z}).second) continue;
                    const bool inside = x >= 0 && y >= 0 && z >= 0 && x + lx <= sx && y + ly <= sy && z + lz <= sz;
                    out.emplace_back(x, y, z, inside ? x + sx * (y + sy * z) : -1);
                }
    });
    return out;
}

std::vector<Listed> listed(const CReachList& reach)
{
    std::vector<Listed> out;
    for (const CReachList::Position& p : reach.positions()) out.emplace_back(p.x, p.y, p.z, p.index);
    return out;
}
}  // namespace

// Units wide enough that a row of marks crosses words; boxes well inside (the short rows listed
// by stepping), long ones, and some over the faces; a list kept across rounds as a pass keeps it.
TEST(ReachList, ListsEachPositionOnceInTheOrderTheWalkFirstComesToIt)
{
    struct Case {
        int sx, sy, sz, maxLeft, maxBox, margin, boxes;
    };
    const Case cases[] = {
        {80, 1, 80, 3, 2, 0, 400},   // a flat unit under many small boxes
        {130, 3, 40, 4, 36, 0, 60},  // rows of up to 39 positions, across two words
        {70, 9, 11, 3, 3, 0, 300},   // solid
        {40, 5, 30, 4, 5, 3, 120},   // boxes over and beyond the faces
    };
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
                const int w = int(rng() % c.maxBox), h = int(rng() % std::min(c.maxBox, c.sy)), d = int(rng() % 3);
                const CBoxSet::Item b{x, y, z, std::min(x + w, c.sx - 1 + c.margin), std::min(y + h, c.sy - 1 + c.margin),
                                      std::min(z + d, c.sz - 1 + c.margin)};
                if (distinct.insert({b.x0, b.y0, b.z0, b.x1, b.y1, b.z1}).second) drawn.push_back(b);
            }
            // Both ways a pass's boxes are stored: pushed one by one, or taken over head first.
            CBoxSet boxes;
            if (round % 2) {
                boxes.takeDistinctHeadFirst(drawn);
            } else {
                for (const CBoxSet::Item& b : drawn) boxes.push(b.box());
            }
            CSearchPoll poll;
            reach.build(boxes, lx, ly, lz, c.sx, c.sy, c.sz, poll);
            const auto expected = walked(boxes, lx, ly, lz, c.sx, c.sy, c.sz);
            ASSERT_EQ(listed(reach), expected) << "unit " << c.sx << " x " << c.sy << " x " << c.sz << ", round " << round;
            total += expected.size();
        }
    EXPECT_GT(total, 100000u);
}
