// Fuzz target: Separate and Match on small arbitrary spaces, run on a worker thread through a run
// link as in the editor, with this thread as the view.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "fuzz/fuzzspace.h"
#include "interpreter/interpreter.h"
#include "interpreter/runworker.h"
#include "run/queuedrunwindow.h"
#include "run/runlink.h"
#include "run/runwindow.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::int64_t GROWTH_CAP = std::int64_t(1) << 20;  // document cells
// A run that neither shows a step nor sleeps within the budget is stopped; what is checked then is
// that the stop is honoured. The poll is how soon a sleeping run is noticed.
constexpr auto TIME_BUDGET = std::chrono::milliseconds(25);
constexpr auto POLL = std::chrono::milliseconds(1);

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "interpreter fuzzer: %s\n", what);
    std::abort();
}

struct Sizes {
    int x, y, z;
    std::int64_t cells() const { return std::int64_t(x) * y * z; }
};

Sizes sizesOf(CRunLink& link)
{
    std::lock_guard<std::recursive_mutex> hold(link.mutex);
    return {link.space.getSizeX(), link.space.getSizeY(), link.space.getSizeZ()};
}

bool asleep(CRunLink& link)
{
    std::lock_guard<std::recursive_mutex> hold(link.mutex);
    return link.asleep;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSpace input;
    if (!input.decode(data, size)) return 0;
    const Sizes initial{input.space.getSizeX(), input.space.getSizeY(), input.space.getSizeZ()};

    CRunLink link;
    CQueuedRunWindow window;
    link.space = std::move(input.space);  // the input is not read again
    link.viewWnd = &window;
    if (input.pressLeft) link.devices.pressLeft();
    if (input.pressRight) link.devices.pressRight();
    CInterpreter interpreter;
    std::thread worker(RunWorker, &link, std::ref(interpreter));
    link.goEvent.set();

    // Stop after the input's step limit, when the document has grown past the cap, when every unit
    // sleeps for good, or when the run takes too long. A stop that is never honoured hangs here,
    // which the fuzzer reports as a time-out.
    int shown = 0;
    bool finished = false;
    const Clock::time_point start = Clock::now();
    for (;;) {
        const RunMessage message = window.next(POLL);
        if (message == RunMessage::Finished) {
            finished = true;
            break;
        }
        if (message == RunMessage::Show) {
            if (++shown >= input.stepLimit || sizesOf(link).cells() > GROWTH_CAP) break;
            link.continueEvent.set();
            continue;
        }
        if (asleep(link) || Clock::now() - start > TIME_BUDGET) break;
    }
    // Stop as the document does: stop and go, then wait for the worker's last act.
    link.stopEvent.set();
    link.goEvent.set();
    link.finishedEvent.wait();
    worker.join();

    const Sizes after = sizesOf(link);
    if (after.x < initial.x || after.y < initial.y || after.z < initial.z) fail("the document shrank");
    if (after.cells() > CSpace::MAX_CELLS) fail("the document passed the cell limit");
    if (finished && interpreter.phase != CInterpreter::PHASE_RUN_OVER) fail("finished before the run was over");
    if (link.busy) fail("still busy after the worker ended");
    return 0;
}
