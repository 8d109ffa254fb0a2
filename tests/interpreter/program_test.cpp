// Whole programs drawn with the block builder and run through CInterpreter step by step: a flat
// rewrite, and a sub-program call whose result comes back to its caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/keywordicons.h"
#include "run/runlink.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, Y = CELL_YELLOW, W = CELL_WHITE;

CSpace cell(int v) { return CSpace(1, 1, 1, v); }
CSpace pair(int a, int b)
{
    CSpace s(2, 1, 1, a);
    s.set(1, 0, 0, b);
    return s;
}
CSpace row3(int a, int b, int c)
{
    CSpace s = pair(a, b);
    s.resize(3, 1, 1);
    s.set(2, 0, 0, c);
    return s;
}

// Runs on the test thread: the window answers every show request at once and keeps the status
// and the space of each step; a step limit stops the run.
class StepRunner : public IRunWindow {
public:
    explicit StepRunner(const CSpace& space)
    {
        link.space = space;
        link.viewWnd = this;
        interpreter.Attach(&link);
    }
    // 1 when the run ended by itself, 0 when the step limit stopped it.
    int run()
    {
        try {
            interpreter.Run();
            return 1;
        } catch (const CInterpreter::InterruptionForStop&) {
            return 0;
        }
    }
    void postRunShow() override
    {
        statuses.push_back(link.status);
        spaces.push_back(link.space);
        (statuses.size() >= 20 ? link.stopEvent : link.continueEvent).set();
    }
    void postRunFinished() override {}

    CRunLink link;
    CInterpreter interpreter;
    std::vector<std::string> statuses;
    std::vector<CSpace> spaces;
};
}  // namespace

TEST(Program, AFlatRuleTurnsRedGreenAndTheRunEnds)
{
    CSpace s(20, 1, 14, 0);
    CSpace area(3, 1, 2, 0);
    area.set(1, 0, 1, R);
    const CCell c = drawFlatWorkArea(s, 1, 1, area).contents[0];
    drawFlatRuleGroup(s, 10, 1, {{cell(R), cell(G)}});

    StepRunner run(s);
    ASSERT_EQ(run.run(), 1);
    EXPECT_EQ(run.statuses, (std::vector<std::string>{"Phase:Match(Done )", "Phase:Match(End )"}));
    CSpace expected = s;
    expected.set(c.x + 1, 0, c.z + 1, G);
    EXPECT_TRUE(run.spaces[0].isEqual(expected)) << "green after the first step, nothing else changed";
    EXPECT_TRUE(run.link.space.isEqual(expected));
}

TEST(Program, ARightSideHangingOverTheAreasEdgePaintsTheWallBeyondIt)
{
    // A red cell in the last column grows to the right; a white cell in the first column is
    // matched by a left side whose wildcard lies on the wall to its left.
    struct Case {
        CSpace interior, left, right;
        int wallX, wallColour;  // the wall cell beside the interior's row, relative to its corner
    };
    for (const Case& c : {Case{row3(0, 0, R), cell(R), pair(G, G), 3, G}, Case{row3(W, 0, 0), pair(CELL_ANY, W), pair(Y, G), -1, Y}}) {
        CSpace s(20, 1, 14, 0);
        const CCell corner = drawFlatWorkArea(s, 1, 1, c.interior).contents[0];
        drawFlatRuleGroup(s, 10, 1, {{c.left, c.right}});

        StepRunner run(s);
        ASSERT_EQ(run.run(), 1);
        EXPECT_EQ(run.statuses, (std::vector<std::string>{"Phase:Match(Done )", "Phase:Match(End )"}));
        CSpace expected = s;
        expected.set(corner.x + c.wallX, 0, corner.z, c.wallColour);
        expected.set(corner.x + (c.wallX < 0 ? 0 : 2), 0, corner.z, G);
        EXPECT_TRUE(run.link.space.isEqual(expected)) << "wall at " << c.wallX;
    }
}

TEST(Program, ASubProgramCallBringsItsResultBackToTheCaller)
{
    // The top-level rule hands its red cell to the sub-program named by a yellow cell, which turns
    // red green; the result replaces the caller's red cell.
    CSpace s(70, 12, 60, 0);
    CSpace area(3, 1, 1, 0);
    area.set(0, 0, 0, R);
    const CCell corner = drawSolidWorkArea(s, 2, 0, 2, area).contents[0];
    drawSolidRuleGroup(s, 8, 0, 2, {{cell(R), cell(Y)}});
    CSpace program(16, 4, 6, 0);
    drawSolidWorkArea(program, 0, 0, 0, CSpace(3, 1, 1, 0));
    drawSolidRuleGroup(program, 6, 0, 0, {{cell(R), cell(G)}});
    const CCell anchor = drawWindow(s, 2, 0, 12, {makeThreeBlockIcon(), cell(Y), program}).anchor;

    StepRunner run(s);
    ASSERT_EQ(run.run(), 1);
    EXPECT_EQ(run.statuses, (std::vector<std::string>{"Phase:Match(Done )", "Phase:Match(Done )",
                                                      "Phase:Match(End )", "Phase:Match(End )"}));
    ASSERT_EQ(run.spaces.size(), 4u);

    // Step 1: the caller sent. The instance frame stands at the window's anchor with the red cell
    // at the corner of its work area; the caller has a reception with one result outstanding.
    const CSpace& sent = run.spaces[0];
    EXPECT_EQ(sent.get(anchor.x, anchor.y, anchor.z), G) << "the instance frame's handle";
    EXPECT_EQ(sent.get(anchor.x + 2, anchor.y + 2, anchor.z + 3), R);
    EXPECT_EQ(sent.get(corner.x, corner.y, corner.z), R) << "a send writes nothing";
    CPatternSpace scan(sent);
    CWindow reception;
    ASSERT_TRUE(scan.findWindow(70 - 15, corner.y - 1, corner.z - 1, reception));
    CPlacedSpace counter;
    reception.pop(counter);
    EXPECT_EQ(counter.countNonEmpty(), 1);

    // Step 2: the instance ran. Step 3: it ended, its result came back and its frame was erased.
    EXPECT_EQ(run.spaces[1].get(anchor.x + 2, anchor.y + 2, anchor.z + 3), G);
    const CSpace& back = run.spaces[2];
    EXPECT_EQ(back.get(corner.x, corner.y, corner.z), G) << "the result replaced the red cell";
    EXPECT_TRUE(back.isBoxEmpty(anchor.x, anchor.y, anchor.z, 23, 9, 24)) << "the instance is gone";
    EXPECT_EQ(back.get(counter.x, counter.y, counter.z), 0) << "no result outstanding";
    EXPECT_TRUE(run.link.space.isEqual(back)) << "the last step only ends the run";
}
