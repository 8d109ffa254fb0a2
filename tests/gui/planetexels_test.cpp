// Plane sides as texels: for any eye, the texels of the plane sides it chooses, with the x faces
// of the runs around its column, are exactly the faces of the runs drawn one by one, cell by
// cell, however the planes are cut into tiles; and a tile's border holds the texels beside it.
#include "view/planetexels.h"

#include <QtTest>
#include <array>
#include <random>

#include "space/space.h"
#include "view/runfaces.h"

namespace {
using SCellFace = std::array<int, 7>;  // axis, k, u, v and the colour's bytes

int Byte(float c) { return int(c * 255 + 0.5f); }

// The faces drawn for an eye in (ex, ey, ez), run by run along x, one per cell they span.
std::vector<SCellFace> FreshFaces(const CSpace& s, int ex, int ey, int ez, bool cull)
{
    auto cellAt = [&s](int x, int y, int z) { return s.get(x, y, z) == CELL_OUTSIDE ? 0 : s.get(x, y, z); };
    std::vector<SCellFace> out;
    SFace faces[3];
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0, end; x < s.getSizeX(); x = end) {
                for (end = x + 1; end < s.getSizeX() && s.get(end, y, z) == s.get(x, y, z);) end++;
                const int skip = cull ? CoveredFaces(x, y, z, end - x, ex, ey, ez, cellAt) : 0;
                const int n = RunFaces(x, y, z, s.get(x, y, z), end - x, ex, ey, ez, faces, skip);
                for (int f = 0; f < n; f++) {
                    const SRgb c = faces[f].colour;
                    const int rgb[3] = {Byte(c.r), Byte(c.g), Byte(c.b)};
                    const auto put = [&](int axis, int k, int u, int v) {
                        out.push_back({axis, k, u, v, rgb[0], rgb[1], rgb[2]});
                    };
                    const float* at = faces[f].corner[0];
                    if (faces[f].kind == FACE_X) put(PLANE_X, int(at[0]), y, z);
                    for (int cx = x; cx < end && faces[f].kind != FACE_X; cx++)
                        faces[f].kind == FACE_Z ? put(PLANE_Z, int(at[2]), cx, y) : put(PLANE_Y, int(at[1]), cx, z);
                }
            }
    std::sort(out.begin(), out.end());
    return out;
}

// A plane side's texels as one picture (with its border).
struct SPlanePicture {
    int w = 0, h = 0;
    std::vector<unsigned char> texels;
    const unsigned char* At(int u, int v) const { return texels.data() + (std::size_t(v + 1) * (w + 2) + (u + 1)) * 4; }
};

SPlanePicture WholePlane(const SCellGrid& g, int axis, int k, int side, bool cull)
{
    const int size[3] = {g.sx, g.sy, g.sz};
    SPlanePicture p;
    p.w = size[PlaneAxes(axis).u];
    p.h = size[PlaneAxes(axis).v];
    p.texels.resize(std::size_t(p.w + 2) * (p.h + 2) * 4);
    SPlaneRect bounds;
    PlaneTexels(g, axis, k, side, {0, p.w, 0, p.h}, cull, p.texels.data(), bounds);
    return p;
}
}  // namespace

class PlaneTexelsTest : public QObject {
    Q_OBJECT

private slots:
    void chosenTexelsAreTheFreshFaces();
};

void PlaneTexelsTest::chosenTexelsAreTheFreshFaces()
{
    // Few colours, so that runs are long and cross the tiles' ends.
    CSpace space(13, 5, 9, 0);
    std::mt19937 random(7);
    for (int z = 0; z < 9; z++)
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 13; x++) space.set(x, y, z, random() % 3 == 0 ? 0 : 100 + int(random() % 2));
    const SCellGrid g = SCellGrid::Of(space);
    const int size[3] = {13, 5, 9};
    const int tiles[][2] = {{100, 100}, {4, 2}, {1, 1}, {5, 16}};
    const int eyes[][3] = {{20, 9, 15}, {-3, -2, -4}, {6, 2, 4}, {0, 0, 0}, {13, 5, 9}, {7, -1, 30}, {1, 3, 3}};
    for (bool cull : {true, false})
        for (const auto& t : tiles)
            for (const auto& e : eyes) {
                const QString where = QString("tiles %1x%2, eye (%3, %4, %5), cull %6")
                                          .arg(t[0]).arg(t[1]).arg(e[0]).arg(e[1]).arg(e[2]).arg(cull);
                const int eyeOnAxis[PLANE_AXES] = {e[2], e[0], e[1]};
                std::vector<SCellFace> kept;
                for (int a = 0; a < PLANE_AXES; a++)
                    for (int k = 0; k <= size[PlaneAxes(a).across]; k++)
                        for (int side = 0; side < PLANE_SIDES; side++) {
                            const SPlanePicture whole = WholePlane(g, a, k, side, cull);
                            const bool chosen = PlaneSideChosen(k, side, eyeOnAxis[a]);
                            for (int v0 = 0; v0 < whole.h; v0 += t[1])
                                for (int u0 = 0; u0 < whole.w; u0 += t[0]) {
                                    const SPlaneRect rect = {u0, std::min(whole.w, u0 + t[0]), v0, std::min(whole.h, v0 + t[1])};
                                    SPlanePicture tile;
                                    tile.w = rect.u1 - rect.u0;
                                    tile.h = rect.v1 - rect.v0;
                                    tile.texels.resize(std::size_t(tile.w + 2) * (tile.h + 2) * 4);
                                    SPlaneRect bounds;
                                    const int faces = PlaneTexels(g, a, k, side, rect, cull, tile.texels.data(), bounds);
                                    int counted = 0;
                                    SPlaneRect seen = {1 << 20, -1, 1 << 20, -1};
                                    // Inside and on the border, the tile's texels are the plane's.
                                    for (int v = -1; v <= tile.h; v++)
                                        for (int u = -1; u <= tile.w; u++) {
                                            const int pu = rect.u0 + u, pv = rect.v0 + v;
                                            const bool onPlane = pu >= 0 && pv >= 0 && pu < whole.w && pv < whole.h;
                                            const unsigned char none[4] = {0, 0, 0, 0};
                                            const unsigned char* want = onPlane ? whole.At(pu, pv) : none;
                                            QVERIFY2(std::equal(want, want + 4, tile.At(u, v)), qPrintable(where));
                                            const bool inside = u >= 0 && v >= 0 && u < tile.w && v < tile.h;
                                            if (!inside || tile.At(u, v)[3] == 0) continue;
                                            counted++;
                                            seen = {std::min(seen.u0, pu), std::max(seen.u1, pu + 1), std::min(seen.v0, pv),
                                                    std::max(seen.v1, pv + 1)};
                                            if (chosen) {
                                                const unsigned char* c = tile.At(u, v);
                                                kept.push_back({a, k, pu, pv, c[0], c[1], c[2]});
                                            }
                                        }
                                    QCOMPARE(faces, counted);
                                    if (faces > 0)
                                        QVERIFY2(bounds.u0 == seen.u0 && bounds.u1 == seen.u1 && bounds.v0 == seen.v0 &&
                                                     bounds.v1 == seen.v1,
                                                 qPrintable(where));
                                }
                        }
                std::vector<SRunAcross> across;
                RunsAcross(g, e[0], cull, across);
                for (const SRunAcross& r : across) {
                    const unsigned char* c = WholePlane(g, PLANE_X, r.end, PLANE_TOWARD, cull).At(r.y, r.z);
                    kept.push_back({PLANE_X, r.end, r.y, r.z, c[0], c[1], c[2]});
                }
                std::sort(kept.begin(), kept.end());
                QVERIFY2(kept == FreshFaces(space, e[0], e[1], e[2], cull), qPrintable(where));
            }
}

QTEST_MAIN(PlaneTexelsTest)
#include "planetexels_test.moc"
