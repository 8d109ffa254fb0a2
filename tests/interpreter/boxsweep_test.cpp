// The sweep of changed boxes against the straightforward loop it stands for: every box from the
// head, every position of its reach z-y-x, the left side tested at each. Many small boxes under a
// left side of many cells take the scan of the whole unit; the calls must be the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include "interpreter/boxsweep.h"
#include "interpreter/unitview.h"
#include "space/cellcodes.h"

namespace {
using Pos = std::tuple<int, int, int>;

std::vector<Pos> reference(const CSpace& view, const CSpace& left, const CBoxSet& boxes)
{
    std::vector<Pos> out;
    boxes.forEach([&](const CBox& h) {
        for (int z = h.z0 - left.getSizeZ() + 1; z <= h.z1; z++)
            for (int y = h.y0 - left.getSizeY() + 1; y <= h.y1; y++)
                for (int x = h.x0 - left.getSizeX() + 1; x <= h.x1; x++)
                    if (view.matchAt(x, y, z, left)) out.emplace_back(x, y, z);
    });
    return out;
}

// With `once`, each position is let through the first time it comes up, as a pass does.
std::vector<Pos> swept(const CSpace& view, const CSpace& left, const CBoxSet& boxes, bool once = false)
{
    std::vector<Pos> out;
    std::set<Pos> asked;
    CSearchPoll poll;
    sweepBoxes(
        view, left, boxes, poll, [&](int x, int y, int z) { return asked.insert(Pos(x, y, z)).second || !once; },
        [&](int x, int y, int z) { out.emplace_back(x, y, z); });
    return out;
}

// A unit of two colours (so small left sides match often) and a left side drawn from the same
// colours with some "any" cells.
CSpace randomSpace(std::mt19937& rng, int sx, int sy, int sz, int anyPercent)
{
    CSpace s(sx, sy, sz, CELL_EMPTY);
    std::uniform_int_distribution<int> pct(0, 99), colour(0, 1);
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++)
                s.set(x, y, z, pct(rng) < anyPercent ? CELL_ANY : colour(rng) ? CELL_RED : CELL_GREEN);
    return s;
}
}  // namespace

TEST(BoxSweep, ManySmallBoxesUnderALargeLeftSideReportTheSameMatchesInTheSameOrder)
{
    std::mt19937 rng(7);
    int scanned = 0;
    for (int round = 0; round < 300; round++) {
        const int sx = 4 + int(rng() % 12), sy = 1 + int(rng() % 3), sz = 4 + int(rng() % 12);
        const CSpace view = randomSpace(rng, sx, sy, sz, 0);
        const int lx = 1 + int(rng() % 4), ly = 1 + int(rng() % std::min(sy, 2)), lz = 1 + int(rng() % 4);
        // Mostly small left sides cut from the view itself, so they match somewhere; some with
        // "any" cells, and some made only of "any" (which match even far outside the unit).
        CSpace left = view.extract(int(rng() % sx), 0, int(rng() % sz), lx, ly, lz);
        const int kind = int(rng() % 6);
        if (kind == 0) left = CSpace(lx, ly, lz, CELL_ANY);
        if (kind == 1) left.set(0, 0, 0, CELL_ANY);
        if (kind == 2) left = randomSpace(rng, lx, ly, lz, 30);
        // One-cell boxes all over the unit and beyond its edges, some twice, some larger.
        CBoxSet boxes;
        const int n = int(rng() % 200);
        for (int i = 0; i < n; i++) {
            const int x = int(rng() % (sx + 4)) - 2, y = int(rng() % sy), z = int(rng() % (sz + 4)) - 2;
            const int grow = rng() % 10 == 0 ? 2 : 0;
            boxes.push(CBox(x, y, z, x + grow, y, z + grow));
        }
        const auto expected = reference(view, left, boxes);
        ASSERT_EQ(swept(view, left, boxes), expected) << "round " << round;
        // A position matches every time or never, so letting it through once keeps its first.
        std::set<Pos> seen;
        std::vector<Pos> firsts;
        for (const Pos& p : expected)
            if (seen.insert(p).second) firsts.push_back(p);
        ASSERT_EQ(swept(view, left, boxes, true), firsts) << "round " << round;
        std::int64_t reach = 0;
        boxes.forEach([&](const CBox& h) { reach += boxsweep::Reach(h, left).volume(); });
        if (reach > 2 * std::int64_t(sx) * sy * sz && !expected.empty()) scanned++;
    }
    // The rounds must have exercised the scan with matches to hand out, not only the plain walk.
    EXPECT_GT(scanned, 30);
}

TEST(BoxSweep, AScanThatFindsTooManyMatchesFallsBackToTheWalk)
{
    // A left side of one colour over a unit of that colour matches everywhere.
    const CSpace view(20, 1, 20, CELL_RED);
    const CSpace left(3, 1, 3, CELL_RED);
    CBoxSet boxes;
    for (int z = 0; z < 20; z++)
        for (int x = 0; x < 20; x++) boxes.push(CBox(x, 0, z, x, 0, z));
    std::vector<CCell> matches;
    CSearchPoll poll;
    EXPECT_FALSE(boxsweep::findAllMatches(view, left, 100, poll, matches));
    EXPECT_EQ(swept(view, left, boxes), reference(view, left, boxes));
    // Each of the 18 x 18 positions where it fits lies in the reach of 3 x 3 boxes.
    EXPECT_EQ(swept(view, left, boxes).size(), 18u * 18u * 9u);
}

// The walk tests a left side first at one cell that must match exactly (a colour when it has
// one), and compares the rest directly where it lies wholly inside. Left sides with empty and
// outside cells, more cells than the direct comparison takes, and boxes over the unit's faces.
TEST(BoxSweep, LeftSidesOfEveryKindOfCellReportTheSameMatchesAsTheLoop)
{
    std::mt19937 rng(11);
    const int kinds[] = {CELL_EMPTY, CELL_EMPTY, CELL_RED, CELL_GREEN, CELL_ANY, CELL_OUTSIDE};
    int found = 0;
    for (int round = 0; round < 300; round++) {
        const int sx = 3 + int(rng() % 8), sy = 1 + int(rng() % 3), sz = 3 + int(rng() % 8);
        CSpace view(sx, sy, sz, CELL_EMPTY);
        for (int z = 0; z < sz; z++)
            for (int y = 0; y < sy; y++)
                for (int x = 0; x < sx; x++) view.set(x, y, z, kinds[rng() % 4]);
        const int lx = 1 + int(rng() % 4), ly = 1 + int(rng() % sy), lz = 1 + int(rng() % 4);
        // Cut from the view (so it matches somewhere), with cells turned to "any" or "outside".
        CSpace left = view.extract(int(rng() % sx), 0, int(rng() % sz), lx, ly, lz);
        for (int i = int(rng() % 3); i > 0; i--)
            left.set(int(rng() % lx), int(rng() % ly), int(rng() % lz), kinds[4 + rng() % 2]);
        CBoxSet boxes;
        for (int i = int(rng() % 12); i > 0; i--) {
            const int x = int(rng() % (sx + 6)) - 3, y = int(rng() % sy), z = int(rng() % (sz + 6)) - 3;
            boxes.push(CBox(x, y, z, x + int(rng() % 3), y, z + int(rng() % 3)));
        }
        const auto expected = reference(view, left, boxes);
        found += int(expected.size());
        ASSERT_EQ(swept(view, left, boxes), expected) << "round " << round;
    }
    EXPECT_GT(found, 300);  // the rounds must have matched often, not only found nothing
}

// Over a unit that counts its values, the matcher first compares a cell of the value the unit
// holds least, wherever it lies in the left side; a left side of more cells than are compared
// directly is turned away by its first few before the full test. Neither may change a match:
// every way of finding them (the test at a position, the walk, the unit's scan, the list) gives
// what the plain loop gives, in solid units with a rare colour, over and beyond their faces.
TEST(BoxSweep, AUnitCountingItsValuesAnchorsOnItsRarestValueAndFindsTheSameMatches)
{
    std::mt19937 rng(17);
    int found = 0, rareAnchors = 0;
    for (int round = 0; round < 200; round++) {
        const int sx = 4 + int(rng() % 9), sy = 1 + int(rng() % 3), sz = 4 + int(rng() % 9);
        CSpace cells = randomSpace(rng, sx, sy, sz, 0);
        for (int i = 0; i < 2; i++) cells.set(int(rng() % sx), int(rng() % sy), int(rng() % sz), CELL_BLUE);
        const CUnitView unit(cells);
        // Up to 4 x 3 x 4 cells, cut around a blue cell so that it matches somewhere.
        const int lx = 2 + int(rng() % 3), ly = 1 + int(rng() % sy), lz = 2 + int(rng() % 3);
        CSpace left = cells.extract(int(rng() % sx) - 1, 0, int(rng() % sz) - 1, lx, ly, lz);
        if (rng() % 2) left.set(lx - 1, ly - 1, lz - 1, CELL_BLUE);
        if (rng() % 4 == 0) left.set(int(rng() % lx), 0, int(rng() % lz), CELL_ANY);
        CBoxSet boxes;
        for (int i = 1 + int(rng() % 40); i > 0; i--) {
            const int x = int(rng() % (sx + 4)) - 2, y = int(rng() % sy), z = int(rng() % (sz + 4)) - 2;
            boxes.push(CBox(x, y, z, x + int(rng() % 2), y, z + int(rng() % 2)));
        }
        const auto expected = reference(cells, left, boxes);
        found += int(expected.size());

        const CLeftMatcher counted(unit, left);
        int ai, aj, ak, value;
        if (counted.anchor(ai, aj, ak, value) && value == CELL_BLUE) rareAnchors++;
        std::vector<Pos> all;  // every match, z-y-x
        for (int z = -lz; z <= sz; z++)
            for (int y = -ly; y <= sy; y++)
                for (int x = -lx; x <= sx; x++) {
                    ASSERT_EQ(counted.at(x, y, z), cells.matchAt(x, y, z, left) != 0) << x << " " << y << " " << z;
                    if (cells.matchAt(x, y, z, left)) all.emplace_back(x, y, z);
                }

        std::vector<Pos> walked, listed;
        CSearchPoll poll;
        sweepBoxes(
            unit, left, boxes, poll, [](int, int, int) { return true; },
            [&](int x, int y, int z) { walked.emplace_back(x, y, z); });
        ASSERT_EQ(walked, expected) << "round " << round;
        std::vector<CCell> scanned;
        if (boxsweep::findAllMatches(counted, unit, 1u << 20, poll, scanned)) {
            std::vector<Pos> got;
            for (const CCell& c : scanned) got.emplace_back(c.x, c.y, c.z);
            ASSERT_EQ(got, all) << "round " << round;
        }
        CReachList reach;
        reach.build(boxes, lx, ly, lz, sx, sy, sz, poll);
        std::set<Pos> asked;
        sweepList(
            unit, left, reach, poll, [&](int x, int y, int z) { return asked.insert(Pos(x, y, z)).second; },
            [&](int x, int y, int z) { listed.emplace_back(x, y, z); });
        ASSERT_EQ(listed, swept(cells, left, boxes, true)) << "round " << round;
    }
    EXPECT_GT(found, 150);
    EXPECT_GT(rareAnchors, 100);  // the blue cell, wherever it lay, was compared first
}

// Positions listed once for all left sides of a size, in the order the walk first comes to them:
// testing a left side at them must let through the same matches in the same order as the walk
// that lets each position through once, in solid units, over and beyond the unit's faces.
TEST(BoxSweep, ThePositionsListedOnceFindTheFirstMatchesOfTheWalkInItsOrder)
{
    std::mt19937 rng(13);
    const int kinds[] = {CELL_EMPTY, CELL_RED, CELL_GREEN, CELL_ANY, CELL_OUTSIDE};
    CReachList reach;  // kept across rounds, as a pass keeps it, with units of changing size
    int found = 0;
    for (int round = 0; round < 300; round++) {
        const int sx = 3 + int(rng() % 10), sy = 1 + int(rng() % 4), sz = 3 + int(rng() % 10);
        const CSpace view = randomSpace(rng, sx, sy, sz, 0);
        const int lx = 1 + int(rng() % 4), ly = 1 + int(rng() % sy), lz = 1 + int(rng() % 4);
        CSpace left = view.extract(int(rng() % sx), 0, int(rng() % sz), lx, ly, lz);
        for (int i = int(rng() % 4); i > 0; i--)
            left.set(int(rng() % lx), int(rng() % ly), int(rng() % lz), kinds[rng() % 5]);
        if (rng() % 8 == 0) left = CSpace(lx, ly, lz, CELL_ANY);
        CBoxSet boxes;
        for (int i = 1 + int(rng() % 60); i > 0; i--) {
            const int x = int(rng() % (sx + 6)) - 3, y = int(rng() % (sy + 2)) - 1, z = int(rng() % (sz + 6)) - 3;
            boxes.push(CBox(x, y, z, x + int(rng() % 3), y + int(rng() % 2), z + int(rng() % 3)));
        }
        CSearchPoll poll;
        reach.build(boxes, lx, ly, lz, sx, sy, sz, poll);
        std::vector<Pos> listed;
        std::set<Pos> asked;
        sweepList(
            view, left, reach, poll, [&](int x, int y, int z) { return asked.insert(Pos(x, y, z)).second; },
            [&](int x, int y, int z) { listed.emplace_back(x, y, z); });
        const auto expected = swept(view, left, boxes, true);
        found += int(expected.size());
        ASSERT_EQ(listed, expected) << "round " << round;
    }
    EXPECT_GT(found, 1000);
}

// The sweep's expected cost, by which a pass chooses between it and a list: the walk of the
// reach with its rows, or the unit's scan with every match handed to every box, as sweepBoxes
// does (a scan finding more than half the reach's worth of hand-outs falls back to the walk).
TEST(BoxSweep, TheExpectedCostFollowsTheWayTheSweepGoes)
{
    struct Case {
        std::int64_t reach, rows, unit, boxes, leftCells, matches, expected;
    };
    const Case cases[] = {
        {900, 100, 1000, 100, 9, 3, 900 + 4 * 100},     // reach within twice the unit: walked
        {2000, 300, 1000, 100, 9, 0, 2000 + 4 * 300},   // exactly twice: still walked
        {9000, 900, 1000, 100, 9, 2, 1000 + 100 * 2},   // far beyond the unit, few matches: scanned
        {9000, 900, 1000, 100, 9, 45, 1000 + 100 * 45},  // hand-outs at half the reach: scanned
        {9000, 900, 1000, 100, 9, 46, 9000 + 4 * 900},  // more: the scan gives up and walks
        {9000, 900, 1000, 100, 1, 0, 9000 + 4 * 900},   // a single cell is never scanned for
    };
    for (const Case& c : cases)
        EXPECT_EQ(boxsweep::walkCost(c.reach, c.rows, c.unit, c.boxes, c.leftCells, c.matches, 4), c.expected)
            << c.reach << " " << c.unit << " " << c.leftCells << " " << c.matches;
}

// Clustered small boxes under a wide left side: their reaches overlap much, so the sweep looks
// for the left side once over the tiles their reaches cover and hands the matches out box by box.
// The cover must hold every cell the anchor lands on from any box's reach, its runs must come in
// z-y-x order, and the calls must be those of the plain loop, whether the left side matches often
// (a scan that finds too many gives up and walks) or never, in flat and solid units.
TEST(BoxSweep, ClusteredBoxesUnderAWideLeftSideAreLookedForOverTheirCover)
{
    struct Case {
        int sx, sy, sz, lx, ly, lz, boxes, spread;
        bool cutFromUnit;  // else drawn at random, so that it seldom matches
    };
    const Case cases[] = {
        {40, 1, 30, 8, 1, 7, 60, 10, false},  // a device picture over falling grains
        {40, 1, 30, 5, 1, 6, 60, 10, true},
        {30, 1, 30, 4, 1, 2, 80, 6, true},    // matches often: may give up and walk
        {20, 9, 20, 6, 3, 5, 50, 6, false},   // solid, rows of tiles along y and z
        {20, 9, 20, 4, 2, 4, 50, 6, true},
        {17, 3, 9, 9, 2, 3, 30, 20, true},    // boxes over every face of the unit
    };
    std::mt19937 rng(29);
    int covered = 0, found = 0, handed = 0;
    for (const Case& c : cases)
        for (int round = 0; round < 30; round++) {
            // Mostly empty with a few red cells, so that a pattern cut from it recurs.
            CSpace cells(c.sx, c.sy, c.sz, CELL_EMPTY);
            for (int i = c.sx * c.sy * c.sz / 12; i > 0; i--)
                cells.set(int(rng() % c.sx), int(rng() % c.sy), int(rng() % c.sz), i % 8 ? CELL_RED : CELL_BLACK);
            const CUnitView unit(cells);
            const int cx = int(rng() % c.sx), cy = int(rng() % c.sy), cz = int(rng() % c.sz);
            CSpace left = c.cutFromUnit ? cells.extract(cx - 1, cy, cz - 1, c.lx, c.ly, c.lz)
                                        : randomSpace(rng, c.lx, c.ly, c.lz, 20);
            if (!c.cutFromUnit) left.set(int(rng() % c.lx), 0, int(rng() % c.lz), CELL_BLACK);
            CBoxSet boxes;
            for (int i = 0; i < c.boxes; i++) {
                const int x = cx + int(rng() % c.spread) - c.spread / 2, y = cy + int(rng() % 3) - 1,
                          z = cz + int(rng() % c.spread) - c.spread / 2;
                boxes.push(CBox(x, y, z, x, y, z + int(rng() % 2)));
            }

            // Every cell the anchor lands on from a box's reach lies in a run, runs in z-y-x order.
            const CLeftMatcher matcher(unit, left);
            int ai, aj, ak, value;
            ASSERT_TRUE(matcher.anchor(ai, aj, ak, value));
            CReachCover cover;
            const std::int64_t bound =
                cover.build(boxes, c.lx, c.ly, c.lz, ai, aj, ak, c.sx, c.sy, c.sz);
            std::set<Pos> inRuns;
            Pos previous(-1, -1, -1);
            cover.forEachRun([&](int x0, int x1, int y, int z) {
                EXPECT_LT(previous, Pos(z, y, x0));
                previous = Pos(z, y, x1);
                for (int x = x0; x <= x1; x++) inRuns.insert(Pos(x, y, z));
                return true;
            });
            EXPECT_LE(std::int64_t(inRuns.size()), bound);
            std::int64_t reach = 0;
            boxes.forEach([&](const CBox& h) {
                const boxsweep::Reach r(h, left);
                reach += r.volume();
                for (std::int64_t z = r.z0; z <= r.z1; z++)
                    for (std::int64_t y = r.y0; y <= r.y1; y++)
                        for (std::int64_t x = r.x0; x <= r.x1; x++) {
                            const int x1 = int(x) + ai, y1 = int(y) + aj, z1 = int(z) + ak;
                            if (x1 >= 0 && y1 >= 0 && z1 >= 0 && x1 < c.sx && y1 < c.sy && z1 < c.sz) {
                                ASSERT_TRUE(inRuns.count(Pos(x1, y1, z1))) << x1 << " " << y1 << " " << z1;
                            }
                        }
            });
            const auto expected = reference(cells, left, boxes);
            if (2 * bound < reach) covered++, handed += expected.empty() ? 0 : 1;
            found += int(expected.size());
            std::vector<Pos> got, firsts, once;
            std::set<Pos> asked, seen;
            CSearchPoll poll;
            sweepBoxes(
                unit, left, boxes, poll, [](int, int, int) { return true; },
                [&](int x, int y, int z) { got.emplace_back(x, y, z); });
            ASSERT_EQ(got, expected) << "case " << (&c - cases) << " round " << round;
            for (const Pos& p : expected)
                if (seen.insert(p).second) firsts.push_back(p);
            sweepBoxes(
                unit, left, boxes, poll, [&](int x, int y, int z) { return asked.insert(Pos(x, y, z)).second; },
                [&](int x, int y, int z) { once.emplace_back(x, y, z); });
            ASSERT_EQ(once, firsts) << "case " << (&c - cases) << " round " << round;
        }
    EXPECT_GT(covered, 120);  // most rounds went over the cover, not the walk
    EXPECT_GT(handed, 60);    // and many of those had matches to hand out
    EXPECT_GT(found, 2000);
}
