// CInterpreter driven directly on the test thread, against a link with no worker: Ready, the
// interruption points and ApplyWrites.
#include <gtest/gtest.h>

#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "space/cellcodes.h"

namespace {
struct Attached {
    Attached() { interpreter.Attach(&link); }
    CRunLink link;
    CInterpreter interpreter;
};
}  // namespace

TEST(Interpreter, ReadyCopiesTheDevicesBeforeLatchingThem)
{
    Attached a;
    a.link.devices.pressLeft();
    a.link.devices.rightLatched = 1;
    a.interpreter.contexts.push(CMatchContext());
    a.interpreter.contexts.push(CMatchContext());
    a.interpreter.pendingWrites.push(CCell(0, 0, 0, CELL_RED));

    a.interpreter.Ready();

    EXPECT_EQ(a.link.status, "Phase:Ready");
    EXPECT_EQ(a.interpreter.devices.leftClicked, 1);
    EXPECT_EQ(a.interpreter.devices.leftLatched, 0);
    EXPECT_EQ(a.interpreter.devices.rightLatched, 1);
    EXPECT_EQ(a.link.devices.leftLatched, 1);
    EXPECT_EQ(a.link.devices.leftClicked, 0);
    EXPECT_EQ(a.link.devices.rightLatched, 0);
    int refreshed = 0;
    a.interpreter.contexts.forEach([&](const CMatchContext& c) { refreshed += c.devices.leftClicked; });
    EXPECT_EQ(refreshed, 2) << "every context gets the new snapshot";
    EXPECT_TRUE(a.interpreter.pendingWrites.isEmpty());
    EXPECT_EQ(a.interpreter.phase, CInterpreter::PHASE_SEPARATE);

    a.interpreter.separateNext = 0;
    a.interpreter.Ready();
    EXPECT_EQ(a.interpreter.phase, CInterpreter::PHASE_MATCH);
}

TEST(Interpreter, StopIsTestedBeforeRestartAndEachTestConsumes)
{
    Attached a;
    a.interpreter.CheckInterruption();  // nothing pending: returns
    a.link.goEvent.set();
    a.link.stopEvent.set();
    EXPECT_THROW(a.interpreter.CheckInterruption(), CInterpreter::InterruptionForStop);
    EXPECT_THROW(a.interpreter.CheckInterruption(), CInterpreter::InterruptionForRestart);
    EXPECT_NO_THROW(a.interpreter.CheckInterruption());

    a.interpreter.Detach();
    a.link.stopEvent.set();
    EXPECT_NO_THROW(a.interpreter.CheckInterruption()) << "no link, nothing to check";
    EXPECT_TRUE(a.link.stopEvent.tryConsume());
}

TEST(Interpreter, AnInterruptedScanStopsBeforeItsFirstCell)
{
    Attached a;
    a.link.space = CSpace(2, 2, 2, 0);
    a.link.stopEvent.set();
    EXPECT_THROW(a.interpreter.Step(), CInterpreter::InterruptionForStop);
    EXPECT_EQ(a.link.status, "Phase:Ready");

    a.interpreter.separateNext = 1;  // as at the start of every run
    a.link.goEvent.set();
    EXPECT_THROW(a.interpreter.Step(), CInterpreter::InterruptionForRestart);
}

TEST(Interpreter, ApplyWritesCopiesPendingWritesIntoTheDocument)
{
    Attached a;
    a.link.space = CSpace(3, 1, 3, 0);
    CCellSet& writes = a.interpreter.pendingWrites;
    writes.push(CCell(0, 0, 0, CELL_RED));
    writes.push(CCell(2, 0, 1, CELL_GREEN));
    writes.push(CCell(2, 0, 1, CELL_BLUE));   // a later write to a cell wins
    writes.push(CCell(1, 0, 2, CELL_ANY));    // "any" is never written
    writes.push(CCell(5, 0, -1, CELL_BLUE));  // outside: ignored

    a.interpreter.ApplyWrites();

    EXPECT_EQ(a.link.space.get(0, 0, 0), CELL_RED);
    EXPECT_EQ(a.link.space.get(2, 0, 1), CELL_BLUE);
    EXPECT_EQ(a.link.space.get(1, 0, 2), 0);
    EXPECT_EQ(a.link.space.countNonEmpty(), 2);
    EXPECT_EQ(writes.count(), 3) << "the pending writes stay until the next Ready";
}
