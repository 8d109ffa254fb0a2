// Separate over a large solid space holding a few hundred blocks: the scan, the recognisers and
// the building of the units.
#include <benchmark/benchmark.h>

#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "support/blockbuilder.h"

namespace {
// 200 x 50 x 200 cells: a work area and a grid of solid rule groups and sequences.
CSpace crowdedSolidSpace(int& blocks)
{
    CSpace space(200, 50, 200, 0);
    blocks = 0;
    drawSolidWorkArea(space, 2, 0, 2, patternedContents(6, 4, 6, 1));
    blocks++;
    for (int gz = 0; gz < 18; gz++)
        for (int gx = 0; gx < 18; gx++) {
            if (gx == 0 && gz == 0) continue;
            int x = 2 + gx * 11, z = 2 + gz * 11;
            if ((gx + gz) % 3 == 0)
                drawSolidSequence(space, x, 1, z, patternedContents(2, 2, 2, gx), {patternedContents(2, 2, 2, gz)});
            else
                drawSolidRuleGroup(space, x, 1, z, {{patternedContents(2, 2, 2, gx), patternedContents(2, 3, 2, gz)}});
            blocks++;
        }
    return space;
}
}  // namespace

static void BM_SeparateCrowdedSolidSpace(benchmark::State& state)
{
    int blocks = 0;
    CRunLink link;
    link.space = crowdedSolidSpace(blocks);
    CInterpreter interpreter;
    interpreter.Attach(&link);
    for (auto _ : state) {
        interpreter.Separate();
        benchmark::DoNotOptimize(interpreter.contexts.count());
    }
    interpreter.Detach();
    state.counters["blocks"] = blocks;
    state.counters["cells"] = 200.0 * 50 * 200;
}
BENCHMARK(BM_SeparateCrowdedSolidSpace)->Unit(benchmark::kMillisecond);
