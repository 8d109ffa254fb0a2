// CMatchContext on hand-built units: passes and their texts, the incremental search, the mark
// rule, sends and receives, device pictures, variable binding and end messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "interpreter/interpreter.h"
#include "interpreter/matchtestkit.h"
#include "space/cellcodes.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, B = CELL_BLUE, W = CELL_WHITE, Y = CELL_YELLOW,
              P = CELL_PURPLE, K = CELL_BLACK, ANY = CELL_ANY;

// The positions kept for each pair of the program's one group, in the group's stored order.
std::vector<int> positionCounts(const CMatchContext& ctx)
{
    std::vector<int> out;
    ctx.program.ruleGroups.forEach(
        [&](const CSpacePairList& g) { g.forEach([&](const CSpacePair& p) { out.push_back(p.cells.count()); }); });
    return out;
}
}  // namespace

TEST(MatchContext, APassStepsThroughItsGroupsReportsOnceThenEnds)
{
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}}), ruleGroup(3, {{row({W}), row({B})}})}),
                               row({R, 0, 0}));
    std::vector<std::string> texts;
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(ctx.step(), 0);
        texts.push_back(ctx.statusText());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"", "0/2 ", "1/2 ", "Done "}));
    EXPECT_EQ(ctx.view.get(0, 0, 0), G) << "the pass's writes reach the unit when it closes";
    EXPECT_EQ(ctx.step(), 1);
    EXPECT_EQ(ctx.writes.count(), 1);

    ctx.writes.clear();
    EXPECT_EQ(stepsToReport(ctx), 5);  // nothing matches now
    EXPECT_EQ(ctx.statusText(), "End ");
    EXPECT_EQ(ctx.step(), 1) << "an ended unit reports in every later step";
    EXPECT_TRUE(ctx.endMessages.isEmpty()) << "no reply key: no end message";
}

TEST(MatchContext, TheFirstPassTriesPositionsStartingOutsideAndTheirRightSidesWriteThere)
{
    // The left side's wildcard hangs over the left edge at x = -1; its blue lands outside, where
    // the unit's own cells ignore it but the writes carry it on to the document.
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({ANY, R}), row({B, G})}})}), row({R, 0, R}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_EQ(positionCounts(ctx), std::vector<int>{2});
    EXPECT_TRUE(ctx.view.isEqual(row({G, B, G})));
    std::vector<std::pair<int, int>> written;  // (x, value)
    CCell c;
    while (ctx.writes.pop(c)) written.emplace_back(c.x, c.value);
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::pair<int, int>>{{-1, B}, {0, G}, {1, B}, {2, G}}));
}

TEST(MatchContext, ChangedBoxesAreScannedInTheOrderFoundAndTheLaterMatchWinsASharedCell)
{
    // Pass 1 turns the whites at 0 and 3 red; pass 2 finds the reds by scanning the changed boxes,
    // the first box found first. Both right sides cover cell 3: the match found later (at 3)
    // writes it last and wins.
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({W}), row({R})}}),
                                          ruleGroup(3, {{row({R}), row({G, B, B, B})}})}),
                               row({W, 0, 0, W, 0, 0, 0, 0}));
    ASSERT_EQ(stepsToReport(ctx), 5);
    EXPECT_TRUE(ctx.view.isEqual(row({R, 0, 0, R, 0, 0, 0, 0})));
    ASSERT_EQ(stepsToReport(ctx), 5);
    EXPECT_TRUE(ctx.view.isEqual(row({G, B, B, G, B, B, B, 0})));
}

TEST(MatchContext, AGroupWaitingForOnePairFiresWhenItAppearsAtItsOldPositions)
{
    // Pass 1: the red pair matches but black is nowhere, so group A waits while B draws black.
    // Pass 2 scans only around that black; the red is found again at its old position.
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}, {row({K}), row({K})}}),
                                          ruleGroup(3, {{row({W}), row({K})}})}),
                               row({R, 0, 0, 0, W}));
    int passes = 0;
    while (!ctx.isEnded() && passes < 10) {
        ASSERT_GT(stepsToReport(ctx), 0);
        passes++;
    }
    EXPECT_EQ(passes, 3);
    EXPECT_TRUE(ctx.view.isEqual(row({G, 0, 0, 0, K})));
}

// Old positions that match again are recorded in the order their set pops them, which here
// (x first) is not the order the first pass found them in (z first). That order reaches the
// changed boxes, and through them the next pass's search.
TEST(MatchContext, OldPositionsMatchingAgainAreRecordedInPopOrder)
{
    CSpace unit(3, 1, 2, 0);
    for (int z = 0; z < 2; z++) {
        unit.set(0, 0, z, R);
        unit.set(2, 0, z, R);
    }
    unit.set(1, 0, 0, K);
    // Pass 1: the red pair matches four times but white is nowhere, so A waits while B turns the
    // black cell white. Pass 2 takes A's pairs the other way round: the white around the box that
    // changed, then the reds again at their old positions.
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}, {row({W}), row({K})}}),
                                          ruleGroup(3, {{row({K}), row({W})}})}),
                               unit);
    ASSERT_GT(stepsToReport(ctx), 0);
    ASSERT_GT(stepsToReport(ctx), 0);
    std::vector<std::vector<int>> boxes;
    ctx.dirtyBoxes.forEach([&](const CBox& b) { boxes.push_back({b.x0, b.y0, b.z0}); });
    EXPECT_EQ(boxes, (std::vector<std::vector<int>>{{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {2, 0, 0}, {2, 0, 1}}));
    EXPECT_EQ(ctx.view.get(2, 0, 1), G);
}

// Large position sets are laid out again and their memory passed from rule to rule; no rule
// may start with cells another one found. A right side of two cells takes the walk that lays
// the 4,096 positions out before reading them.
TEST(MatchContext, EveryRuleKeepsOnlyThePositionsItFound)
{
    const int n = 4096;
    CSpace unit(2 * n, 1, 1, 0);
    for (int i = 0; i < n; i++) unit.set(2 * i, 0, 0, R);
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R, 0}), row({G, 0})}}),
                                          ruleGroup(3, {{row({G, 0}), row({R, 0})}})}),
                               unit);
    for (int pass = 1; pass <= 3; pass++) {
        ASSERT_GT(stepsToReport(ctx), 0);
        // The group that turned the row is kept with its positions; the other found none.
        std::vector<int> expected = pass % 2 ? std::vector<int>{0, n} : std::vector<int>{n, 0};
        EXPECT_EQ(positionCounts(ctx), expected) << "pass " << pass;
        EXPECT_EQ(ctx.view.get(2 * n - 2, 0, 0), pass % 2 ? G : R);
    }
}

// A position in the reach of two changed boxes is tested and recorded once, also for a rule
// that kept no positions from the last pass.
TEST(MatchContext, APositionNearTwoChangedBoxesIsRecordedOnce)
{
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}}),
                                          ruleGroup(3, {{row({G, G}), row({B, B})}})}),
                               row({R, R, 0}));
    ASSERT_GT(stepsToReport(ctx), 0);  // the reds turn green: two boxes side by side
    ASSERT_GT(stepsToReport(ctx), 0);  // the green pair is found where both boxes reach
    int twoWide = -1;
    ctx.program.ruleGroups.forEach([&](const CSpacePairList& g) {
        g.forEach([&](const CSpacePair& p) {
            if (p.first.getSizeX() == 2) twoWide = p.cells.count();
        });
    });
    EXPECT_EQ(twoWide, 1);
    ASSERT_FALSE(ctx.applied.empty());
    EXPECT_EQ(ctx.applied.back().positions, 1);
    EXPECT_TRUE(ctx.view.isEqual(row({B, B, 0})));
}

TEST(MatchContext, LaterPassesSearchOnlyOldPositionsAndChangedBoxes)
{
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R, 0}), row({G, 0})}})}), row({R, 0, 0, 0, 0}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    ctx.view.set(4, 0, 0, R);  // far from the box the pass changed: not looked at
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_EQ(ctx.isEnded(), 1);

    ctx = unitOf(programOf({ruleGroup(3, {{row({R, 0}), row({G, 0})}})}), row({R, 0, 0, 0, 0}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    ctx.view.set(1, 0, 0, R);  // inside that box: found
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_EQ(ctx.view.get(1, 0, 0), G);
}

// The changed boxes become the next pass's search region once each, in the order found: two
// pairs landing on the same cells add each box once.
TEST(MatchContext, ChangedBoxesAreKeptOnceEvenWhenFoundTwice)
{
    auto boxesOf = [](const CMatchContext& ctx) {
        std::vector<std::vector<int>> out;
        ctx.dirtyBoxes.forEach([&](const CBox& b) { out.push_back({b.x0, b.y0, b.z0, b.x1, b.y1, b.z1}); });
        return out;
    };
    CMatchContext twoPairs =
        unitOf(programOf({ruleGroup(3, {{row({R}), row({G, 0})}, {row({R}), row({B, 0})}})}), row({0, R, 0, R}));
    ASSERT_EQ(stepsToReport(twoPairs), 4);
    EXPECT_EQ(boxesOf(twoPairs), (std::vector<std::vector<int>>{{1, 0, 0, 2, 0, 0}, {3, 0, 0, 4, 0, 0}}));
}

// A pass writes only the cells where a right side differs from the unit: a rule repainting
// whatever it matches leaves the cells that have its colour already out of the writes.
TEST(MatchContext, ARepaintWritesOnlyTheCellsThatChange)
{
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({CELL_ANY}), row({G})}})}), row({G, R, G, B}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    std::vector<int> written;
    ctx.writes.forEachCell([&](const CCell& c) { written.push_back(c.x); });
    EXPECT_EQ(written, (std::vector<int>{1, 3}));
    EXPECT_TRUE(ctx.view.isEqual(row({G, G, G, G})));

    // Where it differs everywhere, every position is written, in the order found.
    ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}})}), row({R, B, R, R}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    written.clear();
    ctx.writes.forEachCell([&](const CCell& c) { written.push_back(c.x * 1000 + c.value); });
    EXPECT_EQ(written, (std::vector<int>{G, 2000 + G, 3000 + G}));
}

TEST(MatchContext, AGroupWithAPairMatchingNowhereIsNotAppliedButKeepsPositions)
{
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G})}, {row({Y}), row({B})}})}), row({R, 0, R}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_EQ(ctx.isEnded(), 1);
    EXPECT_TRUE(ctx.writes.isEmpty());
    EXPECT_EQ(positionCounts(ctx), (std::vector<int>{0, 2})) << "pairs come back in reverse order";
}

TEST(MatchContext, AnEndedUnitWithAReplyKeySendsItsCornerBack)
{
    CUnitProgram p = programOf({});
    p.ownKey = CKey(CSpace(2, 1, 1, K), 4);
    p.replyKey = CKey(CSpace(1, 1, 1, K), 1);
    CMatchContext ctx = unitOf(p, row({R, G, W}));
    ASSERT_EQ(stepsToReport(ctx), 3);
    CMessage end;
    ASSERT_TRUE(ctx.popEndMessage(end));
    EXPECT_TRUE(end.key.isEqual(p.replyKey));
    EXPECT_TRUE(end.shape.isEqual(p.ownKey.icon));
    EXPECT_TRUE(end.data.isEqual(row({R, G}))) << "the cells at the corner, as large as the name";
    EXPECT_EQ(end.value, 4);
    EXPECT_FALSE(ctx.popEndMessage(end));
}

TEST(MatchContext, AfterAnOwnMarkOnlyThatMarkApplies)
{
    // Each group matches the whole unit once and turns its own cell green.
    auto paint = [](int mark, int x) {
        CSpace right = row({ANY, ANY, ANY, ANY, ANY});
        right.set(x, 0, 0, G);
        return ruleGroup(mark, {{row({R, R, R, R, R}), right}});
    };
    CMatchContext blocked = unitOf(programOf({paint(3, 0), paint(3, 1), paint(4, 2), paint(1, 3)}), row({R, R, R, R, R}));
    stepsToReport(blocked);
    EXPECT_TRUE(blocked.view.isEqual(row({G, G, R, R, R})));

    CMatchContext devicesFirst =
        unitOf(programOf({paint(1, 0), paint(2, 1), paint(4, 2), paint(3, 3), paint(4, 4)}), row({R, R, R, R, R}));
    stepsToReport(devicesFirst);
    EXPECT_TRUE(devicesFirst.view.isEqual(row({G, G, G, R, G}))) << "marks 1 and 2 never block";
}

TEST(MatchContext, ASendIconSendsOnePerPositionAndWritesNothing)
{
    CUnitProgram p = programOf({ruleGroup(3, {{row({R, W}), row({Y, ANY})}})});
    // Tried from the back: pale is not in the right side, yellow is and decides.
    p.sendIcons.push(CSpace(1, 1, 1, CELL_PALE));
    p.sendIcons.push(CSpace(1, 1, 1, Y));
    p.sendIcons.push(row({Y, ANY}));
    p.ownKey = CKey(CSpace(1, 1, 1, K), 1);
    CMatchContext ctx = unitOf(p, row({R, W, 0, R, W}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_EQ(ctx.statusText(), "Done ");
    EXPECT_TRUE(ctx.writes.isEmpty());
    EXPECT_TRUE(ctx.dirtyBoxes.isEmpty());
    int sends = 0;
    CMessage m;
    for (; ctx.popSendMessage(m); sends++) {
        EXPECT_TRUE(m.key.isEqual(p.ownKey));
        EXPECT_TRUE(m.shape.isEqual(CSpace(1, 1, 1, Y)));
        EXPECT_TRUE(m.data.isEqual(row({R}))) << "the cells under the match, as large as the icon";
    }
    EXPECT_EQ(sends, 2);
}

TEST(MatchContext, ReceivesTakeResultsByIdAndSleepWhenNoneIsQueued)
{
    CUnitProgram p = programOf({ruleGroup(3, {{row({R}), row({Y})}})});
    p.sendIcons.push(CSpace(1, 1, 1, Y));
    p.pendingReceives = 2;
    CMatchContext ctx = unitOf(p, row({R, 0, R, 0, R}));
    ctx.step();
    ctx.step();
    EXPECT_EQ(ctx.statusText(), "zzz ");
    EXPECT_EQ(ctx.work.ruleGroups.count(), 1) << "asleep: no group was taken";

    // Results arrive out of order; the third position finds no result 3 and keeps its yellow.
    for (auto [colour, id] : {std::pair{B, 2}, std::pair{W, 4}, std::pair{G, 1}}) {
        ctx.program.receivedData.push(CSpace(1, 1, 1, colour));
        ctx.program.receivedIds.push(id);
    }
    ctx.program.pendingReceives = 3;
    ASSERT_EQ(stepsToReport(ctx), 3);
    EXPECT_EQ(ctx.receiveCount, 3);
    EXPECT_EQ(ctx.program.pendingReceives, 0);
    EXPECT_TRUE(ctx.sendMessages.isEmpty());
    std::vector<int> got = {ctx.view.get(0, 0, 0), ctx.view.get(2, 0, 0), ctx.view.get(4, 0, 0)};
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<int>{B, G, Y}));
    ASSERT_EQ(ctx.program.receivedIds.count(), 1);
    ctx.program.receivedData.forEach([](const CSpace& d) { EXPECT_EQ(d.get(0, 0, 0), W); });
}

TEST(MatchContext, DeviceGroupsDrawAFreshRandomPictureAndTheLatchedMouse)
{
    CInputDevices clicked;
    clicked.pressLeft();
    clicked.latch();
    const CSpace dice = clicked.getRandomIcon(), mouse = clicked.getMouseIcon();
    // Marks 1 and 2 are the device groups; an own group (mark 3) draws the icon as it is.
    for (int mark : {1, 2, 3}) {
        for (const CSpace* icon : {&dice, &mouse}) {
            CSpace unit(10, 1, 9, 0);
            unit.paste(1, 0, 1, *icon);
            CMatchContext ctx = unitOf(programOf({ruleGroup(mark, {{*icon, *icon}})}), unit);
            ctx.setDevices(clicked);
            ASSERT_EQ(stepsToReport(ctx), 4);
            if (mark == 3) {
                EXPECT_TRUE(ctx.writes.isEmpty());
                continue;
            }
            ASSERT_EQ(ctx.writes.count(), 1) << "mark " << mark;
            CCell c;
            ctx.writes.pop(c);
            EXPECT_EQ(c.value, R);
            if (icon == &dice)
                EXPECT_TRUE((c.x == 6 || c.x == 7) && c.y == 0 && c.z == 6) << c.x << "," << c.z;
            else
                EXPECT_TRUE(c.x == 2 && c.y == 0 && c.z == 2) << "the left button's hole: " << c.x << "," << c.z;
        }
    }
}

TEST(MatchContext, VariablesCarryWhatTheyMatchedIntoTheRightSide)
{
    // Purple is the variable: in a left side it matches anything.
    CUnitProgram swap = programOf({ruleGroup(3, {{row({W, P, ANY}), row({P, W, ANY})}})});
    swap.variableIcons.push(CSpace(1, 1, 1, P));
    CMatchContext ctx = unitOf(swap, row({W, R, G}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_TRUE(ctx.view.isEqual(row({R, W, G})));

    // Used only on the right: the picture comes from the first pair in evaluation order whose left
    // side holds the variable (yellow's, capturing green), at that pair's position. A variable's
    // own wildcard cell leaves the right side's cell as drawn.
    CUnitProgram borrow = programOf({ruleGroup(
        3, {{row({Y, P, ANY}), row({ANY})}, {row({W, P, ANY}), row({ANY})}, {row({B, B}), row({P, K})}})});
    borrow.variableIcons.push(row({P, ANY}));
    ctx = unitOf(borrow, row({Y, G, W, R, B, B}));
    ASSERT_EQ(stepsToReport(ctx), 4);
    EXPECT_TRUE(ctx.view.isEqual(row({Y, G, W, R, G, K})));
}

TEST(MatchContext, ALongSearchStepChecksForInterruptionAsItGoes)
{
    // About 18000 positions to test: the check runs several times within the one step, and a
    // check that throws abandons the step there.
    CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{CSpace(2, 2, 2, 0), CSpace(2, 2, 2, 0)}})}), CSpace(40, 10, 40, 0));
    int checks = 0;
    CSearchPoll poll{[&] {
        if (++checks == 3) throw CInterpreter::InterruptionForStop();
    }};
    ctx.step();  // begins the pass
    EXPECT_THROW(ctx.step(poll), CInterpreter::InterruptionForStop);
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(ctx.statusText(), "0/1 ");
}
