// Placed blocks: every block the Insert menu draws, flat and solid, is read back by the block
// catalogue as that block, with its first content cell inside; a place that is taken, too small
// or touched by the outline colour is refused with the cell in the way; inserting is one undo step.
#include <gtest/gtest.h>

#include "document/blockstamp.h"
#include "editortestkit.h"
#include "interpreter/blockcatalogue.h"
#include "space/cellcodes.h"

namespace {
struct SStampCase {
    EInsertBlock kind;
    CBlockKind read;
    SBoxSize first, second;
    int count;
};

const SStampCase kCases[] = {
    {EInsertBlock::WorkArea, CBlockKind::WorkArea, {3, 2, 4}, {}, 1},
    {EInsertBlock::Rule, CBlockKind::RuleGroup, {2, 1, 3}, {3, 2, 1}, 1},
    {EInsertBlock::RuleGroup, CBlockKind::RuleGroup, {1, 2, 2}, {2, 3, 3}, 3},
    {EInsertBlock::Sequence, CBlockKind::Sequence, {2, 2, 1}, {}, 3},
    {EInsertBlock::Sequence, CBlockKind::Sequence, {1, 1, 2}, {}, 0},
    {EInsertBlock::Palette, CBlockKind::Declaration, {}, {}, 1},
    {EInsertBlock::Variables, CBlockKind::Declaration, {2, 1, 2}, {}, 2},
    {EInsertBlock::Receive, CBlockKind::Declaration, {1, 2, 1}, {}, 1},
    {EInsertBlock::OwnKey, CBlockKind::Declaration, {2, 2, 1}, {3, 1, 1}, 1},
    {EInsertBlock::ReplyKey, CBlockKind::Declaration, {1, 1, 1}, {1, 1, 1}, 1},
    {EInsertBlock::SubProgram, CBlockKind::SubProgram, {2, 2, 2}, {9, 3, 8}, 2},
};

SBlockRequest requestOf(const SStampCase& c, bool flat) { return {c.kind, flat, c.first, c.second, c.count}; }

// The stamp drawn at (2, y, 2) of a space with room around it: what the catalogue reads there.
std::vector<CBlockEntry> readBack(const CBlockStamp& stamp, bool flat, int marker)
{
    CSpace space(stamp.sizeX() + 4, flat ? 1 : stamp.sizeY() + 3, stamp.sizeZ() + 4, 0);
    const int y = flat ? 0 : 1;
    EXPECT_EQ(stamp.problemAt(space, 2, y, 2), "");
    stamp.paint(space, 2, y, 2);
    const CCell& c = stamp.content();
    EXPECT_EQ(space.get(2 + c.x, y + c.y, 2 + c.z), CELL_EMPTY) << "the content cell is part of the frame";
    space.set(2 + c.x, y + c.y, 2 + c.z, marker);
    return catalogueBlocks(space);
}
}  // namespace

TEST(BlockStampTest, EveryBlockIsReadAsWhatItIsWithItsContentInside)
{
    for (const SStampCase& c : kCases)
        for (bool flat : {true, false}) {
            SCOPED_TRACE(std::string(insertBlockName(c.kind)) + (flat ? " flat" : " solid"));
            const CBlockStamp stamp(requestOf(c, flat));
            if (flat && isDeclaration(c.kind)) {
                EXPECT_FALSE(stamp.isValid());
                continue;
            }
            ASSERT_TRUE(stamp.isValid()) << stamp.reason();
            const std::vector<CBlockEntry> blocks = readBack(stamp, flat, CELL_RED);
            ASSERT_FALSE(blocks.empty());
            const CBlockEntry& b = blocks.front();
            EXPECT_EQ(b.kind, c.read);
            const int y = flat ? 0 : 1;
            EXPECT_EQ(describeBlock(b), describeBlock({c.read, CBox(2, y, 2, 1 + stamp.sizeX(), y + stamp.sizeY() - 1,
                                                                    1 + stamp.sizeZ()),
                                                       b.rules}));
            // A sub-program lists its instance frames after it; nothing else is read.
            EXPECT_EQ(blocks.size(), c.kind == EInsertBlock::SubProgram ? 1u + c.count : 1u);
            if (c.read != CBlockKind::RuleGroup) continue;
            ASSERT_EQ(int(b.rules.size()), c.count);
            for (const CRuleSides& r : b.rules) {
                EXPECT_EQ(r.leftX, c.first.x);
                EXPECT_EQ(r.leftY, flat ? 1 : c.first.y);
                EXPECT_EQ(r.rightZ, c.second.z);
            }
        }
}

TEST(BlockStampTest, ImpossibleBlocksAndTakenPlacesSayWhy)
{
    const SBlockRequest bad[] = {
        {EInsertBlock::WorkArea, false, {2, 1, 1}, {}, 1},         // a solid work area needs 3 columns
        {EInsertBlock::Rule, false, {1, 3, 1}, {1, 2, 1}, 1},      // the wall would stand above the right box
        {EInsertBlock::RuleGroup, true, {1, 1, 1}, {1, 1, 1}, 0},  // no rule
        {EInsertBlock::Variables, false, {4097, 1, 1}, {}, 1},     // beyond the largest size
    };
    for (const SBlockRequest& r : bad) {
        const CBlockStamp stamp(r);
        EXPECT_FALSE(stamp.reason().empty()) << insertBlockName(r.kind);
        EXPECT_EQ(stamp.problemAt(CSpace(40, 10, 30, 0), 0, 0, 0), stamp.reason());
    }
    const CBlockStamp rule({EInsertBlock::Rule, true, {1, 1, 1}, {1, 1, 1}, 1});  // 5 x 1 x 3
    const struct {
        SCellLiteral cell;    // painted into an empty 12 x 1 x 8 space
        int x, z;             // where the rule goes
        const char* problem;  // a piece of the reason, or "" when the place is good
    } cases[] = {
        {{0, 0, 0, 0}, 7, 5, ""},  // the far corner, exactly
        {{0, 0, 0, 0}, 8, 5, "does not fit"},
        {{0, 0, 0, 0}, 2147483647, 0, "does not fit"},  // no wrap-around into the space
        {{5, 0, 3, CELL_RED}, 3, 2, "(5, 0, 3) where the rule goes is not empty"},
        {{2, 0, 1, CELL_BLUE}, 3, 2, "blue cell (2, 0, 1) touches"},  // diagonally
        {{8, 0, 3, CELL_GREEN}, 3, 2, ""},                            // only blue joins a flat frame
    };
    for (const auto& c : cases) {
        const std::string problem = rule.problemAt(spaceWithCells(12, 1, 8, {c.cell}), c.x, 0, c.z);
        EXPECT_TRUE(*c.problem ? problem.find(c.problem) != std::string::npos : problem.empty()) << problem;
    }
}

TEST(BlockStampTest, InsertIsOneUndoStepAndPutsTheCursorOnTheContent)
{
    SEditorFixture f(40, 10, 30, {{24, 1, 16, CELL_RED}});
    const CBlockStamp area({EInsertBlock::WorkArea, false, {3, 1, 3}, {}, 1});
    f.editor.PlaceCursor(20, 0, 15);
    EXPECT_EQ(f.editor.InsertBlock(area, "Insert Work Area"), "");
    EXPECT_EQ(f.doc.GetSpace().countNonEmpty(), 1 + 12 + 2);
    EXPECT_EQ((std::vector<int>{f.editor.GetCursorX(), f.editor.GetCursorY(), f.editor.GetCursorZ()}),
              (std::vector<int>{20, 1, 16}));
    EXPECT_EQ(f.editor.UndoName(), "Insert Work Area");
    // Refused: nothing is painted, no step is added, the cursor stays.
    f.editor.PlaceCursor(23, 0, 15);
    EXPECT_NE(f.editor.InsertBlock(area, "Insert Work Area").find("(24, 1, 16)"), std::string::npos);
    EXPECT_EQ(f.editor.GetCursorX(), 23);
    f.editor.Undo();
    EXPECT_EQ(f.doc.GetSpace().countNonEmpty(), 1);
    EXPECT_FALSE(f.editor.CanUndo());
    // Take Color: a colour is taken, an empty cell changes nothing.
    f.editor.PlaceCursor(24, 1, 16);
    EXPECT_TRUE(f.editor.TakeColour());
    f.editor.PlaceCursor(0, 0, 0);
    EXPECT_FALSE(f.editor.TakeColour());
    EXPECT_EQ(f.editor.GetColor(), CELL_RED);
}
