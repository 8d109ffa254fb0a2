// A block's faces kept for every side: for any eye, the ranges it chooses are exactly the faces
// of the block's runs that the eye would get drawn afresh, whether the space is one block or
// many (runs crossing a block's end belong to the block of their first cell).
#include "view/brickfaces.h"

#include <QtTest>
#include <array>
#include <random>

#include "space/space.h"
#include "view/runfaces.h"

namespace {
using SQuad = std::array<float, 15>;  // four corners and the colour

// The faces drawn for an eye in (ex, ey, ez), run by run along x, as a sorted list.
std::vector<SQuad> FreshFaces(const CSpace& s, int ex, int ey, int ez)
{
    auto cellAt = [&s](int x, int y, int z) { return s.get(x, y, z) == 2 ? 0 : s.get(x, y, z); };
    std::vector<SQuad> quads;
    SFace faces[3];
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int y = 0; y < s.getSizeY(); y++)
            for (int x = 0, end; x < s.getSizeX(); x = end) {
                for (end = x + 1; end < s.getSizeX() && s.get(end, y, z) == s.get(x, y, z);) end++;
                const int skip = CoveredFaces(x, y, z, end - x, ex, ey, ez, cellAt);
                const int n = RunFaces(x, y, z, s.get(x, y, z), end - x, ex, ey, ez, faces, skip);
                for (int f = 0; f < n; f++) {
                    SQuad q;
                    std::copy(&faces[f].corner[0][0], &faces[f].corner[0][0] + 12, q.begin());
                    q[12] = float(int(faces[f].colour.r * 255 + 0.5f));
                    q[13] = float(int(faces[f].colour.g * 255 + 0.5f));
                    q[14] = float(int(faces[f].colour.b * 255 + 0.5f));
                    quads.push_back(q);
                }
            }
    std::sort(quads.begin(), quads.end());
    return quads;
}

// The faces the kept blocks of bx x by x bz cells choose for the eye, as a sorted list.
std::vector<SQuad> KeptFaces(const CSpace& s, int bx, int by, int bz, int ex, int ey, int ez)
{
    std::vector<SQuad> quads;
    for (int z0 = 0; z0 < s.getSizeZ(); z0 += bz)
        for (int y0 = 0; y0 < s.getSizeY(); y0 += by)
            for (int x0 = 0; x0 < s.getSizeX(); x0 += bx) {
                const SBrickBox box = {x0, std::min(s.getSizeX(), x0 + bx), y0, std::min(s.getSizeY(), y0 + by),
                                       z0, std::min(s.getSizeZ(), z0 + bz)};
                SBrickFaces kept;
                BuildBrickFaces(s, box, true, kept);
                const int eye[3] = {ez, ex, ey};
                for (int a = 0; a < FACE_AXES; a++) {
                    int first, end;
                    kept.Range(a, eye[a], first, end);
                    for (int f = first; f < end; f++) {
                        SQuad q;
                        for (int k = 0; k < 4; k++)
                            std::copy(kept.vertices[4 * f + k].pos, kept.vertices[4 * f + k].pos + 3,
                                      q.begin() + 3 * k);
                        for (int c = 0; c < 3; c++) q[12 + c] = float(kept.vertices[4 * f].rgba[c]);
                        quads.push_back(q);
                    }
                }
            }
    std::sort(quads.begin(), quads.end());
    return quads;
}
}  // namespace

class BrickFacesTest : public QObject {
    Q_OBJECT

private slots:
    void chosenRangesAreTheFreshFaces();
    void packedCornersKeepEveryValueOrAreRefused();
};

void BrickFacesTest::packedCornersKeepEveryValueOrAreRefused()
{
    const struct {
        float x, s;
        bool packs;
    } rows[] = {{3, 2, true},          {-32768, 32767, true}, {32767, -32768, true}, {32768, 1, false},
                {-32769, 1, false},    {1, 40000, false},     {0.5f, 1, false},      {2, 1.25f, false}};
    for (const auto& r : rows) {
        const std::vector<SFaceVertex> corners = {{{1, 2, 3}, {0, 1}, {10, 20, 30, 255}},
                                                  {{r.x, 7, -5}, {r.s, 0}, {40, 50, 60, 255}}};
        std::vector<SPackedFaceVertex> packed;
        const QString row = QString("x %1, s %2").arg(r.x).arg(r.s);
        QVERIFY2(PackFaceVertices(corners, packed) == r.packs, qPrintable(row));
        if (!r.packs) {
            QVERIFY2(packed.empty(), qPrintable(row));
            continue;
        }
        QCOMPARE(packed.size(), corners.size());
        for (std::size_t i = 0; i < corners.size(); i++) {
            for (int a = 0; a < 3; a++) QCOMPARE(float(packed[i].pos[a]), corners[i].pos[a]);
            for (int a = 0; a < 2; a++) QCOMPARE(float(packed[i].st[a]), corners[i].st[a]);
            for (int c = 0; c < 4; c++) QCOMPARE(packed[i].rgba[c], corners[i].rgba[c]);
        }
    }
}

void BrickFacesTest::chosenRangesAreTheFreshFaces()
{
    // Few colours, so that runs are long and cross the blocks' ends.
    CSpace space(13, 5, 9, 0);
    std::mt19937 random(7);
    for (int z = 0; z < 9; z++)
        for (int y = 0; y < 5; y++)
            for (int x = 0; x < 13; x++) space.set(x, y, z, random() % 3 == 0 ? 0 : 100 + int(random() % 2));
    const int blocks[][3] = {{13, 5, 9}, {4, 2, 3}, {1, 1, 1}, {5, 4, 16}};
    const int eyes[][3] = {{20, 9, 15}, {-3, -2, -4}, {6, 2, 4}, {0, 0, 0}, {13, 5, 9}, {7, -1, 30}};
    for (const auto& b : blocks)
        for (const auto& e : eyes)
            QVERIFY2(KeptFaces(space, b[0], b[1], b[2], e[0], e[1], e[2]) == FreshFaces(space, e[0], e[1], e[2]),
                     qPrintable(QString("blocks %1x%2x%3, eye (%4, %5, %6)")
                                    .arg(b[0])
                                    .arg(b[1])
                                    .arg(b[2])
                                    .arg(e[0])
                                    .arg(e[1])
                                    .arg(e[2])));
}

QTEST_MAIN(BrickFacesTest)
#include "brickfaces_test.moc"
