// Viewpoint and editing commands of the view: their effect on the view's members and on the
// document's space, and the view's side of the run protocol.
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <thread>

#include "guitestsupport.h"
#include "view/camera.h"

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initialUpdate();
    void eyeUpAndDownStopShortOfVertical();
    void zoomLimitsAndReset();
    void turningKeepsScreenDirections();
    void screenMovesBySector();
    void stepBigStopsAtBorderAndMovesAreaByDistanceMoved();
    void pointSetFillsAreaAndEndsIt();
    void pointResetClearsCursorCell();
    void areaCommandsAndStates();
    void copyBeyondBorderStoresOutsideAndPasteSkipsIt();
    void pasteOfEmptyCellsClears();
    void cutClearsAndMarksEdited();
    void colourAndStepResetAfterSizeUp();
    void backRestoresSpaceOfLastInitialisation();
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

void CommandsTest::eyeUpAndDownStopShortOfVertical()
{
    SViewFixture f(5, 5, 5);
    f.view.PlaceEye(0, 0, 10);
    f.view.OnEyeUp();
    QCOMPARE(f.view.GetElevation(), float(0.0 + 3.14159 / 24));
    for (int i = 0; i < 11; i++) f.view.OnEyeUp();
    QCOMPARE(f.view.GetElevation(), 1.570795f);
    QVERIFY(double(f.view.GetElevation()) < M_PI / 2);
    f.view.OnEyeUp();
    QCOMPARE(f.view.GetElevation(), 1.570795f);
    for (int i = 0; i < 30; i++) f.view.OnEyeDown();
    QCOMPARE(f.view.GetElevation(), -1.570795f);
}

void CommandsTest::zoomLimitsAndReset()
{
    SViewFixture f(40, 10, 30);
    f.view.PlaceEye(0.3f, 0.2f, 2.2f);
    f.view.OnZoomIn();
    QCOMPARE(f.view.GetDistance(), 2.0f);
    f.view.OnZoomIn();
    QCOMPARE(f.view.GetDistance(), 2.0f);
    f.view.OnZoomOut();
    QCOMPARE(f.view.GetDistance(), 2.5f);
    // Far out the distance grows without a limit but stays finite.
    for (int i = 0; i < 1000; i++) f.view.ZoomOut();
    QVERIFY(std::isfinite(f.view.GetDistance()));
    QVERIFY(f.view.GetDistance() > 1e30f);
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

void CommandsTest::screenMovesBySector()
{
    SViewFixture f(40, 10, 30);
    f.view.PlaceEye(0.4f, 0.8f, 20);  // sector 1: Left toward +z
    f.view.OnMoveLeft();
    QCOMPARE(f.view.GetCursorZ(), 16);
    QCOMPARE(f.view.GetTargetZ(), 16.5f);
    f.view.OnMoveFront();  // +x
    QCOMPARE(f.view.GetCursorX(), 21);
    f.view.PlaceEye(0.4f, -0.5f, 20);  // trunc(-0.64) = 0: sector 0, Left toward -x
    f.view.OnMoveLeft();
    QCOMPARE(f.view.GetCursorX(), 20);
    f.view.OnMoveRear();  // -z
    QCOMPARE(f.view.GetCursorZ(), 15);
    f.view.PlaceEye(0.4f, 3.0f, 20);  // sector 3: Right toward -x, Front toward -z
    f.view.OnMoveRight();
    QCOMPARE(f.view.GetCursorX(), 19);
    f.view.OnMoveFront();
    QCOMPARE(f.view.GetCursorZ(), 14);
    f.view.OnMoveUp();
    f.view.OnMoveUp();
    QCOMPARE(f.view.GetCursorY(), 2);
    QCOMPARE(f.view.GetTargetY(), 2.5f);
    f.view.OnMoveDown();
    QCOMPARE(f.view.GetCursorY(), 1);
}

void CommandsTest::stepBigStopsAtBorderAndMovesAreaByDistanceMoved()
{
    SViewFixture f(40, 10, 30);
    f.view.PlaceEye(0.4f, 0.0f, 20);
    f.view.PlaceCursor(6, 0, 15);
    f.view.OnAreaBegin();  // corner at x = 6
    f.view.OnMoveLeft();
    f.view.OnMoveLeft();  // cursor at 4
    f.view.OnAreaMove();
    f.view.OnStepBig();
    f.view.OnMoveLeft();
    QCOMPARE(f.view.GetCursorX(), 0);
    QCOMPARE(f.view.GetTargetX(), 0.5f);
    QCOMPARE(f.view.GetAreaX(), 2);  // moved by 4, not 10
    f.view.OnMoveRight();
    QCOMPARE(f.view.GetCursorX(), 10);
    QCOMPARE(f.view.GetAreaX(), 12);
    for (int i = 0; i < 5; i++) f.view.OnMoveRight();
    QCOMPARE(f.view.GetCursorX(), 39);
    QCOMPARE(f.view.GetAreaX(), 41);  // the corner is not clamped
    for (int i = 0; i < 3; i++) f.view.OnMoveUp();
    QCOMPARE(f.view.GetCursorY(), 9);
}

void CommandsTest::pointSetFillsAreaAndEndsIt()
{
    SViewFixture f(6, 4, 5);
    f.view.PlaceEye(0.4f, 0.0f, 10);
    f.view.PlaceCursor(1, 1, 1);
    f.view.OnAreaBegin();
    f.view.OnMoveRight();
    f.view.OnMoveRight();
    f.view.OnMoveDown();
    f.view.OnMoveFront();  // cursor (3, 0, 2), corner (1, 1, 1)
    f.view.OnColor(105);
    f.view.OnPointSet();
    QVERIFY(!f.view.IsArea());
    QVERIFY(f.view.IsEdited());
    QVERIFY(f.doc.IsModified());
    int filled = 0;
    for (int x = 0; x < 6; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 5; z++) {
                const bool inside = x >= 1 && x <= 3 && y <= 1 && z >= 1 && z <= 2;
                QCOMPARE(f.doc.GetCell(x, y, z), inside ? 105 : 0);
                filled += inside;
            }
    QCOMPARE(filled, 12);
}

void CommandsTest::pointResetClearsCursorCell()
{
    SViewFixture f(4, 4, 4, {{2, 0, 2, 103}, {2, 1, 2, 103}});
    QCOMPARE(f.view.GetCursorX(), 2);
    f.view.OnPointReset();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);
    QCOMPARE(f.doc.GetCell(2, 1, 2), 103);
    QVERIFY(f.doc.IsModified());
}

void CommandsTest::areaCommandsAndStates()
{
    SViewFixture f(10, 3, 10);
    f.view.OnAreaBegin();
    QVERIFY(f.view.IsArea());
    QVERIFY(!f.view.IsAreaMove());
    QCOMPARE(f.view.GetAreaX(), f.view.GetCursorX());
    f.view.OnAreaMove();
    QVERIFY(f.view.IsAreaMove());
    f.view.OnAreaCancel();
    QVERIFY(!f.view.IsArea());
    QVERIFY(!f.view.IsAreaMove());
    // Copy without an area: the cursor cell alone, move mode on, still no area.
    f.view.OnEditCopy();
    QVERIFY(!f.view.IsArea());
    QVERIFY(f.view.IsAreaMove());
    QCOMPARE(f.view.GetClipboard().getSizeX(), 1);
    QVERIFY(!f.view.IsEdited());
    QVERIFY(!f.doc.IsModified());
}

void CommandsTest::copyBeyondBorderStoresOutsideAndPasteSkipsIt()
{
    // A 4 x 2 x 2 space, every cell coloured by its coordinates.
    SViewFixture f(4, 2, 2);
    auto colourOf = [](int x, int y, int z) { return 100 + (x + 2 * y + 4 * z) % 8; };
    for (int x = 0; x < 4; x++)
        for (int y = 0; y < 2; y++)
            for (int z = 0; z < 2; z++) f.doc.SetCell(x, y, z, colourOf(x, y, z));
    f.view.PlaceEye(0.4f, 0.0f, 10);  // Left -x, Front +z
    f.view.PlaceCursor(1, 0, 0);
    f.view.OnAreaBegin();
    f.view.OnMoveRight();
    f.view.OnMoveUp();
    f.view.OnMoveFront();  // area (1, 0, 0) .. (2, 1, 1)
    f.view.OnAreaMove();
    f.view.OnMoveLeft();
    f.view.OnMoveLeft();  // cursor (0, 1, 1), corner (-1, 0, 0): one cell beyond the space
    QCOMPARE(f.view.GetAreaX(), -1);
    f.view.OnEditCopy();
    const CSpace& clip = f.view.GetClipboard();
    QCOMPARE(clip.getSizeX(), 2);
    QCOMPARE(clip.getSizeY(), 2);
    QCOMPARE(clip.getSizeZ(), 2);
    for (int j = 0; j < 2; j++)
        for (int k = 0; k < 2; k++) {
            QCOMPARE(clip.get(0, j, k), 2);
            QCOMPARE(clip.get(1, j, k), colourOf(0, j, k));
        }
    // Back inside: the area covers x 1 .. 2; the outside column leaves x = 1 untouched.
    f.view.OnMoveRight();
    f.view.OnMoveRight();
    f.view.OnEditPaste();
    for (int y = 0; y < 2; y++)
        for (int z = 0; z < 2; z++) {
            QCOMPARE(f.doc.GetCell(1, y, z), colourOf(1, y, z));
            QCOMPARE(f.doc.GetCell(2, y, z), colourOf(0, y, z));
            QCOMPARE(f.doc.GetCell(3, y, z), colourOf(3, y, z));
        }
    QVERIFY(f.view.IsArea());  // Paste keeps the area for the next paste
    QVERIFY(f.doc.IsModified());
}

void CommandsTest::pasteOfEmptyCellsClears()
{
    SViewFixture f(6, 1, 6, {{4, 0, 3, 103}, {5, 0, 3, 107}});
    f.view.PlaceEye(0.4f, 0.0f, 10);
    f.view.PlaceCursor(0, 0, 3);
    f.view.OnAreaBegin();
    f.view.OnMoveRight();  // area (0..1, 0, 3), both empty
    f.view.OnEditCopy();
    for (int i = 0; i < 4; i++) f.view.OnMoveRight();  // the box travels to x 4 .. 5
    QCOMPARE(f.view.GetAreaX(), 4);
    f.view.OnEditPaste();
    QCOMPARE(f.doc.GetCell(4, 0, 3), 0);
    QCOMPARE(f.doc.GetCell(5, 0, 3), 0);
}

void CommandsTest::cutClearsAndMarksEdited()
{
    SViewFixture f(5, 1, 5, {{2, 0, 2, 106}});
    f.view.OnEditCut();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);
    QCOMPARE(f.view.GetClipboard().get(0, 0, 0), 106);
    QVERIFY(f.view.IsEdited());
    QVERIFY(f.view.IsAreaMove());
    QVERIFY(f.doc.IsModified());
    f.view.OnMoveRight();
    f.view.OnEditPaste();
    QCOMPARE(f.doc.GetCell(f.view.GetCursorX(), 0, 2), 106);
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

void CommandsTest::backRestoresSpaceOfLastInitialisation()
{
    SViewFixture f(5, 2, 5, {{1, 0, 1, 102}});
    f.view.OnPointSet();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 104);
    f.view.OnRunBack();
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);
    QCOMPARE(f.doc.GetCell(1, 0, 1), 102);
}

void CommandsTest::runShowIsQueuedThenDrawsAndContinues()
{
    SViewFixture f(5, 2, 5, {}, true);
    CRunLink& link = f.doc.GetLink();
    link.continueEvent.reset();
    // Posted from another thread, as the worker does; handled only by this thread's loop.
    std::thread worker([&f] { f.view.GetRunWindow()->postRunShow(); });
    worker.join();
    QVERIFY(!link.continueEvent.waitFor(std::chrono::milliseconds(50)));
    QCoreApplication::processEvents();
    QVERIFY(link.continueEvent.tryConsume());
}

void CommandsTest::runFinishedShowsCursor()
{
    SViewFixture f(5, 2, 5);
    f.view.OnViewCursor();
    QVERIFY(!f.view.IsCursorShown());
    std::thread worker([&f] { f.view.GetRunWindow()->postRunFinished(); });
    worker.join();
    QVERIFY(!f.view.IsCursorShown());
    QTRY_VERIFY(f.view.IsCursorShown());
}

void CommandsTest::statusTextOnlyWhileBusy()
{
    SViewFixture f(5, 2, 5);
    QSignalSpy spy(&f.view, &CTesseraView::StatusText);
    {
        CRunLink& link = f.doc.GetLink();
        link.Lock();
        link.status = "Phase:Separate 3/50";
        link.Unlock();
    }
    QTest::qWait(1200);
    QCOMPARE(spy.count(), 0);  // not busy: the status bar keeps its text
    f.doc.GetLink().Lock();
    f.doc.GetLink().busy = 1;
    f.doc.GetLink().Unlock();
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.takeFirst().at(0).toString(), QString("Phase:Separate 3/50"));
    f.doc.GetLink().Lock();
    f.doc.GetLink().busy = 0;
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
