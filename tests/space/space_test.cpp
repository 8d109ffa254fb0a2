// CSpace: construction, access, whole-space operations, boxes, pastes and pattern searches.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "space/cellcodes.h"
#include "space/space.h"
#include "support/spacetext.h"

namespace {
void expectEmpty(const CSpace& s)
{
    EXPECT_EQ(s.getSizeX(), 0);
    EXPECT_EQ(s.getSizeY(), 0);
    EXPECT_EQ(s.getSizeZ(), 0);
    EXPECT_EQ(s.get(0, 0, 0), CELL_OUTSIDE);
    EXPECT_EQ(s.data(), nullptr);
}

// A 2x2x2 space whose cell (x, y, z) holds 100 + x + 2y + 4z.
CSpace numberedCube()
{
    CSpace s(2, 2, 2, 0);
    for (int z = 0; z < 2; z++)
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 2; x++) s.set(x, y, z, 100 + x + 2 * y + 4 * z);
    return s;
}
}  // namespace

TEST(Space, EmptySpaceReadsOutside)
{
    for (CSpace s : {CSpace(0, 5, 5, 0), CSpace(-1, 1, 1, 0), CSpace(3, 3, 0, 7)}) {
        expectEmpty(s);
        s.set(0, 0, 0, 104);
        EXPECT_EQ(s.get(0, 0, 0), 2);
        EXPECT_EQ(s.countNonEmpty(), 0);
        EXPECT_EQ(s.isFlat(), 0);
        expectEmpty(CSpace(s));
    }
}

TEST(Space, ConstructionCopyAndAssignment)
{
    CSpace s(3, 1, 2, 105);
    EXPECT_EQ(s.countNonEmpty(), 6);
    EXPECT_EQ(s.get(2, 0, 1), 105);
    EXPECT_EQ(s.get(3, 0, 1), CELL_OUTSIDE);
    EXPECT_EQ(s.get(-1, 0, 0), CELL_OUTSIDE);
    EXPECT_EQ(s.isFlat(), 1);
    s.set(1, 0, 1, 103);
    s.set(5, 0, 0, 103);  // outside: ignored
    EXPECT_EQ(s.countNonEmpty(), 6);

    CSpace copy(s);
    copy.set(1, 0, 1, 0);
    EXPECT_EQ(s.get(1, 0, 1), 103);  // the copy has its own cells
    EXPECT_EQ(copy.countNonEmpty(), 5);

    CSpace other(1, 4, 1, 0);
    other = s;
    EXPECT_EQ(other.getSizeY(), 1);
    EXPECT_EQ(other.isEqual(s), 1);
    CSpace& alias = other;
    other = alias;
    EXPECT_EQ(other.get(1, 0, 1), 103);
    other = CSpace(0, 0, 0, 0);
    expectEmpty(other);

    // Assigning over a space of as many cells (which keeps its memory) takes the shape too.
    CSpace numbered(3, 1, 2, 0);
    for (int i = 0; i < 6; i++) numbered.set(i % 3, 0, i / 3, 100 + i);
    for (CSpace target : {CSpace(2, 1, 3, 107), CSpace(6, 1, 1, 107), CSpace(1, 2, 3, 107), CSpace(3, 1, 2, 107)}) {
        target = numbered;
        EXPECT_TRUE(target.getSizeX() == 3 && target.getSizeY() == 1 && target.getSizeZ() == 2);
        EXPECT_EQ(target.isEqual(numbered), 1);
    }

    // The default space stands in for one whose contents are not known yet.
    CSpace unknown;
    EXPECT_EQ(unknown.getSizeX() * unknown.getSizeY() * unknown.getSizeZ(), 1);
    EXPECT_EQ(unknown.get(0, 0, 0), 0);
}

TEST(Space, OversizedRequestsGiveTheEmptySpace)
{
    // Products that overflow int (some wrap to small positive counts), overflow even 64 bits,
    // or exceed MAX_CELLS while fitting in int (2 GiB, which this machine could allocate).
    expectEmpty(CSpace(65536, 65536, 1, 0));
    expectEmpty(CSpace(65537, 65537, 1, 0));
    expectEmpty(CSpace(INT_MAX, INT_MAX, INT_MAX, 0));
    expectEmpty(CSpace(1 << 15, 1 << 14, 1, 0));
    expectEmpty(CSpace(1, 1 << 14, (1 << 14) + 1, 0));
    CSpace s(4, 4, 4, 0);
    expectEmpty(s.extract(0, 0, 0, INT_MAX, 2, 2));

    // A resize that cannot be held keeps the space as it was rather than emptying it.
    s.set(1, 2, 3, 106);
    s.resize(65537, 65537, 1);
    EXPECT_EQ(s.getSizeX(), 4);
    EXPECT_EQ(s.get(1, 2, 3), 106);
    s.resize(INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(s.get(1, 2, 3), 106);
}

TEST(Space, ResizeKeepsCornerAndClearsOutsideMarks)
{
    CSpace s = numberedCube();
    s.resize(3, 0, 3);
    EXPECT_EQ(s.isEqual(numberedCube()), 1);
    s.resize(-1, 3, 3);
    EXPECT_EQ(s.isEqual(numberedCube()), 1);

    s.resize(3, 3, 3);
    EXPECT_EQ(s.getSizeX(), 3);
    EXPECT_EQ(s.countNonEmpty(), 8);
    for (int z = 0; z < 3; z++)
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 3; x++)
                EXPECT_EQ(s.get(x, y, z), x < 2 && y < 2 && z < 2 ? 100 + x + 2 * y + 4 * z : 0);

    s.resize(1, 1, 1);
    EXPECT_EQ(s.countNonEmpty(), 1);
    EXPECT_EQ(s.get(0, 0, 0), 100);

    // Every 2 becomes 0, even when the sizes stay the same.
    CSpace marked = flatSpace({"oRo", "*oK"});
    marked.resize(3, 1, 2);
    EXPECT_EQ(rowsOf(marked), (Rows{".R.", "*.K"}));

    // An empty space grows into zeros (its reads of 2 are stored as 0).
    CSpace empty(0, 0, 0, 0);
    empty.resize(2, 1, 1);
    EXPECT_EQ(rowsOf(empty), (Rows{".."}));
}

TEST(Space, CountFillAndFlatness)
{
    CSpace s = flatSpace({".*oR", "...."});
    s.set(3, 0, 1, 12345);  // a value without a colour still counts
    EXPECT_EQ(s.countNonEmpty(), 4);

    CSpace cube(5, 5, 5, 104);
    cube.fillCount(7);
    EXPECT_EQ(cube.countNonEmpty(), 7);
    for (int x = 0; x < 5; x++) EXPECT_EQ(cube.get(x, 0, 0), CELL_BLACK);
    EXPECT_EQ(cube.get(0, 1, 0), CELL_BLACK);
    EXPECT_EQ(cube.get(1, 1, 0), CELL_BLACK);
    EXPECT_EQ(cube.get(2, 1, 0), 0);
    EXPECT_EQ(cube.get(0, 0, 1), 0);

    cube.fillCount(-3);
    EXPECT_EQ(cube.countNonEmpty(), 0);
    cube.fillCount(1000);
    EXPECT_EQ(cube.countNonEmpty(), 125);
    CSpace empty(0, 0, 0, 0);
    empty.fillCount(3);
    EXPECT_EQ(empty.countNonEmpty(), 0);
}

TEST(Space, IsBoxEmpty)
{
    CSpace s(4, 3, 4, 0);
    s.set(2, 1, 3, 102);
    EXPECT_EQ(s.isBoxEmpty(0, 0, 0, 4, 3, 3), 1);
    EXPECT_EQ(s.isBoxEmpty(0, 0, 0, 4, 3, 4), 0);
    EXPECT_EQ(s.isBoxEmpty(2, 1, 3, 1, 1, 1), 0);
    EXPECT_EQ(s.isBoxEmpty(3, 0, 0, 2, 1, 1), 0);    // reaches outside along x
    EXPECT_EQ(s.isBoxEmpty(-1, 0, 0, 1, 1, 1), 0);   // wholly outside
    EXPECT_EQ(s.isBoxEmpty(0, 0, 0, 0, 3, 3), 1);    // zero extent
    EXPECT_EQ(s.isBoxEmpty(9, 9, 9, 5, -2, 5), 1);   // negative extent, even outside
    EXPECT_EQ(s.isBoxEmpty(INT_MAX, 0, 0, 3, 1, 1), 0);
    EXPECT_EQ(CSpace(0, 0, 0, 0).isBoxEmpty(0, 0, 0, 1, 1, 1), 0);
}

TEST(Space, ExtractReadsOutsideAsTwo)
{
    CSpace s(3, 1, 1, 0);
    s.set(0, 0, 0, 104);
    EXPECT_EQ(rowsOf(s.extract(-1, 0, 0, 2, 1, 1)), (Rows{"oG"}));

    CSpace cube = numberedCube();
    CSpace inner = cube.extract(1, 0, 1, 1, 2, 1);
    EXPECT_EQ(inner.getSizeY(), 2);
    EXPECT_EQ(inner.get(0, 0, 0), 105);
    EXPECT_EQ(inner.get(0, 1, 0), 107);

    CSpace straddling = cube.extract(1, 1, 1, 2, 2, 2);
    EXPECT_EQ(straddling.get(0, 0, 0), 107);
    EXPECT_EQ(straddling.countNonEmpty(), 8);  // seven cells outside, read as 2
    EXPECT_EQ(straddling.get(1, 1, 1), CELL_OUTSIDE);

    expectEmpty(cube.extract(0, 0, 0, 0, 1, 1));
    expectEmpty(cube.extract(0, 0, 0, 1, -1, 1));

    // Corners near the int limits read outside without wrapping around into the grid.
    CSpace far = cube.extract(INT_MAX - 1, INT_MAX, INT_MIN, 3, 2, 2);
    EXPECT_EQ(far.countNonEmpty(), 12);
    for (int i = 0; i < 3; i++) EXPECT_EQ(far.get(i, 1, 1), CELL_OUTSIDE);
}

TEST(Space, PasteNeedsTheFarCornerToFit)
{
    CSpace target(2, 2, 2, 0);
    target.paste(1, 1, 1, numberedCube());
    EXPECT_EQ(target.countNonEmpty(), 0);
    target.paste(0, 0, 0, CSpace(0, 0, 0, 0));
    EXPECT_EQ(target.countNonEmpty(), 0);

    // A negative corner: the source's x = 1 column lands on x = 0, the x = 0 column is dropped,
    // and the source's 1 leaves the target cell as it was.
    CSpace src = numberedCube();
    src.set(1, 1, 1, CELL_ANY);
    target.set(0, 1, 1, 106);
    target.set(1, 0, 0, 106);
    target.paste(-1, 0, 0, src);
    EXPECT_EQ(target.get(0, 0, 0), 101);
    EXPECT_EQ(target.get(0, 1, 0), 103);
    EXPECT_EQ(target.get(0, 0, 1), 105);
    EXPECT_EQ(target.get(0, 1, 1), 106);
    EXPECT_EQ(target.get(1, 0, 0), 106);  // the x = 1 column is untouched
    EXPECT_EQ(target.countNonEmpty(), 5);

    // 0 and 2 are written like colours; only 1 is transparent.
    CSpace row = flatSpace({"RGBY"});
    row.paste(1, 0, 0, flatSpace({".*o"}));
    EXPECT_EQ(rowsOf(row), (Rows{"R.Bo"}));
    row.paste(2, 0, 0, flatSpace({"WWW"}));  // far corner beyond x: nothing at all
    EXPECT_EQ(rowsOf(row), (Rows{"R.Bo"}));
    row.paste(INT_MIN, 0, 0, flatSpace({"WWW"}));
    EXPECT_EQ(rowsOf(row), (Rows{"R.Bo"}));
}

TEST(Space, AppendXPlacesSpacesSideBySide)
{
    CSpace a = flatSpace({"Ro"});
    CSpace b(1, 3, 1, 0);
    b.set(0, 0, 0, 104);
    b.set(0, 1, 0, CELL_OUTSIDE);
    b.set(0, 2, 0, 105);
    CSpace ab = a.appendX(b);
    ASSERT_EQ(ab.getSizeX(), 3);
    ASSERT_EQ(ab.getSizeY(), 3);
    ASSERT_EQ(ab.getSizeZ(), 1);
    EXPECT_EQ(rowsOf(ab, 0), (Rows{"R.G"}));  // this space's 2 became 0
    EXPECT_EQ(rowsOf(ab, 1), (Rows{"..o"}));  // the other's 2 is kept
    EXPECT_EQ(rowsOf(ab, 2), (Rows{"..P"}));

    CSpace deep = flatSpace({"K"}).appendX(flatSpace({"W", "Y"}));
    EXPECT_EQ(rowsOf(deep), (Rows{"KW", ".Y"}));

    CSpace empty(0, 0, 0, 0);
    EXPECT_EQ(rowsOf(empty.appendX(a)), (Rows{"Ro"}));
    EXPECT_EQ(rowsOf(a.appendX(empty)), (Rows{"R."}));
    expectEmpty(empty.appendX(empty));
    // Too large a result gives the empty space, not a copy without the appended part.
    expectEmpty(CSpace(1, 1, 1 << 14, 103).appendX(CSpace(1, 1 << 14, 1, 103)));
}

TEST(Space, MatchAtCellRules)
{
    CSpace s = flatSpace({"R.o"});
    // 1 matches anything, also outside.
    for (int x = -1; x <= 3; x++) EXPECT_EQ(s.matchAt(x, 0, 0, flatSpace({"*"})), 1) << x;
    // 0 matches only empty, not outside.
    EXPECT_EQ(s.matchAt(1, 0, 0, flatSpace({"."})), 1);
    EXPECT_EQ(s.matchAt(0, 0, 0, flatSpace({"."})), 0);
    EXPECT_EQ(s.matchAt(3, 0, 0, flatSpace({"."})), 0);
    // 2 matches a cell holding 2 and outside.
    EXPECT_EQ(s.matchAt(2, 0, 0, flatSpace({"o"})), 1);
    EXPECT_EQ(s.matchAt(0, 0, -1, flatSpace({"o"})), 1);
    EXPECT_EQ(s.matchAt(1, 0, 0, flatSpace({"o"})), 0);
    // A pattern may stick out of the space on any side.
    EXPECT_EQ(s.matchAt(-1, 0, 0, flatSpace({"oR.", "***"})), 1);
    EXPECT_EQ(s.matchAt(2, 0, 0, flatSpace({"oo"})), 1);
    EXPECT_EQ(s.matchAt(2, 0, 0, flatSpace({"o."})), 0);
    EXPECT_EQ(s.matchAt(INT_MAX, INT_MAX, INT_MAX, flatSpace({"oo", "oo"})), 1);
    EXPECT_EQ(s.matchAt(INT_MIN, 0, 0, flatSpace({"o.o"})), 0);
    // An empty pattern matches anywhere in a space, but a space with a zero size matches nothing.
    EXPECT_EQ(s.matchAt(7, 7, 7, CSpace(0, 0, 0, 0)), 1);
    EXPECT_EQ(CSpace(0, 0, 0, 0).matchAt(0, 0, 0, CSpace(0, 0, 0, 0)), 0);
    EXPECT_EQ(CSpace(0, 0, 0, 0).matchAt(0, 0, 0, flatSpace({"o"})), 0);
}

TEST(Space, SearchOrderIsZThenYThenX)
{
    CSpace s(4, 3, 3, 0);
    CSpace red(1, 1, 1, CELL_RED);
    s.set(2, 1, 1, CELL_RED);
    s.set(3, 2, 1, CELL_RED);
    s.set(0, 0, 2, CELL_RED);
    int x = -7, y = -7, z = -7;
    ASSERT_EQ(s.find(red, x, y, z), 1);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{2, 1, 1}));
    s.set(1, 2, 0, CELL_RED);  // lower z wins over lower y and x
    ASSERT_EQ(s.find(red, x, y, z), 1);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{1, 2, 0}));
    s.set(3, 1, 0, CELL_RED);  // at equal z, lower y wins over lower x
    ASSERT_EQ(s.find(red, x, y, z), 1);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(s.contains(red), 1);

    x = y = z = -7;
    EXPECT_EQ(s.find(CSpace(1, 1, 1, CELL_GREEN), x, y, z), 0);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{-7, -7, -7}));
    EXPECT_EQ(s.contains(CSpace(1, 1, 1, CELL_GREEN)), 0);
}

TEST(Space, SearchesOnlyWhereThePatternFitsWholly)
{
    CSpace s = flatSpace({"RG.", "..."});
    int x = -1, y = -1, z = -1;
    // Only 1s: found at the corner whenever the pattern is no larger than the space.
    EXPECT_EQ(s.find(flatSpace({"**", "**"}), x, y, z), 1);
    EXPECT_EQ(x + y + z, 0);
    EXPECT_EQ(s.find(flatSpace({"***", "***"}), x, y, z), 1);
    EXPECT_EQ(s.find(flatSpace({"****"}), x, y, z), 0);
    EXPECT_EQ(s.find(flatSpace({"*", "*", "*"}), x, y, z), 0);
    EXPECT_EQ(s.contains(CSpace(1, 2, 1, CELL_ANY)), 0);  // taller than the flat space

    // matchAt accepts the pattern sticking out at (-1, 0, -1); the searches do not.
    CSpace edge = flatSpace({"oo", "oR"});
    EXPECT_EQ(s.matchAt(-1, 0, -1, edge), 1);
    EXPECT_EQ(s.contains(edge), 0);
    EXPECT_EQ(s.occursTwice(flatSpace({"o"})), 0);

    // The empty pattern: found at (0, 0, 0) in any non-empty space, never in an empty space.
    x = y = z = 5;
    EXPECT_EQ(s.find(CSpace(0, 0, 0, 0), x, y, z), 1);
    EXPECT_EQ(x + y + z, 0);
    x = 5;
    EXPECT_EQ(CSpace(0, 0, 0, 0).find(CSpace(0, 0, 0, 0), x, y, z), 0);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(CSpace(0, 0, 0, 0).contains(CSpace(0, 0, 0, 0)), 0);
}

TEST(Space, OccursTwiceMeansExactlyTwo)
{
    CSpace pattern = flatSpace({"RR"});
    EXPECT_EQ(flatSpace({"RR...."}).occursTwice(pattern), 0);
    EXPECT_EQ(flatSpace({"RR.RR."}).occursTwice(pattern), 1);
    EXPECT_EQ(flatSpace({"RRR..."}).occursTwice(pattern), 1);  // overlapping matches count
    EXPECT_EQ(flatSpace({"RR.RRR"}).occursTwice(pattern), 0);
    EXPECT_EQ(flatSpace({"RR.RR.", "RR...."}).occursTwice(pattern), 0);
    EXPECT_EQ(flatSpace({"......"}).occursTwice(pattern), 0);
    EXPECT_EQ(CSpace(0, 0, 0, 0).occursTwice(CSpace(0, 0, 0, 0)), 0);
    // 1x1x1 holds the empty pattern at (0..1)^3: eight positions, not two.
    EXPECT_EQ(CSpace(1, 1, 1, 0).occursTwice(CSpace(0, 0, 0, 0)), 0);
}

TEST(Space, IsEqualComparesSizesThenCells)
{
    CSpace a = numberedCube();
    EXPECT_EQ(a.isEqual(a), 1);
    CSpace b = numberedCube();
    EXPECT_EQ(a.isEqual(b), 1);
    b.set(1, 1, 1, 0);
    EXPECT_EQ(a.isEqual(b), 0);
    EXPECT_EQ(b.isEqual(a), 0);

    EXPECT_EQ(CSpace(2, 1, 1, 0).isEqual(CSpace(1, 2, 1, 0)), 0);
    EXPECT_EQ(CSpace(1, 1, 2, 0).isEqual(CSpace(1, 1, 1, 0)), 0);
    EXPECT_EQ(CSpace(0, 0, 0, 0).isEqual(CSpace(-3, 4, 4, 9)), 1);
    EXPECT_EQ(CSpace(0, 0, 0, 0).isEqual(CSpace(1, 1, 1, 0)), 0);
}
