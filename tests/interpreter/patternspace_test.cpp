// CPatternSpace rewriting: any-cell copies, substitution, blanking, colour replacement, frames.
#include <gtest/gtest.h>

#include <vector>

#include "interpreter/patternspace.h"
#include "space/cellcodes.h"
#include "support/spacetext.h"

namespace {
CPatternSpace flat(const Rows& rows) { return CPatternSpace(flatSpace(rows)); }
}  // namespace

TEST(PatternSpace, CopyAnyCellsNeedsEqualSizes)
{
    CPatternSpace s = flat({"RGB", "..."});
    s.copyAnyCells(flatSpace({"*.o", ".K*"}));
    EXPECT_EQ(rowsOf(s), (Rows{"*GB", "..*"}));
    s.copyAnyCells(flatSpace({"***"}));
    s.copyAnyCells(CSpace(3, 2, 2, CELL_ANY));
    EXPECT_EQ(rowsOf(s), (Rows{"*GB", "..*"}));
}

TEST(PatternSpace, SubstituteWritesAtEveryMatch)
{
    CPatternSpace s = flat({"R.R.", "...R"});
    s.substitute(flatSpace({"R."}), flatSpace({"GY"}));
    EXPECT_EQ(rowsOf(s), (Rows{"GYGY", "...R"}));

    // A value cell of 1 writes 1 (marks), unless the pattern holds 1 there too.
    CPatternSpace marks = flat({"RBR", "BBB"});
    marks.substitute(flatSpace({"*B"}), flatSpace({"**"}));
    EXPECT_EQ(rowsOf(marks), (Rows{"R*R", "B**"}));

    // Sizes of pattern and value must agree.
    CPatternSpace same = flat({"RR"});
    same.substitute(flatSpace({"R"}), flatSpace({"GG"}));
    same.substitute(flatSpace({"R"}), CSpace(1, 2, 1, CELL_GREEN));
    EXPECT_EQ(rowsOf(same), (Rows{"RR"}));

    // A pattern larger than the space, and an empty space, are left alone.
    same.substitute(flatSpace({"***"}), flatSpace({"GGG"}));
    EXPECT_EQ(rowsOf(same), (Rows{"RR"}));
    CPatternSpace empty(0, 0, 0, 0);
    empty.substitute(CSpace(0, 0, 0, 0), CSpace(0, 0, 0, 0));
    EXPECT_EQ(empty.getSizeX(), 0);
}

TEST(PatternSpace, LaterPositionsSeeEarlierChanges)
{
    // Moving a red cell right: each write creates the next match, so it runs to the end.
    CPatternSpace run = flat({"R...", ".R.."});
    run.substitute(flatSpace({"R."}), flatSpace({".R"}));
    EXPECT_EQ(rowsOf(run), (Rows{"...R", "...R"}));

    // And a write can spoil a match that overlapped it.
    CPatternSpace spoil = flat({"RRR"});
    spoil.substitute(flatSpace({"RR"}), flatSpace({"GG"}));
    EXPECT_EQ(rowsOf(spoil), (Rows{"GGR"}));

    CPatternSpace blank = flat({"RRR"});
    blank.blankMatches(flatSpace({"RR"}));
    EXPECT_EQ(rowsOf(blank), (Rows{"**R"}));
}

TEST(PatternSpace, SubstituteFirstRest)
{
    // The first match is the one with the lowest z, then the lowest x.
    CPatternSpace s = flat({".R.R", "R..."});
    s.substituteFirstRest(flatSpace({"R"}), flatSpace({"G"}), flatSpace({"B"}));
    EXPECT_EQ(rowsOf(s), (Rows{".G.B", "B..."}));

    // Only the first value is compared with the pattern's size.
    CPatternSpace mismatch = flat({"R.R"});
    mismatch.substituteFirstRest(flatSpace({"R"}), flatSpace({"GG"}), flatSpace({"B"}));
    EXPECT_EQ(rowsOf(mismatch), (Rows{"R.R"}));
    CPatternSpace wider = flat({"R.R."});
    wider.substituteFirstRest(flatSpace({"R"}), flatSpace({"G"}), flatSpace({"BY"}));
    EXPECT_EQ(rowsOf(wider), (Rows{"G.BY"}));

    // No match: nothing is written, not even the first value.
    CPatternSpace none = flat({"..."});
    none.substituteFirstRest(flatSpace({"R"}), flatSpace({"G"}), flatSpace({"B"}));
    EXPECT_EQ(rowsOf(none), (Rows{"..."}));
}

TEST(PatternSpace, BlankMatchesMarksColouredPatternCells)
{
    CPatternSpace s = flat({"RG.R", "R..."});
    s.blankMatches(flatSpace({"R*", "R."}));  // matches only at x = 0
    EXPECT_EQ(rowsOf(s), (Rows{"*G.R", "*..."}));

    // A pattern of only 0 and 1 matches but has no colour to blank.
    CPatternSpace quiet = flat({"R..", "..."});
    quiet.blankMatches(flatSpace({"*.", ".*"}));
    EXPECT_EQ(rowsOf(quiet), (Rows{"R..", "..."}));

    // A pattern cell of 2 matches a cell of 2 and is blanked like a colour.
    CPatternSpace outside = flat({"oR"});
    outside.blankMatches(flatSpace({"oR"}));
    EXPECT_EQ(rowsOf(outside), (Rows{"**"}));
}

TEST(PatternSpace, ReplaceColour)
{
    CPatternSpace s = flat({"R.G", ".RK"});
    s.replaceColour(CELL_RED);
    EXPECT_EQ(rowsOf(s), (Rows{"*.G", ".*K"}));
    s.replaceColour(CELL_EMPTY);
    EXPECT_EQ(rowsOf(s), (Rows{"**G", "**K"}));
    s.replaceColour(CELL_YELLOW);
    EXPECT_EQ(rowsOf(s), (Rows{"**G", "**K"}));
}

TEST(PatternSpace, FramedBuildsOneWindowFrame)
{
    for (int inner : {CELL_RED, CELL_ANY}) {
        CPatternSpace framed = CPatternSpace(1, 1, 1, inner).framed();
        ASSERT_EQ(framed.getSizeX(), 2);
        ASSERT_EQ(framed.getSizeY(), 2);
        ASSERT_EQ(framed.getSizeZ(), 2);
        for (int z = 0; z < 2; z++)
            for (int y = 0; y < 2; y++)
                for (int x = 0; x < 2; x++) {
                    bool green = (x == 0 && y == 0 && z == 0) || (x == 1 && (z == 0 || y == 0));
                    int expected = green ? CELL_GREEN : (x == 1 && y == 1 && z == 1 && inner != CELL_ANY ? inner : 0);
                    EXPECT_EQ(framed.get(x, y, z), expected) << x << y << z;
                }
    }

    // A 2x1x3 picture: handle, front face (z = 0) and bottom face (y = 0) for x >= 1.
    CPatternSpace picture = flat({"RG", "B*", "oY"});
    CPatternSpace f = picture.framed();
    ASSERT_EQ(f.getSizeX(), 3);
    ASSERT_EQ(f.getSizeY(), 2);
    ASSERT_EQ(f.getSizeZ(), 4);
    EXPECT_EQ(rowsOf(f, 0), (Rows{"GGG", ".GG", ".GG", ".GG"}));
    EXPECT_EQ(rowsOf(f, 1), (Rows{".GG", ".RG", ".B.", ".oY"}));
    EXPECT_EQ(picture.isEqual(flatSpace({"RG", "B*", "oY"})), 1);  // framing leaves the source alone
}

TEST(PatternSpace, TheScansPollingExtractReadsAsExtractDoes)
{
    CPatternSpace s(4, 3, 2, 0);
    for (int i = 0; i < 24; i++) s.set(i % 4, i / 4 % 3, i / 12, 100 + i % 8);
    CSearchPoll poll;
    for (const auto& b : {std::vector<int>{0, 0, 0, 4, 3, 2}, {-2, 1, 0, 3, 3, 3}, {3, -1, 1, 4, 2, 1}, {5, 0, 0, 2, 1, 1}}) {
        s.poll = nullptr;
        const CSpace plain = s.extract(b[0], b[1], b[2], b[3], b[4], b[5]);
        s.poll = &poll;
        EXPECT_TRUE(s.extract(b[0], b[1], b[2], b[3], b[4], b[5]).isEqual(plain)) << b[0] << "," << b[1];
    }
    s.poll = nullptr;
}
