// passProgressText: the unit's piece of the Match status reads as "%d/%d " would print it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <utility>

#include "interpreter/passprogress.h"

TEST(PassProgress, ReadsAsThePrintedCounts)
{
    std::string text = "left over from the last step";
    using Counts = std::pair<int, int>;
    for (const auto& [done, groups] : {Counts{0, 0}, Counts{3, 12}, Counts{-1, 7}, Counts{INT_MAX, INT_MIN},
                                       Counts{INT_MIN, INT_MAX}}) {
        char printed[40];
        std::snprintf(printed, sizeof printed, "%d/%d ", done, groups);
        passProgressText(text, done, groups);
        EXPECT_EQ(text, printed);
    }
}
