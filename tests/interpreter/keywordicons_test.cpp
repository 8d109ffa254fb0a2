// Keyword icons: sizes, a few distinctive cells (rows run from the top, so y is mirrored), colour
// counts, and that no two icons are equal, since windows are told apart by equality.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"

TEST(KeywordIcons, SizesAndColourCounts)
{
    struct Expect {
        CPatternSpace icon;
        int sx, sy, sz, black, red;
    };
    const std::vector<Expect> icons = {
        {makePaletteIcon(), 8, 1, 1, 1, 1},       {makeTwoBlockIcon(), 8, 6, 2, 24, 10},
        {makeThreeBlockIcon(), 11, 8, 2, 18, 36}, {makeArrowCrossIcon(), 8, 5, 1, 8, 5},
        {makeDownArrowIcon(), 5, 4, 1, 8, 0},     {makeUpArrowIcon(), 5, 4, 1, 8, 0},
    };
    for (size_t i = 0; i < icons.size(); i++) {
        const Expect& e = icons[i];
        EXPECT_EQ(e.icon.getSizeX(), e.sx) << i;
        EXPECT_EQ(e.icon.getSizeY(), e.sy) << i;
        EXPECT_EQ(e.icon.getSizeZ(), e.sz) << i;
        EXPECT_EQ(e.icon.countValue(CELL_BLACK), e.black) << i;
        EXPECT_EQ(e.icon.countValue(CELL_RED), e.red) << i;
        EXPECT_EQ(e.icon.countNonEmpty(), i == 0 ? 8 : e.black + e.red) << i;
    }
}

TEST(KeywordIcons, DistinctiveCells)
{
    const CPatternSpace palette = makePaletteIcon();
    const int colours[] = {CELL_WHITE,  CELL_RED,  CELL_GREEN,  CELL_BLUE,
                           CELL_PURPLE, CELL_PALE, CELL_YELLOW, CELL_BLACK};
    for (int x = 0; x < 8; x++) EXPECT_EQ(palette.get(x, 0, 0), colours[x]);

    const CPatternSpace two = makeTwoBlockIcon();
    EXPECT_EQ(two.get(3, 5, 0), CELL_RED);  // top row "...RR.R."
    EXPECT_EQ(two.get(1, 3, 0), CELL_RED);
    EXPECT_EQ(two.get(3, 1, 1), 0);  // the gap between the two blocks
    EXPECT_EQ(two.get(5, 0, 1), CELL_BLACK);
    EXPECT_EQ(two.get(3, 5, 1), 0);  // the back layer has no letters

    const CPatternSpace three = makeThreeBlockIcon();
    EXPECT_EQ(three.get(4, 7, 1), CELL_BLACK);
    EXPECT_EQ(three.get(2, 3, 0), CELL_BLACK);  // "..K..K..K.." is the row at y = 3
    EXPECT_EQ(three.get(2, 3, 1), 0);
    EXPECT_EQ(three.get(3, 0, 0), 0);

    const CPatternSpace cross = makeArrowCrossIcon();
    EXPECT_EQ(cross.get(0, 2, 0), CELL_BLACK);  // the arrow's shaft "KKKK..R."
    EXPECT_EQ(cross.get(6, 2, 0), CELL_RED);
    EXPECT_EQ(cross.get(5, 3, 0), CELL_RED);
    EXPECT_EQ(cross.get(1, 4, 0), CELL_BLACK);
}

TEST(KeywordIcons, ArrowsAreMirrorImagesAndAllIconsDiffer)
{
    const CPatternSpace down = makeDownArrowIcon(), up = makeUpArrowIcon();
    EXPECT_EQ(down.get(0, 2, 0), CELL_BLACK);  // the down arrow's barbs are high
    EXPECT_EQ(up.get(0, 1, 0), CELL_BLACK);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 5; x++) EXPECT_EQ(up.get(x, y, 0), down.get(x, 3 - y, 0)) << x << "," << y;

    const std::vector<CPatternSpace> all = {makePaletteIcon(),    makeTwoBlockIcon(),  makeThreeBlockIcon(),
                                            makeArrowCrossIcon(), makeDownArrowIcon(), makeUpArrowIcon()};
    for (size_t i = 0; i < all.size(); i++)
        for (size_t j = 0; j < all.size(); j++)
            EXPECT_EQ(all[i].isEqual(all[j]), i == j ? 1 : 0) << i << " " << j;
}
