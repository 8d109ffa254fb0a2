// Exact space sizes: which sizes are possible, how many cells a resize drops, and the
// document's resize (cells keep their places, the listeners hear of other sizes, not of a new space).
#include "document/spaceresize.h"

#include <gtest/gtest.h>

#include <climits>

#include "document/tesseradoc.h"
#include "docwatcher.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"

namespace {
void Load(CTesseraDoc& doc, const CSpace& space)
{
    CMemoryStream file;
    ASSERT_TRUE(writeSpaceFile(file, space));
    CMemoryStream in(file.contents(), "cells.ts3");
    ASSERT_TRUE(doc.Load(in));
}

CSpace ThreeCells()
{
    CSpace space(6, 3, 5, 0);
    space.set(0, 0, 0, 103);
    space.set(5, 1, 2, 104);
    space.set(2, 2, 4, 107);
    return space;
}
}  // namespace

TEST(SpaceResize, PossibleSizes)
{
    EXPECT_TRUE(isPossibleSpaceSize(1, 1, 1));
    EXPECT_TRUE(isPossibleSpaceSize(40, 10, 30));
    EXPECT_TRUE(isPossibleSpaceSize(1 << 14, 1 << 14, 1));  // exactly the largest number of cells
    EXPECT_FALSE(isPossibleSpaceSize(1 << 14, 1 << 14, 2));
    EXPECT_FALSE(isPossibleSpaceSize(0, 10, 10));
    EXPECT_FALSE(isPossibleSpaceSize(10, -1, 10));
    EXPECT_FALSE(isPossibleSpaceSize(10, 10, INT_MIN));
    // Products that overflow 32 and 64 bits are refused, not wrapped into a small size.
    EXPECT_FALSE(isPossibleSpaceSize(65536, 65536, 65536));
    EXPECT_FALSE(isPossibleSpaceSize(INT_MAX, INT_MAX, INT_MAX));
    EXPECT_FALSE(isPossibleSpaceSize(1, INT_MAX, 2));
}

TEST(SpaceResize, CountsOnlyPaintedCellsBeyondTheNewSizes)
{
    const CSpace space = ThreeCells();
    EXPECT_EQ(countCellsDropped(space, 6, 3, 5), 0);
    EXPECT_EQ(countCellsDropped(space, 60, 30, 50), 0);
    EXPECT_EQ(countCellsDropped(space, 5, 3, 5), 1);  // x 5 goes
    EXPECT_EQ(countCellsDropped(space, 6, 2, 4), 1);  // y 2 and z 4 go: the same cell
    EXPECT_EQ(countCellsDropped(space, 1, 1, 1), 2);
    EXPECT_EQ(countCellsDropped(CSpace(6, 3, 5, 0), 1, 1, 1), 0);  // empty cells are not counted
}

TEST(SpaceResize, GrowingKeepsEveryCellInItsPlace)
{
    CTesseraDoc doc;
    Load(doc, ThreeCells());
    CDocWatcher view(doc);
    ASSERT_TRUE(doc.ResizeSpace(9, 4, 7));
    const CSpace grown = doc.GetSpace();
    EXPECT_EQ(grown.getSizeX(), 9);
    EXPECT_EQ(grown.getSizeY(), 4);
    EXPECT_EQ(grown.getSizeZ(), 7);
    EXPECT_EQ(grown.get(0, 0, 0), 103);
    EXPECT_EQ(grown.get(5, 1, 2), 104);
    EXPECT_EQ(grown.get(2, 2, 4), 107);
    EXPECT_EQ(grown.countNonEmpty(), 3);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.Told(ESpaceChange::Sizes), 1);
    EXPECT_EQ(view.Told(ESpaceChange::NewSpace), 0);  // the cursor, colour and eye stay
}

TEST(SpaceResize, ShrinkingDropsTheCellsBeyondAndMakesAFlatSpace)
{
    CTesseraDoc doc;
    Load(doc, ThreeCells());
    ASSERT_TRUE(doc.ResizeSpace(5, 1, 5));
    const CSpace flat = doc.GetSpace();
    EXPECT_TRUE(flat.isFlat());
    EXPECT_EQ(flat.getSizeX(), 5);
    EXPECT_EQ(flat.get(0, 0, 0), 103);
    EXPECT_EQ(flat.countNonEmpty(), 1);
}

TEST(SpaceResize, ImpossibleSizesChangeNothing)
{
    CTesseraDoc doc;
    Load(doc, ThreeCells());
    EXPECT_FALSE(doc.ResizeSpace(0, 3, 5));
    EXPECT_FALSE(doc.ResizeSpace(65536, 65536, 65536));
    EXPECT_TRUE(doc.GetSpace().isEqual(ThreeCells()));
    EXPECT_FALSE(doc.IsModified());
}
