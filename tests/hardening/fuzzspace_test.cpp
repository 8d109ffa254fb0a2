// The interpreter fuzz input format: seeds made from real programs must decode to those programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "fuzz/fuzzspace.h"

namespace {
FuzzSpace decoded(const std::string& bytes)
{
    FuzzSpace f;
    EXPECT_TRUE(f.decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return f;
}
}  // namespace

TEST(FuzzSpace, AnEncodedSpaceDecodesToItself)
{
    CSpace s(7, 3, 5, 0);
    const int values[] = {0, 1, 2, 100, 101, 102, 103, 104, 105, 106, 107, -1, INT_MIN, INT_MAX, 99, 255};
    for (int i = 0; i < 7 * 3 * 5; i++) s.set(i % 7, (i / 7) % 3, i / 21, values[(i * 5) % 16]);
    const FuzzSpace f = decoded(FuzzSpace::encode(s, 9));
    EXPECT_TRUE(f.space.isEqual(s));
    EXPECT_EQ(f.stepLimit, 9);
    EXPECT_EQ(f.pressLeft + f.pressRight, 0);
}

TEST(FuzzSpace, BoundsAndShortInputs)
{
    // Larger spaces are cropped to the bounds, keeping the cells inside them.
    CSpace wide(FuzzSpace::MAX_X + 5, 1, 2, 0);
    wide.set(FuzzSpace::MAX_X - 1, 0, 1, 104);
    wide.set(FuzzSpace::MAX_X, 0, 1, 104);
    const FuzzSpace f = decoded(FuzzSpace::encode(wide, 40));
    EXPECT_EQ(f.space.getSizeX(), FuzzSpace::MAX_X);
    EXPECT_EQ(f.space.get(FuzzSpace::MAX_X - 1, 0, 1), 104);
    EXPECT_EQ(f.space.countNonEmpty(), 1);
    EXPECT_EQ(f.stepLimit, 16);

    // Any header gives sizes within the bounds; cells the input lacks are empty, and a raw
    // escape cut short is dropped.
    const FuzzSpace g = decoded(std::string("\xff\xff\xff\x30\x0b\xff\x01", 7));
    EXPECT_LE(g.space.getSizeX(), FuzzSpace::MAX_X);
    EXPECT_LE(g.space.getSizeY(), FuzzSpace::MAX_Y);
    EXPECT_LE(g.space.getSizeZ(), FuzzSpace::MAX_Z);
    EXPECT_EQ(g.space.get(0, 0, 0), 103);
    EXPECT_EQ(g.space.countNonEmpty(), 1);
    EXPECT_EQ(g.pressLeft, 1);
    EXPECT_EQ(g.pressRight, 1);

    FuzzSpace h;
    EXPECT_FALSE(h.decode(reinterpret_cast<const std::uint8_t*>("abc"), 3));
}

// The space ends with the last layer the cell bytes reach, so a short input is a small space.
TEST(FuzzSpace, TheSpaceEndsWithTheInputsLastLayer)
{
    const struct {
        std::size_t cellBytes;
        int layers;
    } cases[] = {{0, 1}, {1, 1}, {20, 1}, {21, 2}, {40, 2}, {41, 3}, {20 * 39, 39}, {20 * 40, 40}, {20 * 45, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cellBytes);
        // Header: 10 x 2 x 40 (each byte is the size minus one), step limit 1.
        std::string bytes("\x09\x01\x27\x00", 4);
        bytes += std::string(c.cellBytes, '\x0b');  // red cells
        const FuzzSpace f = decoded(bytes);
        EXPECT_EQ(f.space.getSizeX(), 10);
        EXPECT_EQ(f.space.getSizeY(), 2);
        EXPECT_EQ(f.space.getSizeZ(), c.layers);
        EXPECT_EQ(f.space.countNonEmpty(), int(std::min<std::size_t>(c.cellBytes, 20 * 40)));
    }
}
