// How long Stop takes while the interpreter is deep in long work: Separate of a huge space, long
// Match passes, and a caller run to completion when its sub-program's result comes back. What is
// timed is the processor time the process spends between the stop request and the worker's end:
// the work the interpreter does before it notices the request, which a busy machine does not
// lengthen the way it lengthens the wall-clock wait.
#include <gtest/gtest.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "document/tesseradoc.h"
#include "hardeningview.h"
#include "interpreter/keywordicons.h"
#include "loadspace.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TESSERA_INSTRUMENTED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__OPTIMIZE__)
#define TESSERA_INSTRUMENTED 1
#endif

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Each case prints the worst of several stops made at different moments. Sanitizer and debug
// builds run smaller spaces and only guard against a stop that is not honoured.
#ifdef TESSERA_INSTRUMENTED
constexpr bool kTimed = false;
constexpr int kShrink = 4;  // sizes are divided by this
#else
constexpr bool kTimed = true;
constexpr int kShrink = 1;
#endif

// Processor time of the whole process, in ms: during a stop only the worker runs.
double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The processor time of a piece of work of fixed size, timed now (the best of three copies and
// counts of a 400 x 60 x 400 space): a busy machine makes every piece of work dearer (caches
// shared, cores contended), this one and a stop alike.
double calibrationMs()
{
    double best = 1e30;
    for (int i = 0; i < 3; i++) {
        const CSpace space(400, 60, 400, CELL_EMPTY);
        const double start = processCpuMs();
        const CSpace copy = space;
        volatile long cells = copy.countNonEmpty();
        (void)cells;
        best = std::min(best, processCpuMs() - start);
    }
    return best;
}

// What a stop may cost in a case: `plainMs` of processor time, or `perCalibration` times the
// calibration timed at the case's start when that is more. A stop whose interruption check is
// gone waits for the rest of the work it is in, which costs about one calibration or more.
double budgetMs(double plainMs, double perCalibration)
{
    if (!kTimed) return 2000;
    const double calibration = calibrationMs();
    const double budget = std::max(plainMs, perCalibration * calibration);
    std::printf("stop latency budget: %.1f ms (%.1f ms of processor time for the fixed work)\n", budget, calibration);
    return budget;
}
// Separate polls within every block it reads, however large; Match's longest piece of work that
// cannot be split is of the order of the calibration.
double separateBudgetMs() { return budgetMs(30, 0.25); }
double matchBudgetMs() { return budgetMs(100, 1); }
// A stop in a sequence expansion frees every group made so far, a few percent of the time it
// took to make them; one that waited for the rest of the expansion would take ten times longer.
double expansionBudgetMs() { return budgetMs(60, 0.5); }

constexpr auto kQuiet = std::chrono::milliseconds(5);
constexpr int R = CELL_RED, G = CELL_GREEN, Y = CELL_YELLOW, W = CELL_WHITE;

CSpace cell(int v) { return CSpace(1, 1, 1, v); }

struct Sample {
    double ms = 0;        // processor time from the stop request to the worker's end
    double wallMs = 0;    // the same on the clock, for the record
    std::string status;  // the status text just before the stop
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// A pair that matches at every position of an empty area, joined with one that matches nowhere:
// the group never applies, yet every pass tests and records each position again.
RuleSides everywhere() { return {CSpace(2, 2, 2, 0), CSpace(2, 2, 2, 0)}; }
RuleSides nowhere() { return {cell(W), cell(W)}; }

// A solid program that never ends: the red cell at the area's corner blinks green and back,
// and a second group keeps every position of the area under test.
CSpace busyArea(int w, int h, int d)
{
    CSpace space(w + 16, h + 4, d + 4, 0);
    CSpace area(w, h, d, 0);
    area.set(0, 0, 0, R);
    drawSolidWorkArea(space, 12, 0, 1, area);
    drawSolidRuleGroup(space, 1, 0, 1, {{cell(R), cell(G)}});
    drawSolidRuleGroup(space, 1, 0, 5, {{cell(G), cell(R)}});
    drawSolidRuleGroup(space, 1, 0, 9, {everywhere(), nowhere()});
    return space;
}

class StopLatency : public ::testing::Test {
protected:
    // Starts a run, waits until `reached` says the run is at the work to interrupt, lets it go on
    // for `delay` and until its status stands still, then times StopRun.
    template <class Reached>
    Sample timeStop(Reached reached, milliseconds delay)
    {
        // Every stop interrupts a fresh run of the program as loaded, with no status of the last.
        doc.RestoreBackup();
        doc.Lock();
        doc.GetLink().status.clear();
        doc.Unlock();
        view.shows = 0;
        doc.StartRun();
        // The worker runs below normal priority: on a busy machine it may wait long for a core.
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(300);
        while (!reached()) {
            if (Clock::now() > deadline) {
                ADD_FAILURE() << "the run never reached the work to interrupt";
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::this_thread::sleep_for(delay);
        // Then the stop comes as soon as the status has stood still for a moment: the worker is
        // inside one piece of work, and a long one is caught near its start.
        std::string seen = doc.GetStatusText();
        Clock::time_point changed = Clock::now();
        const Clock::time_point giveUp = changed + std::chrono::seconds(3);
        while (Clock::now() - changed < kQuiet && Clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            std::string now = doc.GetStatusText();
            if (now != seen) {
                seen = std::move(now);
                changed = Clock::now();
            }
        }
        Sample s;
        s.status = doc.GetStatusText();
        const Clock::time_point start = Clock::now();
        const double cpuStart = processCpuMs();
        doc.StopRun();
        s.ms = processCpuMs() - cpuStart;
        s.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        return s;
    }

    // The worst stop over the delays; once one is over the budget, the remaining delays are skipped.
    template <class Reached>
    Sample worstStop(const char* what, double budget, Reached reached, const std::vector<int>& delaysMs)
    {
        Sample worst;
        std::size_t stops = 0;
        for (int d : delaysMs) {
            const Sample s = timeStop(reached, milliseconds(d));
            stops++;
            if (s.ms >= worst.ms) worst = s;
            if (worst.ms >= budget) break;
        }
        std::printf("stop latency, %s: worst %.1f ms of processor time (%.1f ms on the clock) of %zu stops "
                    "(status then: \"%s\")\n",
                    what, worst.ms, worst.wallMs, stops, worst.status.c_str());
        return worst;
    }

    // The scan has reached layer z (counted from 1) or a later one, or is over; a busy machine
    // may let the test thread sleep through a whole layer, or through the last layer and the
    // quick hand-over after it, so no single status is waited for.
    auto layer(int z)
    {
        return [this, z] {
            const std::string status = doc.GetStatusText();
            int shown = 0, layers = 0;
            if (startsWith(status, "Phase:Match")) return true;
            return std::sscanf(status.c_str(), "Phase:Separate %d/%d", &shown, &layers) == 2 && shown >= z;
        };
    }

    CTesseraDoc doc;
    CHardeningView view{doc, true};
};
}  // namespace

TEST_F(StopLatency, InSeparateOfAHugeSpace)
{
    // Empty layers first, then a work area of nearly the whole width and height and the rest of
    // the depth (6.9 million cells).
    const int w = 400 / kShrink, h = 60 / kShrink, d = 400 / kShrink;
    CSpace space(w, h, d, 0);
    drawSolidWorkArea(space, 1, 0, d / 4, CSpace(w - 2, h - 2, d - d / 4 - 3, 0));
    loadSpace(doc, space);
    // Along the layers up to the work area, whose recogniser reads and marks every cell of it at
    // one scan cell, and after the last layer, when the area becomes a unit.
    const double budget = separateBudgetMs();
    const Sample scan = worstStop("Separate, the scan and its huge work area", budget, layer(2), {0, 5, 20, 60, 150});
    EXPECT_LT(scan.ms, budget) << "status at the slowest stop: " << scan.status;
    const Sample unit = worstStop("Separate, handing the area over", budget, layer(d), {0, 20, 60, 150});
    EXPECT_LT(unit.ms, budget) << "status at the slowest stop: " << unit.status;
}

TEST_F(StopLatency, WhileTheRecognisersTestAHugeDrawing)
{
    // Green everywhere: a solid block could start at every cell, and the recognisers test boxes
    // as large as the space, though they find no block.
    loadSpace(doc, CSpace(400 / kShrink, 60 / kShrink, 400 / kShrink, G));
    const double budget = separateBudgetMs();
    const Sample probes = worstStop("Separate, recognisers on a huge drawing", budget, layer(2), {0, 5, 20, 60});
    EXPECT_LT(probes.ms, budget) << "status at the slowest stop: " << probes.status;
}

TEST_F(StopLatency, InASequenceExpansionThatMultipliesTheGroups)
{
    // Six variables in one rule, each with the same value drawn several times: the groups are
    // multiplied while the units are built, after the scan's last layer.
    const int values = kShrink == 1 ? 7 : 5;  // 7^6 or 5^6 copies of the rule
    const int colours[] = {R, W, Y, CELL_PALE, CELL_PURPLE, CELL_BLACK};
    auto row = [](std::initializer_list<int> cells) {
        CSpace r(int(cells.size()), 1, 1, 0);
        int x = 0;
        for (int v : cells) r.set(x++, 0, 0, v);
        return r;
    };
    CSpace space(40, 1, 90, 0);
    drawFlatRuleGroup(space, 1, 1, {{row({R, W, Y, CELL_PALE, CELL_PURPLE, CELL_BLACK}), row({W})}});
    for (int i = 0; i < 6; i++)
        drawFlatSequence(space, 1, 8 + 10 * i, row({colours[i]}), std::vector<CSpace>(values, row({colours[i]})));
    drawFlatWorkArea(space, 20, 1, CSpace(3, 1, 3, R));
    loadSpace(doc, space);
    auto building = [&] {
        int shown = 0, layers = 0;
        return std::sscanf(doc.GetStatusText().c_str(), "Phase:Separate %d/%d", &shown, &layers) == 2 &&
               shown == layers;
    };
    const double budget = expansionBudgetMs();
    const Sample s = worstStop("building units, sequence expansion", budget, building, {0, 20, 60, 150});
    EXPECT_LT(s.ms, budget) << "status at the slowest stop: " << s.status;
}

TEST_F(StopLatency, InALongMatchPass)
{
    const CSpace busy = busyArea(120 / kShrink, 20 / kShrink, 120 / kShrink);
    {
        // The program runs: its first step turns the red cell green.
        CTesseraDoc once;
        CHardeningView waiting(once, false);
        loadSpace(once, busy);
        once.StartRun();
        ASSERT_EQ(waiting.next(std::chrono::seconds(60)), RunMessage::Show);
        EXPECT_EQ(once.GetCell(12, 1, 2), G);
    }
    loadSpace(doc, busy);
    // The first pass searches the whole area; later passes test again every position the big
    // group matched at, and begin by taking over the program with all those positions.
    auto matching = [&] { return startsWith(doc.GetStatusText(), "Phase:Match("); };
    const double budget = matchBudgetMs();
    const Sample first = worstStop("Match, first pass", budget, matching, {0, 50, 150, 300, 600, 1000});
    EXPECT_LT(first.ms, budget) << "status at the slowest stop: " << first.status;
    auto shown = [&] { return view.shows >= 1; };
    const Sample later = worstStop("Match, later passes", budget, shown, {0, 10, 30, 60, 100, 200, 400});
    EXPECT_LT(later.ms, budget) << "status at the slowest stop: " << later.status;
}

TEST_F(StopLatency, WhileACallerRunsToCompletion)
{
    // The caller hands its red cell to a sub-program named by a yellow cell. When the result
    // comes back (the third step), the caller is run to completion at once: a full first pass
    // over its big area, with the group that records every position.
    const int w = 100 / kShrink, h = 16 / kShrink, d = 100 / kShrink;
    CSpace space(w + 40, h + 12, d + 30, 0);
    CSpace area(w, h, d, 0);
    area.set(0, 0, 0, R);
    drawSolidWorkArea(space, 30, 0, 1, area);
    drawSolidRuleGroup(space, 1, 0, 1, {{cell(R), cell(Y)}});
    drawSolidRuleGroup(space, 1, 0, 5, {everywhere(), nowhere()});
    CSpace program(16, 4, 6, 0);
    drawSolidWorkArea(program, 0, 0, 0, CSpace(3, 1, 1, 0));
    drawSolidRuleGroup(program, 6, 0, 0, {{cell(R), cell(G)}});
    drawWindow(space, 1, 0, d + 6, {makeThreeBlockIcon(), cell(Y), program});
    loadSpace(doc, space);

    // Left alone, the call completes: the result replaces the red cell and the run ends.
    doc.StartRun();
    ASSERT_EQ(view.next(std::chrono::seconds(60)), RunMessage::Finished);
    EXPECT_GE(view.shows, 3);
    EXPECT_EQ(doc.GetCell(30, 1, 2), G);

    auto resultComing = [&] { return view.shows >= 2; };
    const double budget = matchBudgetMs();
    const Sample worst = worstStop("caller run to completion", budget, resultComing, {0, 50, 150, 300, 600});
    EXPECT_LT(worst.ms, budget) << "status at the slowest stop: " << worst.status;
}
