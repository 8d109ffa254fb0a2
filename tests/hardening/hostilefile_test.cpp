// Files from strangers: absurd sizes are refused without being allocated, endless lines are read
// in bounded memory, and whatever loads can be run and stopped without harm.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "allocationprobe.h"
#include "document/tesseradoc.h"
#include "formats/memorystream.h"
#include "formats/spacereader.h"
#include "hardeningview.h"

namespace {
// Far above what reading a small file needs (the file reader's buffer is 64 KiB), far below
// what any of the absurd sizes would take.
constexpr std::size_t kModestAllocation = 1 << 20;

// One cell line of a space file. Formatted with snprintf: GCC 12 at -O3 warns falsely
// (-Wrestrict) about a chain like "(" + std::to_string(x) + ",".
std::string cellLine(int x, int y, int z, int value)
{
    char line[64];
    std::snprintf(line, sizeof line, "(%d,%d,%d,%d)\r\n", x, y, z, value);
    return line;
}

std::string header(const std::string& x, const std::string& y, const std::string& z)
{
    return "3D-Tessera\r\nThe X is " + x + "\r\nThe Y is " + y + "\r\nThe Z is " + z + "\r\n";
}

struct AbsurdSizes {
    const char* what;
    std::string x, y, z;
};

const std::vector<AbsurdSizes> kAbsurd = {
    {"a thousand cubed, 10^9 cells", "1000", "1000", "1000"},
    {"a product that wraps to 0 in 32 bits", "65536", "65536", "1"},
    {"a product past INT_MAX", "46341", "46341", "1"},
    {"INT_MAX on every axis", "2147483647", "2147483647", "2147483647"},
    {"digits beyond any int", "99999999999999999999", "99999999999999999999", "2"},
    {"one cell past the limit", "268435457", "1", "1"},
    {"a negative size beside huge ones", "-1", "2147483647", "2147483647"},
    {"INT_MIN", "-2147483648", "1", "1"},
};
}  // namespace

TEST(HostileFile, AbsurdSizesGiveTheEmptySpaceWithoutAllocatingIt)
{
    for (const AbsurdSizes& a : kAbsurd) {
        SCOPED_TRACE(a.what);
        // A cell that would lie inside the declared space, and ones at the int range's ends.
        CMemoryStream in(header(a.x, a.y, a.z) + "(0,0,0,103)\r\n(2147483647,0,0,104)\r\n(-2147483648,-1,0,1)\r\n");
        CSpace space(2, 2, 2, 107);
        std::size_t largest;
        {
            CAllocationProbe probe;
            ASSERT_TRUE(readSpaceFile(in, space));
            largest = probe.largest();
        }
        EXPECT_EQ(space.getSizeX(), 0);
        EXPECT_EQ(space.getSizeY(), 0);
        EXPECT_EQ(space.getSizeZ(), 0);
        EXPECT_EQ(space.get(0, 0, 0), 2) << "the empty space holds no cell";
        EXPECT_LT(largest, kModestAllocation);
    }
}

TEST(HostileFile, AnEndlessLineIsReadInBoundedMemory)
{
    // Eight million digits and no line feed where the X size should end, then nothing.
    CMemoryStream in("3D-Tessera\nThe X is " + std::string(8 << 20, '7'));
    CSpace space(3, 1, 3, 104);
    std::size_t largest;
    {
        CAllocationProbe probe;
        EXPECT_FALSE(readSpaceFile(in, space)) << "the file ends before the Y size";
        largest = probe.largest();
    }
    EXPECT_TRUE(space.isEqual(CSpace(3, 1, 3, 104)));
    EXPECT_LT(largest, kModestAllocation);

    // The same line as a cell line of a real space: read, dropped past its first bytes, and the
    // lines after it still count.
    CMemoryStream cells(header("4", "1", "1") + "(1,0,0," + std::string(4 << 20, '9') + ")\r\n(2,0,0,105)\r\n");
    {
        CAllocationProbe probe;
        ASSERT_TRUE(readSpaceFile(cells, space));
        largest = probe.largest();
    }
    EXPECT_EQ(space.get(1, 0, 0), INT_MAX) << "digits beyond the int range saturate";
    EXPECT_EQ(space.get(2, 0, 0), 105);
    EXPECT_LT(largest, kModestAllocation);
}

namespace {
// Loads the file into a document and runs whatever it holds for at most `steps` shown steps.
// Returns the number of steps shown before the run finished, or -1 when it did not finish.
int loadAndRun(CTesseraDoc& doc, CHardeningView& view, const std::string& file, int steps)
{
    CMemoryStream in(file, "hostile.ts3");
    if (!doc.Load(in)) return -2;
    doc.StartRun();
    for (int shown = 0; shown <= steps; shown++) {
        const RunMessage m = view.next();
        if (m == RunMessage::Finished) return shown;
        if (m != RunMessage::Show) break;
        doc.SignalContinue();
    }
    doc.StopRun();
    return -1;
}
}  // namespace

TEST(HostileFile, WhateverLoadsRunsAndEnds)
{
    CTesseraDoc doc;
    CHardeningView view(doc, false);

    // Absurd sizes: an empty document, whose run ends after one step.
    EXPECT_EQ(loadAndRun(doc, view, header("1000", "1000", "1000") + "(0,0,0,104)\r\n", 5), 1);
    EXPECT_EQ(doc.GetSizeX(), 0);

    // Values no editor paints (outside, wildcard, negative, huge) where blocks would be outlined.
    std::string odd = header("12", "1", "12");
    const int values[] = {2, 1, -1, INT_MIN, INT_MAX, 102, 104, 99, 108};
    for (int i = 0; i < 144; i++)
        odd += cellLine(i % 12, 0, i / 12, values[(i * 7) % 9]);
    EXPECT_EQ(loadAndRun(doc, view, odd, 20), 1);
    EXPECT_EQ(doc.GetCell(0, 0, 0), 2) << "the values stay as they were loaded";

    // A plane file whose declared plane is one cell tall but whose lines reach far beyond it.
    EXPECT_EQ(loadAndRun(doc, view, "Tessera\nThe width is 3\nThe height is 1\n(0,0,102)\n(1,5000,102)\n(-3,0,104)\n", 5), 1);
    EXPECT_EQ(doc.GetSizeZ(), 1);
    EXPECT_EQ(doc.GetSpace().countNonEmpty(), 1);
}

// A legitimately large declared space is held once while it is read, not twice.
TEST(HostileFile, ALargeDeclaredSpaceIsHeldOnceWhileRead)
{
    CMemoryStream in(header("1000", "1000", "10") + "(999,999,9,107)\r\n");
    CSpace space;
    std::size_t peak;
    {
        CAllocationProbe probe;
        ASSERT_TRUE(readSpaceFile(in, space));
        peak = probe.peak();
    }
    const std::size_t bytes = std::size_t(1000) * 1000 * 10 * sizeof(int);
    EXPECT_EQ(space.get(999, 999, 9), 107);
    EXPECT_GE(peak, bytes);
    EXPECT_LT(peak, bytes + bytes / 2);
}
