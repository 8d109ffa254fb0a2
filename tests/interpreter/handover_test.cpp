// The end of the Separate phase: the units it hands to Match, their order, keys and records.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/keywordicons.h"
#include "run/runlink.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
class SeparateOnly : public CInterpreter {
public:
    SeparateOnly() { Attach(&link); }
    std::vector<CMatchContext> contextsFromHead() const
    {
        std::vector<CMatchContext> list;
        contexts.forEach([&](const CMatchContext& c) { list.push_back(c); });
        return list;
    }
    CRunLink link;
};

CSpace cells(int a, int b)
{
    CSpace s(2, 1, 1, a);
    s.set(1, 0, 0, b);
    return s;
}

// A solid program: a top-level work area and a sub-program with two instance frames.
struct Drawn {
    CSpace space{70, 12, 24, 0};
    CSpace topArea = patternedContents(3, 2, 2, 1);
    DrawnBlock work, window;
    std::vector<CSpace> instanceAreas;
    DrawnBlock instanceWork;

    Drawn()
    {
        work = drawSolidWorkArea(space, 2, 0, 14, topArea);
        std::vector<CSpace> frames = {makeThreeBlockIcon(), cells(CELL_RED, CELL_WHITE), CSpace(3, 1, 3, 0)};
        for (int i = 0; i < 2; i++) {
            CSpace instance(8, 1, 7, 0);
            instanceAreas.push_back(patternedContents(3, 1, 2, 4 + i));
            instanceWork = drawFlatWorkArea(instance, 1, 0, instanceAreas.back());
            frames.push_back(instance);
        }
        window = drawWindow(space, 2, 0, 1, frames);
    }
};
}  // namespace

TEST(SeparateHandOver, ContextsRunFromTheLastInstanceToTheTopLevelUnit)
{
    Drawn d;
    SeparateOnly in;
    in.link.space = d.space;
    in.link.devices.pressLeft();
    in.devices = in.link.devices;
    in.Separate();

    EXPECT_EQ(in.phase, CInterpreter::PHASE_MATCH);
    const std::vector<CMatchContext> units = in.contextsFromHead();
    ASSERT_EQ(units.size(), 3u);
    for (int i : {0, 1}) {
        const CMatchContext& u = units[i];
        const CCell& frame = d.window.contents[4 - i];  // the second instance comes first
        EXPECT_EQ(u.origin.x, frame.x + d.instanceWork.scan.x) << "unit " << i;
        EXPECT_TRUE(u.view.isEqual(d.instanceAreas[1 - i])) << "unit " << i;
        EXPECT_EQ(u.devices.leftClicked, 1) << "unit " << i;
        // An instance can start the sub-programs the top level declares.
        ASSERT_EQ(u.program.sendIcons.count(), 1);
        u.program.sendIcons.forEach(
            [](const CSpace& icon) { EXPECT_TRUE(icon.isEqual(cells(CELL_RED, CELL_WHITE))); });
        EXPECT_EQ(u.program.ownKey.isEmpty(), 1) << "only the top level gets the default key";
    }
    const CMatchContext& top = units[2];
    EXPECT_EQ(top.origin.x, d.work.scan.x);
    EXPECT_EQ(top.origin.y, d.work.scan.y);
    EXPECT_EQ(top.origin.z, d.work.scan.z);
    EXPECT_TRUE(top.view.isEqual(d.topArea));
    EXPECT_EQ(top.devices.leftClicked, 1);
    EXPECT_EQ(top.program.ownKey.isEqual(CKey(CSpace(1, 1, 1, CELL_BLACK), 1)), 1) << "the default key";
    EXPECT_EQ(top.program.sendIcons.count(), 1);

    ASSERT_EQ(in.instances.count(), 1);
    in.instances.forEach([&](const CInstanceRecord& r) {
        EXPECT_EQ(r.count, 3);
        EXPECT_EQ(r.anchor.x, d.window.anchor.x);
    });

    // The next Separate replaces the units and records instead of adding to them.
    in.Separate();
    EXPECT_EQ(in.contexts.count(), 3);
    EXPECT_EQ(in.instances.count(), 1);
}

TEST(SeparateHandOver, ADeclaredOwnKeyIsKeptAndWindowsAloneMakeAUnit)
{
    CSpace s(30, 8, 10, 0);
    drawWindow(s, 1, 0, 1, {makeDownArrowIcon(), cells(CELL_YELLOW, 0), cells(CELL_BLACK, CELL_BLACK)});
    SeparateOnly in;
    in.link.space = s;
    in.Separate();

    EXPECT_EQ(in.phase, CInterpreter::PHASE_MATCH);
    const std::vector<CMatchContext> units = in.contextsFromHead();
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].program.ownKey.isEqual(CKey(cells(CELL_YELLOW, 0), 2)), 1);
    EXPECT_TRUE(units[0].view.isEqual(CSpace(1, 1, 1, 0))) << "no work area: one empty cell";
    EXPECT_TRUE(in.instances.isEmpty());
}
