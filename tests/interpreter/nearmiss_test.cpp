// Near misses: each way of breaking a block by one cell is explained at that cell, with the part
// of the block and what the cell should hold; whole drawings get no explanation.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "interpreter/blockcatalogue.h"
#include "interpreter/keywordicons.h"
#include "interpreter/nearmiss.h"
#include "interpreter/nearmissreason.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
// One break: draws a block, says which cell to change and to what, and what the near miss says.
struct Break {
    const char* what;
    bool flat;
    std::function<CCell(CSpace&)> draw;  // returns the cell to change, with its new value
    CBlockKind kind;
    const char* reason;  // the reason after "Kind at (x,y,z): "; "%c" stands for the changed cell
};

std::string cellText(const CCell& c)
{
    std::ostringstream text;  // not string concatenation: GCC 12 at -O3 warns falsely on it
    text << '(' << c.x << ',' << c.y << ',' << c.z << ')';
    return text.str();
}

std::string withCell(std::string text, const CCell& c)
{
    const auto at = text.find("%c");
    if (at != std::string::npos) text.replace(at, 2, cellText(c));
    return text;
}

CSpace flatSpace() { return CSpace(30, 1, 24, 0); }
CSpace solidSpace() { return CSpace(40, 12, 40, 0); }

const RuleSides flatRule{patternedContents(2, 1, 2), patternedContents(3, 1, 1, 1)};
const RuleSides solidRule{patternedContents(2, 1, 1), patternedContents(2, 2, 1, 1)};

const std::vector<Break>& breaks()
{
    static const std::vector<Break> table = {
        {"flat rule: the right box's top right corner missing", true,
         [](CSpace& s) {
             const CBox b = drawFlatRuleGroup(s, 2, 2, {flatRule}).bounds();
             return CCell(b.x1, 0, b.z0, CELL_EMPTY);
         },
         CBlockKind::RuleGroup, "the top right corner %c of the right box should be blue; it is empty"},
        {"flat rule: a cell of the left box's bottom edge red", true,
         [](CSpace& s) {
             const CBox b = drawFlatRuleGroup(s, 2, 2, {flatRule}).bounds();
             return CCell(b.x0 + 1, 0, b.z1, CELL_RED);
         },
         CBlockKind::RuleGroup, "the bottom edge %c of the left box should be blue; it is red"},
        {"flat rule group: the second rule's left wall one cell short", true,
         [](CSpace& s) {
             const DrawnBlock g = drawFlatRuleGroup(s, 2, 2, {flatRule, {patternedContents(2, 1, 3), CSpace()}});
             const CCell& left = g.contents[2];  // the second rule's left side
             return CCell(left.x - 1, 0, left.z + 2, CELL_EMPTY);
         },
         CBlockKind::RuleGroup, "the left wall %c of the left box of rule 2 should be blue; it is empty"},
        {"flat rule group: the connector missing its rule", true,
         [](CSpace& s) {
             const DrawnBlock g = drawFlatRuleGroup(s, 2, 2, {flatRule, flatRule});
             const CCell& left = g.contents[2];
             return CCell(left.x - 1, 0, left.z - 1, CELL_EMPTY);  // the second rule's top left corner
         },
         CBlockKind::RuleGroup, "the top left corner %c of the left box of rule 2 should be blue; it is empty"},
        {"flat work area: a corner dot of the wrong colour", true,
         [](CSpace& s) {
             const CBox a = drawFlatWorkArea(s, 3, 3, patternedContents(5, 1, 4)).bounds();
             return CCell(a.x1, 0, a.z1, CELL_YELLOW);
         },
         CBlockKind::WorkArea, "the bottom right dot %c should be blue; it is yellow"},
        {"flat work area: one blue cell too many beside the left wall", true,
         [](CSpace& s) {
             const CBox a = drawFlatWorkArea(s, 3, 3, patternedContents(5, 1, 4)).bounds();
             return CCell(a.x0, 0, a.z0 + 3, CELL_BLUE);
         },
         CBlockKind::WorkArea, "the cell %c left of the rectangle should not be blue; it is one cell too many"},
        {"flat sequence: the last value box's top edge one cell short", true,
         [](CSpace& s) {
             const DrawnBlock q = drawFlatSequence(s, 3, 3, CSpace(1, 1, 1, CELL_RED),
                                                   {CSpace(1, 1, 1, CELL_WHITE), CSpace(1, 1, 1, CELL_YELLOW)});
             const CBox b = q.bounds();
             return CCell(b.x1 - 1, 0, b.z0, CELL_EMPTY);
         },
         CBlockKind::Sequence, "the top edge %c of the strip should be blue; it is empty"},
        {"solid rule: a hole in the left box's front face", false,
         [](CSpace& s) {
             const CBox b = drawSolidRuleGroup(s, 3, 0, 3, {solidRule}).bounds();
             return CCell(b.x0, 1, b.z0, CELL_EMPTY);
         },
         CBlockKind::RuleGroup, "the front top left corner %c of the left box should be green; it is empty"},
        {"solid work area: a floor cell red", false,
         [](CSpace& s) {
             const CBox a = drawSolidWorkArea(s, 3, 0, 3, patternedContents(4, 2, 3)).bounds();
             return CCell(a.x0 + 2, 0, a.z0, CELL_RED);
         },
         CBlockKind::WorkArea, "the front edge %c of the floor should be green; it is red"},
        {"declaration: the keyword frame's handle missing", false,
         [](CSpace& s) {
             const DrawnBlock w = drawWindow(s, 3, 0, 3, {makeUpArrowIcon(), CSpace(1, 1, 1, CELL_RED)});
             return CCell(w.scan.x, w.scan.y, w.scan.z, CELL_EMPTY);
         },
         CBlockKind::Declaration, "the handle of the keyword frame %c should be green; it is empty"},
        {"sub-program: an instance frame's front face holed", false,
         [](CSpace& s) {
             const DrawnBlock w = drawWindow(s, 1, 0, 3,
                                             {makeThreeBlockIcon(), CSpace(1, 1, 1, CELL_YELLOW),
                                              CSpace(3, 2, 3, 0), CSpace(3, 2, 3, 0), CSpace(3, 2, 3, 0)});
             const CCell& second = w.contents[4];  // the second instance frame's contents
             return CCell(second.x + 1, second.y, second.z - 1, CELL_EMPTY);
         },
         CBlockKind::SubProgram, "the front face %c of the instance frame 2 should be green; it is empty"},
    };
    return table;
}
}  // namespace

TEST(NearMiss, EachBreakIsExplainedAtItsCell)
{
    for (const Break& b : breaks()) {
        SCOPED_TRACE(b.what);
        CSpace s = b.flat ? flatSpace() : solidSpace();
        const CCell change = b.draw(s);
        const std::vector<CBlockEntry> whole = catalogueBlocks(s);
        ASSERT_FALSE(whole.empty());
        EXPECT_TRUE(findNearMisses(s).empty()) << describeNearMiss(findNearMisses(s)[0]);

        const int was = s.get(change.x, change.y, change.z);
        s.set(change.x, change.y, change.z, change.value);
        for (const CBlockEntry& e : catalogueBlocks(s)) ASSERT_NE(describeBlock(e), describeBlock(whole[0]));
        const std::vector<CNearMiss> misses = findNearMisses(s);
        ASSERT_EQ(misses.size(), 1u);
        const CNearMiss& m = misses[0];
        EXPECT_EQ(m.kind, b.kind);
        EXPECT_EQ(cellText(m.cell), cellText(change));
        EXPECT_EQ(m.cell.value, change.value);
        EXPECT_EQ(m.wanted, change.value == (b.flat ? CELL_BLUE : CELL_GREEN) ? CELL_EMPTY : was);
        // Mended as the near miss says, the drawing reads as a whole again, at the box it names.
        CSpace mended(s);
        mended.set(m.cell.x, m.cell.y, m.cell.z, m.wanted);
        const std::vector<CBlockEntry> again = catalogueBlocks(mended);
        ASSERT_EQ(again.size(), whole.size());
        EXPECT_EQ(describeBlock(again[0]), describeBlock(whole[0]));
        const CBox& box = whole[0].box;
        EXPECT_TRUE(m.box.isEqual(box)) << describeNearMiss(m) << " vs " << describeBlock(whole[0]);
        EXPECT_EQ(m.reason, std::string(nearMissKindTitle(b.kind)) + " at " + cellText(CCell(box.x0, box.y0, box.z0, 0)) +
                                ": " + withCell(b.reason, change));
    }
}

// The editor names the near miss the cursor is on or nearest to: the drawing's box and its cell
// to change (which may lie outside the box) both count as on it.
TEST(NearMiss, NearestToACell)
{
    CNearMiss a, b;
    a.box = CBox(2, 0, 2, 6, 0, 5);
    a.cell = CCell(7, 0, 3, CELL_BLUE);  // one too many, beside the box
    b.box = CBox(10, 0, 2, 14, 0, 5);
    b.cell = CCell(10, 0, 2, CELL_EMPTY);
    const std::vector<CNearMiss> misses = {a, b};
    const struct {
        int x, y, z, within;
        const CNearMiss* expected;
        int distance;  // from the expected one, when there is one
    } cases[] = {
        {4, 0, 3, 0, &misses[0], 0},   {7, 0, 3, 0, &misses[0], 0},  {8, 0, 3, 0, nullptr, 1},
        {8, 0, 3, 5, &misses[0], 1},   {9, 0, 4, 5, &misses[1], 1},  {12, 3, 9, 5, &misses[1], 4},
        {12, 3, 9, 3, nullptr, 4},     {8, 0, 9, 9, &misses[0], 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(cellText(CCell(c.x, c.y, c.z, 0)));
        const CNearMiss* found = nearestNearMiss(misses, c.x, c.y, c.z, c.within);
        EXPECT_EQ(found, c.expected);
        if (c.expected) {
            EXPECT_EQ(nearMissDistance(*c.expected, c.x, c.y, c.z), c.distance);
        }
    }
    EXPECT_EQ(nearestNearMiss({}, 0, 0, 0, 100), nullptr);
}
