// Pixels of drawn scenes: cell faces in their shades, the floor's two greys, the floor hidden
// from below, and the guide lines near the borders of the space.
#include <QtTest>

#include <cmath>

#include "guitestsupport.h"
#include "view/camera.h"

namespace {
// Compares a pixel with an expected grey level per channel, within the rounding of 8 bits.
bool Near(QRgb c, int r, int g, int b)
{
    return std::abs(qRed(c) - r) <= 2 && std::abs(qGreen(c) - g) <= 2 && std::abs(qBlue(c) - b) <= 2;
}

QString Describe(QRgb c) { return QString("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)); }

bool AllBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) return false;
    return true;
}
}  // namespace

class SceneTest : public QObject {
    Q_OBJECT

private slots:
    void redCellShowsThreeShades();
    void cellsSeenFromBelowAndBehind();
    void valuesWithoutColourDrawBlackAndBlackDrawsGrey();
    void coveredFacesLeaveThePictureUnchanged();
    void floorGreys();
    void noFloorWhenEyeIsBelowIt();
    void guideLinesStopAtTheBorders();
    void cursorBoxAndGuidesHiddenWithCursorOff();
};

void SceneTest::redCellShowsThreeShades()
{
    // A red cell at (1, 1, 1); the default eye lies above, in front (+z) and right (+x) of it.
    SViewFixture f(3, 3, 3, {{1, 1, 1, 103}});
    f.view.OnViewCursor();  // nothing in front of the cell
    const QImage image = RenderScene(f.view);
    const QRgb top = image.pixel(Project(f.view, 1.5f, 2.0f, 1.5f));
    const QRgb front = image.pixel(Project(f.view, 1.5f, 1.5f, 2.0f));
    const QRgb side = image.pixel(Project(f.view, 2.0f, 1.5f, 1.5f));
    QVERIFY2(Near(top, 255, 0, 0), qPrintable(Describe(top)));
    QVERIFY2(Near(front, 178, 0, 0), qPrintable(Describe(front)));
    QVERIFY2(Near(side, 153, 0, 0), qPrintable(Describe(side)));
    // Beside the cell: the dark floor of a solid space.
    const QRgb floor = image.pixel(Project(f.view, 0.3f, 0.0f, 2.7f));
    QVERIFY2(Near(floor, 32, 32, 32), qPrintable(Describe(floor)));
}

void SceneTest::cellsSeenFromBelowAndBehind()
{
    // Eye below and behind (-z) and to the left (-x) of a yellow cell: bottom 0.2, back 0.4, left 0.5.
    SViewFixture f(3, 3, 3, {{1, 1, 1, 107}});
    f.view.OnViewCursor();
    f.view.GetEditor().PlaceCursor(1, 1, 1);
    f.view.PlaceEye(-0.5f, 3.14159f + 0.5f, 6);
    const QImage image = RenderScene(f.view);
    const QRgb bottom = image.pixel(Project(f.view, 1.5f, 1.0f, 1.5f));
    const QRgb back = image.pixel(Project(f.view, 1.5f, 1.5f, 1.0f));
    const QRgb left = image.pixel(Project(f.view, 1.0f, 1.5f, 1.5f));
    QVERIFY2(Near(bottom, 51, 51, 0), qPrintable(Describe(bottom)));
    QVERIFY2(Near(back, 102, 102, 0), qPrintable(Describe(back)));
    QVERIFY2(Near(left, 128, 128, 0), qPrintable(Describe(left)));
}

void SceneTest::valuesWithoutColourDrawBlackAndBlackDrawsGrey()
{
    SViewFixture f(5, 3, 3, {{0, 1, 1, 1}, {2, 1, 1, 101}, {4, 1, 1, 2}});
    f.view.OnViewCursor();
    f.view.GetEditor().PlaceCursor(2, 1, 1);
    f.view.PlaceEye(0.6f, 0.0f, 7);
    const QImage image = RenderScene(f.view);
    QVERIFY2(Near(image.pixel(Project(f.view, 2.5f, 2.0f, 1.5f)), 64, 64, 64),
             qPrintable(Describe(image.pixel(Project(f.view, 2.5f, 2.0f, 1.5f)))));
    // Cells holding 1 and 2 are black boxes: black where the floor would otherwise show.
    QVERIFY(Near(image.pixel(Project(f.view, 0.5f, 2.0f, 1.5f)), 0, 0, 0));
    QVERIFY(Near(image.pixel(Project(f.view, 4.5f, 2.0f, 1.5f)), 0, 0, 0));
    QVERIFY(Near(image.pixel(Project(f.view, 1.5f, 0.0f, 2.8f)), 32, 32, 32));
}

void SceneTest::coveredFacesLeaveThePictureUnchanged()
{
    // Blocks of mixed colours with holes, seen from eyes all around them and from inside the
    // space: leaving out the faces between neighbours must not change the picture. Most faces
    // of the blocks lie against neighbours, so an eye outside the cells draws a fraction of all.
    const struct {
        int sx, sy, sz, holes;  // a cell is empty where (7x + 5y + 3z) % holes == 0
        float eyes[7][3];
        double drawnAtMost;     // of the faces drawn with nothing left out, the eye outside the cells
    } scenes[] = {
        {6, 5, 6, 11, {{0.39f, 0.26f, 12}, {-0.4f, 2.5f, 12}, {0.9f, -1.2f, 12}, {0.2f, 4.0f, 12}, {0.1f, 0.8f, 3.2f},
                       {-0.2f, 3.6f, 2.7f}, {1.2f, 5.5f, 2.2f}}, 0.5},
        {50, 14, 42, 3, {{0.39f, 0.26f, 70}, {0.9f, 2.2f, 60}, {-0.3f, 4.0f, 65}, {1.4f, 5.0f, 55}, {0.2f, 3.3f, 8},
                         {0.05f, 0.7f, 30}, {0.6f, 1.0f, 45}}, 0.4},
    };
    for (const auto& scene : scenes) {
        SViewFixture f(scene.sx, scene.sy, scene.sz);
        for (int x = 1; x < scene.sx - 1; x++)
            for (int y = 0; y < scene.sy - 1; y++)
                for (int z = 1; z < scene.sz - 1; z++)
                    if ((x * 7 + y * 5 + z * 3) % scene.holes != 0) f.doc.SetCell(x, y, z, 100 + (x + 2 * y + 3 * z) % 8);
        f.view.OnViewCursor();
        f.view.GetEditor().PlaceCursor(2, 1, 2);
        // The faces only: outlines of a covered face may lie on a visible edge in another shade.
        f.view.SetCellEdges(false);
        for (const auto& e : scene.eyes) {
            f.view.PlaceEye(e[0], e[1], e[2]);
            f.view.SetSkipCoveredFaces(true);
            const QImage culled = RenderScene(f.view);
            const std::size_t drawn = f.view.DrawnFaceCount();
            f.view.SetSkipCoveredFaces(false);
            const QImage full = RenderScene(f.view);
            const QString where = QString("at elevation %1, azimuth %2, distance %3").arg(e[0]).arg(e[1]).arg(e[2]);
            // Covered faces are all drawn when the eye is inside a filled cell.
            const CTesseraView& v = f.view;
            const SVec3 eye = EyePosition({v.GetEditor().GetTargetX(), v.GetEditor().GetTargetY(), v.GetEditor().GetTargetZ()},
                                          e[0], e[1], e[2]);
            const int inside = f.doc.GetSpace().get(int(std::floor(eye.x)), int(std::floor(eye.y)), int(std::floor(eye.z)));
            const double atMost = inside != 0 && inside != CELL_OUTSIDE ? 1.0 : scene.drawnAtMost;
            QVERIFY2(drawn <= atMost * double(f.view.DrawnFaceCount()),
                     qPrintable(QString("%1 of %2 faces drawn %3").arg(drawn).arg(f.view.DrawnFaceCount()).arg(where)));
            int differing = 0;
            for (int y = 0; y < full.height(); y++)
                for (int x = 0; x < full.width(); x++)
                    if (culled.pixel(x, y) != full.pixel(x, y)) differing++;
            // Only single pixels on seams between faces may differ (where a hidden face peeks
            // through a crack between two others); a missing face would change hundreds.
            QVERIFY2(differing <= full.width() * full.height() / 2000, qPrintable(QString("%1 pixels differ %2").arg(differing).arg(where)));
            QVERIFY(!AllBlack(full));
        }
    }
}

void SceneTest::floorGreys()
{
    SViewFixture flat(6, 1, 6);
    flat.view.OnViewCursor();
    QImage image = RenderScene(flat.view);
    const QRgb light = image.pixel(Project(flat.view, 1.5f, 0.0f, 4.5f));  // between grid lines
    QVERIFY2(Near(light, 223, 223, 223), qPrintable(Describe(light)));

    SViewFixture solid(6, 2, 6);
    solid.view.OnViewCursor();
    image = RenderScene(solid.view);
    const QRgb dark = image.pixel(Project(solid.view, 1.5f, 0.0f, 4.5f));
    QVERIFY2(Near(dark, 32, 32, 32), qPrintable(Describe(dark)));
    // Outside the floor square the background stays black.
    QVERIFY(Near(image.pixel(Project(solid.view, -1.0f, 0.0f, 3.0f)), 0, 0, 0));
}

void SceneTest::noFloorWhenEyeIsBelowIt()
{
    SViewFixture f(6, 2, 6);
    f.view.OnViewCursor();
    f.view.PlaceEye(-0.4f, 0.3f, 8);  // eye height 0.5 - 8 sin 0.4 < 0
    QVERIFY(AllBlack(RenderScene(f.view)));
    f.view.PlaceEye(0.05f, 0.3f, 8);  // just above: the floor is seen at a grazing angle
    QVERIFY(!AllBlack(RenderScene(f.view)));
}

void SceneTest::guideLinesStopAtTheBorders()
{
    // An empty 8-wide space; guides along x run through y = 0.5, z = 1.5.
    SViewFixture f(8, 2, 3);
    auto guideAt = [&f](float x) {
        const QImage image = RenderScene(f.view);
        return CountBright(image, Project(f.view, x, 0.5f, 1.5f), 2);
    };
    f.view.PlaceEye(0.5f, 0.2f, 9);

    f.view.GetEditor().PlaceCursor(0, 0, 1);  // nothing on the -x side
    QCOMPARE(guideAt(-0.5f), 0);
    QVERIFY(guideAt(2.5f) > 0);   // +x near segment 1.5 .. 4
    QVERIFY(guideAt(6.0f) > 0);   // +x far segment 4 .. 8

    f.view.GetEditor().PlaceCursor(2, 0, 1);  // -x near segment 0 .. 1.5, no far one
    QVERIFY(guideAt(0.75f) > 0);
    QCOMPARE(guideAt(-0.5f), 0);
    QVERIFY(guideAt(4.5f) > 0);

    f.view.GetEditor().PlaceCursor(7, 0, 1);  // last cell: nothing on the +x side
    QCOMPARE(guideAt(8.6f), 0);
    QVERIFY(guideAt(5.5f) > 0);   // -x near segment 4 .. 6.5
    QVERIFY(guideAt(2.0f) > 0);   // -x far segment 0 .. 4
}

void SceneTest::cursorBoxAndGuidesHiddenWithCursorOff()
{
    SViewFixture f(8, 2, 3);
    f.view.GetEditor().PlaceCursor(2, 0, 1);
    f.view.PlaceEye(0.5f, 0.2f, 9);
    QVERIFY(CountBright(RenderScene(f.view), Project(f.view, 2.5f, 0.5f, 1.5f), 6) > 0);
    f.view.OnViewCursor();
    QVERIFY(!f.view.IsCursorShown());
    const QImage image = RenderScene(f.view);
    QCOMPARE(CountBright(image, Project(f.view, 2.5f, 0.5f, 1.5f), 6), 0);
    QCOMPARE(CountBright(image, Project(f.view, 5.0f, 0.5f, 1.5f), 3), 0);
}

QTEST_MAIN(SceneTest)
#include "scene_test.moc"
