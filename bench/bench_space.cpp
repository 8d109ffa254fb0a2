// Timing of the space model's hot paths: searching a flat space and filling and draining a cell set.
#include <benchmark/benchmark.h>

#include "space/cellcodes.h"
#include "space/cellset.h"
#include "space/space.h"

namespace {
// A 3x1x3 pattern that is absent from the space. With `nearMiss` the space is all red and the
// pattern differs only in its last cell, so every position compares all nine cells; otherwise
// the space is empty and the first cell already fails.
void findAbsent(benchmark::State& state, bool nearMiss)
{
    CSpace space(256, 1, 256, nearMiss ? CELL_RED : CELL_EMPTY);
    CSpace pattern(3, 1, 3, CELL_RED);
    pattern.set(2, 0, 2, CELL_GREEN);
    for (auto _ : state) {
        int x = -1, y = -1, z = -1;
        int found = space.find(pattern, x, y, z);
        benchmark::DoNotOptimize(found);
        if (found) state.SkipWithError("pattern unexpectedly found");
    }
    state.counters["positions"] = 254.0 * 254.0;
}

void BM_FindAbsentInEmptySpace(benchmark::State& state) { findAbsent(state, false); }
void BM_FindAbsentNearMiss(benchmark::State& state) { findAbsent(state, true); }

// Pushes 100,000 distinct cells (a 50x50x40 block, as the pending writes of a large step would
// be) and pops them all again.
void BM_CellSetPushPop(benchmark::State& state)
{
    constexpr int sx = 50, sy = 50, sz = 40;
    for (auto _ : state) {
        CCellSet set;
        for (int z = 0; z < sz; z++)
            for (int y = 0; y < sy; y++)
                for (int x = 0; x < sx; x++) set.push(CCell(x, y, z, CELL_BLACK));
        CCell c;
        int n = 0;
        while (set.pop(c)) n++;
        if (n != sx * sy * sz) state.SkipWithError("wrong number of cells popped");
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * sx * sy * sz);
}
}  // namespace

BENCHMARK(BM_FindAbsentInEmptySpace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindAbsentNearMiss)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CellSetPushPop)->Unit(benchmark::kMillisecond);
