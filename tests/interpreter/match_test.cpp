// The Match phase: sweeps over the unit list, and CInterpreter::Match against a link (status
// text, end of a step or of the run, writes into the document, every unit asleep).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "interpreter/interpreter.h"
#include "interpreter/matchtestkit.h"
#include "run/runlink.h"
#include "space/cellcodes.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, B = CELL_BLUE;

struct Attached {
    Attached()
    {
        interpreter.Attach(&link);
        interpreter.phase = CInterpreter::PHASE_MATCH;
    }
    CRunLink link;
    CInterpreter interpreter;
};

struct Sweep {
    int reported = 0;
    std::string text;
    CCellSet writes;
    CMessageList ends, sends;
};

Sweep sweepUntilReport(CMatchContextList& list)
{
    Sweep s;
    for (int i = 0; i < 100 && !s.reported; i++) {
        s = Sweep();
        s.reported = list.matchSweep(s.writes, s.ends, s.sends, s.text);
    }
    return s;
}
}  // namespace

TEST(MatchSweep, TheLaterUnitInTheListWinsACell)
{
    // Both units write document cell (4, 1, 2); the one nearer the tail wins it.
    CMatchContextList list;
    list.push(unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}})}), row({R, 0}), CCell(4, 1, 2, 0)));
    list.push(unitOf(programOf({ruleGroup(3, {{row({R}), row({B})}})}), row({R, R}), CCell(4, 1, 2, 0)));
    Sweep s = sweepUntilReport(list);
    EXPECT_EQ(s.text, "Done Done ");
    ASSERT_EQ(s.writes.count(), 2);
    CCell c;
    while (s.writes.pop(c)) EXPECT_EQ(c.value, c.x == 4 ? G : B) << c.x;

}

TEST(MatchSweep, FinishesOnlyWhenEveryUnitReportsItsEnd)
{
    CMatchContextList list;
    list.push(unitOf(programOf({}), row({R})));
    list.push(unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}})}), row({R})));
    std::vector<std::string> texts;
    while (!list.isFinished() && texts.size() < 20) {
        Sweep s;
        list.matchSweep(s.writes, s.ends, s.sends, s.text);
        texts.push_back(s.text);
    }
    // An ended unit shows "End " from then on; beginning a pass leaves the last text standing.
    EXPECT_EQ(texts, (std::vector<std::string>{"", "0/1 End ", "Done End ", "Done End ", "Done End ",
                                               "0/1 End ", "End End ", "End End "}));
}

TEST(Match, AnEmptyUnitListEndsTheRun)
{
    Attached a;
    a.interpreter.Match();
    EXPECT_EQ(a.interpreter.phase, CInterpreter::PHASE_RUN_OVER);
    EXPECT_EQ(a.link.status, "Phase:Match()");
}

TEST(Match, ASweepInWhichEveryUnitEndsWhileAResultIsDeliveredEndsOnlyTheStep)
{
    // Caller and instance both end in the same sweep; the instance's result goes to the caller.
    Attached a;
    const CKey caller(row({CELL_BLACK}), 1);
    CUnitProgram callerProgram = programOf({});
    callerProgram.ownKey = caller;
    CUnitProgram instance = programOf({});
    instance.ownKey = CKey(row({CELL_YELLOW}), 1);
    instance.replyKey = caller;
    a.interpreter.contexts.push(unitOf(callerProgram, row({0})));
    a.interpreter.contexts.push(unitOf(instance, row({G})));
    a.interpreter.separateNext = 0;

    a.interpreter.Match();
    EXPECT_EQ(a.interpreter.phase, CInterpreter::PHASE_STEP_DONE) << "delivery may change the space";
    EXPECT_EQ(a.interpreter.separateNext, 1);
    EXPECT_EQ(a.link.status, "Phase:Match(End End )");
}

TEST(Match, AReportedPassIsWrittenIntoTheDocumentButNeverAWildcard)
{
    Attached a;
    a.link.space = CSpace(6, 1, 3, 0);
    a.link.space.set(3, 0, 2, R);
    a.link.space.set(4, 0, 2, R);
    a.interpreter.contexts.push(
        unitOf(programOf({ruleGroup(3, {{row({R, R}), row({G, CELL_ANY})}})}), row({R, R}), CCell(3, 0, 2, 0)));

    a.interpreter.Match();
    EXPECT_EQ(a.interpreter.phase, CInterpreter::PHASE_STEP_DONE);
    EXPECT_EQ(a.link.status, "Phase:Match(Done )");
    EXPECT_EQ(a.link.space.get(3, 0, 2), G);
    EXPECT_EQ(a.link.space.get(4, 0, 2), R);
}

TEST(Match, EveryUnitAsleepSweepsSilentlyUntilStopAndRaisesTheFlag)
{
    Attached a;
    CUnitProgram waiting = programOf({ruleGroup(3, {{row({R}), row({G})}})});
    waiting.pendingReceives = 1;
    a.interpreter.contexts.push(unitOf(waiting, row({R})));
    a.interpreter.contexts.push(unitOf(waiting, row({R})));

    std::atomic<int> stopped{0};
    std::thread worker([&] {
        try {
            a.interpreter.Match();
        } catch (const CInterpreter::InterruptionForStop&) {
            stopped = 1;
        }
    });
    bool asleep = false;
    std::string status;
    for (int i = 0; i < 1000 && !asleep; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard<std::recursive_mutex> hold(a.link.mutex);
        asleep = a.link.asleep;
        status = a.link.status;
    }
    a.link.stopEvent.set();
    worker.join();
    EXPECT_TRUE(asleep);
    EXPECT_EQ(status, "Phase:Match()");
    EXPECT_EQ(stopped, 1);

    a.interpreter.Ready();
    EXPECT_FALSE(a.link.asleep) << "every step starts with the flag down";
}
