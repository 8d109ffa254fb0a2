// The fast CCellSet against the straightforward tree (cellsetmodel.h): long random sequences of
// pushes, pops, copies and clears must give the same cells in the same pop order.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "space/cellset.h"
#include "tests/space/cellsetmodel.h"

namespace {
using Cell = std::tuple<int, int, int, int>;

template <class Set>
std::vector<Cell> drain(Set& set)
{
    std::vector<Cell> out;
    CCell c;
    while (set.pop(c)) out.emplace_back(c.x, c.y, c.z, c.value);
    return out;
}

std::vector<Cell> visit(const CCellSet& set)
{
    std::vector<Cell> out;
    set.forEachCell([&](const CCell& c) { out.emplace_back(c.x, c.y, c.z, c.value); });
    return out;
}

// Coordinates from a few values (long shared chains, many overwrites), from a middle range, or
// from the whole int range (hardly any two alike), and mixtures of these per axis.
struct Draw {
    std::mt19937 rng;
    int lo[3], hi[3];
    int coord(int axis) { return std::uniform_int_distribution<int>(lo[axis], hi[axis])(rng); }
    int value()
    {
        static const int values[] = {0, 1, 1, 100, 101, 102, 103, 104, 105, 106, 107};
        return values[rng() % (sizeof values / sizeof values[0])];
    }
};

// A box of flat tables for the fast set (see useGrid), or none when sx is 0.
struct GridBox {
    int x0, y0, z0, sx, sy, sz;
    bool cellsToo = true;
};

// Runs `steps` random operations on both sets, checking every pop; the push share drifts so
// that the sets grow large, drain to empty and grow again.
void compare(Draw& d, int steps, const std::string& what, GridBox grid = {0, 0, 0, 0, 0, 0})
{
    CCellSet fast;
    fast.useGrid(grid.x0, grid.y0, grid.z0, grid.sx, grid.sy, grid.sz, grid.cellsToo);
    CCellSetModel model;
    std::set<std::tuple<int, int, int>> present;  // the positions in the set, for pushNew
    std::vector<std::uint8_t> marks;               // kept from one filtered walk to the next
    auto recount = [&] {
        present.clear();
        for (const Cell& c : visit(fast)) present.emplace(std::get<0>(c), std::get<1>(c), std::get<2>(c));
    };
    for (int step = 0; step < steps; step++) {
        const int phase = (step / 2000) % 3;  // mostly pushes, balanced, mostly pops
        const unsigned pushShare = phase == 0 ? 85 : phase == 1 ? 50 : 20;
        const unsigned action = d.rng() % 100;
        if (action < pushShare) {
            const CCell c(d.coord(0), d.coord(1), d.coord(2), d.value());
            // A position not in the set may come as pushNew, as a search adds what it found.
            const bool isNew = present.count({c.x, c.y, c.z}) == 0;
            if (isNew && d.rng() % 2)
                fast.pushNew(c);
            else
                fast.push(c);
            model.push(c);
            if (c.value != 1) present.emplace(c.x, c.y, c.z);
        } else if (action == 97) {
            // Moved by an offset, the set keeps its order: the model is rebuilt by pushing its
            // cells, shifted, in pop order into an empty set. Later pushes must find the moved
            // cells where they now are.
            const int dx = int(d.rng() % 5) - 2, dy = int(d.rng() % 3) - 1, dz = int(d.rng() % 5) - 2;
            fast.translate(dx, dy, dz);
            CCellSetModel moved;
            CCell c;
            while (model.pop(c)) moved.push(CCell(int(unsigned(c.x) + unsigned(dx)), int(unsigned(c.y) + unsigned(dy)),
                                                  int(unsigned(c.z) + unsigned(dz)), c.value));
            model = moved;
            recount();
        } else if (action == 98) {
            // Swapped out and back through an empty set, or laid out afresh in a spare set's
            // memory: nothing is lost or reordered, and later pushes still find every cell.
            CCellSet other;
            other.swap(fast);
            ASSERT_TRUE(fast.isEmpty());
            fast.swap(other);
            other.push(CCell(1, 2, 3, 104));
            fast.compact(other);
            // The tables move to a box a cell away and back, with the set full or empty.
            if (grid.sx > 0 && d.rng() % 2) {
                fast.useGrid(grid.x0 + 1, grid.y0, grid.z0 - 1, grid.sx, grid.sy, grid.sz);
                for (int i = 0; i < 3; i++) {
                    const CCell more(d.coord(0), d.coord(1), d.coord(2), d.value());
                    fast.push(more);
                    model.push(more);
                    if (more.value != 1) present.emplace(more.x, more.y, more.z);
                }
                fast.useGrid(grid.x0, grid.y0, grid.z0, grid.sx, grid.sy, grid.sz, grid.cellsToo);
            }
        } else if (action == 95) {
            // Refilled at once with a few distinct positions (some "any"): as pushes into an
            // empty set, and later pushes, pops and lookups find them.
            std::vector<CCell> few;
            std::set<std::tuple<int, int, int>> drawn;
            const std::size_t n = d.rng() % (CCellSet::FEW + 4);
            for (std::size_t i = 0; i < 4 * n && few.size() < n; i++) {
                const CCell c(d.coord(0), d.coord(1), d.coord(2), d.value());
                if (drawn.emplace(c.x, c.y, c.z).second) few.push_back(c);
            }
            fast.assignFew(few.data(), few.size());
            model.clear();
            for (const CCell& c : few) model.push(c);
            recount();
            if (!few.empty()) {
                ASSERT_EQ(fast.holds(few[0].x, few[0].y, few[0].z), few[0].value != 1) << what;
            }
        } else if (action < 96) {
            CCell a(7, 7, 7, 7), b(7, 7, 7, 7);
            const int gotA = fast.pop(a), gotB = model.pop(b);
            ASSERT_EQ(gotA, gotB) << what << " step " << step;
            ASSERT_EQ(Cell(a.x, a.y, a.z, a.value), Cell(b.x, b.y, b.z, b.value)) << what << " step " << step;
            if (gotA) present.erase({a.x, a.y, a.z});
        } else if (action == 96) {
            // The positions with one value are the set that pushing them so, in pop order,
            // makes; it takes later pushes as any set does.
            const int v = d.value();
            CCellSet painted;
            painted.copyWithValue(fast, v);
            std::vector<Cell> inPlace, all = visit(painted);
            painted.forEachInPlace([&](const CCell& c) { inPlace.emplace_back(c.x, c.y, c.z, c.value); });
            std::sort(inPlace.begin(), inPlace.end());
            std::sort(all.begin(), all.end());
            ASSERT_EQ(inPlace, all) << what << " painted in place at step " << step;
            CCellSetModel source(model), expected;
            CCell c;
            while (source.pop(c)) expected.push(CCell(c.x, c.y, c.z, v));
            for (int i = 0; i < 5; i++) {
                const CCell more(d.coord(0), d.coord(1), d.coord(2), d.value());
                painted.push(more);
                expected.push(more);
            }
            ASSERT_EQ(drain(painted), drain(expected)) << what << " painted at step " << step;
        } else {
            // A copy must continue exactly as its source; the source carries on independently.
            CCellSet copy(fast);
            CCellSetModel modelCopy(model);
            ASSERT_EQ(visit(copy), visit(fast));
            // In memory order: every cell once. Filtered: each cell asked about once, and the
            // accepted ones visited in pop order.
            std::vector<Cell> inPlace, asked, passed, expected;
            fast.forEachInPlace([&](const CCell& c) { inPlace.emplace_back(c.x, c.y, c.z, c.value); });
            const unsigned salt = d.rng();
            auto accept = [&](const Cell& c) { return (unsigned(std::get<0>(c) ^ std::get<2>(c)) + salt) % 3 == 0; };
            fast.forEachPassing(
                [&](const CCell& c) {
                    asked.emplace_back(c.x, c.y, c.z, c.value);
                    return accept(asked.back());
                },
                [&](const CCell& c) { passed.emplace_back(c.x, c.y, c.z, c.value); }, marks);
            for (const Cell& c : visit(fast))
                if (accept(c)) expected.push_back(c);
            ASSERT_EQ(passed, expected) << what << " filtered at step " << step;
            std::vector<Cell> all = visit(fast);
            std::sort(all.begin(), all.end());
            std::sort(inPlace.begin(), inPlace.end());
            std::sort(asked.begin(), asked.end());
            ASSERT_EQ(inPlace, all) << what << " in place at step " << step;
            ASSERT_EQ(asked, all) << what << " asked at step " << step;
            ASSERT_EQ(drain(copy), drain(modelCopy)) << what << " copy at step " << step;
        }
        ASSERT_EQ(fast.count(), model.count()) << what << " step " << step;
        ASSERT_EQ(fast.isEmpty(), model.isEmpty());
    }
    const std::vector<Cell> order = visit(fast);
    const std::vector<Cell> rest = drain(model);
    EXPECT_EQ(order, rest) << what;
    EXPECT_EQ(drain(fast), rest) << what;
}
}  // namespace

TEST(CellSetAgainstModel, RandomSequencesGiveTheSamePops)
{
    const struct {
        const char* name;
        int lo[3], hi[3];
    } ranges[] = {
        {"tiny", {0, 0, 0}, {2, 2, 2}},
        {"flat", {-4, 0, -4}, {4, 0, 4}},
        {"small", {-3, -3, -3}, {4, 4, 4}},
        {"middle", {0, 0, 0}, {40, 40, 40}},
        {"large", {INT_MIN, INT_MIN, INT_MIN}, {INT_MAX, INT_MAX, INT_MAX}},
        {"mixed", {0, INT_MIN, -2}, {3, INT_MAX, 2}},
    };
    unsigned seed = 1;
    for (const auto& r : ranges) {
        Draw d{std::mt19937(seed++), {r.lo[0], r.lo[1], r.lo[2]}, {r.hi[0], r.hi[1], r.hi[2]}};
        compare(d, 30000, r.name);
    }
}

// With flat tables over a box that holds part of the positions drawn, the rest hashing.
TEST(CellSetAgainstModel, TablesOverABoxGiveTheSamePops)
{
    const struct {
        const char* name;
        int lo[3], hi[3];
        GridBox grid;
    } ranges[] = {
        {"inside", {0, 0, 0}, {5, 1, 5}, {0, 0, 0, 6, 2, 6}},
        {"overhang", {-3, -3, -3}, {8, 8, 8}, {0, 0, 0, 6, 6, 6}},
        {"flat", {-2, 0, -2}, {30, 0, 30}, {0, 0, 0, 29, 1, 29}},
        {"wrapped", {INT_MAX - 3, 0, -2}, {INT_MAX, 2, 2}, {INT_MAX - 1, 0, -2, 4, 2, 5}},
        {"groups only", {-3, -3, -3}, {8, 8, 8}, {-1, -1, 0, 7, 7, 1, false}},
    };
    unsigned seed = 11;
    for (const auto& r : ranges) {
        Draw d{std::mt19937(seed++), {r.lo[0], r.lo[1], r.lo[2]}, {r.hi[0], r.hi[1], r.hi[2]}};
        compare(d, 30000, r.name, r.grid);
    }
}

// A whole flat area, pushed in a scrambled order with overwrites, then half taken out and
// pushed again: the scale at which each x and each (x, y) holds hundreds of cells.
TEST(CellSetAgainstModel, AWholeAreaKeepsTheModelsOrder)
{
    const int side = 200;
    std::vector<CCell> cells;
    for (int z = 0; z < side; z++)
        for (int x = 0; x < side; x++) cells.emplace_back(x, 0, z, 100 + (x * 3 + z) % 8);
    std::mt19937 rng(5);
    std::shuffle(cells.begin(), cells.end(), rng);
    CCellSet fast;
    CCellSetModel model;
    for (const CCell& c : cells) {
        fast.push(c);
        model.push(c);
    }
    for (size_t i = 0; i < cells.size(); i += 7) {
        const CCell c(cells[i].x, 0, cells[i].z, i % 2 ? 1 : 101);
        fast.push(c);
        model.push(c);
    }
    ASSERT_EQ(fast.count(), side * side);
    CCell a, b;
    for (int i = 0; i < side * side / 2; i++) {
        ASSERT_TRUE(fast.pop(a) && model.pop(b));
        ASSERT_EQ(Cell(a.x, a.y, a.z, a.value), Cell(b.x, b.y, b.z, b.value)) << "pop " << i;
    }
    for (size_t i = 0; i < cells.size(); i += 3) {
        fast.push(cells[i]);
        model.push(cells[i]);
    }
    CCellSet moved(std::move(fast));
    EXPECT_EQ(fast.isEmpty(), 1);
    EXPECT_EQ(drain(moved), drain(model));
}
