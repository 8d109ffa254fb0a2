// A second group applied in a pass adds its writes to the first's (the later write of a cell
// wins), unless it sends: then it writes nothing and the first group's writes stay.
#include <gtest/gtest.h>

#include <tuple>

#include "interpreter/matchtestkit.h"
#include "space/cellcodes.h"

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
