// Work areas: found at their first interior cell with their interior and consumed whole; broken
// outlines and wrong colours leave the space alone.
#include <functional>

#include "blockscan.h"
#include "space/cellcodes.h"

namespace {

struct Size3 {
    int w, h, d;
};

}  // namespace

TEST(FindWorkArea, FlatAreasAreFoundWithTheirInterior)
{
    for (Size3 size : {Size3{1, 1, 1}, Size3{3, 1, 2}, Size3{6, 1, 4}}) {
        CPatternSpace s(14, 1, 12, 0);
        const CSpace interior = patternedContents(size.w, 1, size.d);
        const DrawnBlock area = drawFlatWorkArea(s, 2, 3, interior);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('A', area)});

        CSpace out;
        ASSERT_EQ(s.findWorkArea(area.scan.x, area.scan.y, area.scan.z, out), 1) << size.w << "x" << size.d;
        EXPECT_TRUE(out.isEqual(interior));
        EXPECT_TRUE(consumedExactly(before, s, area));
    }
}

TEST(FindWorkArea, SolidAreasAreFoundWithTheirInterior)
{
    for (Size3 size : {Size3{3, 1, 1}, Size3{4, 3, 2}}) {
        CPatternSpace s(9, 6, 6, 0);
        const CSpace interior = patternedContents(size.w, size.h, size.d);
        const DrawnBlock area = drawSolidWorkArea(s, 2, 1, 1, interior);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('A', area)});

        CSpace out;
        ASSERT_EQ(s.findWorkArea(area.scan.x, area.scan.y, area.scan.z, out), 1);
        EXPECT_TRUE(out.isEqual(interior));
        EXPECT_TRUE(consumedExactly(before, s, area));
    }
}

TEST(FindWorkArea, BrokenFlatOutlinesAreNotRecognised)
{
    // The drawn area: top-left dot (2, 3), rectangle x 3..7, z 4..8, dots at x 2 and 8, z 3 and 9.
    const std::vector<std::pair<const char*, std::function<void(CSpace&)>>> breaks = {
        {"top-left dot missing", [](CSpace& s) { s.set(2, 0, 3, 0); }},
        {"top-right dot missing", [](CSpace& s) { s.set(8, 0, 3, 0); }},
        {"bottom-left dot missing", [](CSpace& s) { s.set(2, 0, 9, 0); }},
        {"bottom-right dot missing", [](CSpace& s) { s.set(8, 0, 9, 0); }},
        {"blue touching the right wall", [](CSpace& s) { s.set(8, 0, 6, CELL_BLUE); }},
        {"blue touching the left wall", [](CSpace& s) { s.set(2, 0, 6, CELL_BLUE); }},
        {"blue under the bottom row", [](CSpace& s) { s.set(5, 0, 9, CELL_BLUE); }},
        {"blue over the top row", [](CSpace& s) { s.set(5, 0, 3, CELL_BLUE); }},
        {"gap in the right wall", [](CSpace& s) { s.set(7, 0, 6, 0); }},
        {"gap in the bottom row", [](CSpace& s) { s.set(5, 0, 8, 0); }},
    };
    for (const auto& [what, damage] : breaks) {
        CPatternSpace s(12, 1, 12, 0);
        const DrawnBlock area = drawFlatWorkArea(s, 2, 3, CSpace(3, 1, 3, CELL_RED));
        damage(s);
        const CSpace before = s;
        CSpace out;
        EXPECT_EQ(s.findWorkArea(area.scan.x, 0, area.scan.z, out), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindWorkArea, BrokenSolidOutlinesAreNotRecognised)
{
    // The drawn area: floor x 2..5, z 1..3 at y = 1; posts at x 2 and 5, z = 1, up to y = 3.
    const std::vector<std::pair<const char*, std::function<void(CSpace&)>>> breaks = {
        {"post missing", [](CSpace& s) { s.set(2, 2, 1, 0); }},
        {"green in front of the floor", [](CSpace& s) { s.set(3, 1, 0, CELL_GREEN); }},
        {"green left of the floor", [](CSpace& s) { s.set(1, 1, 2, CELL_GREEN); }},
        {"green beside the post", [](CSpace& s) { s.set(3, 2, 1, CELL_GREEN); }},
        {"floor's front row too short", [](CSpace& s) { s.set(4, 1, 1, 0); }},
    };
    for (const auto& [what, damage] : breaks) {
        CPatternSpace s(8, 5, 6, 0);
        const DrawnBlock area = drawSolidWorkArea(s, 2, 1, 1, CSpace(4, 2, 2, CELL_WHITE));
        damage(s);
        const CSpace before = s;
        CSpace out;
        EXPECT_EQ(s.findWorkArea(area.scan.x, area.scan.y, area.scan.z, out), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindWorkArea, OutlinesOfTheOtherSpaceKindAreNotRecognised)
{
    CSpace out;
    CPatternSpace blueInSolid(12, 3, 12, 0);
    DrawnBlock area = drawFlatWorkArea(blueInSolid, 2, 3, CSpace(3, 1, 3, CELL_RED));
    EXPECT_EQ(blueInSolid.findWorkArea(area.scan.x, 0, area.scan.z, out), 0);

    CPatternSpace greenInFlat(12, 1, 12, 0);
    area = drawFlatWorkArea(greenInFlat, 2, 3, CSpace(3, 1, 3, CELL_RED));
    recolour(greenInFlat, CELL_BLUE, CELL_GREEN);
    EXPECT_EQ(greenInFlat.findWorkArea(area.scan.x, 0, area.scan.z, out), 0);

    CPatternSpace solidInBlue(8, 5, 6, 0);
    area = drawSolidWorkArea(solidInBlue, 2, 1, 1, CSpace(4, 2, 2, CELL_WHITE));
    recolour(solidInBlue, CELL_GREEN, CELL_BLUE);
    EXPECT_EQ(solidInBlue.findWorkArea(area.scan.x, area.scan.y, area.scan.z, out), 0);
}
