// CViewpoint: the eye stops short of vertical, zooms no nearer than two cells and never to
// infinity, turns without wrapping, and resets to the starting angles at the space's height
// plus depth.
#include "document/viewpoint.h"

#include <gtest/gtest.h>

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
