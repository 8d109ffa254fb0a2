// Match over a large flat work area: the first pass, which searches every position, and the
// later passes, which test again only around the cells the last step changed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
constexpr int kSide = 256;  // the work area is kSide x kSide cells

CSpace pair(int a, int b)
{
    CSpace s(2, 1, 1, 0);
    s.set(0, 0, 0, a);
    s.set(1, 0, 0, b);
    return s;
}

// One rule, "red then empty becomes empty then red", over an area whose cells come from
// `fill(x, z)`.
template <class Fill>
CSpace program(Fill fill)
{
    CSpace area(kSide, 1, kSide, 0);
    for (int z = 0; z < kSide; z++)
        for (int x = 0; x < kSide; x++) area.set(x, 0, z, fill(x, z));
    CSpace space(kSide + 20, 1, kSide + 12, 0);
    drawFlatRuleGroup(space, 1, 1, {{pair(CELL_RED, 0), pair(0, CELL_RED)}});
    drawFlatWorkArea(space, 12, 1, area);
    return space;
}

// Runs Match until the step is over.
void step(CInterpreter& interpreter)
{
    interpreter.phase = CInterpreter::PHASE_MATCH;
    interpreter.Match();
}
}  // namespace

// Every fourth cell is red, the rest mixed colours and empty cells: the first pass tests all
// 65,536 positions and applies the rule wherever a red cell has room to move.
static void BM_MatchFirstPassOfACrowdedArea(benchmark::State& state)
{
    CRunLink link;
    link.space = program([](int x, int z) {
        const int c = (x * 7 + z * 13) % 8;
        return c < 2 ? CELL_RED : c < 5 ? 0 : CELL_WHITE + (x + z) % 2;
    });
    CInterpreter interpreter;
    interpreter.Attach(&link);
    const CSpace loaded = link.space;
    for (auto _ : state) {
        state.PauseTiming();
        link.space = loaded;
        interpreter.Separate();
        state.ResumeTiming();
        step(interpreter);
    }
    interpreter.Detach();
    state.counters["positions"] = double(kSide) * kSide;
}
BENCHMARK(BM_MatchFirstPassOfACrowdedArea)->Unit(benchmark::kMillisecond);

// One red cell moving right along an otherwise empty row: each later step retests only the
// positions around the two cells the last step changed.
static void BM_MatchLaterPassMovingOneCell(benchmark::State& state)
{
    CRunLink link;
    link.space = program([](int x, int z) { return x == 0 && z == kSide / 2 ? CELL_RED : 0; });
    CInterpreter interpreter;
    interpreter.Attach(&link);
    const CSpace loaded = link.space;
    // The area's interior starts two cells inside its top-left dot: one step moves the cell there.
    interpreter.Separate();
    step(interpreter);
    if (link.space.get(14 + 1, 0, 3 + kSide / 2) != CELL_RED) state.SkipWithError("the red cell did not move");
    int steps = 0;
    for (auto _ : state) {
        if (steps % (kSide - 2) == 0) {  // back to the start before the cell reaches the wall
            state.PauseTiming();
            link.space = loaded;
            interpreter.Separate();
            step(interpreter);
            state.ResumeTiming();
        }
        step(interpreter);
        steps++;
    }
    interpreter.Detach();
}
BENCHMARK(BM_MatchLaterPassMovingOneCell)->Unit(benchmark::kMicrosecond);

// A rule with six variables of `values` values each: the sequences multiply it into values^6
// groups, and the first step builds them all and tests each once. The cost should grow with the
// number of groups, not with its square.
static void BM_FirstStepOfManyGroups(benchmark::State& state)
{
    const int values = int(state.range(0));
    const int colours[] = {CELL_RED, CELL_WHITE, CELL_YELLOW, CELL_PALE, CELL_PURPLE, CELL_BLACK};
    auto one = [](int v) { return CSpace(1, 1, 1, v); };
    CSpace left(6, 1, 1, 0);
    for (int i = 0; i < 6; i++) left.set(i, 0, 0, colours[i]);
    CRunLink link;
    link.space = CSpace(40, 1, 90, 0);
    drawFlatRuleGroup(link.space, 1, 1, {{left, one(CELL_WHITE)}});
    for (int i = 0; i < 6; i++)
        drawFlatSequence(link.space, 1, 8 + 10 * i, one(colours[i]), std::vector<CSpace>(values, one(colours[i])));
    drawFlatWorkArea(link.space, 20, 1, CSpace(3, 1, 3, CELL_RED));
    CInterpreter interpreter;
    interpreter.Attach(&link);
    for (auto _ : state) {
        interpreter.Separate();
        step(interpreter);
    }
    interpreter.Detach();
    std::int64_t groups = 1;
    for (int i = 0; i < 6; i++) groups *= values;
    state.SetComplexityN(groups);
}
BENCHMARK(BM_FirstStepOfManyGroups)->DenseRange(3, 6)->Unit(benchmark::kMillisecond)->Complexity();
