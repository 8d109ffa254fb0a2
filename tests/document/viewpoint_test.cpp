// CViewpoint: the eye stops short of vertical, zooms no nearer than two cells and never to
// infinity, turns without wrapping, resets to the starting angles at the space's height plus
// depth, and looks straight along an axis with the whole space in view.
#include "document/viewpoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(Viewpoint, ElevationStopsShortOfVertical)
{
    CViewpoint v{0, 0, 10};
    v.EyeUp();
    EXPECT_EQ(v.elevation, float(0.0 + 3.14159 / 24));
    for (int i = 0; i < 12; i++) v.EyeUp();
    EXPECT_EQ(v.elevation, 1.570795f);
    EXPECT_LT(double(v.elevation), M_PI / 2);
    for (int i = 0; i < 30; i++) v.EyeDown();
    EXPECT_EQ(v.elevation, -1.570795f);
}

TEST(Viewpoint, ZoomLimitsTurnsAndReset)
{
    CViewpoint v{0.3f, 0.2f, 2.2f};
    v.ZoomIn();
    EXPECT_EQ(v.distance, 2.0f);
    v.ZoomIn();
    EXPECT_EQ(v.distance, 2.0f);
    v.ZoomOut();
    EXPECT_EQ(v.distance, 2.5f);
    for (int i = 0; i < 1000; i++) v.ZoomOut();
    EXPECT_TRUE(std::isfinite(v.distance));
    EXPECT_GT(v.distance, 1e30f);

    v.Reset(10, 30);
    EXPECT_EQ(v.distance, 40.0f);
    EXPECT_EQ(v.elevation, viewpoint::DEFAULT_ELEVATION);
    EXPECT_EQ(v.azimuth, viewpoint::DEFAULT_AZIMUTH);
    v.EyeRight();
    EXPECT_EQ(v.azimuth, float(0.2617994f + 0.2617991765340169));
    for (int i = 0; i < 25; i++) v.EyeLeft();
    EXPECT_LT(std::abs(v.azimuth - float(M_PI / 12 - 2 * M_PI)), 1e-4f) << "not wrapped";
}

namespace {
float Dot(const float a[3], float x, float y, float z) { return a[0] * x + a[1] * y + a[2] * z; }

// Where a point appears in a view of this aspect: -1 .. 1 across and up the picture.
void Picture(const CViewpoint& v, const SViewPoint& target, float aspect, float x, float y, float z, float& across,
             float& upward)
{
    float right[3], up[3], forward[3];
    v.Axes(right, up, forward);
    const float rx = x - target.x, ry = y - target.y, rz = z - target.z;
    const float depth = Dot(forward, rx, ry, rz) + v.distance;
    const float tanV = float(std::tan(M_PI / 6));
    across = Dot(right, rx, ry, rz) / (depth * tanV * aspect);
    upward = Dot(up, rx, ry, rz) / (depth * tanV);
}
}  // namespace

TEST(Viewpoint, StraightViewsShowTheWholeSpaceAlongTheirAxis)
{
    const struct {
        EAxisView view;
        int sx, sy, sz;
        float aspect, elevation, azimuth;
        float rightX, upZ;  // the picture's right along +x, its up along +z (or 0)
    } cases[] = {
        {EAxisView::Top, 130, 1, 10, 4.0f / 3, viewpoint::ELEVATION_LIMIT, 0, 1, -1},
        {EAxisView::Front, 130, 1, 10, 4.0f / 3, 0, 0, 1, 0},
        {EAxisView::Side, 10, 8, 60, 1.5f, 0, float(3.14159 / 2), 0, 0},
        {EAxisView::Top, 3, 40, 4, 0.5f, viewpoint::ELEVATION_LIMIT, 0, 1, -1},
    };
    for (const auto& c : cases) {
        CViewpoint v{0.3f, 7.0f, 5};
        const SViewPoint target = v.LookAlong(c.view, c.sx, c.sy, c.sz, c.aspect);
        SCOPED_TRACE(int(c.view));
        EXPECT_EQ(v.elevation, c.elevation);
        EXPECT_EQ(v.azimuth, c.azimuth);
        EXPECT_EQ(target.x, c.sx / 2.0f);
        EXPECT_EQ(target.y, c.sy / 2.0f);
        EXPECT_EQ(target.z, c.sz / 2.0f);
        float right[3], up[3], forward[3];
        v.Axes(right, up, forward);
        EXPECT_NEAR(right[0], c.rightX, 1e-5);
        EXPECT_NEAR(up[2], c.upZ, 1e-5);
        // Every corner in view, and the picture filled but for the margin on one axis.
        float most = 0;
        for (int k = 0; k < 8; k++) {
            float across, upward;
            Picture(v, target, c.aspect, k & 1 ? c.sx : 0, k & 2 ? c.sy : 0, k & 4 ? c.sz : 0, across, upward);
            most = std::max({most, std::abs(across), std::abs(upward)});
        }
        EXPECT_LE(most, 1.0f);
        EXPECT_GT(most, 0.9f);
    }
}
