// Applying a second group in one pass: its writes join the first group's (the later write of a
// cell wins), unless it sends, when it writes nothing and the first group's writes stay.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/matchtestkit.h"
#include "space/cellcodes.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, W = CELL_WHITE, Y = CELL_YELLOW, K = CELL_BLACK, ANY = CELL_ANY;
}  // namespace

TEST(ApplyGroup, ASecondGroupInAPassAddsItsWritesUnlessItSends)
{
    struct Case {
        const char* what;
        CSpace secondRight;  // the second group turns (R, W) into this
        CSpace expected;
        int sends;
    };
    const std::vector<Case> cases = {
        {"plain: the later write of the shared cell wins", row({Y, Y}), row({G, Y, Y}), 0},
        {"sending: nothing of it is written", row({Y, ANY}), row({G, G, W}), 1},
        {"plain, writing nothing new", row({ANY, ANY}), row({G, G, W}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CSpacePairList first = ruleGroup(3, {{row({R, R}), row({G, G})}});
        const CSpacePairList second = ruleGroup(3, {{row({R, W}), c.secondRight}});
        CUnitProgram p = programOf({first, second});
        if (c.sends) p.sendIcons.push(CSpace(1, 1, 1, Y));
        p.ownKey = CKey(CSpace(1, 1, 1, K), 1);
        CMatchContext ctx = unitOf(p, row({R, R, W}));
        ASSERT_GT(stepsToReport(ctx), 0);
        EXPECT_TRUE(ctx.view.isEqual(c.expected));
        int sends = 0;
        for (CMessage m; ctx.popSendMessage(m);) sends++;
        EXPECT_EQ(sends, c.sends);
        EXPECT_EQ(ctx.applied.size(), 2u) << "both groups applied in the pass";
    }
}
