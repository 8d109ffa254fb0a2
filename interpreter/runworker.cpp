// The worker thread: waits for Go, runs the interpreter, reports the end of each run, and ends
// on a stop request, setting the finished event as its last act.
#include "interpreter/runworker.h"

#include <mutex>

#include "interpreter/interpreter.h"
#include "run/runlink.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;

void setBusy(CRunLink* link, bool busy)
{
    Hold hold(link->mutex);
    link->busy = busy;
}
}  // namespace

void RunWorker(CRunLink* link, CInterpreter& interpreter)
{
    interpreter.Attach(link);
    for (;;) {
        link->goEvent.wait();
        if (link->stopEvent.tryConsume()) break;
        setBusy(link, true);
        int result;
        try {
            result = interpreter.RunGuarded();
        } catch (...) {
            // A failure inside a run ends that run only; the worker stays ready for the next Go
            // and, above all, still answers a stop request.
            result = 1;
        }
        setBusy(link, false);
        if (result == 0) break;
        IRunWindow* window;
        {
            Hold hold(link->mutex);
            window = link->viewWnd;
            link->finishedRun = interpreter.runNumber;
        }
        if (window) window->postRunFinished();
    }
    // Detached before finished is set: a caller that starts the next worker as soon as this
    // one reports finished must not have its interpreter detached by this one.
    interpreter.Detach();
    link->finishedEvent.set();
}
