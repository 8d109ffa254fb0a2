// The flip program (every cell of the area rewritten in every step) stepped directly: each step
// must turn every red cell green and every green cell red, and touch nothing else.
#include <gtest/gtest.h>

#include "run/runlink.h"
#include "interpreter/interpreter.h"
#include "space/cellcodes.h"
#include "support/flipprogram.h"

namespace {
int flipped(int v)
{
    return v == CELL_RED ? CELL_GREEN : v == CELL_GREEN ? CELL_RED : v;
}

// Steps the drawing `steps` times, comparing the whole space with the expected flip each time.
void checkSteps(const FlipProgram& p, int side, int steps)
{
    CRunLink link;
    link.space = p.space;
    CInterpreter interpreter;
    interpreter.Attach(&link);
    CSpace expected = p.space;
    int changing = 0;
    for (int z = 0; z < side; z++)
        for (int x = 0; x < side; x++) {
            const int v = expected.get(p.areaX + x, 0, p.areaZ + z);
            changing += flipped(v) != v ? 1 : 0;
        }
    for (int step = 1; step <= steps; step++) {
        interpreter.Step();
        ASSERT_EQ(interpreter.phase, CInterpreter::PHASE_STEP_DONE) << "step " << step;
        for (int z = 0; z < side; z++)
            for (int x = 0; x < side; x++) {
                const int ax = p.areaX + x, az = p.areaZ + z;
                expected.set(ax, 0, az, flipped(expected.get(ax, 0, az)));
            }
        ASSERT_TRUE(link.space.isEqual(expected)) << "step " << step;
        EXPECT_EQ(interpreter.pendingWrites.count(), changing) << "one write per changed cell, step " << step;
    }
    interpreter.Detach();
}
}  // namespace

TEST(FlipProgram, EveryCellOfTheAreaChangesInEveryStep)
{
    const int side = 24;
    checkSteps(drawFlipProgram(side), side, 6);
}

TEST(FlipProgram, OneRedCellChangesAloneInEveryStep)
{
    const int side = 24;
    checkSteps(drawFlipProgram(side, true), side, 6);
}

// Red, green, empty and white mixed: both groups apply in the same pass, so the writes of the
// second group join those of the first, and the cells that neither rule reads stay.
TEST(FlipProgram, BothGroupsApplyInOnePassOverAMixedArea)
{
    const int side = 17;
    FlipProgram p = drawFlipProgram(side);
    const int colours[] = {CELL_RED, CELL_GREEN, CELL_EMPTY, CELL_RED, CELL_WHITE, CELL_GREEN, CELL_GREEN};
    for (int z = 0; z < side; z++)
        for (int x = 0; x < side; x++) p.space.set(p.areaX + x, 0, p.areaZ + z, colours[(x * 5 + z * 3) % 7]);
    checkSteps(p, side, 5);
}
