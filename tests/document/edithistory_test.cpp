// Undo and redo: random edits checked against the space after every prefix of edits, the names
// and the cursor, the modified flag, the memory bound, Back and a run, and undo during a run.
#include "document/edithistory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <vector>

#include "editortestkit.h"
#include "support/blockbuilder.h"

namespace {
constexpr auto kPatience = std::chrono::seconds(10);

struct SRandomEdit {
    std::mt19937 rng;
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    int Value()
    {
        static const int values[] = {0, 0, 1, 2, 100, 101, 102, 103, 104, 105, 106, 107};
        return values[Below(12)];
    }
};
}  // namespace

TEST(EditHistoryTest, RandomEditsUndosAndRedosMatchTheSpaceAfterEachPrefix)
{
    for (unsigned seed = 1; seed <= 40; seed++) {
        SRandomEdit r{std::mt19937(seed)};
        // Odd values too: cells holding 1 and 2 must come back exactly.
        CSpace start(3 + r.Below(5), 1 + r.Below(4), 3 + r.Below(5), 0);
        for (int n = 0; n < 12; n++)
            start.set(r.Below(start.getSizeX()), r.Below(start.getSizeY()), r.Below(start.getSizeZ()), r.Value());
        SEditorFixture f(start);
        std::vector<CSpace> states = {f.doc.GetSpace()};  // states[i]: after the first i edits
        std::vector<SEditMark> marks = {{}};
        std::size_t at = 0;
        for (int op = 0; op < 60; op++) {
            const int kind = r.Below(10);
            if (kind <= 1 && at > 0) {
                f.editor.Undo();
                at--;
                EXPECT_EQ(f.editor.GetCursorX(), std::min(marks[at + 1].x, f.doc.GetSizeX() - 1)) << seed << ":" << op;
            } else if (kind == 2 && at + 1 < states.size()) {
                f.editor.Redo();
                at++;
            } else {
                // An edit somewhere, the area possibly reaching beyond the space.
                const int sx = f.doc.GetSizeX(), sy = f.doc.GetSizeY(), sz = f.doc.GetSizeZ();
                f.editor.PlaceCursor(r.Below(sx), r.Below(sy), r.Below(sz));
                if (r.Below(2)) {
                    f.editor.AreaBegin();
                    f.editor.MoveBy(ECursorMove(r.Below(6)), 1 + r.Below(4));
                    if (r.Below(2)) f.editor.AreaMove();
                    f.editor.MoveBy(ECursorMove(r.Below(6)), 1 + r.Below(4));
                }
                f.editor.SetColor(r.Value());
                const SEditMark where{"", f.editor.GetCursorX(), f.editor.GetCursorY(), f.editor.GetCursorZ()};
                switch (r.Below(7)) {
                case 0: f.editor.PointSet(); break;
                case 1: f.editor.PointReset(); break;
                case 2: f.editor.Cut(); break;
                case 3: f.editor.Paste(); break;
                case 4: f.editor.ToggleCursorCell(); break;
                case 5:
                    if (sx * sy * sz < 4000) f.editor.SizeUp();
                    else f.editor.SizeDown();
                    break;
                case 6: f.editor.SizeDown(); break;
                }
                f.editor.AreaCancel();
                states.resize(at + 1);
                marks.resize(at + 1);
                states.push_back(f.doc.GetSpace());
                marks.push_back(where);
                at++;
            }
            ASSERT_TRUE(f.doc.GetSpace().isEqual(states[at])) << "seed " << seed << " op " << op;
            ASSERT_EQ(f.editor.CanUndo(), at > 0);
            ASSERT_EQ(f.editor.CanRedo(), at + 1 < states.size());
        }
        // All the way back and forth again.
        while (f.editor.CanUndo()) f.editor.Undo();
        EXPECT_TRUE(f.doc.GetSpace().isEqual(states[0])) << seed;
        while (f.editor.CanRedo()) f.editor.Redo();
        EXPECT_TRUE(f.doc.GetSpace().isEqual(states.back())) << seed;
    }
}

TEST(EditHistoryTest, StepsAreNamedAfterTheirCommandsAndPutTheCursorBack)
{
    SEditorFixture f(20, 4, 20);
    EXPECT_EQ(f.editor.UndoName(), "");
    f.editor.PlaceCursor(3, 1, 4);
    f.editor.PointSet();
    f.editor.PlaceCursor(5, 0, 5);
    f.editor.Cut();
    f.editor.PlaceCursor(7, 2, 9);
    f.editor.Paste();
    EXPECT_EQ(f.editor.UndoName(), "Paste");
    f.editor.PlaceCursor(0, 0, 0);
    f.editor.Undo();
    EXPECT_EQ(f.editor.GetCursorX(), 7);
    EXPECT_EQ(f.editor.GetCursorY(), 2);
    EXPECT_EQ(f.editor.GetCursorZ(), 9);
    EXPECT_EQ(f.editor.GetTargetZ(), 9.5f);
    EXPECT_EQ(f.editor.UndoName(), "Cut");
    EXPECT_EQ(f.editor.RedoName(), "Paste");
    f.editor.Undo();
    EXPECT_EQ(f.editor.UndoName(), "PointSet");
    f.editor.Undo();
    EXPECT_EQ(f.editor.GetCursorX(), 3);
    EXPECT_EQ(f.editor.UndoName(), "");
    f.editor.Redo();
    EXPECT_EQ(f.editor.GetCursorZ(), 4);
    EXPECT_EQ(f.doc.GetCell(3, 1, 4), 104);
    EXPECT_TRUE(f.editor.IsEdited());
    f.editor.SizeUp();
    EXPECT_EQ(f.editor.UndoName(), "SizeUp");
    f.editor.SizeDown();
    EXPECT_EQ(f.editor.UndoName(), "SizeDown");
    EXPECT_FALSE(f.editor.CanRedo());  // a new step forgets what was undone
    // Loading starts the history afresh.
    f.Load(CSpace(3, 3, 3, 0));
    EXPECT_FALSE(f.editor.CanUndo());
    EXPECT_FALSE(f.editor.CanRedo());
}

TEST(EditHistoryTest, TheModifiedFlagFollowsTheSavedState)
{
    SEditorFixture f(10, 2, 10);
    EXPECT_FALSE(f.doc.IsModified());
    f.editor.PointSet();
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.Undo();
    EXPECT_FALSE(f.doc.IsModified());  // back to the loaded state
    f.editor.Redo();
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.MoveXPlus();
    f.editor.PointSet();
    f.doc.SetModifiedFlag(false);  // saved here
    f.editor.Undo();
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.Redo();
    EXPECT_FALSE(f.doc.IsModified());
    // Undo, then a new edit: the saved state can no longer be reached.
    f.editor.Undo();
    f.editor.PointReset();
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.Undo();
    EXPECT_TRUE(f.doc.IsModified());
    // The size commands change the space a file would hold, too.
    f.editor.Undo();
    f.doc.SetModifiedFlag(false);
    f.editor.SizeUp();
    EXPECT_TRUE(f.doc.IsModified());
    f.editor.Undo();
    EXPECT_FALSE(f.doc.IsModified());
    // A new document is clean and has nothing to undo.
    f.doc.OnNewDocument();
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(f.editor.CanUndo());
}

TEST(EditHistoryTest, MemoryIsBoundedAndTheOldestStepsGoFirst)
{
    // Each step below holds 2 x 1000 cells.
    auto step = [](int n) {
        return CEditStep::Box({"Step" + std::to_string(n), n, 0, 0}, 0, 0, 0, CSpace(10, 10, 10, 0),
                              CSpace(10, 10, 10, n));
    };
    const std::size_t one = step(0).Bytes();
    CEditHistory history(5 * one + one / 2);
    history.Clear();  // the loaded file: the saved state
    for (int n = 1; n <= 8; n++) history.Record(step(n));
    EXPECT_EQ(history.Count(), 5u);
    EXPECT_LE(history.Bytes(), history.Limit());
    EXPECT_EQ(history.NextUndo().Mark().name, "Step8");
    for (int n = 0; n < 4; n++) history.StepBack();
    EXPECT_EQ(history.NextUndo().Mark().name, "Step4");  // Steps 1 to 3 are gone
    history.StepBack();
    EXPECT_FALSE(history.CanUndo());
    // The oldest kept state is the one after Step3, not the file's: still modified.
    EXPECT_FALSE(history.IsAtSaved());
    // A step larger than the whole limit cannot be kept, nor can anything before it.
    history.Record(CEditStep::Box({"Huge", 0, 0, 0}, 0, 0, 0, CSpace(30, 30, 30, 0), CSpace(30, 30, 30, 1)));
    EXPECT_EQ(history.Count(), 0u);
    EXPECT_EQ(history.Bytes(), 0u);
    EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistoryTest, SizeUpOfALargeSpaceKeepsNoCopyOfIt)
{
    CSpace large(200, 100, 200, 0);  // 4 million cells, 16 MB
    large.set(0, 0, 0, 103);
    large.set(199, 99, 199, 2);  // Size Up empties a 2: only that cell is kept
    SEditorFixture f(large);
    f.editor.SizeUp();
    ASSERT_EQ(f.doc.GetSizeX(), 300);
    EXPECT_LT(f.doc.GetHistory().Bytes(), 1024u);
    f.editor.SizeDown();  // crop to the used box: nothing is lost, nothing kept
    EXPECT_LT(f.doc.GetHistory().Bytes(), 2048u);
    f.editor.Undo();
    f.editor.Undo();
    EXPECT_TRUE(f.doc.GetSpace().isEqual(large));
}

TEST(EditHistoryTest, BackUndoesARunAndCanItselfBeUndone)
{
    SEditorFixture f(blinkingProgram());
    f.editor.StartRun();
    // Stopped while the third step is shown: three steps of a blinker leave it changed (a
    // continue after the third would let a fourth step turn it back, now and then).
    for (int step = 0; step < 3; step++) {
        ASSERT_EQ(f.view.next(kPatience), RunMessage::Show);
        if (step < 2) f.doc.SignalContinue();
    }
    f.doc.StopRun();
    const CSpace ran = f.doc.GetSpace();
    ASSERT_FALSE(ran.isEqual(blinkingProgram()));  // the run rewrote the work area
    EXPECT_FALSE(f.editor.CanUndo());              // but that is no edit
    f.editor.Back();
    EXPECT_TRUE(f.doc.GetSpace().isEqual(blinkingProgram()));
    EXPECT_EQ(f.editor.UndoName(), "Back");
    EXPECT_LT(f.doc.GetHistory().Bytes(), 2 * 9 * sizeof(int) + 1024);  // only the work area's box
    f.editor.Undo();
    EXPECT_TRUE(f.doc.GetSpace().isEqual(ran));
    f.editor.Redo();
    EXPECT_TRUE(f.doc.GetSpace().isEqual(blinkingProgram()));
}

TEST(EditHistoryTest, BackAfterAnUndoneResizeBringsBackTheWholeSpace)
{
    SEditorFixture f(4, 1, 4, {{1, 0, 1, 103}});
    f.editor.SizeUp();  // reinitialised: the Back copy is the grown space
    f.editor.Undo();
    ASSERT_EQ(f.doc.GetSizeX(), 4);
    f.editor.Back();
    EXPECT_EQ(f.doc.GetSizeX(), 6);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 103);
    f.editor.Undo();
    EXPECT_EQ(f.doc.GetSizeX(), 4);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 103);
    f.editor.Redo();
    EXPECT_EQ(f.doc.GetSizeZ(), 6);
}

TEST(EditHistoryTest, SpaceSizeIsOneStepKeepingOnlyTheDroppedCells)
{
    SEditorFixture f(6, 2, 6, {{5, 1, 5, 103}, {1, 0, 1, 104}});
    const CSpace before = f.doc.GetSpace();
    ASSERT_TRUE(f.doc.ResizeSpace(3, 2, 3));
    EXPECT_EQ(f.editor.UndoName(), "Space Size");
    EXPECT_LT(f.doc.GetHistory().Bytes(), 1024u);
    f.editor.Undo();
    EXPECT_TRUE(f.doc.GetSpace().isEqual(before));
    f.editor.Redo();
    EXPECT_EQ(f.doc.GetSizeX(), 3);
    EXPECT_EQ(f.doc.GetCell(1, 0, 1), 104);
}

TEST(EditHistoryTest, UndoDuringARunRestartsItFromTheRestoredSpace)
{
    SEditorFixture f(blinkingProgram());
    f.editor.StartRun();
    ASSERT_EQ(f.view.next(kPatience), RunMessage::Show);
    f.editor.PlaceCursor(0, 0, 19);
    f.editor.PointSet();  // outside every block: the run goes on
    EXPECT_EQ(f.doc.GetCell(0, 0, 19), 104);
    const int updates = f.view.runChanges;
    f.editor.Undo();
    EXPECT_EQ(f.doc.GetCell(0, 0, 19), 0);
    EXPECT_GT(f.view.runChanges, updates);  // Start again: the worker restarts at its next check
    EXPECT_TRUE(f.doc.IsBusy());
    f.doc.SignalContinue();
    const RunMessage m = f.view.next(kPatience);
    EXPECT_TRUE(m == RunMessage::Show || m == RunMessage::Finished);
    f.editor.Redo();
    EXPECT_EQ(f.doc.GetCell(0, 0, 19), 104);
    f.doc.StopRun();
    EXPECT_EQ(f.doc.GetCell(0, 0, 19), 104);
}
