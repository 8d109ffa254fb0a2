// CCellSet: one value per position, the pop order of its tree, and copies of the tree.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "space/cellset.h"

namespace {
using Cell = std::tuple<int, int, int, int>;

std::vector<Cell> drain(CCellSet& set)
{
    std::vector<Cell> out;
    CCell c;
    while (set.pop(c)) out.emplace_back(c.x, c.y, c.z, c.value);
    return out;
}
}  // namespace

TEST(CellSet, OnePositionOneValue)
{
    CCellSet set;
    set.push(CCell(1, 2, 3, 104));
    set.push(CCell(1, 2, 3, 103));
    EXPECT_EQ(set.count(), 1);
    set.push(CCell(5, 5, 5, 1));  // the wildcard is never stored
    set.push(CCell(1, 2, 3, 1));  // nor does it overwrite
    EXPECT_EQ(set.count(), 1);
    EXPECT_EQ(drain(set), (std::vector<Cell>{{1, 2, 3, 103}}));
    EXPECT_EQ(set.isEmpty(), 1);

    CCell out(7, 7, 7, 7);
    EXPECT_EQ(set.pop(out), 0);
    EXPECT_EQ(out.x + out.y + out.z + out.value, 28);

    // 0 is a value like any other (a write that clears a cell).
    set.push(CCell(0, 0, 0, 105));
    set.push(CCell(0, 0, 0, 0));
    EXPECT_EQ(drain(set), (std::vector<Cell>{{0, 0, 0, 0}}));
}

TEST(CellSet, HoldsAnswersForThePositionsInTheSetWhateverHappenedToIt)
{
    // Each way leaves (1, 2, 3) in the set and (3, 2, 1) out, the last three with stale indexes.
    const std::vector<std::function<void(CCellSet&)>> fills = {
        [](CCellSet& s) { CCell c; s.push(CCell(3, 2, 1, 104)), s.push(CCell(1, 2, 3, 0)), s.pop(c); },
        [](CCellSet& s) { s.pushNew(CCell(1, 2, 3, 104)); },
        [](CCellSet& s) { s.push(CCell(0, 2, 3, 104)), s.translate(1, 0, 0); },
        [](CCellSet& s) { CCellSet o; o.push(CCell(1, 2, 3, 104)); s.copyWithValue(o, 0); },
    };
    for (std::size_t i = 0; i < fills.size(); i++) {
        CCellSet set;
        EXPECT_FALSE(set.holds(1, 2, 3));
        fills[i](set);
        EXPECT_TRUE(set.holds(1, 2, 3)) << i;
        EXPECT_FALSE(set.holds(3, 2, 1) || set.holds(1, 2, 4)) << i;
    }
}

TEST(CellSet, PopOrderFollowsTheTree)
{
    CCellSet set;
    set.push(CCell(0, 0, 0, 100));
    set.push(CCell(0, 0, 1, 101));
    set.push(CCell(0, 1, 0, 102));
    set.push(CCell(1, 0, 0, 103));
    EXPECT_EQ(set.count(), 4);
    EXPECT_EQ(drain(set),
              (std::vector<Cell>{{0, 0, 0, 100}, {0, 0, 1, 101}, {0, 1, 0, 102}, {1, 0, 0, 103}}));

    // An overwrite keeps the cell's place; a new position goes to the end of its chain.
    set.push(CCell(4, 0, 0, 100));
    set.push(CCell(2, 0, 0, 101));
    set.push(CCell(4, 0, 0, 102));
    set.push(CCell(4, 0, 9, 103));
    EXPECT_EQ(drain(set), (std::vector<Cell>{{4, 0, 0, 102}, {4, 0, 9, 103}, {2, 0, 0, 101}}));
}

TEST(CellSet, CopiesPopInTheSourceOrder)
{
    CCellSet source;
    for (int x = 0; x < 3; x++)
        for (int y = 2; y >= 0; y--)
            for (int z = 0; z < 3; z++)
                if ((x + y + z) % 2 == 0 || z == 1) source.push(CCell(x, y, z, 100 + x + y + z));
    EXPECT_EQ(source.count(), 19);
    // Some pops promote z and y nodes to the root before the copies are made.
    CCell c;
    for (int i = 0; i < 4; i++) ASSERT_EQ(source.pop(c), 1);

    CCellSet copied(source);
    CCellSet assigned;
    assigned.push(CCell(9, 9, 9, 9));
    assigned = source;
    CCellSet& alias = assigned;
    assigned = alias;
    EXPECT_EQ(copied.count(), 15);

    // Changing another copy leaves the source alone.
    CCellSet changed(source);
    changed.push(CCell(0, 0, 0, 107));
    changed.push(CCell(8, 8, 8, 107));
    changed.pop(c);

    std::vector<Cell> expected = drain(source);
    EXPECT_EQ(expected.size(), 15u);
    EXPECT_EQ(drain(copied), expected);
    EXPECT_EQ(drain(assigned), expected);
    EXPECT_EQ(changed.count(), 15);

    // Assigning an empty set empties the target.
    CCellSet emptied;
    emptied.push(CCell(1, 1, 1, 100));
    emptied = CCellSet();
    EXPECT_EQ(emptied.isEmpty(), 1);
}

TEST(CellSet, AssignFromPlainListKeepsOneValuePerPosition)
{
    CLinkList<CCell> plain;
    plain.push(CCell(1, 0, 0, 100));
    plain.push(CCell(2, 0, 0, 101));
    plain.push(CCell(1, 0, 0, 102));  // plain lists hold duplicates; the set does not
    plain.push(CCell(3, 0, 0, 1));
    CCellSet set;
    set.assign(plain);
    EXPECT_EQ(set.count(), 2);
    EXPECT_EQ(drain(set), (std::vector<Cell>{{1, 0, 0, 100}, {2, 0, 0, 101}}));
}

TEST(CellSet, RandomPushesAndPopsAgreeWithAMap)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> coord(-3, 4);
    std::uniform_int_distribution<int> value(0, 9);
    std::uniform_int_distribution<int> action(0, 9);

    for (int round = 0; round < 50; round++) {
        CCellSet set;
        std::map<std::tuple<int, int, int>, int> model;
        std::vector<Cell> shadowOrder;  // what a copy taken mid-way must yield
        CCellSet snapshot;
        for (int step = 0; step < 400; step++) {
            if (step == 200) {
                snapshot = set;
                CCellSet probe(set);
                shadowOrder = drain(probe);
            }
            if (action(rng) < 7) {
                int x = coord(rng), y = coord(rng), z = coord(rng), v = value(rng);
                set.push(CCell(x, y, z, v));
                if (v != 1) model[{x, y, z}] = v;
            } else {
                CCell c;
                int got = set.pop(c);
                ASSERT_EQ(got, model.empty() ? 0 : 1);
                if (!got) continue;
                auto it = model.find({c.x, c.y, c.z});
                ASSERT_NE(it, model.end()) << "popped a position twice or never pushed";
                EXPECT_EQ(it->second, c.value);
                model.erase(it);
            }
            ASSERT_EQ(set.count(), int(model.size()));
        }
        for (const Cell& c : drain(set)) {
            auto it = model.find({std::get<0>(c), std::get<1>(c), std::get<2>(c)});
            ASSERT_NE(it, model.end());
            EXPECT_EQ(it->second, std::get<3>(c));
            model.erase(it);
        }
        EXPECT_TRUE(model.empty());
        EXPECT_EQ(drain(snapshot), shadowOrder);
    }
}
