// The interpreter's records and the list subclasses that add a member: rule groups, windows,
// placed spaces and rules.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/placedspace.h"
#include "interpreter/spacepair.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/cellcodes.h"
#include "support/spacetext.h"

TEST(Records, RuleGroupMark)
{
    CSpacePairList group;
    EXPECT_EQ(group.mark, 0);
    group.push(CSpacePair(flatSpace({"R"}), flatSpace({"G"})));
    group.mark = 3;

    CSpacePairList copied(group);
    CSpacePairList assigned;
    assigned = group;
    EXPECT_EQ(copied.mark, 3);
    EXPECT_EQ(assigned.mark, 3);
    EXPECT_EQ(assigned.count(), 1);
    CSpacePairList& alias = assigned;
    assigned = alias;
    EXPECT_EQ(assigned.mark, 3);
    EXPECT_EQ(assigned.count(), 1);

    group.clear();
    EXPECT_EQ(group.mark, 0);
    EXPECT_EQ(group.isEmpty(), 1);
    EXPECT_EQ(copied.count(), 1);

    // Groups stored in a list keep their mark through push, copy and pop.
    CLinkList<CSpacePairList> groups;
    groups.push(copied);
    CLinkList<CSpacePairList> groupsCopy(groups);
    CSpacePairList out;
    ASSERT_EQ(groupsCopy.popBack(out), 1);
    EXPECT_EQ(out.mark, 3);
    CSpacePair rule;
    ASSERT_EQ(out.pop(rule), 1);
    EXPECT_EQ(rule.second.get(0, 0, 0), 104);
}

TEST(Records, WindowCopiesAnchorAndFrames)
{
    CWindow window;
    EXPECT_EQ(window.anchor.x + window.anchor.y + window.anchor.z + window.anchor.value, 0);
    CPlacedSpace frame(flatSpace({"GG"}));
    frame.setOrigin(1, 0, 2);
    window.push(frame);
    window.push(CPlacedSpace(1, 1, 1, 105));
    window.anchor = CCell(7, 0, 3, 104);

    CWindow copied(window);
    CWindow assigned;
    assigned = window;
    for (CWindow* w : {&copied, &assigned}) {
        EXPECT_EQ(w->anchor.x, 7);
        EXPECT_EQ(w->anchor.z, 3);
        EXPECT_EQ(w->anchor.value, 104);
        CPlacedSpace first;
        ASSERT_EQ(w->popBack(first), 1);
        EXPECT_EQ(first.getSizeX(), 2);
        int x = -1, y = -1, z = -1;
        first.getOrigin(x, y, z);
        EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{1, 0, 2}));
    }
    EXPECT_EQ(window.count(), 2);
}

TEST(Records, PlacedSpaceOrigin)
{
    CSpace picture = flatSpace({"RG"});
    CPlacedSpace placed(picture);
    int x = -1, y = -1, z = -1;
    placed.getOrigin(x, y, z);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(placed.isEqual(picture), 1);

    placed.setOrigin(4, -2, 9);
    CPlacedSpace copied(placed);
    CPlacedSpace assigned(1, 1, 1, 0);
    assigned = placed;
    for (const CPlacedSpace* p : {&copied, &assigned}) {
        p->getOrigin(x, y, z);
        EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{4, -2, 9}));
        EXPECT_EQ(rowsOf(*p), (Rows{"RG"}));
    }
    copied.set(0, 0, 0, 0);
    EXPECT_EQ(placed.get(0, 0, 0), 103);

    CPlacedSpace sized(2, 2, 2, 101);
    sized.getOrigin(x, y, z);
    EXPECT_EQ(x + y + z, 0);
    EXPECT_EQ(sized.countNonEmpty(), 8);
}

TEST(Records, RulePairCopiesAndPatternUse)
{
    CSpacePair fresh;
    EXPECT_EQ(fresh.first.isEqual(CSpace(1, 1, 1, 0)), 1);
    EXPECT_EQ(fresh.second.isEqual(CSpace(1, 1, 1, 0)), 1);
    EXPECT_EQ(fresh.cells.isEmpty(), 1);

    CSpacePair rule(flatSpace({"RR."}), flatSpace({".GB"}));
    rule.cells.push(CCell(3, 0, 1, 0));
    rule.cells.push(CCell(0, 0, 0, 0));
    rule.cells.push(CCell(3, 0, 0, 0));

    CSpacePair copy(rule);
    CSpacePair assigned;
    assigned = rule;
    copy.first.set(0, 0, 0, 0);
    copy.cells.push(CCell(5, 5, 5, 0));
    EXPECT_EQ(rule.first.get(0, 0, 0), 103);
    EXPECT_EQ(rule.cells.count(), 3);

    std::vector<std::vector<int>> fromSource, fromAssigned;
    CCell c;
    while (rule.cells.pop(c)) fromSource.push_back({c.x, c.y, c.z});
    while (assigned.cells.pop(c)) fromAssigned.push_back({c.x, c.y, c.z});
    EXPECT_EQ(fromSource, (std::vector<std::vector<int>>{{3, 0, 1}, {3, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(fromAssigned, fromSource);

    EXPECT_EQ(rule.usesPattern(flatSpace({"GB"})), 1);  // only the right side has it
    EXPECT_EQ(rule.usesPattern(flatSpace({"RR"})), 1);
    EXPECT_EQ(rule.usesPattern(flatSpace({"RB"})), 0);
    EXPECT_EQ(rule.firstOccursTwice(flatSpace({"R"})), 1);
    EXPECT_EQ(rule.firstOccursTwice(flatSpace({"."})), 0);  // once on the left, twice overall

    // The pair operations rewrite both sides and leave the match positions alone.
    copy.substitute(flatSpace({"."}), flatSpace({"Y"}));
    EXPECT_EQ(rowsOf(copy.first), (Rows{"YRY"}));
    EXPECT_EQ(rowsOf(copy.second), (Rows{"YGB"}));
    copy.replaceColour(CELL_YELLOW);
    EXPECT_EQ(rowsOf(copy.first), (Rows{"*R*"}));
    EXPECT_EQ(rowsOf(copy.second), (Rows{"*GB"}));
    EXPECT_EQ(copy.cells.count(), 4);
}
