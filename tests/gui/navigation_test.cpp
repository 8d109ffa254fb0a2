// Mouse navigation and readable cells on a shown view: orbiting by middle or Alt + left drag,
// panning by Shift + middle drag, wheel zoom toward the pointer, the area by Ctrl + left drag,
// the straight views, Fit Space (also when a space too large is opened), the clicks of the program and
// the guide lines still working beside them, cell edges and the floor grid, and pictures of the
// view at any size.
#include <QtTest>

#include "app/commandids.h"
#include "app/mainframe.h"
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

void Wheel(QWidget* w, int delta, QPointF p = {200, 150})
{
    QWheelEvent event(p, w->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(w, &event);
}

// The largest distance of the space's eight corners from the middle of the view, in halves of
// the view (1 is the border); 9 when a corner falls outside the near or far plane. Worked out
// along the viewpoint's own axes, which stay exact when the eye looks straight down.
float OutermostCorner(CTesseraView& view)
{
    CTesseraDoc* doc = view.GetDocument();
    const SVec3 target = {view.GetEditor().GetTargetX(), view.GetEditor().GetTargetY(), view.GetEditor().GetTargetZ()};
    const SVec3 eye = EyePosition(target, view.GetViewpoint().elevation, view.GetViewpoint().azimuth, view.GetViewpoint().distance);
    const SVec3 size = {float(doc->GetSizeX()), float(doc->GetSizeY()), float(doc->GetSizeZ())};
    const SClipPlanes planes = ComputeClipPlanes(size, target, eye, view.GetViewpoint().distance);
    float right[3], up[3], forward[3];
    view.GetViewpoint().Axes(right, up, forward);
    const double tanV = std::tan(3.14159265358979 / 6), tanH = tanV * view.width() / view.height();
    float most = 0;
    for (int k = 0; k < 8; k++) {
        const double p[3] = {(k & 1 ? size.x : 0) - target.x, (k & 2 ? size.y : 0) - target.y,
                             (k & 4 ? size.z : 0) - target.z};
        auto dot = [&p](const float a[3]) { return p[0] * a[0] + p[1] * a[1] + p[2] * a[2]; };
        const double depth = dot(forward) + view.GetViewpoint().distance;
        if (depth < planes.zNear || depth > planes.zFar) return 9;
        most = std::max({most, float(std::abs(dot(right)) / (depth * tanH)), float(std::abs(dot(up)) / (depth * tanV))});
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
    void straightViewsFromMenuAndKeys();
    void wheelZoomsTowardThePointer();
    void shiftMiddleDragPans();
    void ctrlLeftDragChoosesTheArea();
    void largeSpaceIsFittedWhenOpened();
    void clicksStillWork();
    void cellEdgesOutlineEveryCell();
    void floorGrid();
    void pictureOfTheViewAtAnySize();
};

void NavigationTest::middleDragOrbits()
{
    SViewFixture f(10, 3, 10, {}, true);
    const float azimuth = f.view.GetViewpoint().azimuth, elevation = f.view.GetViewpoint().elevation;
    Drag(&f.view, QPoint(200, 150), 40, 0, Qt::MiddleButton);
    QVERIFY(std::abs(f.view.GetViewpoint().azimuth - (azimuth - 0.4f)) < 1e-5f);
    QCOMPARE(f.view.GetViewpoint().elevation, elevation);
    Drag(&f.view, QPoint(200, 150), 0, 30, Qt::MiddleButton);
    QVERIFY(std::abs(f.view.GetViewpoint().elevation - (elevation + 0.3f)) < 1e-5f);
    // Moving without a button pressed does nothing.
    SendMouse(&f.view, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    QVERIFY(std::abs(f.view.GetViewpoint().elevation - (elevation + 0.3f)) < 1e-5f);
    // The cursor and the target stay.
    QCOMPARE(f.view.GetEditor().GetCursorX(), 5);
    QCOMPARE(f.view.GetEditor().GetTargetX(), 5.5f);
}

void NavigationTest::altLeftDragOrbitsAndIsALeftPress()
{
    SViewFixture f(16, 3, 12, {}, true);
    f.view.GetEditor().PlaceCursor(10, 1, 6);
    f.view.PlaceEye(0.4f, 0.5f, 22);
    TakeClicks(f.doc);
    // Starting on a guide line: a plain click there would move the cursor.
    const QPoint onLine = Project(f.view, 7.4f, 1.5f, 6.5f);
    Drag(&f.view, onLine, -20, 0, Qt::LeftButton, Qt::AltModifier);
    QVERIFY(std::abs(f.view.GetViewpoint().azimuth - 0.7f) < 1e-5f);
    QCOMPARE(f.view.GetEditor().GetCursorX(), 10);
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
    QCOMPARE(f.view.GetViewpoint().distance, 8.0f);
    Wheel(&f.view, -240);
    QCOMPARE(f.view.GetViewpoint().distance, 8 * 1.25f * 1.25f);
    // Half notches add up.
    Wheel(&f.view, 60);
    QCOMPARE(f.view.GetViewpoint().distance, 8 * 1.25f * 1.25f);
    Wheel(&f.view, 60);
    QCOMPARE(f.view.GetViewpoint().distance, 10.0f);
    for (int i = 0; i < 20; i++) Wheel(&f.view, 120);
    QCOMPARE(f.view.GetViewpoint().distance, 2.0f);
}

void NavigationTest::fitSpaceShowsTheWholeSpace()
{
    SViewFixture f(40, 10, 30, {}, true);
    f.view.PlaceEye(0.3f, 0.8f, 4);  // close in: the space overflows the view
    QVERIFY(OutermostCorner(f.view) > 1);
    f.view.FitSpace();
    QVERIFY2(OutermostCorner(f.view) <= 1, qPrintable(QString::number(OutermostCorner(f.view))));
    QCOMPARE(f.view.GetViewpoint().elevation, 0.3f);  // only the distance changes
    QCOMPARE(f.view.GetViewpoint().azimuth, 0.8f);
    // From far away it comes nearer, still showing every corner.
    f.view.PlaceEye(-0.5f, 2.0f, 500);
    f.view.FitSpace();
    QVERIFY(f.view.GetViewpoint().distance < 100);
    QVERIFY(OutermostCorner(f.view) <= 1);
    QVERIFY(OutermostCorner(f.view) > 0.8f);  // and fills the view
}

void NavigationTest::straightViewsFromMenuAndKeys()
{
    SFrameFixture fixture;
    fixture.Make(true);
    CMainFrame* frame = fixture.frame;
    CTesseraView* view = frame->GetView();
    LoadSpace(*frame->GetDocument(), 130, 1, 10);  // a long flat row, as long-run.ts3
    const struct { int id; Qt::Key key; float elevation, azimuth; } views[] = {
        {ID_VIEW_TOP, Qt::Key_1, 1.570795f, 0}, {ID_VIEW_FRONT, Qt::Key_2, 0, 0}, {ID_VIEW_SIDE, Qt::Key_3, 0, float(3.14159 / 2)}};
    for (const auto& v : views) {
        for (int byKey = 0; byKey < 2; byKey++) {
            view->PlaceEye(0.3f, 2.0f, 7);
            if (byKey) QTest::keyClick(view, v.key, Qt::ControlModifier);
            else frame->Execute(v.id);
            QCOMPARE(view->GetViewpoint().elevation, v.elevation);
            QCOMPARE(view->GetViewpoint().azimuth, v.azimuth);
            QCOMPARE(view->GetEditor().GetTargetX(), 65.0f);  // the middle of the space
            QCOMPARE(view->GetEditor().GetTargetZ(), 5.0f);
            const QString seen = QString("view %1 by key %2: %3").arg(v.id).arg(byKey).arg(OutermostCorner(*view));
            QVERIFY2(OutermostCorner(*view) <= 1 && OutermostCorner(*view) > 0.85f, qPrintable(seen));
        }
    }
    // The cursor is where it was, and its next move brings the eye back to it along that axis.
    QCOMPARE(view->GetEditor().GetCursorX(), 65);
    frame->Execute(ID_MOVECURSOR_LEFT);  // from the side: toward +z
    QCOMPARE(view->GetEditor().GetTargetZ(), 6.5f);
    QCOMPARE(view->GetEditor().GetTargetX(), 65.0f);
    fixture.Drop();
}

void NavigationTest::wheelZoomsTowardThePointer()
{
    SViewFixture f(12, 3, 12, {{1, 0, 9, 103}}, true);
    f.view.PlaceEye(0.6f, 0.4f, 20);
    f.view.Redraw();
    // The top of the red cell near a corner, and a point of the floor beside the space's middle.
    const float points[][3] = {{1.5f, 1.0f, 9.5f}, {8.5f, 0.0f, 3.5f}};
    for (const auto& p : points) {
        const QPoint at = Project(f.view, p[0], p[1], p[2]);
        const float distance = f.view.GetViewpoint().distance;
        Wheel(&f.view, 120, at);
        QCOMPARE(f.view.GetViewpoint().distance, distance * 0.8f);
        QVERIFY((Project(f.view, p[0], p[1], p[2]) - at).manhattanLength() <= 2);
        Wheel(&f.view, -120, at);  // and back out: the point still stays
        QVERIFY(std::abs(f.view.GetViewpoint().distance - distance) < 1e-4f);
        QVERIFY((Project(f.view, p[0], p[1], p[2]) - at).manhattanLength() <= 2);
    }
    QCOMPARE(f.view.GetEditor().GetCursorX(), 6);  // the cursor stays
}

void NavigationTest::shiftMiddleDragPans()
{
    SViewFixture f(10, 3, 10, {}, true);
    f.view.PlaceEye(0.5f, 0.7f, 15);
    const float elevation = f.view.GetViewpoint().elevation, azimuth = f.view.GetViewpoint().azimuth;
    const float tx = f.view.GetEditor().GetTargetX(), ty = f.view.GetEditor().GetTargetY(), tz = f.view.GetEditor().GetTargetZ();
    const QPoint middle = Project(f.view, tx, ty, tz);
    Drag(&f.view, QPoint(200, 150), 40, 24, Qt::MiddleButton, Qt::ShiftModifier);
    // The point that was in the middle follows the pointer; the eye does not turn.
    QVERIFY((Project(f.view, tx, ty, tz) - (middle + QPoint(40, 24))).manhattanLength() <= 2);
    QCOMPARE(f.view.GetViewpoint().elevation, elevation);
    QCOMPARE(f.view.GetViewpoint().azimuth, azimuth);
    QCOMPARE(TakeClicks(f.doc), std::make_pair(0, 0));
}

void NavigationTest::ctrlLeftDragChoosesTheArea()
{
    // A flat space seen from nearly above: each floor square is the cell under the pointer.
    SViewFixture f(12, 1, 10, {{6, 0, 7, 104}}, true);
    f.view.GetEditor().PlaceCursor(9, 0, 1);
    f.view.PlaceEye(1.2f, 0.3f, 16);
    TakeClicks(f.doc);
    const float targetX = f.view.GetEditor().GetTargetX();
    const QPoint from = Project(f.view, 2.5f, 0.0f, 3.5f), to = Project(f.view, 6.5f, 1.0f, 7.5f);
    Drag(&f.view, from, to.x() - from.x(), to.y() - from.y(), Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(f.view.GetEditor().IsArea());
    QCOMPARE(QList<int>({f.view.GetEditor().GetAreaX(), f.view.GetEditor().GetAreaY(), f.view.GetEditor().GetAreaZ()}), QList<int>({2, 0, 3}));
    QCOMPARE(QList<int>({f.view.GetEditor().GetCursorX(), f.view.GetEditor().GetCursorY(), f.view.GetEditor().GetCursorZ()}), QList<int>({6, 0, 7}));
    QCOMPARE(f.view.GetEditor().GetTargetX(), targetX);  // the view did not swing during the drag
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 0));  // the press still reaches a program
    // The area commands take it.
    f.view.GetEditor().SetColor(103);
    f.view.GetEditor().PointSet();
    QCOMPARE(f.doc.GetSpace().countValue(103), 25);
    // With the cursor hidden (a run), the press only reaches the program.
    f.view.OnViewCursor();
    Drag(&f.view, from, 30, 30, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(!f.view.GetEditor().IsArea());
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 0));
}

void NavigationTest::largeSpaceIsFittedWhenOpened()
{
    // A long flat row, as long-run.ts3: the first view (distance sizeY + sizeZ) shows a part of it.
    SViewFixture f(6, 2, 6, {}, true);
    LoadSpace(f.doc, 130, 1, 10);
    f.view.OnInitialUpdate();  // as the frame does after Open
    QCOMPARE(f.view.GetViewpoint().distance, 11.0f);  // not yet
    f.view.FitIfTooLarge();
    QVERIFY2(OutermostCorner(f.view) <= 1, qPrintable(QString::number(OutermostCorner(f.view))));
    QVERIFY(f.view.GetViewpoint().distance > 11);
    QCOMPARE(f.view.GetViewpoint().elevation, 0.3926991f);
    // A space that fits keeps the first view of old.
    LoadSpace(f.doc, 4, 3, 4);
    f.view.OnInitialUpdate();
    f.view.FitIfTooLarge();
    QCOMPARE(f.view.GetViewpoint().distance, 7.0f);
    QVERIFY(OutermostCorner(f.view) < 1);
    // Before the view is shown, the fit waits for the view's size.
    SViewFixture hidden(130, 1, 10);
    hidden.view.FitIfTooLarge();
    QCOMPARE(hidden.view.GetViewpoint().distance, 11.0f);
    hidden.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden.view));
    QTRY_VERIFY(hidden.view.GetViewpoint().distance > 11);
    QVERIFY(OutermostCorner(hidden.view) <= 1);
}

void NavigationTest::clicksStillWork()
{
    SViewFixture f(16, 3, 12, {}, true);
    f.view.GetEditor().PlaceCursor(10, 1, 6);
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
    QCOMPARE(f.view.GetEditor().GetCursorX(), 2);
    // A double click on the cursor cell paints it.
    f.view.GetEditor().SetColor(103);
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
    f.view.GetEditor().PlaceCursor(3, 0, 2);
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
