// CRunControl: when the worker may go on after a shown step, under pause, step, speed, restart
// and stop; and the run-state texts.
#include "document/runcontrol.h"

#include <gtest/gtest.h>

namespace {
// The delay after the first step on a clock that stands still: the speed's whole period.
int FirstDelay(int speed)
{
    const int rate = CRunControl::speedAt(speed).stepsPerSecond;
    return rate ? 2000 / rate - 1000 / rate : 0;
}

// A run control on a clock the test moves.
struct SPacedControl {
    std::int64_t t = 0;
    CRunControl c;
    SPacedControl() { c.setClock([this] { return t; }); }
};
}  // namespace

TEST(RunControl, PauseHoldsEveryShowUntilResumeOrStep)
{
    CRunControl c;
    EXPECT_EQ(c.stateText(), "");
    c.onStart(1);
    EXPECT_EQ(c.onShow(1, 1, false), 0);  // as fast as possible by default
    EXPECT_EQ(c.stateText(), "Running");

    c.pause();
    EXPECT_EQ(c.onShow(1, 2, false), CRunControl::HOLD);
    EXPECT_EQ(c.stateText(), "Paused");
    EXPECT_TRUE(c.stepOnce());   // lets the held show go, and stays paused
    EXPECT_FALSE(c.stepOnce());  // nothing is held any more: nothing to let go twice
    EXPECT_EQ(c.onShow(1, 3, false), CRunControl::HOLD);
    EXPECT_EQ(c.step(), 3);
    EXPECT_TRUE(c.resume());
    EXPECT_FALSE(c.resume());
    EXPECT_EQ(c.stateText(), "Running");
    EXPECT_EQ(c.onShow(1, 4, false), 0);

    // The last step of a run is never held: the run is over.
    c.pause();
    EXPECT_EQ(c.onShow(1, 5, true), 0);
    c.onFinished(1, false);
    EXPECT_EQ(c.stateText(), "Ended after 5 steps");
    EXPECT_FALSE(c.isPaused()) << "pause ends with its run";
}

TEST(RunControl, DelaysAreCancelledByStopRestartAndStep)
{
    SPacedControl paced;
    CRunControl& c = paced.c;
    c.setSpeed(CRunControl::speedCount() - 1);
    EXPECT_EQ(CRunControl::speedAt(c.speed()).stepsPerSecond, 1);
    c.setSpeed(99);  // ignored
    EXPECT_EQ(c.speed(), CRunControl::speedCount() - 1);

    c.onStart(1);
    EXPECT_EQ(c.onShow(1, 1, false), 1000);
    const unsigned first = c.ticket();
    EXPECT_TRUE(c.delayDue(first));
    EXPECT_FALSE(c.delayDue(first));  // a show is let go only once
    paced.t = 1000;                   // the worker went on when the delay was due

    // Pause while a delay runs: when it is due, the show is held instead.
    EXPECT_EQ(c.onShow(1, 2, false), 1000);
    c.pause();
    EXPECT_FALSE(c.delayDue(c.ticket()));
    EXPECT_TRUE(c.isHolding());
    EXPECT_TRUE(c.resume());

    // Step while a delay runs lets the show go at once; the old delay is void.
    EXPECT_EQ(c.onShow(1, 3, false), 1000);
    const unsigned third = c.ticket();
    EXPECT_TRUE(c.stepOnce());
    EXPECT_FALSE(c.delayDue(third));

    // A restart while a show waits: the worker must be let go; that old delay is void too.
    c.resume();
    EXPECT_EQ(c.onShow(1, 4, false), 1000);
    const unsigned fourth = c.ticket();
    EXPECT_TRUE(c.onStart(2));
    EXPECT_FALSE(c.delayDue(fourth));
    EXPECT_FALSE(c.onStart(3));  // nothing waits now

    // Stop during a delay: nothing to let go afterwards, and the state says where it stopped.
    EXPECT_EQ(c.onShow(3, 1, false), 1000);
    c.onStopped(3, 1);
    EXPECT_FALSE(c.delayDue(c.ticket()));
    EXPECT_EQ(c.stateText(), "Stopped at step 1");
}

TEST(RunControl, ShowsAndEndsOfAnEarlierRunAreNotCounted)
{
    CRunControl c;
    c.pause();
    c.onStart(1);
    EXPECT_EQ(c.onShow(1, 1, false), CRunControl::HOLD);
    EXPECT_TRUE(c.onStart(2));  // an edit while paused: the held show must go on
    // The old run's next show, on its way to the restart, goes on at once and counts nothing.
    EXPECT_EQ(c.onShow(1, 2, false), 0);
    EXPECT_EQ(c.step(), 0);
    c.onFinished(1, false);
    EXPECT_TRUE(c.inRun());
    // The restarted run is paused after its first step.
    EXPECT_EQ(c.onShow(2, 1, false), CRunControl::HOLD);
    EXPECT_EQ(c.stateText(), "Paused");

    c.onStopped(2, 1);
    EXPECT_EQ(c.stateText(), "Stopped at step 1");
    c.onStopped(2, 2);  // stopping an ended or stopped run changes nothing
    EXPECT_EQ(c.stateText(), "Stopped at step 1");

    c.onStart(3);
    EXPECT_EQ(c.onShow(3, 1, true), 0);
    c.onFinished(3, true);
    EXPECT_EQ(c.stateText(), "Nothing to run");
    c.onStart(4);
    c.onShow(4, 1, true);
    c.onFinished(4, false);
    EXPECT_EQ(c.stateText(), "Ended after 1 step");
}

// Step pauses the run it steps, whether it was held, going freely or waiting out a delay; the
// pause ends with that run, so the next Start runs freely.
TEST(RunControl, StepPausesTheRunItStepsAndThePauseEndsWithTheRun)
{
    for (int speed : {0, 1}) {
        SCOPED_TRACE(speed);
        SPacedControl paced;
        CRunControl& c = paced.c;
        c.setSpeed(speed);
        c.onStart(1);
        EXPECT_EQ(c.onShow(1, 1, false), FirstDelay(speed));
        EXPECT_EQ(c.stepOnce(), speed != 0);  // a show waiting out its delay goes at once
        EXPECT_EQ(c.onShow(1, 2, false), CRunControl::HOLD);
        EXPECT_EQ(c.onShow(1, 3, true), 0);
        c.onFinished(1, false);
        EXPECT_FALSE(c.isPaused());
        c.onStart(2);
        EXPECT_EQ(c.onShow(2, 1, false), FirstDelay(speed));
        c.stepOnce();
        c.onStopped(2, 1);
        EXPECT_FALSE(c.isPaused()) << "a stopped run takes its pause with it";
    }
}

// Stop counts the step the worker last wrote to the space, also when its show was still on its
// way; the step and state go when the space is replaced, but never during a run.
TEST(RunControl, StopCountsTheStepInTheSpaceAndAReplacedSpaceForgetsIt)
{
    CRunControl c;
    c.onStart(2);
    EXPECT_EQ(c.onShow(2, 1, false), 0);
    c.forgetRun();
    EXPECT_EQ(c.stateText(), "Running");
    c.onStopped(2, 2);
    EXPECT_EQ(c.stateText(), "Stopped at step 2");
    c.forgetRun();
    EXPECT_EQ(c.stateText(), "");
    EXPECT_EQ(c.step(), 0);
    c.onStart(3);
    c.onStopped(2, 5);  // the last show written was an earlier run's
    EXPECT_EQ(c.stateText(), "Stopped at step 0");
}

// Each speed runs the steps a second its name promises, whatever a step and its drawing take
// within the period and however late the delay's timer fires: the delays make up the rest. The
// time is a clock the test moves, so the figures do not depend on the machine.
TEST(RunControl, EachSpeedRunsTheStepsItPromises)
{
    const int steps = 60;
    for (int speed = 1; speed < CRunControl::speedCount(); speed++)
        for (int work : {0, 40, 90}) {
            for (int late : {0, 8}) {
                SCOPED_TRACE(testing::Message() << "speed " << speed << ", " << work << " ms a step, timer " << late << " ms late");
                SPacedControl p;
                p.c.setSpeed(speed);
                p.c.onStart(1);
                for (int k = 1; k <= steps; k++) {
                    p.t += work;
                    const int delay = p.c.onShow(1, k, false);
                    ASSERT_GE(delay, 0);
                    if (delay == 0) continue;
                    p.t += delay + late;
                    ASSERT_TRUE(p.c.delayDue(p.c.ticket()));
                }
                const double perSecond = steps * 1000.0 / double(p.t);
                const int promised = CRunControl::speedAt(speed).stepsPerSecond;
                EXPECT_NEAR(perSecond, promised, promised * 0.01);
            }
        }
    // A step that takes longer than the period goes on at once, and the next one gets no burst.
    SPacedControl p;
    p.c.setSpeed(1);
    p.c.onStart(1);
    p.t += 250;
    EXPECT_EQ(p.c.onShow(1, 1, false), 0);
    p.t += 30;
    EXPECT_EQ(p.c.onShow(1, 2, false), 70);
}
