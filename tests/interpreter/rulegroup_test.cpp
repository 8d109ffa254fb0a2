// Which rule groups a sequence variable concerns, and when it gets the four-way expansion.
#include <gtest/gtest.h>

#include <initializer_list>

#include "interpreter/rulegroup.h"
#include "space/cellcodes.h"

namespace {
constexpr int R = CELL_RED, W = CELL_WHITE;

CSpace row(std::initializer_list<int> cells)
{
    CSpace s(int(cells.size()), 1, 1, 0);
    int x = 0;
    for (int v : cells) s.set(x++, 0, 0, v);
    return s;
}

CSpacePairList group(std::initializer_list<CSpacePair> rules)
{
    CSpacePairList g;
    for (const CSpacePair& r : rules) g.push(r);
    return g;
}
}  // namespace

TEST(RuleGroup, UseCountsBothSidesButSingleDoubleOnlyTheLeftOfOneRule)
{
    const CSpace red = row({R});
    EXPECT_EQ(usesPattern(group({{row({W}), row({W})}, {row({W}), row({0, R})}}), red), 1);
    EXPECT_EQ(usesPattern(group({{row({R}), CSpace(0, 0, 0, 0)}}), row({R, R})), 0)
        << "a pattern larger than every side is used nowhere";

    EXPECT_EQ(isSingleDouble(group({{row({R, 0, R}), row({W})}}), red), 1);
    EXPECT_EQ(isSingleDouble(group({{row({R, R, R}), row({W})}}), red), 0) << "three matches";
    EXPECT_EQ(isSingleDouble(group({{row({R, 0, 0}), row({R, R})}}), red), 0) << "right side";
    EXPECT_EQ(isSingleDouble(group({{row({R, 0, R}), row({W})}, {row({W}), row({W})}}), red), 0)
        << "two rules";
    EXPECT_EQ(isSingleDouble(group({{row({W, 0, W}), row({W})}}), row({1})), 0)
        << "a wildcard matches at all three positions";
}
