// Watching a run through the document: pause holds the worker at a shown step without the lock,
// Step lets one step through, an edit while paused restarts the run, Stop answers at once, and
// the end of a run is told as "Ended after N steps" or "Nothing to run".
#include <gtest/gtest.h>

#include <chrono>

#include "document/docview.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "document/tesseradoc.h"
#include "interpreter/interpreter.h"
#include "support/blockbuilder.h"
#include "run/queuedrunwindow.h"

namespace {
constexpr auto kPatience = std::chrono::seconds(10);

class QueueView : public IDocView, public CQueuedRunWindow {
public:
    void OnUpdate() override {}
    void OnInitialUpdate() override {}
    IRunWindow* GetRunWindow() override { return this; }
};

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
    void SetUp() override { doc.AddView(&view); }
    void TearDown() override
    {
        doc.StopRun();
        doc.RemoveView(&view);
    }
    // The next show, answered as the view answers it.
    int show()
    {
        EXPECT_EQ(view.next(kPatience), RunMessage::Show);
        return doc.AnswerShow();
    }
    CTesseraDoc doc;
    QueueView view;
};
}  // namespace

TEST_F(WatchRun, PauseHoldsTheWorkerStepLetsOneStepThroughAndAnEditRestarts)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    ASSERT_FALSE(doc.StepRun());  // nothing runs yet: the caller starts a run, paused
    doc.StartRun();
    EXPECT_EQ(show(), CRunControl::HOLD);
    EXPECT_EQ(doc.RunControl().stateText(), "Paused");
    EXPECT_EQ(doc.RunControl().step(), 1);

    // Held: no further step comes, and the lock is free for the interface thread.
    EXPECT_EQ(view.next(std::chrono::milliseconds(300)), RunMessage::None);
    ASSERT_TRUE(doc.GetLink().mutex.try_lock());
    doc.GetLink().mutex.unlock();

    EXPECT_TRUE(doc.StepRun());
    EXPECT_EQ(show(), CRunControl::HOLD);
    EXPECT_EQ(doc.RunControl().step(), 2);
    EXPECT_EQ(doc.GetCell(6, 0, 10), 103);  // moved once per step (the interior starts at x 4)

    // An edit while paused restarts the run, which is paused again after its first step.
    doc.SetCell(12, 0, 10, 103);
    doc.RestartIfBusy();
    int answer = show();
    while (answer == 0) answer = show();  // shows of the old run on its way to the restart
    EXPECT_EQ(answer, CRunControl::HOLD);
    EXPECT_EQ(doc.RunControl().step(), 1);

    // Stop answers at once, although the worker is held.
    const auto before = std::chrono::steady_clock::now();
    doc.StopRun();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_EQ(doc.RunControl().stateText(), "Stopped at step 1");
}

TEST_F(WatchRun, TheEndOfARunIsToldWithItsStepCount)
{
    ASSERT_TRUE(load(doc, moverProgram()));
    doc.ResumeRun();
    doc.StartRun();
    int shows = 0;
    for (RunMessage message = view.next(kPatience); message == RunMessage::Show; message = view.next(kPatience)) {
        shows++;
        EXPECT_EQ(doc.AnswerShow(), 0);
        EXPECT_EQ(doc.RunControl().step(), shows);
    }
    doc.RunFinished();
    EXPECT_EQ(shows, 10);
    EXPECT_EQ(doc.RunControl().stateText(), "Ended after 10 steps");
    EXPECT_EQ(doc.GetCell(13, 0, 10), 103);

    // A space without a work area or a window: one step, and the run says why nothing ran.
    ASSERT_TRUE(load(doc, CSpace(8, 1, 8, 0)));
    doc.StartRun();
    EXPECT_EQ(show(), 0);
    EXPECT_EQ(view.next(kPatience), RunMessage::Finished);
    doc.RunFinished();
    EXPECT_EQ(doc.RunControl().stateText(), "Nothing to run");
    EXPECT_EQ(doc.GetStatusText(), CInterpreter::STATUS_NOTHING_TO_RUN);
}
