// RunWorker: the worker's life between Go, runs and Stop, seen from the document's side.
#include <gtest/gtest.h>

#include <stdexcept>

#include "interpreter/runharness.h"

namespace {
// An interpreter whose first run fails with an exception that is no interruption.
class FailingOnceInterpreter : public CInterpreter {
public:
    void Run() override
    {
        if (runs++ == 0) throw std::runtime_error("out of memory, say");
        CInterpreter::Run();
    }
    int runs = 0;
};
}  // namespace

TEST(RunWorker, StopBeforeAnyRunEndsTheWorkerWithoutRunning)
{
    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.link.status = "untouched";
    // The worker starts with stop already requested; its first Go must end it without a run.
    run.link.stopEvent.set();
    run.worker = std::thread(RunWorker, &run.link, std::ref(interpreter));
    run.link.goEvent.set();
    run.stop();
    EXPECT_EQ(run.status(), "untouched");
    EXPECT_FALSE(run.busy());
    EXPECT_EQ(run.window.queued(), 0);
    EXPECT_EQ(interpreter.link, nullptr);
}

TEST(RunWorker, AFailingRunEndsThatRunOnlyAndTheWorkerStillStops)
{
    FailingOnceInterpreter interpreter;
    RunHarness run(interpreter);
    run.start();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    EXPECT_FALSE(run.busy());

    run.start();
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    run.stop();
    EXPECT_EQ(interpreter.runs, 2);
}
