// The Separate phase on drawn programs: what it hands over to unit building, in which order,
// and when the run ends instead.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
// Keeps what the scan handed over.
class HandOverProbe : public CInterpreter {
public:
    HandOverProbe() { Attach(&link); }
    void BuildAndHandOver(CUnitProgram& p, CMatchContext& t, CSpace& a) override
    {
        handOvers++;
        program = p;
        top = t;
        area = a;
    }
    CRunLink link;
    int handOvers = 0;
    CUnitProgram program;
    CMatchContext top;
    CSpace area;
};

CSpace leftOf(const CSpacePairList& group)
{
    CSpace left;
    group.forEach([&](const CSpacePair& p) { left = p.first; });
    return left;
}
}  // namespace

TEST(Separate, HandsOverEveryBlockInScanOrderAndTheLastWorkArea)
{
    HandOverProbe probe;
    CSpace s(30, 1, 30, 0);
    const CSpace firstLeft = patternedContents(2, 1, 1, 1), secondLeft = patternedContents(3, 1, 1, 2);
    drawFlatRuleGroup(s, 1, 1, {{firstLeft, patternedContents(2, 1, 1, 3)}});
    drawFlatSequence(s, 14, 1, CSpace(1, 1, 1, CELL_RED), {CSpace(1, 1, 1, CELL_WHITE)});
    drawFlatRuleGroup(s, 1, 8, {{secondLeft, CSpace(0, 0, 0, 0)}});
    drawFlatWorkArea(s, 1, 14, patternedContents(3, 1, 2, 4));
    const CSpace lastArea = patternedContents(4, 1, 3, 5);
    const DrawnBlock later = drawFlatWorkArea(s, 12, 20, lastArea);
    probe.link.space = s;
    probe.link.devices.pressRight();

    probe.Step();

    ASSERT_EQ(probe.handOvers, 1);
    EXPECT_EQ(probe.phase, CInterpreter::PHASE_RUN_OVER);  // Match ends the run for now
    EXPECT_TRUE(probe.link.space.isEqual(s)) << "the document space is only read";
    EXPECT_TRUE(probe.area.isEqual(lastArea)) << "a later work area replaces an earlier one";
    EXPECT_EQ(probe.top.origin.x, later.scan.x);
    EXPECT_EQ(probe.top.origin.y, later.scan.y);
    EXPECT_EQ(probe.top.origin.z, later.scan.z);
    EXPECT_EQ(probe.top.devices.rightClicked, 1) << "the context starts with the step's snapshot";

    // Lists are stacks: the group found last is at the head.
    ASSERT_EQ(probe.program.ruleGroups.count(), 2);
    CSpacePairList group;
    ASSERT_TRUE(probe.program.ruleGroups.pop(group));
    EXPECT_TRUE(leftOf(group).isEqual(secondLeft));
    ASSERT_TRUE(probe.program.ruleGroups.pop(group));
    EXPECT_TRUE(leftOf(group).isEqual(firstLeft));
    ASSERT_EQ(probe.program.sequences.count(), 1);
    probe.program.sequences.forEach([](const CSpaceList& seq) { EXPECT_EQ(seq.count(), 2); });
    EXPECT_TRUE(probe.program.windows.isEmpty());
}

TEST(Separate, RulesWithoutAWorkAreaOrWindowEndTheRun)
{
    HandOverProbe probe;
    CSpace s(20, 1, 10, 0);
    drawFlatRuleGroup(s, 1, 1, {{patternedContents(2, 1, 1, 1), patternedContents(2, 1, 1, 2)}});
    probe.link.space = s;

    probe.Step();

    EXPECT_EQ(probe.handOvers, 0);
    EXPECT_EQ(probe.phase, CInterpreter::PHASE_RUN_OVER);
    EXPECT_TRUE(probe.link.nothingToRun);
    EXPECT_EQ(probe.link.status, "Phase:Separate 10/10");
}

TEST(Separate, AWindowAloneIsSomethingToRun)
{
    HandOverProbe probe;
    CSpace s(16, 6, 6, 0);
    const DrawnBlock w = drawWindow(s, 1, 0, 1, {CSpace(2, 2, 2, CELL_RED), CSpace(1, 1, 1, CELL_WHITE)});
    probe.link.space = s;

    probe.Step();

    ASSERT_EQ(probe.handOvers, 1);
    ASSERT_EQ(probe.program.windows.count(), 1);
    probe.program.windows.forEach([&](const CWindow& window) {
        EXPECT_EQ(window.count(), 2);
        EXPECT_EQ(window.anchor.x, w.anchor.x);
    });
    EXPECT_TRUE(probe.area.isEqual(CSpace(1, 1, 1, 0))) << "no work area: the empty 1x1x1 contents";
}

// Three variables in one rule with 65 values each would make 65^3 groups, more than a program
// may hold: the run ends at once, says why, and leaves the document as it was.
TEST(Separate, AProgramWhoseSequencesMakeTooManyGroupsEndsTheRunAndSaysWhy)
{
    const int colours[] = {CELL_RED, CELL_WHITE, CELL_YELLOW};
    CSpace s(150, 1, 40, 0);
    CSpace left(3, 1, 1, 0);
    for (int i = 0; i < 3; i++) left.set(i, 0, 0, colours[i]);
    drawFlatRuleGroup(s, 1, 1, {{left, CSpace(1, 1, 1, CELL_PURPLE)}});
    for (int i = 0; i < 3; i++)
        drawFlatSequence(s, 1, 8 + 8 * i, CSpace(1, 1, 1, colours[i]),
                         std::vector<CSpace>(65, CSpace(1, 1, 1, colours[i])));
    drawFlatWorkArea(s, 12, 1, CSpace(3, 1, 3, CELL_RED));
    CRunLink link;
    link.space = s;
    CInterpreter interpreter;
    interpreter.Attach(&link);

    interpreter.Step();

    EXPECT_EQ(interpreter.phase, CInterpreter::PHASE_RUN_OVER);
    EXPECT_EQ(link.status, CInterpreter::STATUS_TOO_MANY_GROUPS);
    EXPECT_TRUE(interpreter.contexts.isEmpty());
    EXPECT_TRUE(link.space.isEqual(s));
    interpreter.Detach();
}
