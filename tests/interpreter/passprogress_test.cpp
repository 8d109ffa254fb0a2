// passProgressText: the unit's piece of the Match status reads as "%d/%d " would print it.
#include "interpreter/passprogress.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <string>

TEST(PassProgress, ReadsAsThePrintedCounts)
{
    std::string text = "left over from the last step";
    // Texts of one length follow each other (the digits are copied over), and lengths change.
    for (const auto& [done, groups] : {std::array{0, 0}, {3, 12}, {4, 12}, {-1, 7}, {10, 12}, {11, 12}, {9, 12},
                                       {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}}) {
        char printed[40];
        std::snprintf(printed, sizeof printed, "%d/%d ", done, groups);
        passProgressText(text, done, groups);
        EXPECT_EQ(text, printed);
    }
}
