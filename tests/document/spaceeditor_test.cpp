// CSpaceEditor: cursor moves and the area, setting and resetting, Copy, Cut and Paste, the size
// commands' reinitialisation and the run flags, without any window.
#include <gtest/gtest.h>

#include <chrono>

#include "editortestkit.h"

namespace {
constexpr float kAzimuthMinusX = 0.0f;  // sector 0: Left -x, Front +z
}  // namespace

TEST(SpaceEditorTest, InitialiseCentresTheCursorOnTheFloorAndResetsTheChoices)
{
    SEditorFixture f(40, 10, 30);
    f.editor.SetColor(103);
    f.editor.SetStep(10);
    f.editor.AreaBegin();
    f.editor.AreaMove();
    f.editor.PointSet();
    f.editor.StartRun();
    f.doc.StopRun();
    f.editor.Initialise();
    EXPECT_EQ(f.editor.GetColor(), 104);
    EXPECT_EQ(f.editor.GetStep(), 1);
    EXPECT_FALSE(f.editor.IsArea());
    EXPECT_FALSE(f.editor.IsAreaMove());
    EXPECT_FALSE(f.editor.IsEdited());
    EXPECT_FALSE(f.editor.IsBackAvailable());
    EXPECT_EQ(f.editor.GetCursorX(), 20);
    EXPECT_EQ(f.editor.GetCursorY(), 0);
    EXPECT_EQ(f.editor.GetCursorZ(), 15);
    EXPECT_EQ(f.editor.GetTargetX(), 20.5f);
    EXPECT_EQ(f.editor.GetTargetY(), 0.5f);
    EXPECT_EQ(f.editor.GetTargetZ(), 15.5f);
}

TEST(SpaceEditorTest, ScreenMovesFollowTheAzimuthSector)
{
    SEditorFixture f(40, 10, 30);
    f.editor.MoveScreen(SCREEN_LEFT, 0.8f);  // sector 1: Left toward +z
    EXPECT_EQ(f.editor.GetCursorZ(), 16);
    EXPECT_EQ(f.editor.GetTargetZ(), 16.5f);
    f.editor.MoveScreen(SCREEN_FRONT, 0.8f);  // +x
    EXPECT_EQ(f.editor.GetCursorX(), 21);
    f.editor.MoveScreen(SCREEN_LEFT, -0.5f);  // trunc(-0.64) = 0: sector 0, Left toward -x
    EXPECT_EQ(f.editor.GetCursorX(), 20);
    f.editor.MoveScreen(SCREEN_REAR, -0.5f);  // -z
    EXPECT_EQ(f.editor.GetCursorZ(), 15);
    f.editor.MoveScreen(SCREEN_RIGHT, 3.0f);  // sector 3: Right toward -x, Front toward -z
    EXPECT_EQ(f.editor.GetCursorX(), 19);
    f.editor.MoveScreen(SCREEN_FRONT, 3.0f);
    EXPECT_EQ(f.editor.GetCursorZ(), 14);
    f.editor.MoveUp();
    f.editor.MoveUp();
    EXPECT_EQ(f.editor.GetCursorY(), 2);
    EXPECT_EQ(f.editor.GetTargetY(), 2.5f);
    f.editor.MoveDown();
    EXPECT_EQ(f.editor.GetCursorY(), 1);
}

TEST(SpaceEditorTest, StepBigStopsAtTheBorderAndMovesTheAreaByTheDistanceMoved)
{
    SEditorFixture f(40, 10, 30);
    f.editor.PlaceCursor(6, 0, 15);
    f.editor.AreaBegin();  // corner at x = 6
    f.editor.MoveScreen(SCREEN_LEFT, kAzimuthMinusX);
    f.editor.MoveScreen(SCREEN_LEFT, kAzimuthMinusX);  // cursor at 4
    f.editor.AreaMove();
    f.editor.SetStep(CSpaceEditor::STEP_BIG);
    f.editor.MoveScreen(SCREEN_LEFT, kAzimuthMinusX);
    EXPECT_EQ(f.editor.GetCursorX(), 0);
    EXPECT_EQ(f.editor.GetTargetX(), 0.5f);
    EXPECT_EQ(f.editor.GetAreaX(), 2);  // moved by 4, not 10
    f.editor.MoveXPlus();
    EXPECT_EQ(f.editor.GetCursorX(), 10);
    EXPECT_EQ(f.editor.GetAreaX(), 12);
    for (int i = 0; i < 5; i++) f.editor.MoveXPlus();
    EXPECT_EQ(f.editor.GetCursorX(), 39);
    EXPECT_EQ(f.editor.GetAreaX(), 41);  // the corner is not clamped
    for (int i = 0; i < 3; i++) f.editor.MoveUp();
    EXPECT_EQ(f.editor.GetCursorY(), 9);
    // One move by an explicit step, as the joystick's fast moves, leaves the step alone.
    f.editor.SetStep(1);
    f.editor.MoveBy(MOVE_Z_MINUS, 10);
    EXPECT_EQ(f.editor.GetCursorZ(), 5);
    EXPECT_EQ(f.editor.GetStep(), 1);
}

TEST(SpaceEditorTest, PointSetFillsTheAreaAndEndsIt)
{
    SEditorFixture f(6, 4, 5);
    f.editor.PlaceCursor(1, 1, 1);
    f.editor.AreaBegin();
    f.editor.MoveXPlus();
    f.editor.MoveXPlus();
    f.editor.MoveDown();
    f.editor.MoveZPlus();  // cursor (3, 0, 2), corner (1, 1, 1)
    f.editor.SetColor(105);
    f.editor.PointSet();
    EXPECT_FALSE(f.editor.IsArea());
    EXPECT_TRUE(f.editor.IsEdited());
    EXPECT_TRUE(f.doc.IsModified());
    int filled = 0;
    for (int x = 0; x < 6; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 5; z++) {
                const bool inside = x >= 1 && x <= 3 && y <= 1 && z >= 1 && z <= 2;
                EXPECT_EQ(f.doc.GetCell(x, y, z), inside ? 105 : 0) << x << "," << y << "," << z;
                filled += inside;
            }
    EXPECT_EQ(filled, 12);
}

TEST(SpaceEditorTest, PointResetAndTheDoubleClickToggleOnlyTheCursorCell)
{
    SEditorFixture f(4, 4, 4, {{2, 0, 2, 103}, {2, 1, 2, 103}});
    EXPECT_EQ(f.editor.GetCursorX(), 2);
    f.editor.PointReset();
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 0);
    EXPECT_EQ(f.doc.GetCell(2, 1, 2), 103);
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.SetColor(107);
    f.editor.ToggleCursorCell();
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 107);
    f.editor.ToggleCursorCell();
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 0);
    EXPECT_EQ(f.editor.UndoName(), "PointReset");
}

TEST(SpaceEditorTest, AreaStatesAndCopyWithoutAnArea)
{
    SEditorFixture f(10, 3, 10);
    f.editor.AreaBegin();
    EXPECT_TRUE(f.editor.IsArea());
    EXPECT_FALSE(f.editor.IsAreaMove());
    EXPECT_EQ(f.editor.GetAreaX(), f.editor.GetCursorX());
    f.editor.AreaMove();
    EXPECT_TRUE(f.editor.IsAreaMove());
    f.editor.AreaCancel();
    EXPECT_FALSE(f.editor.IsArea());
    EXPECT_FALSE(f.editor.IsAreaMove());
    // Copy without an area: the cursor cell alone, move mode on, still no area, no edit.
    f.editor.Copy();
    EXPECT_FALSE(f.editor.IsArea());
    EXPECT_TRUE(f.editor.IsAreaMove());
    EXPECT_EQ(f.editor.GetClipboard().getSizeX(), 1);
    EXPECT_FALSE(f.editor.IsEdited());
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(f.editor.CanUndo());
}

TEST(SpaceEditorTest, CopyBeyondTheBorderStoresOutsideAndPasteSkipsIt)
{
    // A 4 x 2 x 2 space, every cell coloured by its coordinates.
    auto colourOf = [](int x, int y, int z) { return 100 + (x + 2 * y + 4 * z) % 8; };
    CSpace space(4, 2, 2, 0);
    for (int x = 0; x < 4; x++)
        for (int y = 0; y < 2; y++)
            for (int z = 0; z < 2; z++) space.set(x, y, z, colourOf(x, y, z));
    SEditorFixture f(space);
    f.editor.PlaceCursor(1, 0, 0);
    f.editor.AreaBegin();
    f.editor.MoveXPlus();
    f.editor.MoveUp();
    f.editor.MoveZPlus();  // area (1, 0, 0) .. (2, 1, 1)
    f.editor.AreaMove();
    f.editor.MoveXMinus();
    f.editor.MoveXMinus();  // cursor (0, 1, 1), corner (-1, 0, 0): one cell beyond the space
    EXPECT_EQ(f.editor.GetAreaX(), -1);
    f.editor.Copy();
    const CSpace& clip = f.editor.GetClipboard();
    ASSERT_EQ(clip.getSizeX(), 2);
    ASSERT_EQ(clip.getSizeY(), 2);
    ASSERT_EQ(clip.getSizeZ(), 2);
    for (int j = 0; j < 2; j++)
        for (int k = 0; k < 2; k++) {
            EXPECT_EQ(clip.get(0, j, k), 2);
            EXPECT_EQ(clip.get(1, j, k), colourOf(0, j, k));
        }
    // Back inside: the area covers x 1 .. 2; the outside column leaves x = 1 untouched.
    f.editor.MoveXPlus();
    f.editor.MoveXPlus();
    f.editor.Paste();
    for (int y = 0; y < 2; y++)
        for (int z = 0; z < 2; z++) {
            EXPECT_EQ(f.doc.GetCell(1, y, z), colourOf(1, y, z));
            EXPECT_EQ(f.doc.GetCell(2, y, z), colourOf(0, y, z));
            EXPECT_EQ(f.doc.GetCell(3, y, z), colourOf(3, y, z));
        }
    EXPECT_TRUE(f.editor.IsArea());  // Paste keeps the area for the next paste
    EXPECT_TRUE(f.doc.IsModified());
    // Pasted again at the far border: the part beyond the space is dropped.
    f.editor.MoveXPlus();
    f.editor.Paste();
    EXPECT_EQ(f.doc.GetCell(3, 0, 0), colourOf(0, 0, 0));
    EXPECT_EQ(f.doc.GetCell(2, 0, 0), colourOf(0, 0, 0));
}

TEST(SpaceEditorTest, PasteOfEmptyCellsClears)
{
    SEditorFixture f(6, 1, 6, {{4, 0, 3, 103}, {5, 0, 3, 107}});
    f.editor.PlaceCursor(0, 0, 3);
    f.editor.AreaBegin();
    f.editor.MoveXPlus();  // area (0..1, 0, 3), both empty
    f.editor.Copy();
    for (int i = 0; i < 4; i++) f.editor.MoveXPlus();  // the box travels to x 4 .. 5
    EXPECT_EQ(f.editor.GetAreaX(), 4);
    f.editor.Paste();
    EXPECT_EQ(f.doc.GetCell(4, 0, 3), 0);
    EXPECT_EQ(f.doc.GetCell(5, 0, 3), 0);
}

TEST(SpaceEditorTest, CutClearsMarksEditedAndPastesElsewhere)
{
    SEditorFixture f(5, 1, 5, {{2, 0, 2, 106}});
    f.editor.Cut();
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 0);
    EXPECT_EQ(f.editor.GetClipboard().get(0, 0, 0), 106);
    EXPECT_TRUE(f.editor.IsEdited());
    EXPECT_TRUE(f.editor.IsAreaMove());
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.MoveXPlus();
    f.editor.Paste();
    EXPECT_EQ(f.doc.GetCell(3, 0, 2), 106);
}

TEST(SpaceEditorTest, SizeCommandsReinitialiseAndTheClipboardSurvives)
{
    SEditorFixture f(40, 10, 30, {{5, 0, 5, 103}});
    f.editor.PlaceCursor(5, 0, 5);
    f.editor.Copy();
    f.editor.SetColor(107);
    f.editor.SetStep(10);
    f.editor.MoveXPlus();
    f.editor.SizeUp();
    EXPECT_EQ(f.doc.GetSizeX(), 60);
    EXPECT_EQ(f.editor.GetColor(), 104);
    EXPECT_EQ(f.editor.GetStep(), 1);
    EXPECT_EQ(f.editor.GetCursorX(), 30);
    EXPECT_EQ(f.editor.GetCursorZ(), 22);
    EXPECT_EQ(f.editor.GetClipboard().get(0, 0, 0), 103);
    f.editor.SetColor(101);
    f.editor.SizeDown();
    EXPECT_EQ(f.doc.GetSizeX(), 2);
    EXPECT_EQ(f.editor.GetColor(), 104);
    // A new space: the editor starts afresh on it, with nobody asking it to.
    f.editor.SetColor(101);
    f.doc.OnNewDocument();
    EXPECT_EQ(f.editor.GetColor(), 104);
    EXPECT_EQ(f.editor.GetCursorX(), 20);
}

TEST(SpaceEditorTest, StartTakesABackCopyOnlyOnceEdited)
{
    SEditorFixture f(5, 2, 5, {{1, 0, 1, 102}});
    f.editor.PointSet();  // (2, 0, 2)
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 104);
    f.editor.Back();  // the copy taken at initialisation
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 0);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 102);
    EXPECT_FALSE(f.editor.IsBackAvailable());

    f.editor.PointSet();
    f.editor.StartRun();  // edited: a new Back copy with the cell
    EXPECT_TRUE(f.editor.IsBackAvailable());
    EXPECT_EQ(f.view.next(std::chrono::seconds(10)), RunMessage::Show);
    f.doc.StopRun();
    f.doc.SetCell(2, 0, 2, 0);
    f.editor.Back();
    EXPECT_EQ(f.doc.GetCell(2, 0, 2), 104);
}

// Space Size is an edit like Size Up: the next Start takes a Back copy of the new sizes, so
// Back after that run does not bring the old sizes back. The cursor stays, within the space.
TEST(SpaceEditorTest, SpaceSizeIsAnEditAndTheNextStartTakesABackCopy)
{
    SEditorFixture f(5, 2, 5, {{1, 0, 1, 102}});
    f.editor.PlaceCursor(4, 1, 4);
    f.editor.StartRun();  // not edited: the copy taken at initialisation stays
    f.doc.StopRun();
    ASSERT_TRUE(f.editor.ResizeSpace(3, 2, 7));
    EXPECT_TRUE(f.editor.IsEdited());
    EXPECT_EQ(f.editor.GetCursorX(), 2);
    EXPECT_EQ(f.editor.GetCursorZ(), 4);
    f.editor.StartRun();
    f.doc.StopRun();
    f.editor.Back();
    EXPECT_EQ(f.doc.GetSizeX(), 3);
    EXPECT_EQ(f.doc.GetSizeZ(), 7);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 102);
    EXPECT_FALSE(f.editor.ResizeSpace(0, 2, 2));
}
