// Viewpoint and editing commands of the view: their effect on the view's members and on the
// document's space, and the run watcher's side of the run protocol.
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <thread>

#include "guitestsupport.h"
#include "view/runwatcher.h"
#include "view/camera.h"

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initialUpdate();
    void zoomAndResetTheViewAroundTheCursor();
    void turningKeepsScreenDirections();
    void editCommandsReachTheModelAndRedraw();
    void colourAndStepResetAfterSizeUp();
    void runShowIsQueuedThenDrawsAndContinues();
    void runFinishedShowsCursor();
    void statusTextOnlyWhileBusy();
    void clicksReachTheProgramEvenWithCursorHidden();
};

void CommandsTest::initialUpdate()
{
    SViewFixture f(40, 10, 30);
    f.view.OnColor(103);
    f.view.OnStepBig();
    f.view.OnAreaBegin();
    f.view.OnViewCursor();
    f.view.OnInitialUpdate();
    QCOMPARE(f.view.GetColor(), 104);
    QCOMPARE(f.view.GetStep(), 1);
    QVERIFY(!f.view.IsArea());
    QVERIFY(!f.view.IsAreaMove());
    QVERIFY(f.view.IsCursorShown());
    QVERIFY(!f.view.IsEdited());
    QVERIFY(!f.view.IsBackAvailable());
    QCOMPARE(f.view.GetCursorX(), 20);
    QCOMPARE(f.view.GetCursorY(), 0);
    QCOMPARE(f.view.GetCursorZ(), 15);
    QCOMPARE(f.view.GetTargetX(), 20.5f);
    QCOMPARE(f.view.GetTargetY(), 0.5f);
    QCOMPARE(f.view.GetTargetZ(), 15.5f);
    QCOMPARE(f.view.GetElevation(), 0.3926991f);
    QCOMPARE(f.view.GetAzimuth(), 0.2617994f);
    QCOMPARE(f.view.GetDistance(), 40.0f);
}

// The viewpoint's limits are tested on CViewpoint (tests/document); here the view's commands
// reach it and Reset looks at the cursor.
void CommandsTest::zoomAndResetTheViewAroundTheCursor()
{
    SViewFixture f(40, 10, 30);
    f.view.PlaceEye(0.3f, 0.2f, 2.2f);
    f.view.OnZoomIn();
    QCOMPARE(f.view.GetDistance(), 2.0f);
    f.view.OnZoomOut();
    QCOMPARE(f.view.GetDistance(), 2.5f);
    f.view.OnEyeUp();
    QCOMPARE(f.view.GetElevation(), float(0.3f + 3.14159 / 24));
    f.view.PlaceCursor(3, 4, 5);
    f.view.OnResetView();
    QCOMPARE(f.view.GetDistance(), 40.0f);
    QCOMPARE(f.view.GetTargetX(), 3.5f);
    QCOMPARE(f.view.GetTargetY(), 4.5f);
    QCOMPARE(f.view.GetTargetZ(), 5.5f);
    QCOMPARE(f.view.GetElevation(), viewpoint::DEFAULT_ELEVATION);
    QCOMPARE(f.view.GetAzimuth(), viewpoint::DEFAULT_AZIMUTH);
}

void CommandsTest::turningKeepsScreenDirections()
{
    SViewFixture f(40, 10, 30);
    f.view.OnEyeRight();
    QCOMPARE(f.view.GetAzimuth(), float(0.2617994f + 0.2617991765340169));
    f.view.OnEyeLeft();
    for (int i = 0; i < 24; i++) f.view.OnEyeLeft();
    QVERIFY(std::abs(f.view.GetAzimuth() - float(M_PI / 12 - 2 * M_PI)) < 1e-4f);
    // Still the default screen directions: Left goes toward -x.
    f.view.OnMoveLeft();
    QCOMPARE(f.view.GetCursorX(), 19);
    QCOMPARE(f.view.GetCursorZ(), 15);
}

// The editing itself is tested on the model (tests/document); here the view's commands reach it,
// and the picture follows.
void CommandsTest::editCommandsReachTheModelAndRedraw()
{
    SViewFixture f(6, 2, 6, {}, true);
    f.view.PlaceEye(0.4f, 0.0f, 10);  // Left -x
    f.view.PlaceCursor(2, 0, 2);
    f.view.OnAreaBegin();
    f.view.OnMoveLeft();
    f.view.OnPointSet();
    QCOMPARE(f.doc.GetCell(1, 0, 2), 104);
    QCOMPARE(f.doc.GetCell(2, 0, 2), 104);
    QVERIFY(!f.view.IsArea());
    const QImage painted = RenderScene(f.view);
    f.view.OnEditUndo();
    QCOMPARE(f.doc.GetCell(1, 0, 2), 0);
    QCOMPARE(f.view.GetCursorX(), 1);
    QVERIFY(RenderScene(f.view) != painted);
    f.view.OnEditRedo();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 104);
    f.view.OnEditCut();
    QCOMPARE(f.doc.GetCell(1, 0, 2), 0);
    QCOMPARE(f.view.GetClipboard().get(0, 0, 0), 104);
    QVERIFY(f.view.IsAreaMove());
    f.view.OnMoveUp();
    f.view.OnEditPaste();
    QCOMPARE(f.doc.GetCell(1, 1, 2), 104);
    f.view.RunWatcher().OnRunBack();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);
    QCOMPARE(f.view.GetEditor().UndoName(), std::string("Back"));
    f.view.OnSizeUp();
    QCOMPARE(f.doc.GetSizeX(), 9);
    QCOMPARE(f.view.GetEditor().UndoName(), std::string("SizeUp"));
}

void CommandsTest::colourAndStepResetAfterSizeUp()
{
    SViewFixture f(40, 10, 30);
    f.view.OnColor(107);
    f.view.OnStepBig();
    f.view.OnMoveRight();
    f.doc.OnSizeUp();
    QCOMPARE(f.doc.GetSizeX(), 60);
    QCOMPARE(f.view.GetColor(), 104);
    QCOMPARE(f.view.GetStep(), 1);
    QCOMPARE(f.view.GetCursorX(), 30);
    QCOMPARE(f.view.GetCursorZ(), 22);
    QCOMPARE(f.view.GetDistance(), 15.0f + 45.0f);
    f.view.OnColor(101);
    f.doc.OnSizeDown();
    QCOMPARE(f.view.GetColor(), 104);
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
