// Fuzz target: Separate and Match on small arbitrary spaces, run on a worker thread through a run
// link as in the editor. The worker thread is made once and runs RunWorker for every input:
// making and ending a thread per input cost more than most runs. The shows are answered on the worker thread as they are posted (a step
// costs no round trip through this thread); this thread stops the run at the step limit, past the
// growth cap, when every unit sleeps, or when the time budget is spent, whatever the worker is
// doing then.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
// that the stop is honoured. The poll is how soon a sleeping run is noticed. (With 10 ms, one input
// in twelve ran into the budget, and those took two fifths of the target's time.)
constexpr auto TIME_BUDGET = std::chrono::milliseconds(5);
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

// Continues each show at once, under the lock as the view does, until the step limit or the
// growth cap; then it posts the show for this thread, which stops the run.
class AnsweringWindow : public CQueuedRunWindow {
public:
    AnsweringWindow(CRunLink& link, int stepLimit) : link(link), stepLimit(stepLimit) {}
    void postRunShow() override
    {
        {
            std::lock_guard<std::recursive_mutex> hold(link.mutex);
            if (++shown < stepLimit && sizesOf(link).cells() <= GROWTH_CAP) {
                link.continueEvent.set();
                return;
            }
        }
        post(RunMessage::Show);
    }

private:
    CRunLink& link;
    const int stepLimit;
    int shown = 0;  // touched only by the worker thread
};

// One thread that runs RunWorker for each input in turn, as a fresh worker thread would.
class ReusedWorker {
public:
    ReusedWorker() : thread([this] { loop(); }) {}

    void start(CRunLink& link, CInterpreter& interpreter)
    {
        std::lock_guard<std::mutex> hold(mutex);
        job = {&link, &interpreter};
        changed.notify_all();
    }
    // Waits until RunWorker has returned, so that the link and the interpreter may go.
    void join()
    {
        std::unique_lock<std::mutex> hold(mutex);
        changed.wait(hold, [this] { return job.link == nullptr; });
    }

private:
    struct Job {
        CRunLink* link = nullptr;
        CInterpreter* interpreter = nullptr;
    };
    void loop()
    {
        for (;;) {
            Job next;
            {
                std::unique_lock<std::mutex> hold(mutex);
                changed.wait(hold, [this] { return job.link != nullptr; });
                next = job;
            }
            RunWorker(next.link, *next.interpreter);
            std::lock_guard<std::mutex> hold(mutex);
            job = {};
            changed.notify_all();
        }
    }

    std::mutex mutex;
    std::condition_variable changed;
    Job job;
    std::thread thread;
};
}  // namespace

// AddressSanitizer's settings for this target; ASAN_OPTIONS still overrides them. A freed block is
// held back from reuse while it is among the last 16 MB freed rather than 256 MB, which still spans
// the steps of a run: with 256 MB, a run's spaces and cell sets kept landing on fresh pages, and
// the page faults took a tenth of the time.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSpace input;
    if (!input.decode(data, size)) return 0;
    const Sizes initial{input.space.getSizeX(), input.space.getSizeY(), input.space.getSizeZ()};

    CRunLink link;
    AnsweringWindow window(link, input.stepLimit);
    link.space = std::move(input.space);  // the input is not read again
    link.viewWnd = &window;
    if (input.pressLeft) link.devices.pressLeft();
    if (input.pressRight) link.devices.pressRight();
    CInterpreter interpreter;
    // Made once and never destroyed: the process ends with the thread waiting for a job.
    static ReusedWorker& worker = *new ReusedWorker;
    worker.start(link, interpreter);
    link.goEvent.set();

    // A stop that is never honoured hangs below, which the fuzzer reports as a time-out.
    bool finished = false;
    const Clock::time_point start = Clock::now();
    for (;;) {
        const RunMessage message = window.next(POLL);
        if (message == RunMessage::Finished) {
            finished = true;
            break;
        }
        if (message == RunMessage::Show || asleep(link) || Clock::now() - start > TIME_BUDGET) break;
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
