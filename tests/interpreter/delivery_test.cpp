// Message delivery on hand-made units: the sender's reception, the new instance frame and its
// declarations, growth of the document, results reaching callers, ended instances erased.
#include <gtest/gtest.h>

#include "interpreter/interpreter.h"
#include "interpreter/keywordicons.h"
#include "interpreter/matchtestkit.h"
#include "interpreter/window.h"
#include "run/runlink.h"
#include "space/cellcodes.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, Y = CELL_YELLOW, K = CELL_BLACK, W = CELL_WHITE;
const CKey callerKey(CSpace(1, 1, 1, K), 1);
const CSpace yellow(1, 1, 1, Y);

std::vector<CPlacedSpace> framesOf(CWindow w)
{
    std::vector<CPlacedSpace> frames;
    CPlacedSpace f;
    while (w.popBack(f)) frames.push_back(f);
    return frames;
}

// The frames of the window whose handle is at (x, y, z), left to right; none when there is none.
std::vector<CPlacedSpace> windowAt(const CSpace& s, int x, int y, int z, CCell* anchor = nullptr)
{
    CPatternSpace scan(s);
    CWindow w;
    if (!scan.findWindow(x, y, z, w)) return {};
    if (anchor) *anchor = w.anchor;
    return framesOf(w);
}

struct Delivery {
    Delivery()
    {
        interpreter.Attach(&link);
        interpreter.separateNext = 0;
        link.space = CSpace(40, 10, 30, 0);
    }
    void addUnit(const CUnitProgram& p, const CSpace& cells, CCell origin)
    {
        interpreter.contexts.push(unitOf(p, cells, origin));
    }
    void addCaller(int x, int y, int z, const CKey& key = callerKey)
    {
        CUnitProgram p;
        p.ownKey = key;
        addUnit(p, CSpace(3, 1, 1, 0), CCell(x, y, z, 0));
    }
    void addRecord(const CSpace& name, const CSpace& area, int x, int y, int z)
    {
        CInstanceRecord r;
        r.icon = name;
        r.area = area;
        r.count = 1;
        r.anchor = CCell(x, y, z, 0);
        interpreter.instances.push(r);
    }
    void send(const CSpace& shape, const CSpace& data, const CKey& from = callerKey)
    {
        CMessage m;
        m.key = from;
        m.shape = shape;
        m.data = data;
        CMessageList sends;
        sends.push(m);
        interpreter.deliverSendMessages(sends);
    }
    void end(const CMessage& m)
    {
        CMessageList ends;
        ends.push(m);
        interpreter.deliverEndMessages(ends);
    }
    CMatchContext caller()
    {
        CMatchContext found;
        interpreter.contexts.forEach([&](const CMatchContext& c) {
            if (c.program.ownKey.isEqual(callerKey)) found = c;
        });
        return found;
    }
    CInstanceRecord record()
    {
        CInstanceRecord r;
        interpreter.instances.forEach([&](const CInstanceRecord& each) { r = each; });
        return r;
    }
    CRunLink link;
    CInterpreter interpreter;
};

CSpace counter(int n)
{
    CSpace c(5, 5, 5, 0);
    c.fillCount(n);
    return c;
}
}  // namespace

TEST(Delivery, TheFirstSendDrawsAReceptionAndTheSecondCounts)
{
    for (int taken : {0, 1}) {
        Delivery d;
        if (taken) d.link.space.set(30, 3, 7, W);  // inside the box the reception would take
        d.addCaller(5, 2, 6);
        d.addRecord(yellow, CSpace(3, 1, 1, 0), 2, 0, 12);
        d.send(yellow, CSpace(1, 1, 1, R));
        EXPECT_EQ(d.interpreter.separateNext, 1);

        // 15 wide, at the right end (or beyond it), one row below and one in front of the origin.
        const int x = taken ? 41 : 25;
        EXPECT_EQ(d.link.space.getSizeX(), taken ? 40 + 15 + 1 : 40);
        std::vector<CPlacedSpace> frames = windowAt(d.link.space, x, 1, 5);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_TRUE(frames[0].isEqual(makeArrowCrossIcon()));
        EXPECT_TRUE(frames[1].isEqual(counter(1)));
        const CUnitProgram p = d.caller().program;
        EXPECT_EQ(p.receiveSet, 1);
        EXPECT_EQ(p.receiveIcon.x, frames[1].x);
        EXPECT_EQ(p.receiveIcon.z, frames[1].z);

        d.send(yellow, CSpace(1, 1, 1, R));
        EXPECT_EQ(d.caller().program.pendingReceives, 2);
        frames = windowAt(d.link.space, x, 1, 5);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_TRUE(frames[1].isEqual(counter(2)));
    }
}

TEST(Delivery, SendersSharingAKeyAreServedOldestFirst)
{
    // Neither sender has a reception yet; the older one's place at the right end is taken, so it
    // goes beyond the end, and the newer one's place at the new end is the same column.
    Delivery d;
    d.link.space.set(30, 3, 7, W);
    d.addCaller(5, 2, 6);   // older
    d.addCaller(5, 2, 16);  // newer
    d.addRecord(yellow, CSpace(3, 1, 1, 0), 2, 0, 2);
    d.send(yellow, CSpace(1, 1, 1, R));

    EXPECT_EQ(d.link.space.getSizeX(), 40 + 15 + 1);
    int counterX = -1;
    for (int z : {5, 15}) {
        std::vector<CPlacedSpace> frames = windowAt(d.link.space, 41, 1, z);
        ASSERT_EQ(frames.size(), 2u) << "a reception beyond the old end at z " << z;
        EXPECT_TRUE(frames[1].isEqual(counter(1)));
        counterX = frames[1].x;
    }
    EXPECT_TRUE(windowAt(d.link.space, 25, 1, 15).empty()) << "nothing at the old end";
    d.interpreter.contexts.forEach([&](const CMatchContext& c) { EXPECT_EQ(c.program.receiveIcon.x, counterX); });
}

TEST(Delivery, OfTwoDeclarationsWithOneNameTheNewestPlacesTheInstance)
{
    Delivery d;
    d.link.space = CSpace(80, 10, 60, 0);
    d.addCaller(5, 2, 6);
    d.addRecord(yellow, row({0, 0, W}), 2, 0, 2);    // older
    d.addRecord(yellow, row({0, W, 0}), 40, 0, 30);  // newer, at the head
    d.send(yellow, CSpace(1, 1, 1, R));

    EXPECT_TRUE(windowAt(d.link.space, 2, 0, 2).empty());
    const std::vector<CPlacedSpace> frame = windowAt(d.link.space, 40, 0, 30);
    ASSERT_EQ(frame.size(), 1u);
    CSpace contents;
    ASSERT_TRUE(CPatternSpace(frame[0]).findWorkArea(1, 1, 2, contents));
    EXPECT_TRUE(contents.isEqual(row({R, W, 0})));
    d.interpreter.instances.forEach([](const CInstanceRecord& r) { EXPECT_EQ(r.count, 2) << "both advance"; });
}

TEST(Delivery, ANewInstanceIsAFrameWithTheDataAndThreeDeclarations)
{
    Delivery d;
    d.link.space = CSpace(80, 10, 20, 0);  // the caller's reception stays clear of two frames
    d.addCaller(5, 2, 6);
    const CSpace area = row({0, 0, W});
    d.addRecord(yellow, area, 2, 0, 4);
    d.send(yellow, CSpace(1, 1, 1, R));

    // Margin 20: the frame reaches x = 2 + 3 + 20 - 1, y = 8 and z = 4 + 23; only the depth grew.
    EXPECT_EQ(d.link.space.getSizeX(), 80);
    EXPECT_EQ(d.link.space.getSizeY(), 10);
    EXPECT_EQ(d.link.space.getSizeZ(), 4 + 23 + 1);
    CCell anchor;
    const std::vector<CPlacedSpace> frame = windowAt(d.link.space, 2, 0, 4, &anchor);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_TRUE(frame[0].getSizeX() == 22 && frame[0].getSizeY() == 8 && frame[0].getSizeZ() == 23);
    EXPECT_EQ(d.record().anchor.x, anchor.x) << "the next instance goes right after this one";
    EXPECT_EQ(d.record().count, 2);

    // Inside the frame, as unit building reads it: the work area with the data at its corner, then
    // the reply key, own key and reception declarations, each one cell behind the one before.
    CPatternSpace inside(frame[0]);
    CSpace contents;
    ASSERT_TRUE(inside.findWorkArea(1, 1, 2, contents));
    EXPECT_TRUE(contents.isEqual(row({R, 0, W})));
    const CKey own(yellow, 1);
    const std::pair<const CPatternSpace, const CKey*> keys[] = {{makeUpArrowIcon(), &callerKey},
                                                                {makeDownArrowIcon(), &own}};
    for (int i = 0; i < 2; i++) {
        CWindow w;
        ASSERT_TRUE(inside.findWindow(5, 0, 1 + 7 * i, w));
        std::vector<CPlacedSpace> f = framesOf(w);
        ASSERT_EQ(f.size(), 3u);
        EXPECT_TRUE(f[0].isEqual(keys[i].first));
        EXPECT_TRUE(f[1].isEqual(keys[i].second->icon));
        EXPECT_EQ(f[2].countNonEmpty(), keys[i].second->value);
    }
    CWindow reception;
    ASSERT_TRUE(inside.findWindow(5, 0, 15, reception));
    std::vector<CPlacedSpace> f = framesOf(reception);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_TRUE(f[0].isEqual(makeArrowCrossIcon()));
    EXPECT_EQ(f[1].countNonEmpty(), 0);

    // Data larger than the sub-program's work area is not copied into the next instance.
    d.send(yellow, row({R, R, R, R}));
    const std::vector<CPlacedSpace> chain = windowAt(d.link.space, 2, 0, 4);
    ASSERT_EQ(chain.size(), 2u) << "the second frame continues the chain";
    CPatternSpace next(chain[1]);
    ASSERT_TRUE(next.findWorkArea(1, 1, 2, contents));
    EXPECT_TRUE(contents.isEqual(area));
}

TEST(Delivery, TheMarginGrowsWithWideIconsAndTheDocumentWhereNeeded)
{
    struct Case {
        int nameWidth, keyWidth, margin;
    };
    for (Case c : {Case{2, 2, 20}, Case{3, 1, 21}, Case{1, 4, 22}}) {
        Delivery d;
        const CSpace name(c.nameWidth, 1, 1, Y);
        const CKey key(CSpace(c.keyWidth, 1, 1, K), 1);
        d.addCaller(0, 1, 1, key);
        d.addRecord(name, CSpace(3, 1, 1, 0), 2, 0, 4);
        d.send(name, CSpace(1, 1, 1, R), key);
        EXPECT_EQ(d.record().anchor.x, 2 + 3 + c.margin) << c.nameWidth << " " << c.keyWidth;
    }

    // The reception needs 15 + 1 more columns (the document is too low for it); the frame then
    // needs height 9; its width (to x = 29) and depth (to z = 25) fit.
    Delivery d;
    d.link.space = CSpace(20, 3, 40, 0);
    d.link.space.set(19, 2, 39, W);
    d.addCaller(5, 1, 1);
    d.addRecord(yellow, CSpace(4, 2, 1, 0), 6, 0, 2);
    d.send(yellow, CSpace(1, 1, 1, R));
    EXPECT_EQ(d.link.space.getSizeX(), 36);
    EXPECT_EQ(d.link.space.getSizeY(), 9);
    EXPECT_EQ(d.link.space.getSizeZ(), 40);
    EXPECT_EQ(d.link.space.get(19, 2, 39), W) << "growing keeps what was there";
}

TEST(Delivery, SendsThatCannotBeDrawnAreDroppedAlone)
{
    Delivery d;
    d.addCaller(5, 2, 6);
    // An instance a million cells to the right needs 10^6 x 10 x 30 cells: more than 2^28.
    const CSpace far(1, 1, 1, CELL_PALE);
    d.addRecord(far, CSpace(3, 1, 1, 0), 1000000, 0, 4);
    d.addRecord(yellow, CSpace(3, 1, 1, 0), 2, 0, 4);
    const CSpace before = d.link.space;
    d.send(far, CSpace(1, 1, 1, R));
    d.send(CSpace(1, 1, 1, W), CSpace(1, 1, 1, R));  // names no sub-program
    EXPECT_TRUE(d.link.space.isEqual(before)) << "no growth, no drawing";
    EXPECT_EQ(d.caller().program.receiveSet, 0) << "the sender waits for nothing";
    EXPECT_EQ(d.interpreter.separateNext, 0);

    // A good send after them is delivered as usual.
    d.send(yellow, CSpace(1, 1, 1, R));
    EXPECT_EQ(d.caller().program.pendingReceives, 1);
    d.interpreter.instances.forEach([&](const CInstanceRecord& r) { EXPECT_EQ(r.count, r.icon.isEqual(far) ? 1 : 2); });
}

TEST(Delivery, AResultIsNumberedByItsSendersPlaceAmongTheCallersInstances)
{
    Delivery d;
    d.addCaller(0, 0, 0);
    for (int n : {1, 2, 3}) {
        CUnitProgram p;
        p.ownKey = CKey(yellow, n);
        p.replyKey = callerKey;
        d.addUnit(p, CSpace(1, 1, 1, 0), CCell());
    }
    CMessage end;
    end.key = callerKey;
    end.shape = yellow;
    for (auto [value, colour] : {std::pair{3, G}, std::pair{2, W}}) {
        end.value = value;
        end.data = CSpace(1, 1, 1, colour);
        d.interpreter.deliverEndMessage(end);
    }
    EXPECT_EQ(d.interpreter.separateNext, 1);
    std::vector<int> ids, colours;
    const CMatchContext c = d.caller();
    c.program.receivedIds.forEach([&](int id) { ids.push_back(id); });
    c.program.receivedData.forEach([&](const CSpace& s) { colours.push_back(s.get(0, 0, 0)); });
    EXPECT_EQ(ids, (std::vector<int>{2, 3})) << "newest at the head";
    EXPECT_EQ(colours, (std::vector<int>{W, G}));
}

TEST(Delivery, EndedInstancesAreErasedNewestFirstInOneDelivery)
{
    Delivery d;
    d.link.space = CSpace(40, 10, 60, 0);
    d.addCaller(5, 2, 6);  // its reception: x 25..39, y 1..6, z 5..10
    d.addRecord(yellow, CSpace(3, 1, 1, 0), 2, 0, 30);
    d.send(yellow, CSpace(1, 1, 1, R));
    d.send(yellow, CSpace(1, 1, 1, G));
    ASSERT_EQ(d.record().count, 3);

    // The two instances as Separate builds them, the older nearer the tail; the older has ended.
    for (int n : {1, 2}) {
        CMatchContext ctx = unitOf(CUnitProgram(), CSpace(3, 1, 1, 0));
        ctx.work.ownKey = CKey(yellow, n);
        ctx.state = n == 1 ? CMatchContext::State::Ended : CMatchContext::State::Searching;
        d.interpreter.contexts.push(ctx);
    }
    d.interpreter.pendingWrites.clear();
    EXPECT_EQ(d.interpreter.removeEndedInstances(), 0) << "the older waits for the newer";
    EXPECT_EQ(d.interpreter.contexts.count(), 3);

    d.interpreter.contexts.forEachContext([](CMatchContext& c) { c.state = CMatchContext::State::Ended; });
    EXPECT_EQ(d.interpreter.removeEndedInstances(), 1);
    d.interpreter.ApplyWrites();
    EXPECT_EQ(d.interpreter.contexts.count(), 1) << "only the caller, which is not an instance";
    EXPECT_EQ(d.record().count, 1);
    EXPECT_EQ(d.record().anchor.x, 2);
    int left = 0;  // cells outside the caller's reception
    const CSpace& s = d.link.space;
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0; x < s.getSizeX(); x++)
                left += s.get(x, y, z) != 0 && !(x >= 25 && x <= 39 && y >= 1 && y <= 6 && z >= 5 && z <= 10);
    EXPECT_EQ(left, 0);
}

TEST(Delivery, AReceiverRunsToTheEndOfItsPassOrIsLeftAsleep)
{
    // Sent twice, one result back: the receiver takes it, then falls asleep mid-pass.
    Delivery d;
    CUnitProgram p = programOf({ruleGroup(3, {{row({R}), row({Y})}}), ruleGroup(3, {{row({W}), row({Y})}})});
    p.ownKey = callerKey;
    p.sendIcons.push(yellow);
    p.pendingReceives = 2;
    p.receiveSet = 1;
    p.receiveIcon = CPlacedSpace(counter(2));
    p.receiveIcon.setOrigin(30, 0, 0);
    d.addUnit(p, row({R, W}), CCell(10, 0, 20, 0));
    CMessage result;
    result.key = callerKey;
    result.shape = yellow;
    result.data = CSpace(1, 1, 1, G);
    result.value = 1;
    d.end(result);
    CMatchContext c = d.caller();
    EXPECT_EQ(c.isSleeping(), 1);
    EXPECT_EQ(c.state, CMatchContext::State::Searching);
    EXPECT_EQ(c.writes.count(), 1) << "the result waits for its pass to close";
    EXPECT_EQ(d.link.space.get(10, 0, 20), 0);
    EXPECT_TRUE(d.link.space.extract(30, 0, 0, 5, 5, 5).isEqual(counter(1)));

    // A receiver without a reception finishes its pass and draws no counter at the corner.
    Delivery e;
    e.link.space.set(0, 0, 0, W);
    CUnitProgram q = programOf({ruleGroup(3, {{row({R}), row({G})}})});
    q.ownKey = callerKey;
    e.addUnit(q, row({R}), CCell(4, 0, 4, 0));
    e.end(result);
    EXPECT_EQ(e.link.space.get(4, 0, 4), G);
    EXPECT_EQ(e.link.space.get(0, 0, 0), W);

    // Running it honours a stop request.
    Delivery f;
    f.addUnit(q, row({R}), CCell());
    f.link.stopEvent.set();
    EXPECT_THROW(f.end(result), CInterpreter::InterruptionForStop);
}

TEST(Delivery, WritesLeftOutAsChangingNothingStillCountAsAWrite)
{
    Delivery d;
    d.interpreter.writeSpace(1, 1, 1, CSpace(2, 2, 2, 0));  // empty over empty: nothing is queued
    EXPECT_EQ(d.interpreter.pendingWrites.count(), 0);
    const unsigned long writes = d.link.spaceWrites;
    d.interpreter.ApplyWrites();
    EXPECT_EQ(d.link.spaceWrites, writes + 1) << "as if the writes had been queued";
    d.interpreter.Ready();
    d.interpreter.ApplyWrites();
    EXPECT_EQ(d.link.spaceWrites, writes + 1) << "a new step starts with nothing written";
}
