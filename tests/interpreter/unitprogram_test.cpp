// CMatchContextList as a value: its own copy and assignment carry the sweep status and copies of
// the contexts. (CUnitProgram and CMatchContext copy member by member, as the compiler writes it.)
#include <gtest/gtest.h>

#include "interpreter/matchcontextlist.h"
#include "space/cellcodes.h"

TEST(MatchContextList, CopiesAndAssignmentsCarryTheStatusAndOwnTheirContexts)
{
    CMatchContext c;
    c.program.ownKey = CKey(CSpace(1, 1, 1, CELL_BLACK), 2);
    c.state = CMatchContext::State::Applied;
    CMatchContextList list;
    list.push(c);
    list.push(c);
    list.status = CMatchContextList::Status::Reported;

    CMatchContextList copied(list);
    CMatchContextList assigned;
    assigned.push(CMatchContext());
    assigned = list;
    assigned = assigned;  // self-assignment keeps everything
    list.forEachContext([](CMatchContext& k) { k.state = CMatchContext::State::Ended; });
    list.clear();
    list.status = CMatchContextList::Status::Quiet;

    for (const CMatchContextList* l : {&copied, &assigned}) {
        EXPECT_EQ(l->status, CMatchContextList::Status::Reported);
        ASSERT_EQ(l->count(), 2);
        l->forEach([](const CMatchContext& k) {
            EXPECT_EQ(k.state, CMatchContext::State::Applied);
            EXPECT_EQ(k.program.ownKey.value, 2);
        });
    }
}
