// Sequence strips, flat and solid: the variable and its values come out in order and the strip
// is consumed; a missing tail or a tail row that does not fit whole value boxes is refused.
#include <functional>

#include "blockscan.h"
#include "space/cellcodes.h"

namespace {

// The frames in the order the units are built from them: popBack, variable first.
std::vector<CSpace> framesOf(CLinkList<CSpace> sequence)
{
    std::vector<CSpace> frames;
    CSpace f;
    while (sequence.popBack(f)) frames.push_back(f);
    return frames;
}

std::vector<CSpace> patternedValues(int count, int w, int h, int d)
{
    std::vector<CSpace> values;
    for (int i = 0; i < count; i++) values.push_back(patternedContents(w, h, d, i + 1));
    return values;
}

void expectFrames(const CLinkList<CSpace>& found, const CSpace& variable, const std::vector<CSpace>& values)
{
    const std::vector<CSpace> frames = framesOf(found);
    ASSERT_EQ(frames.size(), values.size() + 1);
    EXPECT_TRUE(frames[0].isEqual(variable));
    for (size_t i = 0; i < values.size(); i++) EXPECT_TRUE(frames[i + 1].isEqual(values[i])) << "value " << i;
}

}  // namespace

TEST(FindSequence, FlatStripsComeOutVariableFirst)
{
    struct Case {
        int w, h, values;
    };
    for (Case c : {Case{1, 1, 0}, Case{2, 3, 0}, Case{1, 1, 1}, Case{2, 3, 3}, Case{3, 1, 2}}) {
        CPatternSpace s(24, 1, 8, 0);
        const CSpace variable = patternedContents(c.w, 1, c.h);
        const std::vector<CSpace> values = patternedValues(c.values, c.w, 1, c.h);
        const DrawnBlock strip = drawFlatSequence(s, 1, 1, variable, values);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('S', strip)});

        CLinkList<CSpace> found;
        ASSERT_EQ(s.findSequence(strip.scan.x, 0, strip.scan.z, found), 1)
            << c.w << "x" << c.h << ", " << c.values;
        expectFrames(found, variable, values);
        EXPECT_TRUE(consumedExactly(before, s, strip));
    }
}

TEST(FindSequence, SolidStripsComeOutVariableFirst)
{
    for (int count : {0, 1, 3}) {
        CPatternSpace s(20, 5, 5, 0);
        const CSpace variable = patternedContents(2, 2, 1);
        const std::vector<CSpace> values = patternedValues(count, 2, 2, 1);
        const DrawnBlock strip = drawSolidSequence(s, 1, 1, 1, variable, values);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('S', strip)});

        CLinkList<CSpace> found;
        ASSERT_EQ(s.findSequence(strip.scan.x, strip.scan.y, strip.scan.z, found), 1) << count;
        expectFrames(found, variable, values);
        EXPECT_TRUE(consumedExactly(before, s, strip));
    }
}

TEST(FindSequence, BrokenFlatStripsAreNotRecognised)
{
    // Variable box x 1..4, z 1..3 (2 x 1 interior), tail (5, 3); with two values the strip runs
    // from x 6 to 12 with walls at 6, 9 and 12.
    const std::vector<std::tuple<const char*, int, std::function<void(CSpace&)>>> breaks = {
        {"tail missing", 0, [](CSpace& s) { s.set(5, 0, 3, 0); }},
        {"tail row one cell too long", 2, [](CSpace& s) { s.set(13, 0, 3, CELL_BLUE); }},
        {"tail row one cell short", 2, [](CSpace& s) { s.set(12, 0, 3, 0); }},
        {"value wall broken", 2, [](CSpace& s) { s.set(9, 0, 2, 0); }},
        {"blue above the strip", 2, [](CSpace& s) { s.set(10, 0, 0, CELL_BLUE); }},
        {"blue beside the strip's end", 2, [](CSpace& s) { s.set(13, 0, 2, CELL_BLUE); }},
        {"blue beside the variable box", 2, [](CSpace& s) { s.set(5, 0, 2, CELL_BLUE); }},
        {"blue right of a lone tail", 0, [](CSpace& s) { s.set(6, 0, 4, CELL_BLUE); }},
        {"blue under the variable box", 0, [](CSpace& s) { s.set(2, 0, 4, CELL_BLUE); }},
    };
    for (const auto& [what, count, damage] : breaks) {
        CPatternSpace s(16, 1, 6, 0);
        const DrawnBlock strip =
            drawFlatSequence(s, 1, 1, CSpace(2, 1, 1, CELL_RED), patternedValues(count, 2, 1, 1));
        damage(s);
        const CSpace before = s;
        CLinkList<CSpace> found;
        EXPECT_EQ(s.findSequence(strip.scan.x, 0, strip.scan.z, found), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindSequence, BrokenSolidStripsAreNotRecognised)
{
    // Variable frame x 1..3 (2 wide), y 1..3, z 1..2; tail (4, 1, 1); values from x 5, 3 apart.
    const std::vector<std::tuple<const char*, int, std::function<void(CSpace&)>>> breaks = {
        {"tail missing", 0, [](CSpace& s) { s.set(4, 1, 1, 0); }},
        {"tail row one cell too long", 2, [](CSpace& s) { s.set(11, 1, 1, CELL_GREEN); }},
        {"tail row one cell short", 2, [](CSpace& s) { s.set(10, 1, 1, 0); }},
        {"green in front of the frame", 0, [](CSpace& s) { s.set(1, 1, 0, CELL_GREEN); }},
        {"green left of the frame", 0, [](CSpace& s) { s.set(0, 1, 1, CELL_GREEN); }},
    };
    for (const auto& [what, count, damage] : breaks) {
        CPatternSpace s(14, 5, 4, 0);
        const DrawnBlock strip =
            drawSolidSequence(s, 1, 1, 1, CSpace(2, 2, 1, CELL_RED), patternedValues(count, 2, 2, 1));
        damage(s);
        const CSpace before = s;
        CLinkList<CSpace> found;
        EXPECT_EQ(s.findSequence(strip.scan.x, strip.scan.y, strip.scan.z, found), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindSequence, OutlinesOfTheOtherSpaceKindAreNotRecognised)
{
    CLinkList<CSpace> found;
    CPatternSpace blueInSolid(16, 3, 6, 0);
    DrawnBlock strip =
        drawFlatSequence(blueInSolid, 1, 1, CSpace(2, 1, 1, CELL_RED), {CSpace(2, 1, 1, CELL_WHITE)});
    EXPECT_EQ(blueInSolid.findSequence(strip.scan.x, 0, strip.scan.z, found), 0);

    CPatternSpace greenInFlat(16, 1, 6, 0);
    strip = drawFlatSequence(greenInFlat, 1, 1, CSpace(2, 1, 1, CELL_RED), {CSpace(2, 1, 1, CELL_WHITE)});
    recolour(greenInFlat, CELL_BLUE, CELL_GREEN);
    EXPECT_EQ(greenInFlat.findSequence(strip.scan.x, 0, strip.scan.z, found), 0);

    CPatternSpace solidInBlue(14, 5, 4, 0);
    strip = drawSolidSequence(solidInBlue, 1, 1, 1, CSpace(2, 2, 1, CELL_RED), {CSpace(2, 2, 1, CELL_WHITE)});
    recolour(solidInBlue, CELL_GREEN, CELL_BLUE);
    EXPECT_EQ(solidInBlue.findSequence(strip.scan.x, strip.scan.y, strip.scan.z, found), 0);
}
