// Pure view geometry: guide segments, clip planes and the azimuth sectors of the cursor moves.
#include <QMatrix4x4>
#include <QVector3D>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "view/camera.h"
#include "document/cursormove.h"
#include "view/eyenavigation.h"
#include "view/guidesegment.h"

class GeometryTest : public QObject {
    Q_OBJECT

private slots:
    void guideSegmentsAlongX_data();
    void guideSegmentsAlongX();
    void guideSegmentRunsThroughCellCentre();
    void clipPlanes();
    void sectors_data();
    void sectors();
    void screenMoveTable();
    void orbitAndWheel();
    void fitDistanceShowsEveryCorner();
};

void GeometryTest::guideSegmentsAlongX_data()
{
    // -1 marks a missing segment.
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<QVector<float>>("spans");  // near-, far-, near+, far+ as from/to pairs
    QTest::newRow("cursor at 0") << 0 << 10 << QVector<float>{-1, -1, -1, -1, 1.5f, 4, 4, 10};
    QTest::newRow("cursor at 2") << 2 << 10 << QVector<float>{0, 1.5f, -1, -1, 3.5f, 6, 6, 10};
    QTest::newRow("cursor at 3") << 3 << 10 << QVector<float>{0, 2.5f, 0, 0, 4.5f, 7, 7, 10};
    QTest::newRow("cursor at 5") << 5 << 10 << QVector<float>{2, 4.5f, 0, 2, 6.5f, 9, 9, 10};
    QTest::newRow("cursor at 6") << 6 << 10 << QVector<float>{3, 5.5f, 0, 3, 7.5f, 10, 10, 10};
    QTest::newRow("cursor at 7") << 7 << 10 << QVector<float>{4, 6.5f, 0, 4, 8.5f, 10, -1, -1};
    QTest::newRow("cursor at last") << 9 << 10 << QVector<float>{6, 8.5f, 0, 6, -1, -1, -1, -1};
    QTest::newRow("one cell") << 0 << 1 << QVector<float>{-1, -1, -1, -1, -1, -1, -1, -1};
}

void GeometryTest::guideSegmentsAlongX()
{
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(QVector<float>, spans);
    SGuideSpan s;
    const bool found[4] = {NearGuideSpan(false, k, n, s), FarGuideSpan(false, k, n, s), NearGuideSpan(true, k, n, s),
                           FarGuideSpan(true, k, n, s)};
    for (int i = 0; i < 4; i++) {
        const bool expected = spans[2 * i] != -1;
        QCOMPARE(found[i], expected);
        if (!expected) continue;
        const bool plus = i >= 2, far = i % 2 == 1;
        if (far) FarGuideSpan(plus, k, n, s);
        else NearGuideSpan(plus, k, n, s);
        QCOMPARE(s.from, spans[2 * i]);
        QCOMPARE(s.to, spans[2 * i + 1]);
    }
}

void GeometryTest::guideSegmentRunsThroughCellCentre()
{
    const int cursor[3] = {2, 1, 7}, size[3] = {5, 4, 8};
    SGuideSegment s;
    QVERIFY(NearGuideSegment(GUIDE_Y_MINUS, cursor, size, s));
    QCOMPARE(s.from[0], 2.5f);
    QCOMPARE(s.from[1], 0.0f);
    QCOMPARE(s.to[1], 0.5f);
    QCOMPARE(s.to[2], 7.5f);
    QVERIFY(!NearGuideSegment(GUIDE_Z_PLUS, cursor, size, s));  // z = 7 is the last layer
    QVERIFY(NearGuideSegment(GUIDE_Z_MINUS, cursor, size, s));
    QCOMPARE(s.from[2], 4.0f);
    QCOMPARE(s.to[2], 6.5f);
    QCOMPARE(s.from[0], 2.5f);
    QCOMPARE(s.from[1], 1.5f);
}

void GeometryTest::clipPlanes()
{
    // Eye inside the space's box: the near plane falls to its minimum.
    const SVec3 size = {10, 10, 10};
    SClipPlanes p = ComputeClipPlanes(size, {5, 5, 5}, {5, 5, 7}, 2);
    QCOMPARE(p.zNear, 0.5f * 0.9f);
    // Far corner: (0, 0, 0) lies beyond the target from an eye on the +z side.
    QVERIFY(std::abs(p.zFar - (std::sqrt(75.0f) + 2) * 1.1f) < 1e-4f);

    // Eye outside: near reaches the closest point of the box, (5, 5, 10) for an eye at z = 20.
    p = ComputeClipPlanes(size, {5, 5, 5}, {5, 5, 20}, 15);
    QVERIFY(std::abs(p.zNear - 10 * 0.9f) < 1e-4f);
    QVERIFY(std::abs(p.zFar - (std::sqrt(75.0f) + 15) * 1.1f) < 1e-4f);

    // The eye of the default view of a 40 x 10 x 30 space.
    const SVec3 eye = EyePosition({20.5f, 0.5f, 15.5f}, viewpoint::DEFAULT_ELEVATION, viewpoint::DEFAULT_AZIMUTH, 40);
    QVERIFY(std::abs(eye.y - (0.5f + 40 * std::sin(0.3926991f))) < 1e-4f);
    QVERIFY(std::abs(eye.z - (15.5f + 40 * std::cos(0.3926991f) * std::cos(0.2617994f))) < 1e-4f);
    QVERIFY(eye.x > 20.5f);
}

void GeometryTest::sectors_data()
{
    QTest::addColumn<float>("azimuth");
    QTest::addColumn<int>("sector");
    QTest::newRow("default") << 0.2617994f << 0;
    QTest::newRow("0.8") << 0.8f << 1;
    QTest::newRow("-0.5 truncates to 0") << -0.5f << 0;
    QTest::newRow("-0.8") << -0.8f << -1;
    QTest::newRow("just under 2 pi") << 6.2f << 7;
    QTest::newRow("beyond 2 pi wraps") << 6.4f << 0;
    QTest::newRow("24 turns left") << float(0.2617994 - 24 * viewpoint::TURN_STEP) << -7;
    QTest::newRow("far out") << 1000.0f << 1;  // trunc(1273.2) = 1273 = 159 * 8 + 1
}

void GeometryTest::sectors()
{
    QFETCH(float, azimuth);
    QFETCH(int, sector);
    QCOMPARE(AzimuthSector(azimuth), sector);
}

void GeometryTest::screenMoveTable()
{
    // Left, Right, Front, Rear per sector group, as the cursor menu has always moved.
    struct Row {
        std::initializer_list<int> sectors;
        ECursorMove left, right, front, rear;
    };
    const Row rows[] = {
        {{0, 7, -7}, MOVE_X_MINUS, MOVE_X_PLUS, MOVE_Z_PLUS, MOVE_Z_MINUS},
        {{1, 2, -5, -6}, MOVE_Z_PLUS, MOVE_Z_MINUS, MOVE_X_PLUS, MOVE_X_MINUS},
        {{3, 4, -3, -4}, MOVE_X_PLUS, MOVE_X_MINUS, MOVE_Z_MINUS, MOVE_Z_PLUS},
        {{5, 6, -1, -2}, MOVE_Z_MINUS, MOVE_Z_PLUS, MOVE_X_MINUS, MOVE_X_PLUS},
    };
    for (const Row& row : rows)
        for (int sector : row.sectors) {
            // An azimuth in the middle of the sector (truncation toward zero).
            const float azimuth = (sector + (sector < 0 ? -0.5f : 0.5f)) / 1.2732395f;
            QCOMPARE(AzimuthSector(azimuth), sector);
            QCOMPARE(ScreenMove(SCREEN_LEFT, azimuth), row.left);
            QCOMPARE(ScreenMove(SCREEN_RIGHT, azimuth), row.right);
            QCOMPARE(ScreenMove(SCREEN_FRONT, azimuth), row.front);
            QCOMPARE(ScreenMove(SCREEN_REAR, azimuth), row.rear);
        }
}

void GeometryTest::orbitAndWheel()
{
    // A drag to the right turns the eye left around the target; downward raises it.
    SEyeAngles e = OrbitByDrag({0.2f, 1.0f}, 50, -10);
    QVERIFY(std::abs(e.azimuth - 0.5f) < 1e-6f);
    QVERIFY(std::abs(e.elevation - 0.1f) < 1e-6f);
    // The elevation stops at the limits of the MoveEye commands; the azimuth is not wrapped.
    e = OrbitByDrag({0.2f, 1.0f}, -1000, 10000);
    QCOMPARE(e.elevation, viewpoint::ELEVATION_LIMIT);
    QVERIFY(std::abs(e.azimuth - 11.0f) < 1e-5f);
    QCOMPARE(OrbitByDrag({0, 0}, 0, -10000).elevation, -viewpoint::ELEVATION_LIMIT);

    // Wheel notches are ZoomIn and ZoomOut steps with their limits.
    QCOMPARE(ZoomByNotches(10, 1), 8.0f);
    QCOMPARE(ZoomByNotches(10, -2), 10 * 1.25f * 1.25f);
    QCOMPARE(ZoomByNotches(2.2f, 1), 2.0f);
    QCOMPARE(ZoomByNotches(10, 30), 2.0f);
    QVERIFY(std::isfinite(ZoomByNotches(3e38f, -5)));
}

void GeometryTest::fitDistanceShowsEveryCorner()
{
    struct Case {
        SVec3 size, target;
        SEyeAngles angles;
        float aspect;
    };
    const Case cases[] = {
        {{130, 1, 10}, {65.5f, 0.5f, 5.5f}, {viewpoint::DEFAULT_ELEVATION, viewpoint::DEFAULT_AZIMUTH}, 4.0f / 3},
        {{40, 10, 30}, {20.5f, 0.5f, 15.5f}, {1.2f, -2.0f}, 0.5f},
        {{5, 60, 5}, {0.5f, 0.5f, 0.5f}, {-0.7f, 3.0f}, 2.0f},
        {{20, 1, 20}, {10.5f, 0.5f, 10.5f}, {1.5f, 0.3f}, 1.0f},  // nearly straight down
    };
    for (const Case& c : cases) {
        const float d = FitDistance(c.size, c.target, c.angles, c.aspect);
        // Projects the eight corners as the view does, camera, planes and all.
        auto worst = [&c](float distance) {
            const SVec3 eye = EyePosition(c.target, c.angles.elevation, c.angles.azimuth, distance);
            const SClipPlanes planes = ComputeClipPlanes(c.size, c.target, eye, distance);
            QMatrix4x4 m;
            m.perspective(float(viewpoint::FIELD_OF_VIEW), c.aspect, planes.zNear, planes.zFar);
            m.lookAt({eye.x, eye.y, eye.z}, {c.target.x, c.target.y, c.target.z}, {0, 1, 0});
            float most = 0;
            for (int k = 0; k < 8; k++) {
                const QVector3D ndc = m.map(QVector3D(k & 1 ? c.size.x : 0, k & 2 ? c.size.y : 0, k & 4 ? c.size.z : 0));
                if (std::abs(ndc.z()) > 1) return 9.0f;  // cut off by the near or far plane
                most = std::max({most, std::abs(ndc.x()), std::abs(ndc.y())});
            }
            return most;
        };
        QVERIFY2(worst(d) <= 0.951f, qPrintable(QString("corner at %1 of the half-view").arg(worst(d))));
        // Tight: a little nearer, some corner leaves the margin.
        QVERIFY(worst(d * 0.97f) > 0.95f);
    }
}

QTEST_APPLESS_MAIN(GeometryTest)
#include "geometry_test.moc"
