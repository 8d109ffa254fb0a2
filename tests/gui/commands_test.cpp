// The editing and viewpoint commands as the frame binds them: each reaches the editing model or
// the viewpoint (whose own behaviour tests/document covers) and the frame on screen shows the
// result; the view's own part of a new start; the run watcher's side of the run protocol.
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <thread>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "guitestsupport.h"
#include "view/runwatcher.h"

namespace {
// What the commands change, as the model and the viewpoint hold it.
struct SSeen {
    int x, y, z;
    bool area;
    int cell;  // at the cursor
    float elevation, azimuth, distance;
};

SSeen Seen(CTesseraView& view)
{
    const CSpaceEditor& e = view.GetEditor();
    const CViewpoint& v = view.GetViewpoint();
    return {e.GetCursorX(), e.GetCursorY(), e.GetCursorZ(), e.IsArea(),
            view.GetDocument()->GetCell(e.GetCursorX(), e.GetCursorY(), e.GetCursorZ()), v.elevation, v.azimuth, v.distance};
}
}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void commandsReachTheModelAndTheFrameShowsThem();
    void initialUpdateResetsTheViewpointAndShowsTheCursor();
    void viewpointStartsAfreshAfterSizeUp();
    void runShowIsQueuedThenDrawsAndContinues();
    void runFinishedShowsCursor();
    void statusTextOnlyWhileBusy();
    void clicksReachTheProgramEvenWithCursorHidden();
};

// One frame, the commands one after another: each changes what it names and nothing the view
// draws is left stale (the frame on screen is the one a fresh drawing gives).
void CommandsTest::commandsReachTheModelAndTheFrameShowsThem()
{
    SFrameFixture fixture;
    fixture.Make(true);
    CMainFrame* frame = fixture.frame;
    CTesseraView* view = frame->GetView();
    view->GetEditor().PlaceCursor(5, 2, 5);
    view->PlaceEye(0.4f, 0.2f, 20);  // Left is -x, Front is +z
    frame->Execute(ID_COLOR_RED);
    using Holds = std::function<bool(const SSeen& before, const SSeen& after)>;
    const struct {
        int id;
        const char* what;
        Holds holds;
    } cases[] = {
        {ID_MOVECURSOR_UP, "up", [](const SSeen& b, const SSeen& a) { return a.y == b.y + 1; }},
        {ID_MOVECURSOR_DOWN, "down", [](const SSeen& b, const SSeen& a) { return a.y == b.y - 1; }},
        {ID_MOVECURSOR_LEFT, "left", [](const SSeen& b, const SSeen& a) { return a.x == b.x - 1; }},
        {ID_MOVECURSOR_RIGHT, "right", [](const SSeen& b, const SSeen& a) { return a.x == b.x + 1; }},
        {ID_MOVECURSOR_FRONT, "front", [](const SSeen& b, const SSeen& a) { return a.z == b.z + 1; }},
        {ID_MOVECURSOR_REAR, "rear", [](const SSeen& b, const SSeen& a) { return a.z == b.z - 1; }},
        {ID_MOVEEYE_UP, "eye up", [](const SSeen& b, const SSeen& a) { return a.elevation > b.elevation; }},
        {ID_MOVEEYE_DOWN, "eye down", [](const SSeen& b, const SSeen& a) { return a.elevation < b.elevation; }},
        {ID_MOVEEYE_RIGHT, "eye right", [](const SSeen& b, const SSeen& a) { return a.azimuth > b.azimuth; }},
        {ID_MOVEEYE_LEFT, "eye left", [](const SSeen& b, const SSeen& a) { return a.azimuth < b.azimuth; }},
        {ID_MOVEEYE_ZOOMIN, "zoom in", [](const SSeen& b, const SSeen& a) { return a.distance < b.distance; }},
        {ID_MOVEEYE_ZOOMOUT, "zoom out", [](const SSeen& b, const SSeen& a) { return a.distance > b.distance; }},
        {ID_MOVEEYE_RESET, "reset", [](const SSeen&, const SSeen& a) { return a.azimuth == viewpoint::DEFAULT_AZIMUTH; }},
        {ID_VIEW_FIT_SPACE, "fit", [](const SSeen& b, const SSeen& a) { return a.distance != b.distance; }},
        {ID_EDIT_POINTSET, "set", [](const SSeen&, const SSeen& a) { return a.cell == CELL_RED; }},
        {ID_EDIT_POINTRESET, "reset cell", [](const SSeen&, const SSeen& a) { return a.cell == 0; }},
        {ID_EDIT_POINTSET, "set again", [](const SSeen&, const SSeen& a) { return a.cell == CELL_RED; }},
        {ID_EDIT_CUT, "cut", [](const SSeen&, const SSeen& a) { return a.cell == 0; }},
        {ID_EDIT_PASTE, "paste", [](const SSeen&, const SSeen& a) { return a.cell == CELL_RED; }},
        {ID_EDIT_UNDO, "undo", [](const SSeen&, const SSeen& a) { return a.cell == 0; }},
        {ID_EDIT_REDO, "redo", [](const SSeen&, const SSeen& a) { return a.cell == CELL_RED; }},
        {ID_EDIT_AREABEGIN, "area", [](const SSeen&, const SSeen& a) { return a.area; }},
        {ID_MOVECURSOR_RIGHT, "area grows", [](const SSeen& b, const SSeen& a) { return a.area && a.x == b.x + 1; }},
        {ID_EDIT_AREACANCEL, "no area", [](const SSeen&, const SSeen& a) { return !a.area; }},
    };
    for (const auto& c : cases) {
        const SSeen before = Seen(*view);
        frame->Execute(c.id);
        QVERIFY2(c.holds(before, Seen(*view)), c.what);
        const QImage shown = ReadFrame(*view);
        RenderScene(*view);  // draws afresh unless the command's own drawing is still fresh
        QVERIFY2(ReadFrame(*view) == shown, c.what);
    }
    fixture.Drop();
}

// The editing model's part is tested on the model (tests/document).
void CommandsTest::initialUpdateResetsTheViewpointAndShowsTheCursor()
{
    SViewFixture f(40, 10, 30);
    f.view.GetEditor().PlaceCursor(3, 4, 5);
    f.view.PlaceEye(0.3f, 0.2f, 2.2f);
    f.view.OnViewCursor();
    f.view.OnInitialUpdate();
    QVERIFY(f.view.IsCursorShown());
    QCOMPARE(f.view.GetEditor().GetTargetX(), 20.5f);
    QCOMPARE(f.view.GetEditor().GetTargetZ(), 15.5f);
    QCOMPARE(f.view.GetViewpoint().elevation, viewpoint::DEFAULT_ELEVATION);
    QCOMPARE(f.view.GetViewpoint().azimuth, viewpoint::DEFAULT_AZIMUTH);
    QCOMPARE(f.view.GetViewpoint().distance, 40.0f);
}

void CommandsTest::viewpointStartsAfreshAfterSizeUp()
{
    SViewFixture f(40, 10, 30);
    f.view.PlaceEye(0.3f, 0.2f, 2.2f);
    f.doc.OnSizeUp();
    QCOMPARE(f.doc.GetSizeX(), 60);
    QCOMPARE(f.view.GetEditor().GetCursorX(), 30);
    QCOMPARE(f.view.GetEditor().GetTargetZ(), 22.5f);
    QCOMPARE(f.view.GetViewpoint().distance, 15.0f + 45.0f);
    QCOMPARE(f.view.GetViewpoint().azimuth, viewpoint::DEFAULT_AZIMUTH);
}

void CommandsTest::runShowIsQueuedThenDrawsAndContinues()
{
    SViewFixture f(5, 2, 5, {}, true);
    CRunLink& link = f.doc.GetLink();
    link.continueEvent.reset();
    // Posted from another thread, as the worker does; handled only by this thread's loop.
    std::thread worker([&f] { static_cast<IRunWindow&>(f.view.RunWatcher()).postRunShow(); });
    worker.join();
    QVERIFY(!link.continueEvent.waitFor(std::chrono::milliseconds(50)));
    QCoreApplication::processEvents();
    QVERIFY(link.continueEvent.tryConsume());
}

void CommandsTest::runFinishedShowsCursor()
{
    // An empty space: the run ends after one step, and its end (posted by the worker, handled
    // by this thread's loop) brings the cursor back.
    SViewFixture f(5, 2, 5);
    f.view.RunWatcher().OnRunStart();
    QVERIFY(!f.view.IsCursorShown());
    QTRY_VERIFY(f.view.IsCursorShown());
    QCOMPARE(f.doc.Session().RunControl().stateText(), std::string("Nothing to run"));
}

void CommandsTest::statusTextOnlyWhileBusy()
{
    SViewFixture f(5, 2, 5);
    QSignalSpy spy(&f.view.RunWatcher(), &CRunWatcher::StatusText);
    {
        CRunLink& link = f.doc.GetLink();
        link.Lock();
        link.status = "Phase:Separate 3/50";
        link.Unlock();
    }
    QTest::qWait(1200);
    QCOMPARE(spy.count(), 0);  // not busy: the status bar keeps its text
    f.doc.GetLink().Lock();
    f.doc.GetLink().busy = true;
    f.doc.GetLink().Unlock();
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.takeFirst().at(0).toString(), QString("Phase:Separate 3/50"));
    f.doc.GetLink().Lock();
    f.doc.GetLink().busy = false;
    f.doc.GetLink().Unlock();
}

void CommandsTest::clicksReachTheProgramEvenWithCursorHidden()
{
    SViewFixture f(5, 2, 5, {}, true);
    f.view.OnViewCursor();
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(&f.view, Qt::RightButton, {}, QPoint(20, 10));
    CRunLink& link = f.doc.GetLink();
    link.Lock();
    link.devices.latch();
    const int left = link.devices.leftLatched, right = link.devices.rightLatched;
    link.Unlock();
    QCOMPARE(left, 1);
    QCOMPARE(right, 1);
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
