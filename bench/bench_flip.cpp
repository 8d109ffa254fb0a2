// Steps of the flip program (a flat N x N work area and two one-rule groups, red -> green and
// green -> red): with every cell red, each step rewrites all N x N cells; with one red cell, each
// step rewrites that one cell. Both should cost the same per changed cell whatever N is.
#include <benchmark/benchmark.h>

#include "run/runlink.h"
#include "interpreter/interpreter.h"
#include "space/cellcodes.h"
#include "support/flipprogram.h"

namespace {
// Times whole interpreter steps (Ready and Match, as the worker runs them) once memory is in
// place.
void runSteps(benchmark::State& state, bool oneCell)
{
    const int side = int(state.range(0));
    const FlipProgram program = drawFlipProgram(side, oneCell);
    CRunLink link;
    link.space = program.space;
    CInterpreter interpreter;
    interpreter.Attach(&link);
    // The first step separates the drawing and searches the whole area; the next few allocate
    // the memory that every later step reuses (each rule's found cells, the writes, the box
    // lists). Only steps after those are timed: otherwise a short run at a large size would
    // count that one-time cost spread over a few steps, and a long run would not.
    long steps = 0;
    for (; steps < 4; steps++) interpreter.Step();
    for (auto _ : state) {
        interpreter.Step();
        steps++;
    }
    // After an odd number of steps the corner cell is green, after an even number red.
    const int expected = steps % 2 ? CELL_GREEN : CELL_RED;
    if (link.space.get(program.areaX, 0, program.areaZ) != expected ||
        (!oneCell && link.space.get(program.areaX + side - 1, 0, program.areaZ + side - 1) != expected))
        state.SkipWithError("the area did not change colour in every step");
    // What the interpreter holds between steps, for the memory breakdown.
    double cellSets = double(interpreter.pendingWrites.bytes()), boxSets = 0, spaces = 0;
    interpreter.contexts.forEach([&](const CMatchContext& c) {
        cellSets += double(c.writes.bytes());
        boxSets += double(c.dirtyBoxes.bytes() + c.searchBoxes.bytes());
        spaces += 4.0 * c.view.getSizeX() * c.view.getSizeY() * c.view.getSizeZ();
        c.program.ruleGroups.forEach([&](const CSpacePairList& g) {
            g.forEach([&](const CSpacePair& p) { cellSets += double(p.cells.bytes()); });
        });
    });
    state.counters["cellset_MB"] = cellSets / 1e6;
    state.counters["boxset_MB"] = boxSets / 1e6;
    state.counters["view_MB"] = spaces / 1e6;
    interpreter.Detach();
    const double changed = oneCell ? 1.0 : double(side) * side;
    state.counters["cells"] = changed;
    state.counters["per_cell"] =
        benchmark::Counter(changed, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
}  // namespace

// Every cell of the area changes in every step.
static void BM_FlipEveryCell(benchmark::State& state) { runSteps(state, false); }
BENCHMARK(BM_FlipEveryCell)->Arg(128)->Arg(512)->Unit(benchmark::kMillisecond);

// One cell of the area changes in every step; the rest stays empty.
static void BM_FlipOneCell(benchmark::State& state) { runSteps(state, true); }
BENCHMARK(BM_FlipOneCell)->Arg(128)->Arg(512)->Unit(benchmark::kMicrosecond);
