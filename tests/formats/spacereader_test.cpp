// Space and plane file reader: round trips, line ends, malformed and hostile input.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "formats/memorystream.h"
#include "formats/spacereader.h"
#include "formats/spacewriter.h"

namespace {

const std::string HEADER_2x1x2 = "3D-Tessera\r\nThe X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n";

// Hands out one byte per read, so every multi-byte read must be put together by the reader.
class CTrickleStream : public CMemoryStream {
public:
    using CMemoryStream::CMemoryStream;
    int read(void* buf, int n) override { return CMemoryStream::read(buf, n > 0 ? 1 : n); }
};

// The 1x1x1 space holding 42: what `out` holds before a read that must leave it untouched.
CSpace marker()
{
    return CSpace(1, 1, 1, 42);
}

bool readText(const std::string& text, CSpace& out)
{
    CMemoryStream in(text);
    return readSpaceFile(in, out);
}

void expectSizes(const CSpace& s, int x, int y, int z)
{
    EXPECT_EQ(s.getSizeX(), x);
    EXPECT_EQ(s.getSizeY(), y);
    EXPECT_EQ(s.getSizeZ(), z);
}

CSpace randomSpace(unsigned seed, int sx, int sy, int sz)
{
    std::mt19937 gen(seed);
    const int values[] = {1, 2, 100, 101, 102, 103, 104, 105, 106, 107, -1, -99999, 7, 12345, INT_MIN, INT_MAX};
    CSpace s(sx, sy, sz, 0);
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++)
                if (gen() % 3 == 0) s.set(x, y, z, values[gen() % 16]);
    return s;
}

}  // namespace

TEST(SpaceReader, RoundTripOfRandomSpaces)
{
    const int sizes[][3] = {{1, 1, 1}, {2, 1, 2}, {7, 3, 5}, {1, 1, 60}, {13, 1, 11}, {40, 10, 30}, {3, 17, 2}};
    unsigned seed = 1;
    for (const auto& sz : sizes) {
        for (int repeat = 0; repeat < 3; repeat++, seed++) {
            CSpace original = randomSpace(seed, sz[0], sz[1], sz[2]);
            CMemoryStream file;
            ASSERT_TRUE(writeSpaceFile(file, original));
            CSpace loaded = marker();
            ASSERT_TRUE(readSpaceFile(file, loaded)) << "seed " << seed;
            EXPECT_EQ(loaded.isEqual(original), 1) << "seed " << seed;
            // The same bytes come through a stream that delivers a single byte per read.
            CTrickleStream slow(file.contents());
            CSpace slowLoaded = marker();
            ASSERT_TRUE(readSpaceFile(slow, slowLoaded));
            EXPECT_EQ(slowLoaded.isEqual(original), 1) << "seed " << seed;
        }
    }
}

TEST(SpaceReader, BareLineFeedsReadLikeCrLf)
{
    CSpace crlf = marker(), lf = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(1,0,0,100)\r\n(0,0,1,103)\r\n", crlf));
    ASSERT_TRUE(readText("3D-Tessera\nThe X is 2\nThe Y is 1\nThe Z is 2\n(1,0,0,100)\n(0,0,1,103)\n", lf));
    expectSizes(lf, 2, 1, 2);
    EXPECT_EQ(lf.get(1, 0, 0), 100);
    EXPECT_EQ(lf.get(0, 0, 1), 103);
    EXPECT_EQ(lf.isEqual(crlf), 1);
}

TEST(SpaceReader, HeadersThatStopTheReader)
{
    const std::string bad[] = {
        "",                                                          // nothing at all
        "#VRML V1.0 ascii\r\n",                                      // an exported scene
        "tessera\r\nThe width is 5\r\nThe height is 3\r\n",          // first byte is neither 3 nor T
        "3d-Tessera\r\nThe X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n",  // case matters
        "3D-tessera\r\nThe X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n",  // case matters
        "3D-Tessera The X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n",     // no line end after the name
        "3D-Tessera\rThe X is 2\r\nThe Y is 1\r\nThe Z is 2\r\n",    // CR swallows the T
        "3D-Tessera\r\nThe x is 2\r\nThe Y is 1\r\nThe Z is 2\r\n",  // wrong label
        "3D-Tessera\r\nThe X is 2\r\nThe Z is 1\r\nThe Y is 2\r\n",  // labels out of order
        "3D-Tessera\r\nThe X is \nThe Y is 1\nThe Z is 2\n",         // empty size line
        "3D-Tessera\r\nThe X is 2\r\nThe Y is 1\r\nThe Z is ",       // file ends at the last size
        "3D-Tessera\r\nThe X is 2\r\nThe Y",                         // file ends inside a label
        "3D-Tess",                                                   // file ends inside the name
        "3D-Tessera\r",                                              // CR with nothing after it
        "Tessera\r\nThe width is 5\r\nThe heigth is 3\r\n",          // misspelt plane label
        "Tesserae\r\nThe width is 5\r\nThe height is 3\r\n",         // wrong plane line end
    };
    for (const std::string& text : bad) {
        CSpace out = marker();
        EXPECT_FALSE(readText(text, out)) << text;
        EXPECT_EQ(out.isEqual(marker()), 1) << text;
    }
}

TEST(SpaceReader, EmptyLineEndsTheCellList)
{
    CSpace out = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(1,0,0,100)\r\n\n(0,0,1,103)\r\n", out));
    EXPECT_EQ(out.get(1, 0, 0), 100);
    EXPECT_EQ(out.get(0, 0, 1), 0);
    // A line of only CR is not empty: it is skipped and the list goes on.
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(1,0,0,100)\r\n\r\n(0,0,1,103)\r\n", out));
    EXPECT_EQ(out.get(0, 0, 1), 103);
}

TEST(SpaceReader, SizesWithoutDigitsOrTooLargeGiveTheEmptySpace)
{
    const std::string headers[] = {
        "3D-Tessera\r\nThe X is two\r\nThe Y is 1\r\nThe Z is 2\r\n",
        "3D-Tessera\r\nThe X is \r\nThe Y is 1\r\nThe Z is 2\r\n",
        "3D-Tessera\r\nThe X is -3\r\nThe Y is 1\r\nThe Z is 2\r\n",
        "3D-Tessera\r\nThe X is 2000000000\r\nThe Y is 2000000000\r\nThe Z is 1\r\n",
        "3D-Tessera\r\nThe X is 16384\r\nThe Y is 16384\r\nThe Z is 2\r\n",  // 2^29 cells
        "3D-Tessera\r\nThe X is 99999999999999999999\r\nThe Y is 1\r\nThe Z is 1\r\n",
    };
    for (const std::string& h : headers) {
        CSpace out = marker();
        ASSERT_TRUE(readText(h + "(0,0,0,100)\r\n(1,0,1,103)\r\n", out)) << h;
        expectSizes(out, 0, 0, 0);
        EXPECT_EQ(out.countNonEmpty(), 0);
    }
}

TEST(SpaceReader, SizesParseLikeDecimalConversion)
{
    CSpace out = marker();
    ASSERT_TRUE(readText("3D-Tessera\r\nThe X is  +3xyz\r\nThe Y is \t2\r\nThe Z is 04,9\r\n", out));
    expectSizes(out, 3, 2, 4);
}

TEST(SpaceReader, CellLinesOutsideTheGridAreIgnored)
{
    CSpace out = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(-1,0,0,100)\r\n(0,-1,0,100)\r\n(2,0,0,100)\r\n(0,1,0,100)\r\n"
                                        "(0,0,2,100)\r\n(99999999999,0,0,100)\r\n(0,0,-2147483649,100)\r\n"
                                        "(1,0,1,104)\r\n",
                         out));
    expectSizes(out, 2, 1, 2);
    EXPECT_EQ(out.countNonEmpty(), 1);
    EXPECT_EQ(out.get(1, 0, 1), 104);
}

TEST(SpaceReader, CellLineNumbers)
{
    CSpace out = marker();
    // The first byte is skipped unseen; blanks and signs before numbers; values out of range clamp.
    ASSERT_TRUE(readText("3D-Tessera\r\nThe X is 6\r\nThe Y is 1\r\nThe Z is 1\r\n"
                         "x0,0,0,100)\r\n(1, 0, 0, -5)\r\n(+2,+0,+0,+7\r\n(3,0,0,99999999999)\r\n"
                         "(4,0,0,-99999999999)\r\n(5,0,0,-2147483648)\r\n",
                         out));
    EXPECT_EQ(out.get(0, 0, 0), 100);
    EXPECT_EQ(out.get(1, 0, 0), -5);
    EXPECT_EQ(out.get(2, 0, 0), 7);
    EXPECT_EQ(out.get(3, 0, 0), INT_MAX);
    EXPECT_EQ(out.get(4, 0, 0), INT_MIN);
    EXPECT_EQ(out.get(5, 0, 0), INT_MIN);
}

TEST(SpaceReader, LinesWithTooFewCommasAreSkipped)
{
    // Each short line would clear (0,0,0) if its missing numbers were taken as 0.
    CSpace out = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(0,0,0,101)\r\n(0,0,0)\r\n(0,0,0\r\n(0)\r\n(\r\n,,,\r\n(0,0,1,103)\r\n",
                         out));
    EXPECT_EQ(out.get(0, 0, 0), 101);
    EXPECT_EQ(out.countNonEmpty(), 2);
    EXPECT_EQ(out.get(0, 0, 1), 103);
    // ",,,," has three commas after its first byte but no digits: it sets (0,0,0) to 0.
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(0,0,0,101)\r\n,,,,\r\n", out));
    EXPECT_EQ(out.get(0, 0, 0), 0);
}

TEST(SpaceReader, TruncatedLastLineIsStillRead)
{
    CSpace out = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(1,0,0,100)\r\n(0,0,1,103", out));
    EXPECT_EQ(out.get(1, 0, 0), 100);
    EXPECT_EQ(out.get(0, 0, 1), 103);
    // A file that ends right after the sizes holds an empty space of those sizes.
    ASSERT_TRUE(readText("3D-Tessera\nThe X is 2\nThe Y is 1\nThe Z is 2", out));
    expectSizes(out, 2, 1, 2);
    EXPECT_EQ(out.countNonEmpty(), 0);
}

TEST(SpaceReader, OverlongLinesKeepTheirFirstBytes)
{
    // 100000 bytes of padding after a valid cell line: the line keeps its start, the rest is dropped.
    std::string padded = "(1,0,0,100)" + std::string(100000, 'x') + ",5\r\n";
    // A long run of blanks pushes the last commas beyond the kept bytes: the line is skipped.
    std::string pushed = "(0," + std::string(300, ' ') + "0,1,104)\r\n";
    // 199 bytes are kept: a line whose last comma is at byte 196 and whose value ends at byte 199
    // is read whole.
    std::string kept = "(1,0," + std::string(189, ' ') + "1,104)\r\n";
    // A long size line keeps its leading digits.
    std::string header = "3D-Tessera\r\nThe X is 2" + std::string(5000, '0') + "\r\nThe Y is 1\r\nThe Z is 2\r\n";
    CSpace out = marker();
    ASSERT_TRUE(readText(HEADER_2x1x2 + padded + pushed + kept + "(0,0,0,101)\r\n", out));
    EXPECT_EQ(out.get(1, 0, 0), 100);
    EXPECT_EQ(out.get(1, 0, 1), 104);
    EXPECT_EQ(out.get(0, 0, 1), 0);
    EXPECT_EQ(out.get(0, 0, 0), 101);
    ASSERT_TRUE(readText(header, out));
    expectSizes(out, 0, 0, 0);  // 2 followed by 5000 zeros clamps to INT_MAX: far too many cells
    // A 100000-byte line with no line feed at the end of the file.
    ASSERT_TRUE(readText(HEADER_2x1x2 + "(0,0,1,102" + std::string(100000, ')'), out));
    EXPECT_EQ(out.get(0, 0, 1), 102);
}

TEST(SpaceReader, PlaneFile)
{
    CSpace out = marker();
    ASSERT_TRUE(readText("Tessera\r\nThe width is 5\r\nThe height is 3\r\n(4,2,103)\r\n(0,1,100)\r\n(5,0,104)\r\n"
                         "(1,1)\r\n",
                         out));
    expectSizes(out, 5, 1, 3);
    EXPECT_EQ(out.countNonEmpty(), 2);
    EXPECT_EQ(out.get(4, 0, 2), 103);
    EXPECT_EQ(out.get(0, 0, 1), 100);
    // Bare line feeds, and a plane with a size without digits gives the empty space.
    ASSERT_TRUE(readText("Tessera\nThe width is 2\nThe height is 2\n(1,1,107)\n", out));
    expectSizes(out, 2, 1, 2);
    EXPECT_EQ(out.get(1, 0, 1), 107);
    ASSERT_TRUE(readText("Tessera\nThe width is w\nThe height is 2\n(0,0,107)\n", out));
    expectSizes(out, 0, 0, 0);
}

TEST(SpaceReader, DamagedFilesNeverBreakTheReader)
{
    // Random byte changes, insertions and cuts in a valid file (run under the sanitizers too):
    // a reader that stops leaves `out` untouched.
    CMemoryStream file;
    ASSERT_TRUE(writeSpaceFile(file, randomSpace(99, 4, 3, 5)));
    const std::string valid = file.contents();
    const char alphabet[] = "3DT(),-+0123456789\r\n \0x";
    std::mt19937 gen(2024);
    int loaded = 0;
    for (int round = 0; round < 3000; round++) {
        std::string text = valid;
        for (int edits = 1 + int(gen() % 4); edits > 0; edits--) {
            std::size_t at = gen() % (text.size() + 1);
            char c = alphabet[gen() % (sizeof alphabet - 1)];
            switch (gen() % 4) {
            case 0: if (at < text.size()) text[at] = c; break;
            case 1: text.insert(at, std::string(1 + gen() % 300, c)); break;
            case 2: text.erase(at, gen() % 8); break;
            default: text.resize(at); break;
            }
        }
        CSpace out = marker();
        if (readText(text, out))
            loaded++;
        else
            EXPECT_EQ(out.isEqual(marker()), 1) << text;
    }
    // Most damage falls in the cell list, so many damaged files still load.
    EXPECT_GT(loaded, 300);
}
