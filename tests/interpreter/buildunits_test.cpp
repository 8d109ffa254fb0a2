// Unit building on drawn programs: device groups, declarations, sequence expansion, transparency
// and sub-program instances.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "interpreter/framescan.h"
#include "interpreter/instancerecord.h"
#include "interpreter/keywordicons.h"
#include "interpreter/matchcontextlist.h"
#include "interpreter/unitprogram.h"
#include "run/inputdevices.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
constexpr int R = CELL_RED, W = CELL_WHITE, Y = CELL_YELLOW, K = CELL_BLACK, P = CELL_PURPLE;

CSpace row(std::initializer_list<int> cells)
{
    CSpace s(int(cells.size()), 1, 1, 0);
    int x = 0;
    for (int v : cells) s.set(x++, 0, 0, v);
    return s;
}

// What building a drawn space gives: its program and the sub-program units.
struct Built {
    CUnitProgram program;
    CMatchContextList contexts;
    CInstanceList instances;
};

void build(const CSpace& drawn, Built& b)
{
    CSpace area;
    CCell areaCell;
    scanFrame(drawn, b.program, area, areaCell);
    b.program.BuildUnits(CInputDevices(), b.contexts, b.instances);
}

// Groups in the order the Match phase takes them: oldest (the back of the list) first.
std::vector<CSpacePairList> inEvaluationOrder(const CUnitProgram& p)
{
    std::vector<CSpacePairList> groups;
    p.ruleGroups.forEach([&](const CSpacePairList& g) { groups.push_back(g); });
    std::reverse(groups.begin(), groups.end());
    return groups;
}

// The rules of a group, head first.
std::vector<CSpacePair> rulesOf(const CSpacePairList& g)
{
    std::vector<CSpacePair> rules;
    g.forEach([&](const CSpacePair& r) { rules.push_back(r); });
    return rules;
}

::testing::AssertionResult isRule(const CSpacePairList& g, const CSpace& left, const CSpace& right)
{
    if (g.count() != 1) return ::testing::AssertionFailure() << g.count() << " rules";
    const CSpacePair r = rulesOf(g)[0];
    if (!r.first.isEqual(left)) return ::testing::AssertionFailure() << "left side differs";
    if (!r.second.isEqual(right)) return ::testing::AssertionFailure() << "right side differs";
    return ::testing::AssertionSuccess();
}

template <class T>
std::vector<T> inPushOrder(const CLinkList<T>& list)
{
    std::vector<T> items;
    list.forEach([&](const T& e) { items.push_back(e); });
    std::reverse(items.begin(), items.end());
    return items;
}

bool containsColour(const CSpace& s, int colour)
{
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0; x < s.getSizeX(); x++)
                if (s.get(x, y, z) == colour) return true;
    return false;
}
}  // namespace

TEST(BuildUnits, OneRuleGetsTheDeviceGroupsBehindIt)
{
    CSpace s(30, 1, 20, 0);
    const CSpace left = patternedContents(2, 1, 2, 1), right = patternedContents(2, 1, 2, 2);
    drawFlatRuleGroup(s, 1, 1, {{left, right}});
    drawFlatWorkArea(s, 1, 10, patternedContents(3, 1, 2, 3));
    Built b;
    b.contexts.push(CMatchContext());  // left over from an earlier build: replaced
    b.instances.push(CInstanceRecord());
    build(s, b);

    const CInputDevices devices;
    std::vector<CSpacePairList> fromHead = inEvaluationOrder(b.program);
    std::reverse(fromHead.begin(), fromHead.end());
    ASSERT_EQ(fromHead.size(), 3u);
    EXPECT_TRUE(isRule(fromHead[0], left, right));
    EXPECT_EQ(fromHead[0].mark, 2);
    EXPECT_TRUE(isRule(fromHead[1], devices.getMouseIcon(), devices.getMouseIcon()));
    EXPECT_EQ(fromHead[1].mark, 2);
    EXPECT_TRUE(isRule(fromHead[2], devices.getRandomIcon(), devices.getRandomIcon()));
    EXPECT_EQ(fromHead[2].mark, 1);
    EXPECT_TRUE(b.contexts.isEmpty());
    EXPECT_TRUE(b.instances.isEmpty());
    EXPECT_TRUE(b.program.sendIcons.isEmpty());
    EXPECT_EQ(b.program.transparentSet, 0);
    EXPECT_EQ(b.program.ownKey.isEmpty(), 1) << "the default own key is Separate's business";
}

TEST(BuildUnits, AVariableTwiceInASingleRuleGivesFourCombinationsForTwoValuesOnly)
{
    CSpace s(30, 1, 30, 0);
    drawFlatRuleGroup(s, 1, 1, {{row({R, 0, R}), row({R, R, 0})}});
    drawFlatRuleGroup(s, 1, 6, {{row({K}), row({W})}});  // does not use the variable
    drawFlatRuleGroup(s, 1, 11, {{row({P, 0, P}), row({P})}});
    drawFlatSequence(s, 14, 1, row({R}), {row({W}), row({Y})});
    drawFlatSequence(s, 14, 8, row({P}), {row({W}), row({Y}), row({R})});
    Built b;
    build(s, b);

    const std::vector<CSpacePairList> groups = inEvaluationOrder(b.program);
    ASSERT_EQ(groups.size(), 10u);
    EXPECT_TRUE(isRule(groups[7], row({W, 0, W}), row({W})));  // three values: one group each
    EXPECT_TRUE(isRule(groups[8], row({Y, 0, Y}), row({Y})));
    EXPECT_TRUE(isRule(groups[9], row({R, 0, R}), row({R})));
    EXPECT_EQ(groups[0].mark, 1);
    EXPECT_EQ(groups[1].mark, 2);
    EXPECT_TRUE(isRule(groups[2], row({W, 0, W}), row({W, W, 0})));
    EXPECT_TRUE(isRule(groups[3], row({Y, 0, Y}), row({Y, Y, 0})));
    EXPECT_TRUE(isRule(groups[4], row({W, 0, Y}), row({W, Y, 0})));
    EXPECT_TRUE(isRule(groups[5], row({Y, 0, W}), row({Y, W, 0})));
    EXPECT_TRUE(isRule(groups[6], row({K}), row({W})));
    for (size_t i = 2; i < groups.size(); i++) EXPECT_EQ(groups[i].mark, 2) << "group " << i;
    EXPECT_TRUE(b.program.sequences.isEmpty());
}

TEST(BuildUnits, AVariableInSeveralRulesGivesOneGroupPerValue)
{
    CSpace s(40, 1, 30, 0);
    drawFlatRuleGroup(s, 1, 1, {{row({R, 0, R}), row({R})}, {row({W, R}), row({0, 0})}});
    drawFlatRuleGroup(s, 1, 12, {{row({P}), row({P, P})}});
    drawFlatSequence(s, 20, 1, row({R}), {row({W}), row({Y})});
    drawFlatSequence(s, 20, 8, row({P}), {});  // no values: the groups using it disappear
    Built b;
    build(s, b);

    const std::vector<CSpacePairList> groups = inEvaluationOrder(b.program);
    ASSERT_EQ(groups.size(), 4u);
    for (int i : {2, 3}) {
        const int v = i == 2 ? W : Y;
        const std::vector<CSpacePair> rules = rulesOf(groups[i]);
        ASSERT_EQ(rules.size(), 2u);
        EXPECT_EQ(groups[i].mark, 2);
        EXPECT_TRUE(rules[0].first.isEqual(row({W, v})));  // the bottom rule at the head
        EXPECT_TRUE(rules[1].first.isEqual(row({v, 0, v})));
        EXPECT_TRUE(rules[1].second.isEqual(row({v})));
    }
}

TEST(BuildUnits, APaletteColourBecomesAnyInRulesAndVariables)
{
    CSpace s(40, 10, 30, 0);
    CSpace left(2, 2, 2, K), right(2, 2, 2, W);
    left.set(1, 1, 1, P);
    right.set(0, 0, 0, P);
    right.set(1, 0, 1, P);
    drawSolidRuleGroup(s, 1, 0, 1, {{left, right}});
    // The transparent cell of a sequence matches anything and leaves the rule's cell alone.
    drawSolidRuleGroup(s, 20, 0, 1, {{row({R, Y}), row({Y, R})}});
    drawSolidSequence(s, 20, 0, 8, row({R, P}), {row({W, P})});
    drawWindow(s, 1, 0, 8, {makePaletteIcon(), row({P})});
    // Found after the palette, so taken first from the head: the colour must still apply.
    drawWindow(s, 1, 0, 12, {makeTwoBlockIcon(), row({P, R})});
    Built b;
    build(s, b);

    EXPECT_EQ(b.program.transparentSet, 1);
    EXPECT_EQ(b.program.transparentColour, P);
    const std::vector<CSpacePairList> groups = inEvaluationOrder(b.program);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_TRUE(isRule(groups[3], row({W, Y}), row({Y, R})));
    CSpace wantLeft(left), wantRight(right);
    wantLeft.set(1, 1, 1, 1);
    wantRight.set(0, 0, 0, 1);
    wantRight.set(1, 0, 1, 1);
    EXPECT_TRUE(isRule(groups[2], wantLeft, wantRight));
    for (const CSpacePairList& g : groups)
        for (const CSpacePair& r : rulesOf(g)) {
            EXPECT_FALSE(containsColour(r.first, P));
            EXPECT_FALSE(containsColour(r.second, P));
        }
    const std::vector<CSpace> variables = inPushOrder(b.program.variableIcons);
    ASSERT_EQ(variables.size(), 1u);
    EXPECT_TRUE(variables[0].isEqual(row({1, R})));
}

TEST(BuildUnits, TheLastPaletteTakenFromTheHeadWinsAndAMissingColourIsZero)
{
    CSpace s(20, 4, 20, 0);
    drawWindow(s, 1, 0, 1, {makePaletteIcon(), row({P})});
    drawWindow(s, 1, 0, 5, {makePaletteIcon(), row({Y})});
    Built first;
    build(s, first);
    EXPECT_EQ(first.program.transparentColour, P) << "the window found first is taken last";

    CSpace bare(20, 4, 10, 0);
    drawWindow(bare, 1, 0, 1, {makePaletteIcon()});
    Built second;
    build(bare, second);
    EXPECT_EQ(second.program.transparentSet, 1);
    EXPECT_EQ(second.program.transparentColour, 0);
}

TEST(BuildUnits, KeysReceptionAndVariablesTakeTheirFrames)
{
    CSpace s(40, 10, 30, 0);
    drawWindow(s, 1, 0, 1, {makeDownArrowIcon(), row({R, W}), row({K, 0, K})});
    CSpace three(2, 2, 1, K);
    three.set(1, 1, 0, 0);
    drawWindow(s, 1, 0, 4, {makeUpArrowIcon(), row({Y}), three});
    const DrawnBlock receive = drawWindow(s, 1, 0, 7, {makeArrowCrossIcon(), row({K, K, 0})});
    drawWindow(s, 1, 0, 10, {makeTwoBlockIcon(), row({R}), row({W, Y})});
    Built b;
    build(s, b);

    const CUnitProgram& p = b.program;
    EXPECT_EQ(p.ownKey.isEqual(CKey(row({R, W}), 2)), 1);
    EXPECT_EQ(p.replyKey.isEqual(CKey(row({Y}), 3)), 1);
    EXPECT_EQ(p.pendingReceives, 2);
    EXPECT_EQ(p.receiveSet, 1);
    EXPECT_TRUE(p.receiveIcon.isEqual(row({K, K, 0})));
    EXPECT_EQ(p.receiveIcon.x, receive.contents[1].x);
    EXPECT_EQ(p.receiveIcon.y, receive.contents[1].y);
    EXPECT_EQ(p.receiveIcon.z, receive.contents[1].z);
    const std::vector<CSpace> variables = inPushOrder(p.variableIcons);
    ASSERT_EQ(variables.size(), 2u);
    EXPECT_TRUE(variables[0].isEqual(row({R})));
    EXPECT_TRUE(variables[1].isEqual(row({W, Y})));
}

TEST(BuildUnits, KeywordsWithoutTheirFramesDeclareEmptyValues)
{
    CSpace s(20, 10, 20, 0);
    drawWindow(s, 1, 0, 1, {makeDownArrowIcon()});
    drawWindow(s, 1, 0, 4, {makeUpArrowIcon(), row({Y})});
    drawWindow(s, 1, 0, 7, {makeArrowCrossIcon()});
    Built b;
    build(s, b);

    EXPECT_EQ(b.program.ownKey.isEqual(CKey(CSpace(1, 1, 1, 0), 0)), 1);
    EXPECT_EQ(b.program.replyKey.isEqual(CKey(row({Y}), 0)), 1);
    EXPECT_EQ(b.program.pendingReceives, 0);
    EXPECT_EQ(b.program.receiveSet, 0);
}

TEST(BuildUnits, AFirstFrameOfAnyOtherSizeIsNoKeyword)
{
    CSpace s(40, 10, 40, 0);
    CSpace longer(9, 1, 1, R), shorter(7, 1, 1, 0);
    longer.paste(0, 0, 0, makePaletteIcon());
    for (int x = 0; x < 7; x++) shorter.set(x, 0, 0, makePaletteIcon().get(x, 0, 0));
    CSpace deeper(8, 6, 3, 0), lower(5, 3, 1, 0);
    deeper.paste(0, 0, 0, makeTwoBlockIcon());
    lower = makeDownArrowIcon().extract(0, 0, 0, 5, 3, 1);
    drawWindow(s, 1, 0, 1, {longer, row({P})});
    drawWindow(s, 1, 0, 4, {shorter, row({P})});
    drawWindow(s, 1, 0, 7, {deeper, row({R})});
    drawWindow(s, 1, 0, 12, {lower, row({R}), row({K})});
    drawWindow(s, 1, 0, 15, {makeThreeBlockIcon().extract(0, 0, 0, 11, 8, 1), row({R}), row({K}), row({K})});
    Built b;
    build(s, b);

    ASSERT_EQ(b.program.windows.count(), 5) << "every window was found";
    EXPECT_EQ(b.program.transparentSet, 0);
    EXPECT_TRUE(b.program.variableIcons.isEmpty());
    EXPECT_EQ(b.program.ownKey.isEmpty(), 1);
    EXPECT_TRUE(b.program.sendIcons.isEmpty());
    EXPECT_TRUE(b.contexts.isEmpty());
    EXPECT_TRUE(b.instances.isEmpty());
    EXPECT_EQ(b.program.ruleGroups.count(), 2) << "only the device groups";
}

TEST(BuildUnits, EveryInstanceFrameOfASubProgramBecomesAUnit)
{
    CSpace program(17, 1, 8, 0);
    const CSpace left = patternedContents(2, 1, 1, 1), right = patternedContents(2, 1, 1, 2);
    drawFlatRuleGroup(program, 1, 1, {{left, right}});
    const CSpace sharedArea = patternedContents(3, 1, 2, 3);
    drawFlatWorkArea(program, 9, 1, sharedArea);

    std::vector<CSpace> frames = {makeThreeBlockIcon(), row({R, W}), program};
    std::vector<CSpace> areas;
    DrawnBlock instanceArea;
    for (int i = 0; i < 3; i++) {
        CSpace instance(8, 1, 7, 0);
        areas.push_back(patternedContents(3, 1, 2, 10 + i));
        instanceArea = drawFlatWorkArea(instance, 1, 0, areas.back());
        frames.push_back(instance);
    }
    CSpace s(80, 10, 16, 0);
    const DrawnBlock window = drawWindow(s, 2, 0, 2, frames);
    Built b;
    build(s, b);

    ASSERT_EQ(b.instances.count(), 1);
    b.instances.forEach([&](const CInstanceRecord& r) {
        EXPECT_TRUE(r.icon.isEqual(row({R, W})));
        EXPECT_TRUE(r.area.isEqual(sharedArea));
        EXPECT_EQ(r.count, 4);
        EXPECT_EQ(r.anchor.x, window.anchor.x);
        EXPECT_EQ(r.anchor.y, window.anchor.y);
        EXPECT_EQ(r.anchor.z, window.anchor.z);
    });
    const std::vector<CSpace> sendIcons = inPushOrder(b.program.sendIcons);
    ASSERT_EQ(sendIcons.size(), 1u);
    EXPECT_TRUE(sendIcons[0].isEqual(row({R, W})));

    const std::vector<CMatchContext> units = inPushOrder(b.contexts);
    ASSERT_EQ(units.size(), 3u);
    for (int i = 0; i < 3; i++) {
        const CMatchContext& u = units[i];
        const CCell& frame = window.contents[3 + i];
        EXPECT_EQ(u.origin.x, frame.x + instanceArea.scan.x) << "instance " << i;
        EXPECT_EQ(u.origin.y, frame.y + instanceArea.scan.y);
        EXPECT_EQ(u.origin.z, frame.z + instanceArea.scan.z);
        EXPECT_TRUE(u.view.isEqual(areas[i])) << "instance " << i;
        EXPECT_EQ(u.state, CMatchContext::State::Idle);
        const std::vector<CSpacePairList> groups = inEvaluationOrder(u.program);
        ASSERT_EQ(groups.size(), 3u);
        EXPECT_TRUE(isRule(groups[2], left, right)) << "the sub-program's own rule";
        EXPECT_EQ(groups[2].mark, 2);
    }
}

TEST(BuildUnits, AnInstanceKeepsItsOwnKeysAndReceptionButRunsTheSharedRules)
{
    // The program frame declares a variable and a key of its own, has one rule and a work area.
    CSpace program(30, 7, 12, 0);
    drawWindow(program, 0, 0, 0, {makeTwoBlockIcon(), row({Y})});
    drawWindow(program, 0, 0, 4, {makeDownArrowIcon(), row({R}), row({K})});
    const CSpace left(2, 2, 2, R), right(2, 2, 2, W);
    drawSolidRuleGroup(program, 12, 0, 4, {{left, right}});
    drawSolidWorkArea(program, 22, 0, 4, CSpace(3, 2, 2, 0));

    // The instance declares its own key, a reply key and a reception, around its work area.
    CSpace instance(20, 7, 10, 0);
    drawWindow(instance, 0, 0, 0, {makeDownArrowIcon(), row({Y}), row({K, K})});
    const DrawnBlock receive = drawWindow(instance, 0, 0, 3, {makeArrowCrossIcon(), row({K, 0})});
    drawWindow(instance, 0, 0, 6, {makeUpArrowIcon(), row({W}), row({K})});
    const CSpace area = patternedContents(3, 2, 2, 5);
    const DrawnBlock work = drawSolidWorkArea(instance, 14, 0, 2, area);

    CSpace s(90, 12, 20, 0);
    const DrawnBlock window = drawWindow(s, 1, 0, 1, {makeThreeBlockIcon(), row({R, R}), program, instance});
    Built b;
    build(s, b);

    ASSERT_EQ(b.contexts.count(), 1);
    const CMatchContext unit = inPushOrder(b.contexts)[0];
    const CCell& frame = window.contents[3];
    const CUnitProgram& p = unit.program;
    EXPECT_EQ(p.ownKey.isEqual(CKey(row({Y}), 2)), 1);
    EXPECT_EQ(p.replyKey.isEqual(CKey(row({W}), 1)), 1);
    EXPECT_EQ(p.receiveSet, 1);
    EXPECT_EQ(p.pendingReceives, 1);
    EXPECT_EQ(p.receiveIcon.x, frame.x + receive.contents[1].x) << "placed in the document";
    EXPECT_EQ(p.receiveIcon.y, frame.y + receive.contents[1].y);
    EXPECT_EQ(p.receiveIcon.z, frame.z + receive.contents[1].z);
    EXPECT_EQ(unit.origin.x, frame.x + work.scan.x);
    EXPECT_EQ(unit.origin.y, frame.y + work.scan.y);
    EXPECT_EQ(unit.origin.z, frame.z + work.scan.z);
    EXPECT_TRUE(unit.view.isEqual(area));
    const std::vector<CSpace> variables = inPushOrder(p.variableIcons);
    ASSERT_EQ(variables.size(), 1u);
    EXPECT_TRUE(variables[0].isEqual(row({Y})));
    const std::vector<CSpacePairList> groups = inEvaluationOrder(p);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_TRUE(isRule(groups[2], left, right));
}

// Sequences multiply the groups that use their variables: five variables in one rule, four
// values each, give 4^5 groups. The check runs for every copy, so a stop request can end a
// build that would otherwise grow for a very long time.
TEST(BuildUnits, TheCheckRunsForEveryCopyAndMayAbandonTheExpansion)
{
    // Black would also multiply the device groups, whose icons hold it.
    const int colours[] = {R, W, Y, CELL_PALE, P};
    CSpace s(40, 1, 60, 0);
    drawFlatRuleGroup(s, 1, 1, {{row({R, W, Y, CELL_PALE, P}), row({P, CELL_PALE, Y, W, R})}});
    for (int i = 0; i < 5; i++)
        drawFlatSequence(s, 1, 8 + 10 * i, row({colours[i]}), std::vector<CSpace>(4, row({colours[i]})));
    auto scanned = [&](Built& b) {
        CSpace area;
        CCell areaCell;
        scanFrame(s, b.program, area, areaCell);
    };

    Built whole;
    scanned(whole);
    int checks = 0;
    whole.program.BuildUnits(CInputDevices(), whole.contexts, whole.instances, [&] { checks++; });
    EXPECT_EQ(whole.program.ruleGroups.count(), 1024 + 2);  // with the two device groups
    EXPECT_GE(checks, 1024);

    Built stopped;
    scanned(stopped);
    int left = 100;
    struct Stop {};
    EXPECT_THROW(stopped.program.BuildUnits(CInputDevices(), stopped.contexts, stopped.instances,
                                            [&] {
                                                if (--left == 0) throw Stop();
                                            }),
                 Stop);
    EXPECT_EQ(left, 0);
}
