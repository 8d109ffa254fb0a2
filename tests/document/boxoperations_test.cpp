// The document's box operations: corners in any order, boxes reaching beyond the space, cells
// that paste leaves alone, and one undo step each.
#include <gtest/gtest.h>

#include "editortestkit.h"

TEST(BoxOperationsTest, ExtractReadsOutsideCellsAsTwo)
{
    SEditorFixture f(3, 1, 3, {{0, 0, 0, 105}, {2, 0, 2, 106}});
    const CSpace box = f.doc.ExtractBox(CBox(2, 0, 2, -1, 0, -1));  // corners in either order
    ASSERT_EQ(box.getSizeX(), 4);
    ASSERT_EQ(box.getSizeZ(), 4);
    EXPECT_EQ(box.get(0, 0, 0), 2);
    EXPECT_EQ(box.get(1, 0, 1), 105);
    EXPECT_EQ(box.get(3, 0, 3), 106);
    EXPECT_FALSE(f.doc.GetHistory().CanUndo());
}

TEST(BoxOperationsTest, FillAndCutClipToTheSpaceAndRecordOneStep)
{
    SEditorFixture f(4, 2, 4, {{3, 1, 3, 101}});
    f.doc.FillBox(CBox(-5, 0, 2, 1, 5, 9), 103, {"PointSet"});
    for (int x = 0; x < 4; x++)
        for (int z = 0; z < 4; z++) EXPECT_EQ(f.doc.GetCell(x, 1, z), x <= 1 && z >= 2 ? 103 : (x == 3 && z == 3 ? 101 : 0));
    EXPECT_EQ(f.doc.GetHistory().Count(), 1u);
    const CSpace cut = f.doc.CutBox(CBox(1, 1, 3, 4, 1, 3), {"Cut"});
    ASSERT_EQ(cut.getSizeX(), 4);
    EXPECT_EQ(cut.get(0, 0, 0), 103);
    EXPECT_EQ(cut.get(2, 0, 0), 101);
    EXPECT_EQ(cut.get(3, 0, 0), 2);
    EXPECT_EQ(f.doc.GetCell(3, 1, 3), 0);
    EXPECT_EQ(f.doc.GetCell(1, 1, 3), 0);
    EXPECT_EQ(f.doc.GetHistory().Count(), 2u);
    // A box wholly outside changes nothing, yet is a step the user can undo.
    f.doc.FillBox(CBox(10, 10, 10, 12, 12, 12), 100, {"PointSet"});
    EXPECT_EQ(f.doc.GetHistory().Count(), 3u);
}

TEST(BoxOperationsTest, PasteSkipsTwoAndKeepsOneAndTheUndoIsExact)
{
    SEditorFixture f(3, 1, 3, {{1, 0, 1, 1}, {2, 0, 2, 2}});
    const CSpace before = f.doc.GetSpace();
    CSpace src(2, 1, 2, 2);
    src.set(0, 0, 0, 1);
    src.set(1, 0, 1, 105);
    f.doc.PasteBox(1, 0, 0, src, {"Paste"});  // the column x = 3 lies beyond the space
    EXPECT_EQ(f.doc.GetCell(1, 0, 0), 1);  // unlike the interpreter's paste, 1 is written
    EXPECT_EQ(f.doc.GetCell(2, 0, 1), 105);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 1);  // under a 2: untouched
    EXPECT_EQ(f.doc.GetCell(2, 0, 0), 0);
    SEditMark where;
    ASSERT_TRUE(f.doc.Undo(where));
    EXPECT_EQ(where.name, "Paste");
    EXPECT_TRUE(f.doc.GetSpace().isEqual(before));
}
