// What a shown step tells about itself: its run and number, and every rule group it applied with
// the unit it ran in, the box of its drawing and the positions it applied at.
#include <gtest/gtest.h>

#include <algorithm>

#include "interpreter/runharness.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
CShownStep shown(RunHarness& run)
{
    std::lock_guard<std::recursive_mutex> hold(run.link.mutex);
    return run.link.shown;
}
}  // namespace

TEST(AppliedGroups, EachStepListsTheGroupsItAppliedWhereTheyWereDrawn)
{
    // Red cells move right; a second group turns yellow cells white once.
    CSpace space(40, 1, 24, 0);
    CSpace moveLeft(2, 1, 1, 0), moveRight(2, 1, 1, 0);
    moveLeft.set(0, 0, 0, CELL_RED);
    moveRight.set(1, 0, 0, CELL_RED);
    const DrawnBlock mover = drawFlatRuleGroup(space, 1, 1, {{moveLeft, moveRight}});
    const DrawnBlock whitener = drawFlatRuleGroup(space, 12, 1, {{CSpace(1, 1, 1, CELL_YELLOW), CSpace(1, 1, 1, CELL_WHITE)}});
    CSpace interior(6, 1, 3, 0);
    interior.set(0, 0, 0, CELL_RED);
    interior.set(0, 0, 2, CELL_RED);
    interior.set(5, 0, 1, CELL_YELLOW);
    const DrawnBlock area = drawFlatWorkArea(space, 4, 12, interior);

    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.setSpace(space);
    run.link.runNumber = 7;
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    CShownStep step = shown(run);
    EXPECT_EQ(step.run, 7);
    EXPECT_EQ(step.step, 1);
    EXPECT_EQ(step.last, 0);
    // Both groups applied in the first step, in the order they were evaluated; the device groups
    // the program makes itself matched nowhere and are not listed.
    ASSERT_EQ(step.applied.size(), 2u);
    EXPECT_TRUE(step.applied[0].drawing.isEqual(mover.bounds()));
    EXPECT_EQ(step.applied[0].drawn, 1);
    EXPECT_EQ(step.applied[0].positions, 2);
    EXPECT_TRUE(step.applied[1].drawing.isEqual(whitener.bounds()));
    EXPECT_EQ(step.applied[1].positions, 1);
    for (const CAppliedGroup& g : step.applied) {
        EXPECT_EQ(g.unit.x, area.scan.x);
        EXPECT_EQ(g.unit.z, area.scan.z);
    }
    run.showDone();

    // Later steps move the red cells only.
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    step = shown(run);
    EXPECT_EQ(step.step, 2);
    ASSERT_EQ(step.applied.size(), 1u);
    EXPECT_TRUE(step.applied[0].drawing.isEqual(mover.bounds()));
    run.showDone();

    // The last step applies nothing and ends the run.
    int steps = 2;
    for (;;) {
        ASSERT_EQ(run.window.next(), RunMessage::Show);
        step = shown(run);
        steps++;
        run.showDone();
        if (step.last) break;
    }
    EXPECT_EQ(step.step, steps);
    EXPECT_TRUE(step.applied.empty());
    EXPECT_EQ(steps, 6);  // five moves to the right wall, then a pass that applies nothing
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    EXPECT_EQ(run.link.finishedRun, 7);
    run.stop();
}
