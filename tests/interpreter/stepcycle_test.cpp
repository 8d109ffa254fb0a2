// The run and step cycle on a real worker thread: show handshake, stop, restart, latched clicks.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "interpreter/runharness.h"
#include "space/cellcodes.h"

namespace {
// An interpreter that records where each run's frame lies on the stack and lets a test act at
// the start of every run, on the worker thread.
class ProbeInterpreter : public CInterpreter {
public:
    void Run() override
    {
        volatile char marker = 0;
        frames.push_back(reinterpret_cast<std::uintptr_t>(&marker));
        if (atRunStart) atRunStart(runs);
        runs++;
        CInterpreter::Run();
    }
    std::function<void(int run)> atRunStart;
    std::vector<std::uintptr_t> frames;
    int runs = 0;
};
}  // namespace

TEST(StepCycle, NothingToRunEndsAfterOneShownStep)
{
    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.setSpace(CSpace(3, 2, 4, 0));
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    // The status keeps the scan's last layer; that nothing was found is said beside it.
    EXPECT_EQ(run.status(), "Phase:Separate 4/4");
    EXPECT_TRUE(run.nothingToRun());
    EXPECT_EQ(interpreter.phase, CInterpreter::PHASE_RUN_OVER);
    EXPECT_EQ(interpreter.separateNext, 0);
    EXPECT_EQ(interpreter.scanCopy.getSizeZ(), 4) << "the scan's copy is kept from step to step";
    EXPECT_TRUE(run.busy());
    run.showDone();

    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    EXPECT_FALSE(run.busy());
    run.stop();
    EXPECT_EQ(run.window.queued(), 0);
    EXPECT_EQ(interpreter.link, nullptr);  // detached by the ending worker
    EXPECT_EQ(interpreter.scanCopy.getSizeZ(), 0) << "but not after the run";
}

TEST(StepCycle, EveryStepStartsWithReady)
{
    // A space without layers gives the scan nothing to examine: Ready, then the end of the run.
    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.setSpace(CSpace(0, 0, 0, 0));
    run.link.status = "before";
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    EXPECT_EQ(run.status(), CInterpreter::STATUS_READY);
    EXPECT_TRUE(run.nothingToRun());
    EXPECT_EQ(interpreter.phase, CInterpreter::PHASE_RUN_OVER);
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
}

TEST(StepCycle, StopWhileWaitingForTheViewEndsTheWorker)
{
    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    run.stop();  // instead of answering the show request

    EXPECT_EQ(run.window.queued(), 0) << "a stopped run is not reported as finished";
    EXPECT_TRUE(run.nothingToRun()) << "no further step ran";
    EXPECT_FALSE(run.busy());
}

TEST(StepCycle, AContinueLeftOverFromAStoppedRunDoesNotSkipTheNextRunsFirstShow)
{
    CInterpreter interpreter;
    RunHarness run(interpreter);
    run.start();
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    run.stop();
    run.showDone();  // the view answers after the run was stopped

    run.start();
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    EXPECT_EQ(run.window.next(std::chrono::milliseconds(300)), RunMessage::None) << "the worker waits for this show's answer";
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
}

TEST(StepCycle, GoWhileBusyRestartsFromTheEditedSpace)
{
    CEventHub hub;
    CEvent inRun(hub), goOn(hub);  // outlive the worker, which waits on goOn
    ProbeInterpreter interpreter;
    RunHarness run(interpreter);
    interpreter.atRunStart = [&](int n) {
        if (n > 0) return;
        inRun.set();
        ASSERT_TRUE(goOn.waitFor(kPatience));
    };
    run.start();

    // The run is under way: the user edits the space, which sets go again.
    ASSERT_TRUE(inRun.waitFor(kPatience));
    run.setSpace(CSpace(2, 1, 5, 0));
    run.link.goEvent.set();
    goOn.set();

    ASSERT_EQ(run.window.next(), RunMessage::Show) << "the abandoned run is not reported as finished";
    EXPECT_EQ(interpreter.runs, 2);
    EXPECT_EQ(run.status(), "Phase:Separate 5/5") << "the restart scanned the edited space";
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    run.stop();
    EXPECT_EQ(run.window.queued(), 0);
}

TEST(StepCycle, GoDuringTheLastShowStartsANewRunAfterTheFinishedMessage)
{
    ProbeInterpreter interpreter;
    RunHarness run(interpreter);
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    run.link.goEvent.set();  // an edit while the view draws: not looked at by the wait
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    EXPECT_EQ(interpreter.runs, 2);
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
}

TEST(StepCycle, AClickReachesTheSnapshotAtTheSecondReadyAndOnlyThere)
{
    CInterpreter interpreter;
    RunHarness run(interpreter);
    CSpace idleMouse = interpreter.devices.getMouseIcon();

    // Each run here is one step; the test thread clicks while step 1 is being shown.
    run.start();
    ASSERT_EQ(run.window.next(), RunMessage::Show);
    run.link.Lock();
    run.link.devices.pressLeft();
    run.link.Unlock();
    EXPECT_EQ(interpreter.devices.leftLatched, 0);

    const int expectedLatched[] = {0, 1, 0};  // steps 2, 3 and 4
    for (int latched : expectedLatched) {
        run.showDone();
        ASSERT_EQ(run.window.next(), RunMessage::Finished);
        run.start();
        ASSERT_EQ(run.window.next(), RunMessage::Show);
        EXPECT_EQ(interpreter.devices.leftLatched, latched);
        CSpace mouse = interpreter.devices.getMouseState();
        EXPECT_EQ(mouse.get(1, 0, 1), latched ? CELL_RED : 0);
        EXPECT_EQ(mouse.get(3, 0, 1), 0);
        if (!latched) {
            EXPECT_TRUE(mouse.isEqual(idleMouse));
        }
    }
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
}

TEST(StepCycle, AThousandRestartsInARowKeepTheStackFlat)
{
    ProbeInterpreter interpreter;
    RunHarness run(interpreter);
    // Every run but the last is asked to restart before its first interruption point.
    interpreter.atRunStart = [&](int n) {
        if (n < 1000) run.link.goEvent.set();
    };
    run.start();

    ASSERT_EQ(run.window.next(), RunMessage::Show);
    EXPECT_EQ(interpreter.runs, 1001);
    run.showDone();
    ASSERT_EQ(run.window.next(), RunMessage::Finished);
    run.stop();

    ASSERT_EQ(interpreter.frames.size(), 1001u);
    for (std::uintptr_t frame : interpreter.frames) ASSERT_EQ(frame, interpreter.frames.front());
    EXPECT_EQ(run.window.queued(), 0);
}

TEST(StepCycle, AViewThatAnswersWhileTheRequestIsPostedIsNotMissed)
{
    // The headless runner's view: it sets continue from inside the post itself.
    struct InstantWindow : IRunWindow {
        void postRunShow() override
        {
            shows++;
            link->continueEvent.set();
        }
        void postRunFinished() override { finished.set(); }
        CRunLink* link = nullptr;
        int shows = 0;
        CEventHub hub;
        CEvent finished{hub};
    };
    InstantWindow window;  // outlives the worker
    CInterpreter interpreter;
    RunHarness run(interpreter);
    window.link = &run.link;
    run.link.viewWnd = &window;
    for (int i = 0; i < 3; i++) {
        run.start();
        ASSERT_TRUE(window.finished.waitFor(kPatience)) << "run " << i;
    }
    run.stop();
    EXPECT_EQ(window.shows, 3);
}
