// Mouse navigation and readable cells on a shown view: orbiting by middle or Alt + left drag,
// wheel zoom, Fit Space (also when a space too large is opened), the clicks of the program and
// the guide lines still working beside them, cell edges and the floor grid, and pictures of the
// view at any size.
#include <QMatrix4x4>
#include <QVector3D>
#include <QtTest>

#include "guitestsupport.h"
#include "view/camera.h"

namespace {
void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, modifiers);
    QCoreApplication::sendEvent(w, &event);
}

// A drag with one button from p by (dx, dy), in four moves.
void Drag(QWidget* w, QPoint p, int dx, int dy, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {})
{
    SendMouse(w, QEvent::MouseButtonPress, p, button, button, modifiers);
    for (int i = 1; i <= 4; i++)
        SendMouse(w, QEvent::MouseMove, p + QPoint(dx * i / 4, dy * i / 4), Qt::NoButton, button, modifiers);
    SendMouse(w, QEvent::MouseButtonRelease, p + QPoint(dx, dy), button, Qt::NoButton, modifiers);
}

void Wheel(QWidget* w, int delta)
{
    const QPointF p(w->width() / 2, w->height() / 2);
    QWheelEvent event(p, w->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(w, &event);
}

// The largest distance of the space's eight corners from the middle of the view, in halves of
// the view (1 is the border); 9 when a corner falls outside the near or far plane.
float OutermostCorner(const CTesseraView& view)
{
    CTesseraDoc* doc = view.GetDocument();
    const SVec3 target = {view.GetTargetX(), view.GetTargetY(), view.GetTargetZ()};
    const SVec3 eye = EyePosition(target, view.GetElevation(), view.GetAzimuth(), view.GetDistance());
    const SVec3 size = {float(doc->GetSizeX()), float(doc->GetSizeY()), float(doc->GetSizeZ())};
    const SClipPlanes planes = ComputeClipPlanes(size, target, eye, view.GetDistance());
    QMatrix4x4 m;
    m.perspective(60.0f, float(view.width()) / view.height(), planes.zNear, planes.zFar);
    m.lookAt({eye.x, eye.y, eye.z}, {target.x, target.y, target.z}, {0, 1, 0});
    float most = 0;
    for (int k = 0; k < 8; k++) {
        const QVector3D ndc = m.map(QVector3D(k & 1 ? size.x : 0, k & 2 ? size.y : 0, k & 4 ? size.z : 0));
        if (std::abs(ndc.z()) > 1) return 9;
        most = std::max({most, std::abs(ndc.x()), std::abs(ndc.y())});
    }
    return most;
}

int Brightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }
}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void middleDragOrbits();
    void altLeftDragOrbitsAndIsALeftPress();
    void wheelZooms();
    void fitSpaceShowsTheWholeSpace();
    void largeSpaceIsFittedWhenOpened();
    void clicksStillWork();
    void cellEdgesOutlineEveryCell();
    void floorGrid();
    void pictureOfTheViewAtAnySize();
};

void NavigationTest::middleDragOrbits()
{
    SViewFixture f(10, 3, 10, {}, true);
    const float azimuth = f.view.GetAzimuth(), elevation = f.view.GetElevation();
    Drag(&f.view, QPoint(200, 150), 40, 0, Qt::MiddleButton);
    QVERIFY(std::abs(f.view.GetAzimuth() - (azimuth - 0.4f)) < 1e-5f);
    QCOMPARE(f.view.GetElevation(), elevation);
    Drag(&f.view, QPoint(200, 150), 0, 30, Qt::MiddleButton);
    QVERIFY(std::abs(f.view.GetElevation() - (elevation + 0.3f)) < 1e-5f);
    // Moving without a button pressed does nothing.
    SendMouse(&f.view, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    QVERIFY(std::abs(f.view.GetElevation() - (elevation + 0.3f)) < 1e-5f);
    // The cursor and the target stay.
    QCOMPARE(f.view.GetCursorX(), 5);
    QCOMPARE(f.view.GetTargetX(), 5.5f);
}

void NavigationTest::altLeftDragOrbitsAndIsALeftPress()
{
    SViewFixture f(16, 3, 12, {}, true);
    f.view.PlaceCursor(10, 1, 6);
    f.view.PlaceEye(0.4f, 0.5f, 22);
    TakeClicks(f.doc);
    // Starting on a guide line: a plain click there would move the cursor.
    const QPoint onLine = Project(f.view, 7.4f, 1.5f, 6.5f);
    Drag(&f.view, onLine, -20, 0, Qt::LeftButton, Qt::AltModifier);
    QVERIFY(std::abs(f.view.GetAzimuth() - 0.7f) < 1e-5f);
    QCOMPARE(f.view.GetCursorX(), 10);
    // It picks nothing, but a running program sees the left press.
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 0));
    // A middle press is no click for the program either.
    Drag(&f.view, onLine, 0, 0, Qt::MiddleButton);
    QCOMPARE(TakeClicks(f.doc), std::make_pair(0, 0));
}

void NavigationTest::wheelZooms()
{
    SViewFixture f(10, 3, 10, {}, true);
    f.view.PlaceEye(0.4f, 0.3f, 10);
    Wheel(&f.view, 120);  // away from the user: nearer
    QCOMPARE(f.view.GetDistance(), 8.0f);
    Wheel(&f.view, -240);
    QCOMPARE(f.view.GetDistance(), 8 * 1.25f * 1.25f);
    // Half notches add up.
    Wheel(&f.view, 60);
    QCOMPARE(f.view.GetDistance(), 8 * 1.25f * 1.25f);
    Wheel(&f.view, 60);
    QCOMPARE(f.view.GetDistance(), 10.0f);
    for (int i = 0; i < 20; i++) Wheel(&f.view, 120);
    QCOMPARE(f.view.GetDistance(), 2.0f);
}

void NavigationTest::fitSpaceShowsTheWholeSpace()
{
    SViewFixture f(40, 10, 30, {}, true);
    f.view.PlaceEye(0.3f, 0.8f, 4);  // close in: the space overflows the view
    QVERIFY(OutermostCorner(f.view) > 1);
    f.view.OnFitSpace();
    QVERIFY2(OutermostCorner(f.view) <= 1, qPrintable(QString::number(OutermostCorner(f.view))));
    QCOMPARE(f.view.GetElevation(), 0.3f);  // only the distance changes
    QCOMPARE(f.view.GetAzimuth(), 0.8f);
    // From far away it comes nearer, still showing every corner.
    f.view.PlaceEye(-0.5f, 2.0f, 500);
    f.view.OnFitSpace();
    QVERIFY(f.view.GetDistance() < 100);
    QVERIFY(OutermostCorner(f.view) <= 1);
    QVERIFY(OutermostCorner(f.view) > 0.8f);  // and fills the view
}

void NavigationTest::largeSpaceIsFittedWhenOpened()
{
    // A long flat row, as long-run.ts3: the first view (distance sizeY + sizeZ) shows a part of it.
    SViewFixture f(6, 2, 6, {}, true);
    LoadSpace(f.doc, 130, 1, 10);
    f.view.OnInitialUpdate();  // as the frame does after Open
    QCOMPARE(f.view.GetDistance(), 11.0f);  // not yet
    f.view.FitIfTooLarge();
    QVERIFY2(OutermostCorner(f.view) <= 1, qPrintable(QString::number(OutermostCorner(f.view))));
    QVERIFY(f.view.GetDistance() > 11);
    QCOMPARE(f.view.GetElevation(), 0.3926991f);
    // A space that fits keeps the first view of old.
    LoadSpace(f.doc, 4, 3, 4);
    f.view.OnInitialUpdate();
    f.view.FitIfTooLarge();
    QCOMPARE(f.view.GetDistance(), 7.0f);
    QVERIFY(OutermostCorner(f.view) < 1);
    // Before the view is shown, the fit waits for the view's size.
    SViewFixture hidden(130, 1, 10);
    hidden.view.FitIfTooLarge();
    QCOMPARE(hidden.view.GetDistance(), 11.0f);
    hidden.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden.view));
    QTRY_VERIFY(hidden.view.GetDistance() > 11);
    QVERIFY(OutermostCorner(hidden.view) <= 1);
}

void NavigationTest::clicksStillWork()
{
    SViewFixture f(16, 3, 12, {}, true);
    f.view.PlaceCursor(10, 1, 6);
    f.view.PlaceEye(0.4f, 0.5f, 22);
    TakeClicks(f.doc);
    // Left and right presses reach a running program.
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(&f.view, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 1));
    // A click on a guide line moves the cursor, after an orbit and a zoom too.
    Drag(&f.view, QPoint(100, 100), 5, 0, Qt::MiddleButton);
    Wheel(&f.view, -120);
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, Project(f.view, 2.5f, 1.5f, 6.5f));
    QCOMPARE(f.view.GetCursorX(), 2);
    // A double click on the cursor cell paints it.
    f.view.OnColor(103);
    const QPoint top = Project(f.view, 2.5f, 2.0f, 6.5f);
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, top);
    QTest::mouseDClick(&f.view, Qt::LeftButton, {}, top);
    QCOMPARE(f.doc.GetCell(2, 1, 6), 103);
}

void NavigationTest::cellEdgesOutlineEveryCell()
{
    // A 4 x 3 floor of red cells, seen from nearly straight above.
    SViewFixture f(6, 1, 5);
    for (int x = 1; x <= 4; x++)
        for (int z = 1; z <= 3; z++) f.doc.SetCell(x, 0, z, 103);
    f.view.OnViewCursor();
    f.view.PlaceCursor(3, 0, 2);
    f.view.PlaceEye(1.5f, 0.0f, 9);
    QVERIFY(f.view.IsCellEdges());  // on by default
    QImage image = RenderScene(f.view);
    // Every cell's top is full red in the middle, and darker on each border between cells.
    for (int x = 1; x <= 4; x++)
        for (int z = 1; z <= 3; z++) {
            const QRgb middle = image.pixel(Project(f.view, x + 0.5f, 1.0f, z + 0.5f));
            QVERIFY(qRed(middle) > 240 && qGreen(middle) < 20);
        }
    for (int x = 2; x <= 4; x++) {
        const QRgb border = image.pixel(Project(f.view, float(x), 1.0f, 2.5f));
        QVERIFY2(qRed(border) < 200, qPrintable(QString("x = %1: red %2").arg(x).arg(qRed(border))));
    }
    for (int z = 2; z <= 3; z++) QVERIFY(qRed(image.pixel(Project(f.view, 2.5f, 1.0f, float(z)))) < 200);

    // Off: the floor reads as one slab again.
    f.view.OnViewCellEdges();
    QVERIFY(!f.view.IsCellEdges());
    image = RenderScene(f.view);
    for (int x = 2; x <= 4; x++) QVERIFY(qRed(image.pixel(Project(f.view, float(x), 1.0f, 2.5f))) > 240);
}

void NavigationTest::floorGrid()
{
    SViewFixture f(6, 1, 6);
    f.view.OnViewCursor();
    f.view.PlaceEye(1.2f, 0.2f, 10);
    // The darkest pixel across a line one pixel wide.
    auto darkest = [&f](const QImage& image, float x, float z) {
        const QPoint p = Project(f.view, x, 0.0f, z);
        int least = 3 * 255;
        for (int dx = -1; dx <= 1; dx++) least = std::min(least, Brightness(image.pixel(p + QPoint(dx, 0))));
        return least;
    };
    QImage image = RenderScene(f.view);
    const int floor = Brightness(image.pixel(Project(f.view, 2.5f, 0.0f, 2.5f)));
    for (int x = 1; x <= 5; x++) {
        const int line = darkest(image, float(x), 2.5f);
        QVERIFY2(line < floor - 60, qPrintable(QString("x = %1: %2 against %3").arg(x).arg(line).arg(floor)));
    }
    f.view.SetCellEdges(false);
    image = RenderScene(f.view);
    for (int x = 1; x <= 5; x++) QCOMPARE(darkest(image, float(x), 2.5f), floor);
}

void NavigationTest::pictureOfTheViewAtAnySize()
{
    SViewFixture f(6, 3, 6, {{2, 1, 2, 104}, {3, 0, 3, 103}}, true);
    // At the view's size, the picture is the view.
    f.view.Redraw();
    const QImage shown = RenderScene(f.view);
    const QImage picture = f.view.RenderImage(f.view.size());
    QCOMPARE(picture.size(), f.view.size());
    QVERIFY(picture.convertToFormat(QImage::Format_RGB32) == shown);
    // Any other size shows the same scene.
    const QImage wide = f.view.RenderImage(QSize(300, 120));
    QCOMPARE(wide.size(), QSize(300, 120));
    QVERIFY(wide.pixel(150, 60) != wide.pixel(0, 0));
    QVERIFY(f.view.RenderImage(QSize(0, 10)).isNull());
}

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
