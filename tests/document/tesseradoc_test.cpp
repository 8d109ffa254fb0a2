// CTesseraDoc: new documents, the size commands, loading and saving, Back, and the run protocol
// with a worker thread against a test view that plays the interface thread.
#include "document/tesseradoc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "docwatcher.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "run/inputdevices.h"
#include "run/queuedrunwindow.h"
#include "support/blockbuilder.h"

namespace {
constexpr auto kPatience = std::chrono::seconds(10);

// Also notes which threads posted: one per worker.
class TestView : public CDocWatcher {
public:
    using CDocWatcher::CDocWatcher;
    void postRunShow() override
    {
        notePoster();
        CDocWatcher::postRunShow();
    }
    void postRunFinished() override
    {
        notePoster();
        CDocWatcher::postRunFinished();
    }

    size_t posterCount()
    {
        std::lock_guard<std::mutex> hold(postersMutex);
        return posters.size();
    }

private:
    void notePoster()
    {
        std::lock_guard<std::mutex> hold(postersMutex);
        posters.insert(std::this_thread::get_id());
    }
    std::mutex postersMutex;
    std::set<std::thread::id> posters;  // threads that posted: one per worker
};

std::string spaceFileOf(const CSpace& s)
{
    CMemoryStream out({}, "x.ts3");
    writeSpaceFile(out, s);
    return out.contents();
}

bool load(CTesseraDoc& doc, const CSpace& s)
{
    CMemoryStream in(spaceFileOf(s), "x.ts3");
    return doc.Load(in);
}

class DocTest : public ::testing::Test {
protected:
    // The worker ends before the view that it posts to begins to go.
    void TearDown() override { doc.StopRun(); }
    CTesseraDoc doc;
    TestView view{doc};
};
}  // namespace

TEST_F(DocTest, NewDocumentIsAnEmpty40By10By30Space)
{
    doc.SetCell(0, 0, 0, 104);
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetSpace().isEqual(CSpace(40, 10, 30, 0)));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocTest, SizeUpGrowsByHalfKeepingCellsAndIsANewSpace)
{
    doc.OnNewDocument();
    doc.SetCell(39, 9, 29, 103);
    doc.OnSizeUp();
    EXPECT_EQ(doc.GetSizeX(), 60);
    EXPECT_EQ(doc.GetSizeY(), 15);
    EXPECT_EQ(doc.GetSizeZ(), 45);
    EXPECT_EQ(doc.GetCell(39, 9, 29), 103);
    EXPECT_EQ(doc.GetSpace().countNonEmpty(), 1);
    EXPECT_EQ(view.Told(ESpaceChange::NewSpace), 2) << "New, then Size Up: a space to start afresh on";

    ASSERT_TRUE(load(doc, CSpace(5, 1, 3, 0)));
    doc.OnSizeUp();
    EXPECT_EQ(doc.GetSizeX(), 7);
    EXPECT_EQ(doc.GetSizeY(), 1);
    EXPECT_EQ(doc.GetSizeZ(), 4);
}

TEST_F(DocTest, SizeDownCropsToTheUsedBoxButKeepsTwoCellsPerAxis)
{
    doc.OnNewDocument();
    doc.OnSizeDown();
    EXPECT_TRUE(doc.GetSpace().isEqual(CSpace(2, 2, 2, 0)));

    doc.OnNewDocument();
    doc.SetCell(39, 3, 7, 105);
    doc.OnSizeDown();
    CSpace expected(2, 2, 2, 0);
    expected.set(0, 0, 0, 105);
    EXPECT_TRUE(doc.GetSpace().isEqual(expected));

    doc.OnNewDocument();
    doc.SetCell(3, 1, 2, 100);
    doc.SetCell(6, 4, 2, 2);  // a 2 held inside the grid is a cell like any other
    doc.OnSizeDown();
    EXPECT_EQ(doc.GetSizeX(), 4);
    EXPECT_EQ(doc.GetSizeY(), 4);
    EXPECT_EQ(doc.GetSizeZ(), 2);
    EXPECT_EQ(doc.GetCell(0, 0, 0), 100);
    EXPECT_EQ(doc.GetCell(3, 3, 0), 2);
}

TEST_F(DocTest, LoadRejectsUnknownFilesAndKeepsEverything)
{
    doc.OnNewDocument();
    doc.SetCell(1, 1, 1, 107);
    doc.SaveBackup();
    CMemoryStream scene("#VRML V1.0 ascii\r\n", "x.wrl");
    EXPECT_FALSE(doc.Load(scene));
    EXPECT_EQ(doc.GetCell(1, 1, 1), 107);
    doc.SetCell(1, 1, 1, 0);
    doc.RestoreBackup();
    EXPECT_EQ(doc.GetCell(1, 1, 1), 107);  // the Back copy was not replaced either
}

TEST_F(DocTest, StoreWritesVrmlOnlyForWrlNames)
{
    doc.OnNewDocument();
    doc.SetCell(2, 0, 5, 103);
    CMemoryStream vrml({}, "scene.WRL"), space({}, "scene.Wrl");
    ASSERT_TRUE(doc.Store(vrml));
    ASSERT_TRUE(doc.Store(space));
    EXPECT_EQ(vrml.contents().rfind("#VRML V1.0 ascii\r\n", 0), 0u);
    EXPECT_EQ(space.contents(), spaceFileOf(doc.GetSpace()));
}

TEST_F(DocTest, StopWithoutARunDoesNothing)
{
    doc.StopRun();
    doc.StopRun();
    EXPECT_FALSE(doc.IsBusy());
    EXPECT_EQ(view.next(std::chrono::milliseconds(50)), RunMessage::None);
}

TEST_F(DocTest, ARunShowsEachStepAndEndsWithFinished)
{
    ASSERT_TRUE(load(doc, CSpace(4, 1, 4, 0)));  // nothing to run: one step
    doc.StartRun();
    ASSERT_EQ(view.next(), RunMessage::Show);
    EXPECT_TRUE(doc.IsBusy());
    doc.SignalContinue();
    ASSERT_EQ(view.next(), RunMessage::Finished);
    EXPECT_FALSE(doc.IsBusy());
    EXPECT_EQ(doc.GetStatusText(), "Phase:Separate 4/4");
    EXPECT_TRUE(doc.Session().IsNothingToRun());
    EXPECT_FALSE(doc.IsModified()) << "a run that wrote nothing leaves the document as it was";

    doc.StartRun();  // the same worker waits for the next Start
    ASSERT_EQ(view.next(), RunMessage::Show);
    doc.SignalContinue();
    ASSERT_EQ(view.next(), RunMessage::Finished);
    EXPECT_EQ(view.posterCount(), 1u);
}

TEST_F(DocTest, AnEditWhileRunningRestartsFromTheEditedSpaceOnTheSameWorker)
{
    // The interior starts red at (22..24, 0, 4..6); the first step turns it green.
    ASSERT_TRUE(load(doc, blinkingProgram()));
    doc.StartRun();
    ASSERT_EQ(view.next(), RunMessage::Show);
    ASSERT_EQ(doc.GetCell(23, 0, 4), 104);
    doc.SetCell(22, 0, 4, 106);  // an edit during the run
    doc.RestartIfBusy();
    doc.SignalContinue();
    // The old run would turn all nine cells red from its own copy; the restarted one reads the
    // edited space, where the pale cell matches no rule.
    ASSERT_EQ(view.next(), RunMessage::Show);
    EXPECT_EQ(doc.GetCell(22, 0, 4), 106);
    EXPECT_EQ(doc.GetCell(23, 0, 4), 103);
    EXPECT_EQ(view.posterCount(), 1u);
    doc.StopRun();
    EXPECT_FALSE(doc.IsBusy());
}

TEST_F(DocTest, ALeftClickBetweenStepsReachesTheMouseInTheSpace)
{
    // A mouse picture in a work area, and one rule so that the device groups are added.
    CSpace space(40, 1, 20, 0);
    drawFlatRuleGroup(space, 1, 1, {{CSpace(1, 1, 1, 105), CSpace(1, 1, 1, 105)}});
    const CCell corner = drawFlatWorkArea(space, 20, 2, CInputDevices().getMouseIcon()).contents[0];
    ASSERT_TRUE(load(doc, space));
    doc.StartRun();
    std::vector<int> leftHole, rightHole;
    for (int step = 1; step <= 4; step++) {
        ASSERT_EQ(view.next(), RunMessage::Show) << step;
        leftHole.push_back(doc.GetCell(corner.x + 1, 0, corner.z + 1));
        rightHole.push_back(doc.GetCell(corner.x + 3, 0, corner.z + 1));
        if (step == 1) doc.PressLeft();
        doc.SignalContinue();
    }
    // Latched by the second step's Ready and drawn in the third step; a mouse with a red cell in
    // its hole no longer matches the mouse rule, so the red stays.
    EXPECT_EQ(leftHole, (std::vector<int>{0, 0, 103, 103}));
    EXPECT_EQ(rightHole, (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(DocTest, LoadWhileRunningEndsTheRunAndStoresTheBackCopy)
{
    ASSERT_TRUE(load(doc, blinkingProgram()));
    doc.StartRun();
    ASSERT_EQ(view.next(), RunMessage::Show);
    CSpace other(3, 3, 3, 0);
    other.set(1, 1, 1, 106);
    ASSERT_TRUE(load(doc, other));
    EXPECT_FALSE(doc.IsBusy());
    doc.SetCell(1, 1, 1, 0);
    doc.RestoreBackup();
    EXPECT_TRUE(doc.GetSpace().isEqual(other));
}

TEST_F(DocTest, BackRestoresTheLoadedSpaceAfterSeveralRuns)
{
    CSpace program = blinkingProgram();
    ASSERT_TRUE(load(doc, program));
    for (int run = 0; run < 3; run++) {
        const CSpace before = doc.GetSpace();
        doc.StartRun();
        // Three steps, each turning every cell of the area to the other colour; the third show
        // is not answered.
        for (int step = 1; step <= 3; step++) {
            ASSERT_EQ(view.next(), RunMessage::Show) << "run " << run << ", step " << step;
            if (step < 3) doc.SignalContinue();
        }
        doc.StopRun();
        ASSERT_FALSE(doc.GetSpace().isEqual(before)) << "the run changed the space";
    }
    doc.RestoreBackup();
    EXPECT_TRUE(doc.GetSpace().isEqual(program));
}

TEST_F(DocTest, ClicksWaitForTheRunUntilCleared)
{
    doc.PressLeft();
    doc.PressRight();
    CRunLink& link = doc.GetLink();
    EXPECT_EQ(link.devices.leftClicked, 1);
    EXPECT_EQ(link.devices.rightClicked, 1);
    doc.ClearLeft();
    EXPECT_EQ(link.devices.leftClicked, 0);
    EXPECT_EQ(link.devices.rightClicked, 1);
    doc.OnNewDocument();  // a new document drops pending clicks
    EXPECT_EQ(link.devices.rightClicked, 0);
}

// Random Start, Stop, restart, edit and show answers against a program that never ends: the
// protocol must never deadlock and the space must stay a valid space.
TEST_F(DocTest, StressOfRandomRunEventsEndsWithoutDeadlock)
{
    ASSERT_TRUE(load(doc, blinkingProgram()));
    std::mt19937 random(7);
    int shows = 0;
    for (int event = 0; event < 1000; event++) {
        switch (random() % 6) {
        case 0: doc.StartRun(); break;
        case 1: doc.StopRun(); break;
        case 2: doc.RestartIfBusy(); break;
        case 3:
            doc.SetCell(int(random() % 40), 0, int(random() % 20), 100 + int(random() % 8));
            doc.RestartIfBusy();
            break;
        default:
            // Answer what the worker posted, as the view would.
            if (view.next(std::chrono::milliseconds(2)) == RunMessage::Show) {
                shows++;
                doc.SignalContinue();
            }
        }
    }
    doc.StopRun();
    EXPECT_FALSE(doc.IsBusy());
    EXPECT_EQ(doc.GetSizeX(), 40);
    EXPECT_EQ(doc.GetSizeY(), 1);
    EXPECT_EQ(doc.GetSizeZ(), 20);
    EXPECT_GT(shows, 0);
}

// A run's result cannot be made again: once a run wrote to the space, no state counts as the
// saved one until the next save, also after undo and redo of an earlier edit.
TEST_F(DocTest, ARunThatChangedTheSpaceMarksTheDocumentModified)
{
    ASSERT_TRUE(load(doc, blinkingProgram()));
    doc.FillBox(CBox(0, 0, 0, 0, 0, 0), 106, {"PointSet"});
    doc.SetModifiedFlag(false);  // saved with the edit
    doc.StartRun();
    ASSERT_EQ(view.next(), RunMessage::Show);
    doc.StopRun();
    EXPECT_TRUE(doc.IsModified());
    SEditMark where;
    ASSERT_TRUE(doc.Undo(where));
    ASSERT_TRUE(doc.Redo(where));
    EXPECT_TRUE(doc.IsModified()) << "the saved edit is back, the run's cells are not the file's";
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.IsModified());
    // Back is an edit like the others.
    doc.RestoreBackup();
    EXPECT_TRUE(doc.IsModified());
}

// Every edit goes through one entry: it is one undo step, marks the document modified and tells
// the listeners once, of the kind of change it made; undo tells them too.
TEST_F(DocTest, EveryEditIsOneStepMarksModifiedAndTellsTheListenersOnce)
{
    struct SRow {
        const char* name;
        std::function<void(CTesseraDoc&)> edit;
        ESpaceChange change;
    };
    const SRow rows[] = {
        {"fill", [](CTesseraDoc& d) { d.FillBox(CBox(1, 0, 1, 2, 0, 2), 103, {"PointSet"}); }, ESpaceChange::Cells},
        {"cut", [](CTesseraDoc& d) { d.CutBox(CBox(0, 0, 0, 1, 0, 1), {"Cut"}); }, ESpaceChange::Cells},
        {"paste", [](CTesseraDoc& d) { d.PasteBox(3, 0, 3, CSpace(2, 1, 2, 104), {"Paste"}); }, ESpaceChange::Cells},
        {"back", [](CTesseraDoc& d) { d.RestoreBackup(); }, ESpaceChange::Cells},
        {"space size", [](CTesseraDoc& d) { d.ResizeSpace(7, 1, 6); }, ESpaceChange::Sizes},
        {"size up", [](CTesseraDoc& d) { d.OnSizeUp(); }, ESpaceChange::NewSpace},
        {"size down", [](CTesseraDoc& d) { d.OnSizeDown(); }, ESpaceChange::NewSpace},
    };
    auto toldInAll = [this] {
        return view.Told(ESpaceChange::Cells) + view.Told(ESpaceChange::Sizes) + view.Told(ESpaceChange::NewSpace);
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.name);
        CSpace space(6, 1, 5, 0);
        space.set(0, 0, 0, 106);
        ASSERT_TRUE(load(doc, space));
        const int all = toldInAll(), kind = view.Told(row.change);
        const unsigned long counted = doc.GetLink().spaceChanges;
        row.edit(doc);
        // The view takes an unchanged count for unchanged cells.
        EXPECT_TRUE(doc.GetLink().spaceChanges > counted || doc.GetSpace().isEqual(space));
        EXPECT_EQ(doc.GetHistory().Count(), 1u);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(view.Told(row.change), kind + 1);
        EXPECT_EQ(toldInAll(), all + 1);
        SEditMark where;
        const unsigned long edited = doc.GetLink().spaceChanges;
        ASSERT_TRUE(doc.Undo(where));
        EXPECT_GT(doc.GetLink().spaceChanges, edited);
        EXPECT_EQ(toldInAll(), all + 2);
        EXPECT_TRUE(doc.GetSpace().isEqual(space));
    }
}

// Writes that are not edits are counted too: a loaded space, a run's steps, a single cell, redo.
TEST_F(DocTest, EveryWriteToTheSpaceRaisesItsChangeCount)
{
    const struct {
        const char* name;
        std::function<void()> write;
    } rows[] = {
        {"load", [this] { ASSERT_TRUE(load(doc, blinkingProgram())); }},
        {"a run's step", [this] {
             doc.StartRun();
             ASSERT_EQ(view.next(), RunMessage::Show);
             doc.StopRun();
         }},
        {"one cell", [this] { doc.SetCell(1, 0, 1, 103); }},
        {"redo", [this] {
             SEditMark where;
             doc.FillBox(CBox(2, 0, 2, 3, 0, 3), 105, {"PointSet"});
             ASSERT_TRUE(doc.Undo(where));
             const unsigned long undone = doc.GetLink().spaceChanges;
             ASSERT_TRUE(doc.Redo(where));
             ASSERT_GT(doc.GetLink().spaceChanges, undone);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const unsigned long counted = doc.GetLink().spaceChanges;
        row.write();
        EXPECT_GT(doc.GetLink().spaceChanges, counted);
    }
}
