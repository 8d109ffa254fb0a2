// The block catalogue: every kind of block listed at the box of its drawing, in scan order, and
// blocks drawn one cell wrong left out.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/blockcatalogue.h"
#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
::testing::AssertionResult listedAs(const CBlockEntry& entry, CBlockKind kind, const CBox& box)
{
    if (entry.kind == kind && entry.box.isEqual(box)) return ::testing::AssertionSuccess();
    CBlockEntry wanted;
    wanted.kind = kind;
    wanted.box = box;
    return ::testing::AssertionFailure() << describeBlock(entry) << " instead of " << describeBlock(wanted);
}
}  // namespace

TEST(BlockCatalogue, FlatBlocksAreListedAtTheirDrawings)
{
    CSpace s(30, 1, 24, 0);
    const DrawnBlock group = drawFlatRuleGroup(
        s, 1, 1, {{patternedContents(2, 1, 2), patternedContents(3, 1, 1, 1)}, {patternedContents(1, 1, 1, 2), CSpace(0, 0, 0, 0)}});
    const DrawnBlock sequence = drawFlatSequence(s, 14, 1, CSpace(1, 1, 1, CELL_RED),
                                                 {CSpace(1, 1, 1, CELL_WHITE), CSpace(1, 1, 1, CELL_YELLOW)});
    const DrawnBlock area = drawFlatWorkArea(s, 2, 14, patternedContents(6, 1, 4, 3));

    const std::vector<CBlockEntry> blocks = catalogueBlocks(s);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_TRUE(listedAs(blocks[0], CBlockKind::RuleGroup, group.bounds()));
    EXPECT_TRUE(listedAs(blocks[1], CBlockKind::Sequence, sequence.bounds()));
    EXPECT_TRUE(listedAs(blocks[2], CBlockKind::WorkArea, area.bounds()));
    // Rules top first, with the sizes of both sides; the second rule has no right box.
    ASSERT_EQ(blocks[0].rules.size(), 2u);
    EXPECT_EQ(describeBlock(blocks[0]).substr(describeBlock(blocks[0]).find(" rule")),
              " rule 2x1x2->3x1x1 rule 1x1x1->0x0x0");
}

TEST(BlockCatalogue, SolidBlocksDeclarationsSubProgramsAndInstanceFrames)
{
    CSpace s(60, 12, 40, 0);
    const DrawnBlock group = drawSolidRuleGroup(s, 1, 0, 1, {{patternedContents(2, 1, 1), patternedContents(2, 2, 1, 1)}});
    const DrawnBlock declaration = drawWindow(s, 9, 0, 1, {makeTwoBlockIcon(), CSpace(1, 1, 1, CELL_RED)});
    const DrawnBlock area = drawSolidWorkArea(s, 10, 2, 11, patternedContents(5, 3, 4, 3));
    // A sub-program: keyword, name, rule frame holding one rule group, and two instance frames.
    CSpace rules(8, 4, 8, 0);
    const DrawnBlock inner = drawSolidRuleGroup(rules, 1, 0, 1, {{CSpace(1, 1, 1, CELL_RED), CSpace(1, 1, 1, CELL_WHITE)}});
    const DrawnBlock sub = drawWindow(s, 1, 0, 22,
                                      {makeThreeBlockIcon(), CSpace(2, 1, 1, CELL_YELLOW), rules,
                                       CSpace(3, 2, 3, 0), CSpace(3, 2, 3, 0)});
    const DrawnBlock other = drawWindow(s, 40, 0, 1, {CSpace(2, 1, 1, CELL_PURPLE)});

    const std::vector<CBlockEntry> blocks = catalogueBlocks(s);
    ASSERT_EQ(blocks.size(), 8u);
    EXPECT_TRUE(listedAs(blocks[0], CBlockKind::RuleGroup, group.bounds()));
    EXPECT_TRUE(listedAs(blocks[1], CBlockKind::Declaration, declaration.bounds()));
    EXPECT_TRUE(listedAs(blocks[2], CBlockKind::Window, other.bounds()));
    EXPECT_TRUE(listedAs(blocks[3], CBlockKind::WorkArea, area.bounds()));
    EXPECT_TRUE(listedAs(blocks[4], CBlockKind::SubProgram, sub.bounds()));
    // Each instance frame: its contents with the outline around them, in the document.
    for (int i = 0; i < 2; i++) {
        const CCell& c = sub.contents[3 + i];
        EXPECT_TRUE(listedAs(blocks[5 + i], CBlockKind::InstanceFrame,
                             CBox(c.x - 1, c.y - 1, c.z - 1, c.x + 3, c.y + 1, c.z + 2)));
    }
    // The rule group inside the rule frame, moved to where the frame lies.
    const CCell& frame = sub.contents[2];
    const CBox in = inner.bounds();
    EXPECT_TRUE(listedAs(blocks[7], CBlockKind::RuleGroup,
                         CBox(in.x0 + frame.x, in.y0 + frame.y, in.z0 + frame.z, in.x1 + frame.x, in.y1 + frame.y,
                              in.z1 + frame.z)));
}

TEST(BlockCatalogue, ABlockDrawnOneCellWrongIsNotListed)
{
    CSpace s(30, 1, 24, 0);
    const DrawnBlock group = drawFlatRuleGroup(s, 1, 1, {{patternedContents(2, 1, 2), patternedContents(3, 1, 1, 1)}});
    const DrawnBlock area = drawFlatWorkArea(s, 2, 14, patternedContents(6, 1, 4, 3));
    ASSERT_EQ(catalogueBlocks(s).size(), 2u);

    // The work area loses one corner dot: only the rule group is left.
    const CBox a = area.bounds();
    s.set(a.x1, 0, a.z1, 0);
    std::vector<CBlockEntry> blocks = catalogueBlocks(s);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(listedAs(blocks[0], CBlockKind::RuleGroup, group.bounds()));

    // A gap in the bottom row of the rule's left box leaves nothing.
    const CBox g = group.bounds();
    s.set(g.x0 + 1, 0, g.z1, 0);
    EXPECT_TRUE(catalogueBlocks(s).empty());
    EXPECT_TRUE(catalogueBlocks(CSpace(0, 0, 0, 0)).empty());
}

// Each keyword icon names its kind of window; an icon with one cell changed names none.
TEST(BlockCatalogue, EveryKeywordIconNamesItsWindowKind)
{
    const struct {
        const char* name;
        CSpace icon;
        CBlockKind kind;
    } keywords[] = {
        {"palette", makePaletteIcon(), CBlockKind::Declaration},
        {"variables", makeTwoBlockIcon(), CBlockKind::Declaration},
        {"receive", makeArrowCrossIcon(), CBlockKind::Declaration},
        {"own key", makeDownArrowIcon(), CBlockKind::Declaration},
        {"reply key", makeUpArrowIcon(), CBlockKind::Declaration},
        {"sub-program", makeThreeBlockIcon(), CBlockKind::SubProgram},
    };
    for (const auto& k : keywords) {
        SCOPED_TRACE(k.name);
        for (const bool spoilt : {false, true}) {
            CSpace icon = k.icon;
            if (spoilt) icon.set(0, 0, 0, icon.get(0, 0, 0) == CELL_YELLOW ? CELL_WHITE : CELL_YELLOW);
            CSpace s(30, 12, 12, 0);
            const DrawnBlock window = drawWindow(s, 1, 0, 1, {icon, CSpace(1, 1, 1, CELL_RED)});
            const std::vector<CBlockEntry> blocks = catalogueBlocks(s);
            ASSERT_FALSE(blocks.empty());
            EXPECT_TRUE(listedAs(blocks[0], spoilt ? CBlockKind::Window : k.kind, window.bounds()));
        }
    }
}
