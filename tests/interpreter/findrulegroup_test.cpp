// Rule groups, flat and solid: single rules with and without a right side, chains (last rule at
// the head, connectors consumed), malformed right boxes, broken chains and very long chains.
#include <functional>

#include "blockscan.h"
#include "space/cellcodes.h"

namespace {

// The group's rules from the head (the last rule of the chain) on.
std::vector<CSpacePair> rulesOf(CSpacePairList group)
{
    std::vector<CSpacePair> rules;
    CSpacePair p;
    while (group.pop(p)) rules.push_back(p);
    return rules;
}

bool sameSides(const CSpacePair& found, const RuleSides& drawn)
{
    return found.first.isEqual(drawn.left) && found.second.isEqual(drawn.right);
}

const CSpace NO_RIGHT(0, 0, 0, 0);

}  // namespace

TEST(FindRuleGroup, FlatRulesAreFoundWithBothSides)
{
    const std::vector<RuleSides> cases = {
        {patternedContents(2, 1, 3), patternedContents(3, 1, 1, 1)},  // left box taller
        {patternedContents(1, 1, 1), patternedContents(2, 1, 4, 2)},  // right box taller
        {patternedContents(3, 1, 2), patternedContents(3, 1, 2, 3)},
        {patternedContents(2, 1, 2), NO_RIGHT},
    };
    for (const RuleSides& rule : cases) {
        CPatternSpace s(14, 1, 10, 0);
        const DrawnBlock block = drawFlatRuleGroup(s, 1, 2, {rule});
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('R', block)});

        CSpacePairList group;
        ASSERT_EQ(s.findRuleGroup(block.scan.x, 0, block.scan.z, group), 1);
        const std::vector<CSpacePair> rules = rulesOf(group);
        ASSERT_EQ(rules.size(), 1u);
        EXPECT_TRUE(sameSides(rules[0], rule));
        EXPECT_EQ(group.mark, 0);
        EXPECT_TRUE(consumedExactly(before, s, block));
    }
}

TEST(FindRuleGroup, FlatChainHoldsTheBottomRuleAtTheHead)
{
    const std::vector<RuleSides> chain = {
        {patternedContents(2, 1, 1), patternedContents(1, 1, 3, 1)},
        {patternedContents(3, 1, 2, 2), NO_RIGHT},
        {patternedContents(1, 1, 2, 3), patternedContents(2, 1, 2, 4)},
    };
    CPatternSpace s(12, 1, 22, 0);
    const DrawnBlock block = drawFlatRuleGroup(s, 1, 1, chain);
    const CSpace before = s;

    CPatternSpace scanned = s;
    EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('R', block)});

    CSpacePairList group;
    ASSERT_EQ(s.findRuleGroup(block.scan.x, 0, block.scan.z, group), 1);
    const std::vector<CSpacePair> rules = rulesOf(group);
    ASSERT_EQ(rules.size(), 3u);
    for (int i = 0; i < 3; i++) EXPECT_TRUE(sameSides(rules[i], chain[2 - i])) << "rule " << i;
    EXPECT_TRUE(consumedExactly(before, s, block));  // the two connectors included
}

TEST(FindRuleGroup, BrokenFlatRulesAreNotRecognised)
{
    // Two chained rules: shared wall x = 4; rule 1 rows 1..4 (right box x 5..7, rows 1..3),
    // connector (4, 5); rule 2 rows 6..8 with no right box.
    const std::vector<RuleSides> chain = {{CSpace(2, 1, 2, CELL_RED), CSpace(2, 1, 1, CELL_WHITE)},
                                          {CSpace(2, 1, 1, CELL_BLACK), NO_RIGHT}};
    const std::vector<std::pair<const char*, std::function<void(CSpace&)>>> breaks = {
        {"right box's right wall broken, box touching the shared wall", [](CSpace& s) { s.set(7, 0, 2, 0); }},
        {"right box's bottom row broken", [](CSpace& s) { s.set(6, 0, 3, 0); }},
        {"blue touching the shared wall beside rule 2", [](CSpace& s) { s.set(5, 0, 7, CELL_BLUE); }},
        {"blue at the corner right below rule 2", [](CSpace& s) { s.set(5, 0, 9, CELL_BLUE); }},
        {"second rule's shared wall broken", [](CSpace& s) { s.set(4, 0, 7, 0); }},
        {"second rule's bottom row broken", [](CSpace& s) { s.set(2, 0, 8, 0); }},
        {"blue against the first rule's left wall", [](CSpace& s) { s.set(0, 0, 2, CELL_BLUE); }},
    };
    for (const auto& [what, damage] : breaks) {
        CPatternSpace s(10, 1, 11, 0);
        const DrawnBlock block = drawFlatRuleGroup(s, 1, 1, chain);
        ASSERT_EQ(block.scan.x, 4);
        damage(s);
        const CSpace before = s;
        CSpacePairList group;
        EXPECT_EQ(s.findRuleGroup(block.scan.x, 0, block.scan.z, group), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindRuleGroup, WithoutConnectorTheRulesAreSeparateGroups)
{
    const std::vector<RuleSides> chain = {{CSpace(2, 1, 2, CELL_RED), CSpace(2, 1, 1, CELL_WHITE)},
                                          {CSpace(2, 1, 1, CELL_BLACK), NO_RIGHT}};
    CPatternSpace s(10, 1, 11, 0);
    drawFlatRuleGroup(s, 1, 1, chain);
    s.set(4, 0, 5, 0);  // the connector
    CPatternSpace scanned = s;
    EXPECT_EQ(scanBlocks(scanned), (std::vector<FoundBlock>{{'R', 4, 0, 1}, {'R', 4, 0, 6}}));
}

TEST(FindRuleGroup, AStrayBoxRightOfTheWallDoesNotStretchTheRuleAndItsChainCellIsLookedForBelowTheLeftBox)
{
    // A rule without a right box, and one column away from its wall a blue box whose right wall
    // reaches far down. The rule is taken with an empty right side; it must not take the cells
    // below it, where a work area lies.
    auto strayBox = [](CSpace& s) {
        for (int x = 6; x <= 8; x++) s.set(x, 0, 1, CELL_BLUE);
        for (int z = 1; z <= 13; z++) s.set(8, 0, z, CELL_BLUE);
    };
    CPatternSpace s(12, 1, 16, 0);
    const DrawnBlock rule = drawFlatRuleGroup(s, 1, 1, {{CSpace(2, 1, 1, CELL_RED), NO_RIGHT}});
    ASSERT_EQ(rule.scan.x, 4);
    strayBox(s);
    const DrawnBlock area = drawFlatWorkArea(s, 0, 5, CSpace(1, 1, 1, CELL_WHITE));
    const CSpace before = s;

    CSpacePairList group;
    ASSERT_EQ(s.findRuleGroup(rule.scan.x, 0, rule.scan.z, group), 1);
    ASSERT_EQ(group.count(), 1);
    EXPECT_TRUE(consumedExactly(before, s, rule));
    CSpace interior;
    EXPECT_EQ(s.findWorkArea(area.scan.x, 0, area.scan.z, interior), 1);

    // So the connector is looked for just below the left box, not below the stray wall.
    CPatternSpace chained(12, 1, 16, 0);
    const DrawnBlock chain = drawFlatRuleGroup(chained, 1, 1, {{CSpace(2, 1, 1, CELL_RED), NO_RIGHT},
                                                               {CSpace(2, 1, 1, CELL_BLACK), NO_RIGHT}});
    strayBox(chained);
    ASSERT_EQ(chained.findRuleGroup(chain.scan.x, 0, chain.scan.z, group), 1);
    EXPECT_EQ(group.count(), 2);
}

TEST(FindRuleGroup, SolidRulesAndChainsAreFound)
{
    const std::vector<std::vector<RuleSides>> groups = {
        {{patternedContents(2, 1, 2), patternedContents(3, 2, 1, 1)}},
        {{patternedContents(1, 2, 1), NO_RIGHT}},
        {{patternedContents(2, 2, 1), patternedContents(1, 2, 3, 1)},  // right side deeper
         {patternedContents(3, 1, 2, 2), NO_RIGHT},
         {patternedContents(1, 1, 1, 3), patternedContents(2, 3, 1, 4)}},
    };
    for (const std::vector<RuleSides>& chain : groups) {
        CPatternSpace s(10, 6, 18, 0);
        const DrawnBlock block = drawSolidRuleGroup(s, 1, 1, 1, chain);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('R', block)});

        CSpacePairList group;
        ASSERT_EQ(s.findRuleGroup(block.scan.x, block.scan.y, block.scan.z, group), 1);
        const std::vector<CSpacePair> rules = rulesOf(group);
        ASSERT_EQ(rules.size(), chain.size());
        for (size_t i = 0; i < chain.size(); i++)
            EXPECT_TRUE(sameSides(rules[i], chain[chain.size() - 1 - i])) << "rule " << i;
        EXPECT_TRUE(consumedExactly(before, s, block));
    }
}

TEST(FindRuleGroup, BrokenSolidRulesAreNotRecognised)
{
    // Two chained rules, shared wall at x = 3 from y = 1: rule 1 z 1..3 (right box x 4..5,
    // y 1..3, z 1..2), connector (3, 1, 4); rule 2 z 5..6 with no right box.
    const std::vector<RuleSides> chain = {{CSpace(2, 2, 2, CELL_RED), CSpace(2, 2, 1, CELL_WHITE)},
                                          {CSpace(1, 1, 1, CELL_BLACK), NO_RIGHT}};
    const std::vector<std::pair<const char*, std::function<void(CSpace&)>>> breaks = {
        {"hole in the right box's front face", [](CSpace& s) { s.set(5, 2, 1, 0); }},
        {"green against the right box's side", [](CSpace& s) { s.set(6, 1, 1, CELL_GREEN); }},
        {"hole in the shared wall", [](CSpace& s) { s.set(3, 2, 2, 0); }},
        {"green in front of the left box", [](CSpace& s) { s.set(2, 2, 0, CELL_GREEN); }},
        {"green touching the second rule's wall", [](CSpace& s) { s.set(4, 1, 5, CELL_GREEN); }},
        {"hole in the second rule's bottom", [](CSpace& s) { s.set(2, 1, 6, 0); }},
    };
    for (const auto& [what, damage] : breaks) {
        CPatternSpace s(8, 5, 9, 0);
        const DrawnBlock block = drawSolidRuleGroup(s, 1, 1, 1, chain);
        ASSERT_EQ(block.scan.x, 3);
        damage(s);
        const CSpace before = s;
        CSpacePairList group;
        EXPECT_EQ(s.findRuleGroup(block.scan.x, block.scan.y, block.scan.z, group), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindRuleGroup, SolidRightSideLowerThanTheWallIsNotRecognised)
{
    // The shared wall then stands above the right box, which its clearance test refuses.
    CPatternSpace s(8, 6, 6, 0);
    const DrawnBlock block =
        drawSolidRuleGroup(s, 1, 1, 1, {{CSpace(2, 2, 1, CELL_RED), CSpace(2, 2, 1, CELL_WHITE)}});
    s.set(4, 3, 1, 0);  // lower the right box's front face by one row
    s.set(5, 3, 1, 0);
    const CSpace before = s;
    CSpacePairList group;
    EXPECT_EQ(s.findRuleGroup(block.scan.x, block.scan.y, block.scan.z, group), 0);
    EXPECT_TRUE(s.isEqual(before));
}

TEST(FindRuleGroup, OutlinesOfTheOtherSpaceKindAreNotRecognised)
{
    const RuleSides rule = {CSpace(2, 1, 2, CELL_RED), CSpace(2, 1, 1, CELL_WHITE)};
    CSpacePairList group;

    CPatternSpace blueInSolid(10, 3, 8, 0);
    DrawnBlock block = drawFlatRuleGroup(blueInSolid, 1, 1, {rule});
    EXPECT_EQ(blueInSolid.findRuleGroup(block.scan.x, 0, block.scan.z, group), 0);

    CPatternSpace greenInFlat(10, 1, 8, 0);
    block = drawFlatRuleGroup(greenInFlat, 1, 1, {rule});
    recolour(greenInFlat, CELL_BLUE, CELL_GREEN);
    EXPECT_EQ(greenInFlat.findRuleGroup(block.scan.x, 0, block.scan.z, group), 0);

    CPatternSpace solidInBlue(10, 6, 8, 0);
    block =
        drawSolidRuleGroup(solidInBlue, 1, 1, 1, {{CSpace(2, 2, 1, CELL_RED), CSpace(2, 2, 1, CELL_WHITE)}});
    recolour(solidInBlue, CELL_GREEN, CELL_BLUE);
    EXPECT_EQ(solidInBlue.findRuleGroup(block.scan.x, block.scan.y, block.scan.z, group), 0);
}

TEST(FindRuleGroup, AVeryLongChainIsReadWithoutDeepRecursion)
{
    // 50000 rules of 1x1 sides, four rows each: far deeper than a recursive reader could go.
    const int rules = 50000;
    CPatternSpace s(8, 1, 4 * rules + 2, 0);
    const DrawnBlock block =
        drawFlatRuleGroup(s, 1, 1, std::vector<RuleSides>(rules, {CSpace(1, 1, 1, CELL_RED), NO_RIGHT}));
    CSpacePairList group;
    ASSERT_EQ(s.findRuleGroup(block.scan.x, 0, block.scan.z, group), 1);
    EXPECT_EQ(group.count(), rules);
    EXPECT_EQ(s.get(block.scan.x, 0, 4 * rules - 1), 2);  // the last rule's bottom row
}
