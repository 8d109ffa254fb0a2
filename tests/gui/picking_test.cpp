// Mouse clicks on the shown view: moving the cursor along its guide lines, toggling the cursor
// cell with a double click, and clicks that only reach a running program.
#include <QtTest>

#include "guitestsupport.h"
#include "view/picking.h"

namespace {
// A shown 16 x 3 x 12 space seen from above the +x+z side, so that the lines along the three
// axes run apart on the screen.
struct SLineFixture : SViewFixture {
    SLineFixture() : SViewFixture(16, 3, 12, {}, true)
    {
        view.GetEditor().PlaceCursor(10, 1, 6);
        view.PlaceEye(0.4f, 0.5f, 22);
    }
    // A click on the guide line along x (or y) through the cursor cell, at x (or y) = at.
    void ClickX(float at) { Click(Project(view, at, view.GetEditor().GetCursorY() + 0.5f, view.GetEditor().GetCursorZ() + 0.5f)); }
    void ClickY(float at) { Click(Project(view, view.GetEditor().GetCursorX() + 0.5f, at, view.GetEditor().GetCursorZ() + 0.5f)); }
    void Click(QPoint p)
    {
        QVERIFY2(view.rect().contains(p), "the point must be inside the view");
        QTest::mouseClick(&view, Qt::LeftButton, {}, p);
    }
};

// The middle of the cursor cell's top face, where a double click lands on the cell.
QPoint CursorTop(const CTesseraView& view)
{
    return Project(view, view.GetEditor().GetCursorX() + 0.5f, view.GetEditor().GetCursorY() + 1.0f, view.GetEditor().GetCursorZ() + 0.5f);
}

void DoubleClick(CTesseraView& view, QPoint p)
{
    QTest::mouseClick(&view, Qt::LeftButton, {}, p);  // the first click arrives as a press
    QTest::mouseDClick(&view, Qt::LeftButton, {}, p);
}
}  // namespace

class PickingTest : public QObject {
    Q_OBJECT

private slots:
    void pixelClasses();
    void clicksOnGuideLinesMoveTheCursor();
    void clickOffTheLinesOnlyRecords();
    void doubleClickTogglesTheCursorCellOrArea();
    void doubleClickHitsTheCursorCellFromEveryEye();
    void hiddenCursorOnlyRecords();
};

void PickingTest::pixelClasses()
{
    for (int d = 0; d < GUIDE_DIRECTIONS; d++) {
        const SPickColour c = GuidePickColour(d);
        QCOMPARE(ClassifyPickPixel({(unsigned char)(c.r * 255), (unsigned char)(c.g * 255), (unsigned char)(c.b * 255)}), d);
    }
    QCOMPARE(ClassifyPickPixel({255, 255, 255}), -1);
    // A component drawn as 0.5 (127 or 128 after rounding) is neither high nor low.
    QCOMPARE(ClassifyPickPixel({128, 0, 0}), -1);
    QCOMPARE(ClassifyPickPixel({255, 127, 0}), -1);
    QCOMPARE(ClassifyPickPixel({129, 126, 0}), int(GUIDE_X_MINUS));
}

void PickingTest::clicksOnGuideLinesMoveTheCursor()
{
    SLineFixture f;
    f.ClickX(7.4f);  // the far end of the -x near segment (7 .. 9.5): one cell
    QCOMPARE(f.view.GetEditor().GetCursorX(), 9);
    f.ClickY(2.6f);  // +y near segment (2.5 .. 3)
    QCOMPARE(f.view.GetEditor().GetCursorY(), 2);
    QCOMPARE(f.view.GetEditor().GetCursorZ(), 6);

    f.view.GetEditor().PlaceCursor(10, 1, 6);
    f.ClickX(2.5f);  // the unit from 2 to 3 on the -x far line (0 .. 7)
    QCOMPARE(f.view.GetEditor().GetCursorX(), 2);
    f.view.GetEditor().PlaceCursor(3, 1, 6);
    f.ClickX(12.5f);  // the unit from 12 to 13 on the +x far line (7 .. 16)
    QCOMPARE(f.view.GetEditor().GetCursorX(), 12);

    // Counted moves go by the step: eight moves of ten run to the border.
    f.view.GetEditor().PlaceCursor(10, 1, 6);
    f.view.GetEditor().SetStep(CSpaceEditor::STEP_BIG);
    f.ClickX(2.5f);
    QCOMPARE(f.view.GetEditor().GetCursorX(), 0);
    QCOMPARE(f.view.GetEditor().GetTargetX(), 0.5f);
}

void PickingTest::clickOffTheLinesOnlyRecords()
{
    SLineFixture f;
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, QPoint(3, 3));
    TakeClicks(f.doc);
    f.view.Redraw();
    const QImage before = RenderScene(f.view);
    f.view.Redraw();  // the frame grabbed next is this one, not a new paint
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(RenderScene(f.view) == before);  // the picking passes never reach the view's frame
    QCOMPARE(f.view.GetEditor().GetCursorX(), 10);
    QCOMPARE(f.view.GetEditor().GetCursorY(), 1);
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 0));
    // A double click alone on a near segment neither moves nor sets.
    QTest::mouseDClick(&f.view, Qt::LeftButton, {}, Project(f.view, 8.0f, 1.5f, 6.5f));
    QCOMPARE(f.view.GetEditor().GetCursorX(), 10);
    QVERIFY(!f.view.GetEditor().IsEdited());
}

void PickingTest::doubleClickTogglesTheCursorCellOrArea()
{
    SViewFixture f(6, 3, 6, {}, true);
    f.view.GetEditor().PlaceCursor(2, 0, 2);
    f.view.PlaceEye(0.6f, 0.3f, 8);
    f.view.GetEditor().SetColor(103);
    DoubleClick(f.view, CursorTop(f.view));
    QCOMPARE(f.view.GetEditor().GetCursorX(), 2);
    QCOMPARE(f.doc.GetCell(2, 0, 2), 103);
    DoubleClick(f.view, CursorTop(f.view));
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);
    DoubleClick(f.view, Project(f.view, 4.5f, 0.0f, 0.5f));  // beside the cell
    QCOMPARE(f.doc.GetCell(2, 0, 2), 0);

    f.view.GetEditor().PlaceCursor(1, 0, 1);
    f.view.GetEditor().AreaBegin();
    f.view.GetEditor().PlaceCursor(2, 0, 2);
    DoubleClick(f.view, CursorTop(f.view));
    for (int x = 1; x <= 2; x++)
        for (int z = 1; z <= 2; z++) QCOMPARE(f.doc.GetCell(x, 0, z), 103);
    QVERIFY(!f.view.GetEditor().IsArea());
}

// The guide lines meet in the middle of the cursor cell's image: the click there is the cell's,
// from near and far, above and below, and from every side.
void PickingTest::doubleClickHitsTheCursorCellFromEveryEye()
{
    const struct {
        float elevation, azimuth, distance;
    } eyes[] = {{0.4f, 0.3f, 10}, {0.4f, 2.0f, 10}, {0.9f, 3.6f, 14}, {0.2f, 5.1f, 9},
                {1.4f, 0.8f, 12}, {-0.5f, 1.2f, 10}, {0.5f, 0.7f, 30}, {0.1f, 4.0f, 40}};
    SViewFixture f(9, 5, 9, {}, true);
    f.view.GetEditor().SetColor(103);
    for (const auto& eye : eyes) {
        f.view.GetEditor().PlaceCursor(4, 2, 4);
        f.view.PlaceEye(eye.elevation, eye.azimuth, eye.distance);
        f.view.Redraw();
        const QPoint middle = Project(f.view, 4.5f, 2.5f, 4.5f);
        const QString where = QString("eye (%1, %2, %3)").arg(eye.elevation).arg(eye.azimuth).arg(eye.distance);
        DoubleClick(f.view, middle);
        QVERIFY2(f.view.GetEditor().GetCursorX() == 4 && f.view.GetEditor().GetCursorY() == 2 && f.view.GetEditor().GetCursorZ() == 4, qPrintable(where));
        QVERIFY2(f.doc.GetCell(4, 2, 4) == 103, qPrintable(where));
        DoubleClick(f.view, middle);
        QVERIFY2(f.doc.GetCell(4, 2, 4) == 0, qPrintable(where));
    }
}

void PickingTest::hiddenCursorOnlyRecords()
{
    SLineFixture f;
    f.view.OnViewCursor();
    TakeClicks(f.doc);
    f.ClickX(8.0f);
    f.ClickX(2.5f);
    DoubleClick(f.view, CursorTop(f.view));
    QCOMPARE(f.view.GetEditor().GetCursorX(), 10);
    QCOMPARE(f.doc.GetCell(10, 1, 6), 0);
    QVERIFY(!f.view.GetEditor().IsEdited());
    QCOMPARE(TakeClicks(f.doc), std::make_pair(1, 0));
}

QTEST_MAIN(PickingTest)
#include "picking_test.moc"
