// Watching a run through the document: pause holds the worker at a shown step without the lock,
// Step lets one step through, an edit while paused restarts the run, Stop answers at once, a
// show request that outlives its run releases nothing of the next run, and the end of a run is
// told as "Ended after N steps" or "Nothing to run".
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "document/tesseradoc.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "interpreter/interpreter.h"
#include "run/queuedrunwindow.h"
#include "support/blockbuilder.h"

namespace {
constexpr auto kPatience = std::chrono::seconds(10);

using QueueView = CQueuedRunWindow;

bool load(CTesseraDoc& doc, const CSpace& s)
{
    CMemoryStream out({}, "x.ts3");
    writeSpaceFile(out, s);
    CMemoryStream in(out.contents(), "x.ts3");
    return doc.Load(in);
}

// One red cell that a rule moves one cell to the right per step, across a 10-cell row: the run
// ends after 10 steps (9 moves, then a pass that applies nothing).
CSpace moverProgram()
{
    CSpace space(30, 1, 16, 0);
    CSpace left(2, 1, 1, 0), right(2, 1, 1, 0);
    left.set(0, 0, 0, 103);
    right.set(1, 0, 0, 103);
    drawFlatRuleGroup(space, 1, 1, {{left, right}});
    CSpace row(10, 1, 1, 0);
    row.set(0, 0, 0, 103);
    drawFlatWorkArea(space, 2, 8, row);
    return space;
}

class WatchRun : public ::testing::Test {
protected:
    void SetUp() override { doc.SetRunWindow(&view); }
    void TearDown() override { doc.StopRun(); }
    // The next show, answered as the view answers it.
    int show()
    {
        EXPECT_EQ(view.next(kPatience), RunMessage::Show);
        return doc.Session().AnswerShow(doc.Session().GetShownStep());
    }
    // Waits until `count` requests are queued; false when they do not come.
    bool queuedReach(int count)
    {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (view.queued() < count)
            if (std::chrono::steady_clock::now() > end) return false;
            else std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    CTesseraDoc doc;
    QueueView view;
};
}  // namespace

TEST_F(WatchRun, PauseHoldsTheWorkerStepLetsOneStepThroughAndAnEditRestarts)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    ASSERT_FALSE(doc.Session().StepRun());  // nothing runs yet: the caller starts a run, paused
    doc.StartRun();
    EXPECT_EQ(show(), CRunControl::HOLD);
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Paused");
    EXPECT_EQ(doc.Session().RunControl().step(), 1);

    // Held: no further step comes, and the lock is free for the interface thread.
    EXPECT_EQ(view.next(std::chrono::milliseconds(300)), RunMessage::None);
    ASSERT_TRUE(doc.GetLink().mutex.try_lock());
    doc.GetLink().mutex.unlock();

    EXPECT_TRUE(doc.Session().StepRun());
    EXPECT_EQ(show(), CRunControl::HOLD);
    EXPECT_EQ(doc.Session().RunControl().step(), 2);
    EXPECT_EQ(doc.GetCell(6, 0, 10), 103);  // moved once per step (the interior starts at x 4)

    // An edit while paused restarts the run, which is paused again after its first step.
    doc.SetCell(12, 0, 10, 103);
    doc.RestartIfBusy();
    int answer = show();
    while (answer == 0) answer = show();  // shows of the old run on its way to the restart
    EXPECT_EQ(answer, CRunControl::HOLD);
    EXPECT_EQ(doc.Session().RunControl().step(), 1);

    // Stop answers at once, although the worker is held.
    const auto before = std::chrono::steady_clock::now();
    doc.StopRun();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Stopped at step 1");
}

TEST_F(WatchRun, TheEndOfARunIsToldWithItsStepCount)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    doc.Session().ResumeRun();
    doc.StartRun();
    int shows = 0;
    for (RunMessage message = view.next(kPatience); message == RunMessage::Show; message = view.next(kPatience)) {
        shows++;
        EXPECT_EQ(doc.Session().AnswerShow(doc.Session().GetShownStep()), 0);
        EXPECT_EQ(doc.Session().RunControl().step(), shows);
    }
    doc.Session().RunFinished();
    EXPECT_EQ(shows, 10);
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Ended after 10 steps");
    EXPECT_EQ(doc.GetCell(13, 0, 10), 103);

    // A space without a work area or a window: one step, and the run says why nothing ran.
    ASSERT_TRUE(load(doc, CSpace(8, 1, 8, 0)));
    doc.StartRun();
    EXPECT_EQ(show(), 0);
    EXPECT_EQ(view.next(kPatience), RunMessage::Finished);
    doc.Session().RunFinished();
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Nothing to run");
    EXPECT_EQ(doc.GetStatusText(), "Phase:Separate 8/8");  // the scan's last layer
    EXPECT_TRUE(doc.Session().IsNothingToRun());
}

// Stop, then Start before the view reads its queue: the stopped run's show request is read while
// the next run computes its first step. The view takes the record (still the stopped run's),
// draws, and answers it only after the next run has shown its first step: that step must wait
// for its own request, or it would run on before the view ever drew it.
TEST_F(WatchRun, AShowRequestOfAStoppedRunReleasesNothingOfTheNextRun)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    doc.StartRun();
    ASSERT_TRUE(queuedReach(1));
    doc.StopRun();

    doc.Lock();  // keeps the next run from its first step until the record is taken
    doc.StartRun();
    ASSERT_EQ(view.next(kPatience), RunMessage::Show);  // the stopped run's request
    const CShownStep stale = doc.Session().GetShownStep();
    doc.Unlock();
    ASSERT_TRUE(queuedReach(1));  // the next run has shown its first step
    EXPECT_EQ(stale.step, 1);
    EXPECT_NE(stale.run, doc.Session().GetShownStep().run);
    EXPECT_EQ(doc.Session().AnswerShow(stale), 0);  // a show of an earlier run is let go...

    // ...which releases nothing: the next run waits at its first step.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(view.queued(), 1);
    EXPECT_EQ(doc.Session().GetShownStep().step, 1);
    EXPECT_EQ(doc.GetCell(6, 0, 10), 103);  // once by each run (the interior starts at x 4)
    EXPECT_EQ(show(), 0);                   // its own request lets it go on
    EXPECT_EQ(show(), 0);
    EXPECT_EQ(doc.Session().RunControl().step(), 2);
}

// The window between the worker's reset of continue and its writing of the next show: a
// continue answered then for an earlier show (here the show of a stopped run, read from the
// record just before) must not release the new show. The test plays the worker with an
// interpreter of its own on the document's link and holds the lock across that window.
TEST_F(WatchRun, AContinueForAnEarlierShowNeverReleasesTheNextShow)
{
    CRunLink& link = doc.GetLink();
    CShownStep stale;
    {
        std::lock_guard<std::recursive_mutex> hold(link.mutex);
        link.shown.serial = 7;  // step 3 of run 1, whose request outlived it
        link.shown.run = 1;
        link.shown.step = 3;
        stale = link.shown;
        link.runNumber = 2;
    }
    CInterpreter worker;
    worker.Attach(&link);
    worker.runNumber = 2;
    std::atomic<bool> released{false};

    doc.Lock();
    std::thread showing([&] {
        try {
            worker.WaitForShow();
            released = true;
        } catch (const CInterpreter::InterruptionForStop&) {
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the worker reaches the lock
    EXPECT_EQ(doc.Session().AnswerShow(stale), 0);
    doc.Unlock();

    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(released);
    const CShownStep now = doc.Session().GetShownStep();
    EXPECT_EQ(now.run, 2);
    EXPECT_EQ(now.step, 1);
    EXPECT_EQ(now.serial, 8u);
    link.stopEvent.set();
    showing.join();
    worker.Detach();
}

// A run's end read only after the next Start: it tells the view nothing (the cursor stays
// hidden, the message pane is left to the new run) and the new run's state is kept.
TEST_F(WatchRun, TheEndOfAnEarlierRunReadAfterTheNextStartChangesNothing)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    doc.StartRun();
    RunMessage message = view.next(kPatience);
    for (; message == RunMessage::Show; message = view.next(kPatience))
        doc.Session().AnswerShow(doc.Session().GetShownStep());
    ASSERT_EQ(message, RunMessage::Finished);

    doc.RestoreBackup();  // Back: the cell starts again at the left end
    doc.Session().PauseRun();
    doc.StartRun();
    EXPECT_FALSE(doc.Session().RunFinished());
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Running");
    EXPECT_EQ(show(), CRunControl::HOLD);
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Paused");

    // The end of the run in progress is told.
    doc.Session().ResumeRun();
    for (message = view.next(kPatience); message == RunMessage::Show; message = view.next(kPatience))
        doc.Session().AnswerShow(doc.Session().GetShownStep());
    ASSERT_EQ(message, RunMessage::Finished);
    EXPECT_TRUE(doc.Session().RunFinished());
    EXPECT_EQ(doc.Session().RunControl().stateText(), "Ended after 10 steps");
}

// Stop lands after the worker wrote step 2 and asked for its show, before the view read the
// request: the space holds step 2, and so does the state. A space that is no longer the run's
// (Back, a resize, a load) clears the step and the state, and a load ends a pause.
TEST_F(WatchRun, TheStateSpeaksOfTheStepInTheSpaceAndOfNoOtherRun)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    auto stopAtStepTwo = [this] {
        doc.StartRun();
        EXPECT_EQ(show(), 0);
        ASSERT_TRUE(queuedReach(1));  // the second show waits unread
        doc.StopRun();
        // Nothing of this run is left for the next one's worker to take.
        EXPECT_FALSE(doc.Session().Link().goEvent.tryConsume());
        while (view.next(std::chrono::milliseconds(0)) != RunMessage::None) {}
        EXPECT_EQ(doc.Session().RunControl().stateText(), "Stopped at step 2");
        EXPECT_EQ(doc.GetCell(6, 0, 10), 103);  // moved twice (the interior starts at x 4)
    };
    stopAtStepTwo();
    doc.RestoreBackup();
    EXPECT_EQ(doc.Session().RunControl().stateText(), "");
    stopAtStepTwo();
    ASSERT_TRUE(doc.ResizeSpace(31, 1, 16));
    EXPECT_EQ(doc.Session().RunControl().stateText(), "");
    doc.RestoreBackup();
    stopAtStepTwo();
    doc.Session().PauseRun();
    ASSERT_TRUE(load(doc, moverProgram()));
    EXPECT_EQ(doc.Session().RunControl().stateText(), "");
    EXPECT_FALSE(doc.Session().RunControl().isPaused());
}
