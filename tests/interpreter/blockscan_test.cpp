// The four recognisers together in the Separate scan order: drawn programs are found block by
// block, and damaged blocks never leave a half-consumed space behind.
#include <climits>
#include <random>

#include "blockscan.h"
#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"

TEST(BlockScan, AFlatProgramIsFoundBlockByBlock)
{
    CPatternSpace s(30, 1, 24, 0);
    std::vector<DrawnBlock> blocks = {
        drawFlatRuleGroup(s, 1, 1,
                          {{patternedContents(2, 1, 2), patternedContents(2, 1, 2, 1)},
                           {patternedContents(1, 1, 1, 2), CSpace(0, 0, 0, 0)}}),
        drawFlatSequence(s, 12, 1, CSpace(1, 1, 1, CELL_RED),
                         {CSpace(1, 1, 1, CELL_WHITE), CSpace(1, 1, 1, CELL_BLACK)}),
        drawFlatWorkArea(s, 12, 8, patternedContents(6, 1, 4, 3)),
        drawFlatRuleGroup(s, 1, 14, {{patternedContents(3, 1, 1, 4), patternedContents(3, 1, 1, 5)}}),
    };
    const CSpace before = s;
    EXPECT_EQ(scanBlocks(s), (std::vector<FoundBlock>{foundAt('R', blocks[0]), foundAt('S', blocks[1]),
                                                      foundAt('A', blocks[2]), foundAt('R', blocks[3])}));
    EXPECT_TRUE(consumedExactly(before, s, blocks));
}

TEST(BlockScan, ASolidProgramIsFoundBlockByBlock)
{
    CPatternSpace s(24, 10, 20, 0);
    std::vector<DrawnBlock> blocks = {
        drawSolidRuleGroup(s, 1, 0, 1,
                           {{patternedContents(2, 1, 1), patternedContents(2, 2, 1, 1)},
                            {patternedContents(1, 2, 2, 2), CSpace(0, 0, 0, 0)}}),
        drawWindow(s, 9, 0, 1, {makeTwoBlockIcon(), CSpace(1, 1, 1, CELL_RED)}),
        drawSolidSequence(s, 1, 4, 9, CSpace(1, 1, 1, CELL_RED), {CSpace(1, 1, 1, CELL_WHITE)}),
        drawSolidWorkArea(s, 10, 2, 11, patternedContents(5, 3, 4, 3)),
    };
    const CSpace before = s;
    EXPECT_EQ(scanBlocks(s), (std::vector<FoundBlock>{foundAt('R', blocks[0]), foundAt('W', blocks[1]),
                                                      foundAt('S', blocks[2]), foundAt('A', blocks[3])}));
    EXPECT_TRUE(consumedExactly(before, s, blocks));
}

TEST(BlockScan, DamagedBlocksAreTakenWholeOrNotAtAll)
{
    // Random blocks with a few cells flipped: at every cell, a recogniser that fails leaves the
    // space as it was, and one that succeeds changes cells only to 2.
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    int found = 0;
    for (int round = 0; round < 300; round++) {
        const bool flat = round % 2 == 0;
        const int outline = flat ? CELL_BLUE : CELL_GREEN;
        CPatternSpace s(flat ? 16 : 12, flat ? 1 : 5, flat ? 16 : 12, 0);
        auto side = [&](int seed) {
            return patternedContents(pick(1, 3), flat ? 1 : pick(1, 2), pick(1, 3), seed);
        };
        switch (pick(0, 3)) {
            case 0:
                if (flat)
                    drawFlatWorkArea(s, 1, 1, side(0));
                else
                    drawSolidWorkArea(s, 1, 1, 1, CSpace(pick(3, 5), 2, 2, CELL_RED));
                break;
            case 1: {
                const CSpace left = side(1);
                CSpace right = pick(0, 2) ? side(2) : CSpace(0, 0, 0, 0);
                if (!flat && right.getSizeX() > 0 && right.getSizeY() < left.getSizeY())
                    right = CSpace(1, 2, 1, CELL_WHITE);
                if (flat)
                    drawFlatRuleGroup(s, 1, 1, {{left, right}, {side(3), CSpace(0, 0, 0, 0)}});
                else
                    drawSolidRuleGroup(s, 1, 1, 1, {{left, right}, {side(3), CSpace(0, 0, 0, 0)}});
                break;
            }
            case 2: {
                const CSpace v = side(4);
                if (flat)
                    drawFlatSequence(s, 1, 1, v, {v, v});
                else
                    drawSolidSequence(s, 1, 1, 1, v, {v});
                break;
            }
            default:
                if (flat)
                    drawFlatSequence(s, 1, 1, side(5), {});
                else
                    drawWindow(s, 1, 1, 1, {side(6), side(7)});
        }
        for (int flips = pick(1, 3); flips > 0; flips--)
            s.set(pick(0, 9), flat ? 0 : pick(0, 4), pick(0, 9), pick(0, 1) ? outline : CELL_EMPTY);

        for (int z = 0; z < s.getSizeZ(); z++)
            for (int x = 0; x < s.getSizeX(); x++)
                for (int y = s.getSizeY() - 1; y >= 0; y--)
                    for (int kind = 0; kind < 4; kind++) {
                        const CPatternSpace before = s;
                        CLinkList<CSpace> sequence;
                        CSpacePairList group;
                        CSpace area;
                        CWindow window;
                        const int r = kind == 0   ? s.findSequence(x, y, z, sequence)
                                      : kind == 1 ? s.findRuleGroup(x, y, z, group)
                                      : kind == 2 ? s.findWorkArea(x, y, z, area)
                                                  : s.findWindow(x, y, z, window);
                        if (!r) {
                            ASSERT_TRUE(s.isEqual(before)) << "round " << round << " kind " << kind << " at "
                                                           << x << "," << y << "," << z;
                            continue;
                        }
                        found++;
                        int changed = 0;
                        for (int k = 0; k < s.getSizeZ(); k++)
                            for (int j = 0; j < s.getSizeY(); j++)
                                for (int i = 0; i < s.getSizeX(); i++)
                                    if (s.get(i, j, k) != before.get(i, j, k)) {
                                        changed++;
                                        ASSERT_EQ(s.get(i, j, k), 2) << "round " << round;
                                    }
                        ASSERT_GT(changed, 0) << "round " << round;
                    }
    }
    EXPECT_GT(found, 100);  // most damage misses the block or leaves it readable
}

TEST(BlockScan, EmptySpacesAndCellsOffTheGridFindNothing)
{
    auto findsAny = [](CPatternSpace& s, int x, int y, int z) {
        CLinkList<CSpace> sequence;
        CSpacePairList group;
        CSpace area;
        CWindow window;
        return s.findSequence(x, y, z, sequence) + s.findRuleGroup(x, y, z, group) +
               s.findWorkArea(x, y, z, area) + s.findWindow(x, y, z, window);
    };
    CPatternSpace empty(0, 0, 0, 0);
    EXPECT_EQ(findsAny(empty, 0, 0, 0), 0);

    // Spaces filled with outline colour: every cell in the grid is a candidate anchor.
    for (CPatternSpace s : {CPatternSpace(6, 1, 6, CELL_BLUE), CPatternSpace(6, 4, 6, CELL_GREEN)}) {
        const CSpace before = s;
        for (int c : {INT_MIN, INT_MIN + 1, -1, 6, INT_MAX - 1, INT_MAX}) {
            EXPECT_EQ(findsAny(s, c, 0, 2), 0) << c;
            EXPECT_EQ(findsAny(s, 2, s.isFlat() ? 0 : c, 2), 0) << c;  // flat blocks ignore y
            EXPECT_EQ(findsAny(s, 2, 0, c), 0) << c;
        }
        EXPECT_TRUE(s.isEqual(before));
    }
}
