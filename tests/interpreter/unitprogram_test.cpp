// CUnitProgram, CMatchContext and CMatchContextList as values: copies are deep and complete.
#include <gtest/gtest.h>

#include "interpreter/matchcontextlist.h"
#include "interpreter/unitprogram.h"
#include "space/cellcodes.h"

namespace {
CUnitProgram sampleProgram()
{
    CUnitProgram p;
    CSpacePairList group;
    group.push(CSpacePair(CSpace(1, 1, 1, CELL_RED), CSpace(1, 1, 1, CELL_BLUE)));
    group.mark = 3;
    p.ruleGroups.push(group);
    p.transparentSet = 1;
    p.transparentColour = CELL_PURPLE;
    p.ownKey = CKey(CSpace(1, 1, 1, CELL_BLACK), 2);
    p.pendingReceives = 3;
    p.receiveIcon = CPlacedSpace(CSpace(5, 5, 5, 0));
    p.receiveIcon.setOrigin(7, 8, 9);
    p.receivedIds.push(2);
    return p;
}

void expectSample(const CUnitProgram& p)
{
    ASSERT_EQ(p.ruleGroups.count(), 1);
    p.ruleGroups.forEach([](const CSpacePairList& g) { EXPECT_EQ(g.mark, 3); });
    EXPECT_EQ(p.transparentColour, CELL_PURPLE);
    EXPECT_EQ(p.ownKey.isEqual(CKey(CSpace(1, 1, 1, CELL_BLACK), 2)), 1);
    EXPECT_EQ(p.pendingReceives, 3);
    EXPECT_EQ(p.receiveIcon.getSizeX(), 5);
    EXPECT_EQ(p.receiveIcon.z, 9);
    EXPECT_EQ(p.receivedIds.count(), 1);
}
}  // namespace

TEST(UnitProgram, CopiesAndAssignmentsAreDeep)
{
    CUnitProgram original = sampleProgram();
    CUnitProgram copy(original);
    CUnitProgram assigned;
    assigned = original;
    original = CUnitProgram();
    expectSample(copy);
    expectSample(assigned);
    EXPECT_TRUE(original.ruleGroups.isEmpty());
    EXPECT_TRUE(original.receiveIcon.isEqual(CSpace(1, 1, 1, 0)));
}

TEST(MatchContext, CopiesCarryTheProgramAndTheSearchState)
{
    CMatchContext c;
    c.program = sampleProgram();
    c.origin = CCell(1, 2, 3, 0);
    c.statusText = "Done ";
    c.state = CMatchContext::State::Applied;
    c.writes.push(CCell(0, 0, 1, CELL_RED));
    c.sendMessages.push(CMessage());
    c.dirtyBoxes.push(CBox(0, 0, 0, 2, 0, 2));
    c.receiveCount = 1;
    c.devices.pressRight();

    CMatchContextList list;
    list.push(c);
    list.status = CMatchContextList::Status::Reported;
    CMatchContextList assigned;
    assigned = list;
    CMatchContext direct;
    direct = c;
    CMatchContextList single;
    single.push(direct);
    single.status = CMatchContextList::Status::Reported;
    list.clear();
    c = CMatchContext();

    for (const CMatchContextList* l : {&assigned, &single}) {
        EXPECT_EQ(l->status, CMatchContextList::Status::Reported);
        ASSERT_EQ(l->count(), 1);
        l->forEach([](const CMatchContext& k) {
            expectSample(k.program);
            EXPECT_EQ(k.origin.z, 3);
            EXPECT_EQ(k.statusText, "Done ");
            EXPECT_EQ(k.state, CMatchContext::State::Applied);
            EXPECT_EQ(k.writes.count(), 1);
            EXPECT_EQ(k.sendMessages.count(), 1);
            EXPECT_EQ(k.dirtyBoxes.count(), 1);
            EXPECT_EQ(k.receiveCount, 1);
            EXPECT_EQ(k.devices.rightClicked, 1);
        });
    }
}
