// Test support for the run protocol: a run window whose messages queue up for the test thread,
// and a harness that runs a worker thread on a link while the test thread plays the view.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "interpreter/interpreter.h"
#include "interpreter/runworker.h"
#include "run/queuedrunwindow.h"
#include "run/runlink.h"
#include "run/runwindow.h"

// Generous: only a broken protocol ever waits this long.
constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(10);

class TestRunWindow : public CQueuedRunWindow {
public:
    RunMessage next(std::chrono::milliseconds timeout = kPatience) { return CQueuedRunWindow::next(timeout); }
};

// A link, a window and a worker thread running the given interpreter. The test thread does what
// the document and the view do: Start, Stop, edits and answers to show requests.
class RunHarness {
public:
    explicit RunHarness(CInterpreter& interpreter) : interpreter(interpreter)
    {
        setSpace(CSpace(1, 1, 1, 0));
        link.Lock();
        link.viewWnd = &window;
        link.Unlock();
    }
    ~RunHarness()
    {
        if (worker.joinable()) stop();
    }

    void setSpace(const CSpace& space)
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        link.space = space;
    }
    std::string status()
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        return link.status;
    }
    bool nothingToRun()
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        return link.nothingToRun;
    }
    bool busy()
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        return link.busy;
    }

    // Start: creates the worker when there is none, then resets stop and finished and sets go.
    void start()
    {
        if (!worker.joinable()) worker = std::thread(RunWorker, &link, std::ref(interpreter));
        link.stopEvent.reset();
        link.finishedEvent.reset();
        link.goEvent.set();
    }
    // Stop: stop and go, then wait for the worker to finish. A worker that never finishes would
    // hang the suite, so the test binary gives up instead.
    void stop()
    {
        link.stopEvent.set();
        link.goEvent.set();
        if (!link.finishedEvent.waitFor(kPatience)) {
            std::fprintf(stderr, "the worker did not finish after a stop request\n");
            std::abort();
        }
        worker.join();
    }
    // The view's answer to a show request.
    void showDone() { link.continueEvent.set(); }

    CInterpreter& interpreter;
    CRunLink link;
    TestRunWindow window;
    std::thread worker;
};
