// A second group applied in a pass adds its writes to the first's (the later write of a cell
// wins), unless it sends: then it writes nothing and the first group's writes stay.
#include <gtest/gtest.h>

#include <tuple>

#include "interpreter/matchtestkit.h"
#include "space/cellcodes.h"
#include "space/cellset.h"
#include "tests/space/cellsetmodel.h"

TEST(ApplyGroup, ASecondGroupInAPassAddsItsWritesUnlessItSends)
{
    constexpr int R = CELL_RED, G = CELL_GREEN, W = CELL_WHITE, Y = CELL_YELLOW, ANY = CELL_ANY;
    // The second group turns (R, W) into `right`; yellow is a send icon when `sends`.
    for (const auto& [right, expected, sends] :
         {std::tuple{row({Y, Y}), row({G, Y, Y}), 0}, std::tuple{row({Y, ANY}), row({G, G, W}), 1},
          std::tuple{row({ANY, ANY}), row({G, G, W}), 0}}) {
        CUnitProgram p = programOf({ruleGroup(3, {{row({R, R}), row({G, G})}}), ruleGroup(3, {{row({R, W}), right}})});
        if (sends) p.sendIcons.push(CSpace(1, 1, 1, Y));
        p.ownKey = CKey(CSpace(1, 1, 1, CELL_BLACK), 1);
        CMatchContext ctx = unitOf(p, row({R, R, W}));
        ASSERT_GT(stepsToReport(ctx), 0);
        EXPECT_EQ(ctx.applied.size(), 2u) << "both groups applied in the pass";
        EXPECT_TRUE(ctx.view.isEqual(expected)) << "sends " << sends;
        int sent = 0;
        for (CMessage m; ctx.popSendMessage(m);) sent++;
        EXPECT_EQ(sent, sends);
    }
}

// Few or many, the positions a pair finds and the writes of its group lie in the order that
// pushing them one by one makes: the positions in the order searched, the writes position by
// position in the positions' order, a later write of a cell replacing the earlier one in place.
TEST(ApplyGroup, FoundPositionsAndWritesKeepThePushOrderFewOrMany)
{
    constexpr int R = CELL_RED, G = CELL_GREEN, B = CELL_BLUE;
    for (const int rows : {1, 2, 4}) {  // 6, 12 and 24 positions; 12, 24 and 48 writes pushed
        CSpace unit(3, rows, 2, R);
        CMatchContext ctx = unitOf(programOf({ruleGroup(3, {{row({R}), row({G, B})}})}), unit);
        ASSERT_GT(stepsToReport(ctx), 0);
        CCellSetModel positions, writes;
        for (int z = 0; z < 2; z++)
            for (int y = 0; y < rows; y++)
                for (int x = 0; x < 3; x++) positions.push(CCell(x, y, z, 0));
        for (CCellSetModel left(positions); !left.isEmpty();) {
            CCell p;
            left.pop(p);
            writes.push(CCell(p.x, p.y, p.z, G));
            writes.push(CCell(p.x + 1, p.y, p.z, B));  // over the unit's edge too
        }
        CCellSet found(ctx.program.ruleGroups.front()->front()->cells);
        for (CCell want; positions.pop(want);) {
            CCell got;
            ASSERT_TRUE(found.pop(got)) << rows;
            EXPECT_EQ(std::tuple(got.x, got.y, got.z), std::tuple(want.x, want.y, want.z)) << rows;
        }
        EXPECT_TRUE(found.isEmpty()) << rows;
        for (CCell want; writes.pop(want);) {
            int x = 0, y = 0, z = 0, v = 0;
            ASSERT_TRUE(ctx.popWrite(x, y, z, v)) << rows;
            EXPECT_EQ(std::tuple(x, y, z, v), std::tuple(want.x, want.y, want.z, want.value)) << rows;
        }
        int x, y, z, v;
        EXPECT_FALSE(ctx.popWrite(x, y, z, v)) << rows;
    }
}
