// Space file and VRML writers: exact bytes, scan order, and behaviour on a failing stream.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "formats/vrmlwriter.h"

namespace {

std::string spaceText(const CSpace& s)
{
    CMemoryStream out;
    EXPECT_TRUE(writeSpaceFile(out, s));
    return out.contents();
}

std::string vrmlText(const CSpace& s)
{
    CMemoryStream out;
    EXPECT_TRUE(writeVrml(out, s));
    return out.contents();
}

const std::string VRML_HEADER =
    "#VRML V1.0 ascii\r\n\r\nDirectionalLight {\r\n  direction -0.2 -1.0 -0.8\r\n}\r\n\r\n";

std::string vrmlBlock(const std::string& at, const std::string& rgb)
{
    return "Separator {\r\n  Translation {translation " + at + " }\r\n  Material {diffuseColor " + rgb +
           "}\r\n  Cube {width 1 height 1 depth 1}\r\n}\r\n\r\n";
}

// Accepts a fixed number of writes, then refuses every further one.
class CRefusingStream : public CMemoryStream {
public:
    explicit CRefusingStream(int allowed) : allowed(allowed) {}
    bool write(const void* buf, int n) override
    {
        attempts++;
        return allowed-- > 0 && CMemoryStream::write(buf, n);
    }
    int allowed;
    int attempts = 0;
};

}  // namespace

TEST(SpaceWriter, EmptyOfCellsIsFourLines)
{
    EXPECT_EQ(spaceText(CSpace(40, 10, 30, 0)), "3D-Tessera\r\nThe X is 40\r\nThe Y is 10\r\nThe Z is 30\r\n");
    // The empty space (all sizes 0) has the same four lines.
    EXPECT_EQ(spaceText(CSpace(0, 0, 0, 0)), "3D-Tessera\r\nThe X is 0\r\nThe Y is 0\r\nThe Z is 0\r\n");
}

TEST(SpaceWriter, CellLinesInZYXOrder)
{
    CSpace s(2, 1, 2, 0);
    s.set(1, 0, 0, 100);
    s.set(0, 0, 1, 103);
    EXPECT_EQ(spaceText(s),
              "3D-Tessera\r\nThe X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n(1,0,0,100)\r\n(0,0,1,103)\r\n");

    CSpace t(3, 2, 2, 0);
    t.set(2, 1, 0, 104);
    t.set(0, 0, 1, 1);
    t.set(1, 0, 0, 107);
    t.set(0, 1, 0, 102);
    EXPECT_EQ(spaceText(t), "3D-Tessera\r\nThe X is 3\r\nThe Y is 2\r\nThe Z is 2\r\n"
                            "(1,0,0,107)\r\n(0,1,0,102)\r\n(2,1,0,104)\r\n(0,0,1,1)\r\n");
}

TEST(SpaceWriter, AnyNonZeroValueIsWrittenUnchanged)
{
    CSpace s(5, 1, 1, 0);
    s.set(0, 0, 0, 2);
    s.set(1, 0, 0, -7);
    s.set(2, 0, 0, INT_MIN);
    s.set(3, 0, 0, INT_MAX);
    s.set(4, 0, 0, 12345);
    EXPECT_EQ(spaceText(s), "3D-Tessera\r\nThe X is 5\r\nThe Y is 1\r\nThe Z is 1\r\n(0,0,0,2)\r\n(1,0,0,-7)\r\n"
                            "(2,0,0,-2147483648)\r\n(3,0,0,2147483647)\r\n(4,0,0,12345)\r\n");
}

TEST(SpaceWriter, StopsAtTheFirstRefusedWrite)
{
    CSpace s(300, 300, 1, 101);  // 90000 lines: more than one chunk of text
    CRefusingStream none(0);
    EXPECT_FALSE(writeSpaceFile(none, s));
    EXPECT_EQ(none.attempts, 1);
    CRefusingStream one(1);
    EXPECT_FALSE(writeSpaceFile(one, s));
    EXPECT_EQ(one.attempts, 2);
    EXPECT_FALSE(one.contents().empty());
    CRefusingStream vrml(0);
    EXPECT_FALSE(writeVrml(vrml, s));
    EXPECT_EQ(vrml.attempts, 1);
}

TEST(VrmlWriter, EmptySpaceIsTheHeaderOnly)
{
    EXPECT_EQ(vrmlText(CSpace(4, 4, 4, 0)), VRML_HEADER);
    EXPECT_EQ(vrmlText(CSpace(0, 0, 0, 0)), VRML_HEADER);
}

TEST(VrmlWriter, RedCellBlock)
{
    CSpace s(3, 1, 6, 0);
    s.set(2, 0, 5, 103);
    EXPECT_EQ(vrmlText(s), VRML_HEADER +
                               "Separator {\r\n  Translation {translation 2 0 5 }\r\n"
                               "  Material {diffuseColor 1 0 0 }\r\n"
                               "  Cube {width 1 height 1 depth 1}\r\n}\r\n\r\n");
}

TEST(VrmlWriter, EveryColourAndValuesWithoutColour)
{
    // Row x = 0..7 holds the colours 100..107; x = 8..10 hold 1, 2 and -5, which export black.
    CSpace s(11, 1, 1, 0);
    for (int i = 0; i < 8; i++) s.set(i, 0, 0, 100 + i);
    s.set(8, 0, 0, 1);
    s.set(9, 0, 0, 2);
    s.set(10, 0, 0, -5);
    const char* rgb[] = {"1 1 1 ", "0 0 0 ", "0 0 1 ", "1 0 0 ", "0 1 0 ", "1 0 1 ", "0 1 1 ", "1 1 0 ",
                         "0 0 0 ", "0 0 0 ", "0 0 0 "};
    std::string expected = VRML_HEADER;
    for (int i = 0; i < 11; i++) expected += vrmlBlock(std::to_string(i) + " 0 0", rgb[i]);
    EXPECT_EQ(vrmlText(s), expected);
}

TEST(VrmlWriter, BlocksInZYXOrder)
{
    CSpace s(2, 2, 2, 0);
    s.set(1, 1, 1, 104);
    s.set(1, 0, 1, 102);
    s.set(0, 1, 0, 100);
    EXPECT_EQ(vrmlText(s), VRML_HEADER + vrmlBlock("0 1 0", "1 1 1 ") + vrmlBlock("1 0 1", "0 0 1 ") +
                               vrmlBlock("1 1 1", "0 1 0 "));
}
