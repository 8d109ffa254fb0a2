// The faces a view keeps between frames: after every kind of change (cells in one layer, a box
// across layers, a cell whose removal bares faces in the next layer, eye moves, the eye inside a
// cell, a resize, a loaded file, undo, a run's steps, cell edges, runs across tiles of the planes,
// faces filling tiles that were empty) the view that kept its faces draws exactly what a new view
// drawing everything afresh draws.
#include <QtTest>

#include <functional>

#include "guitestsupport.h"

namespace {
const QSize PICTURE(240, 180);
// The two views keep a face's texels at different places of their textures: where a cell's edge
// falls on a pixel's centre, they may round it to the cells on either side. A face drawn wrong
// changes dozens of pixels.
constexpr int SEAM_PIXELS = 3;

// A view of the document drawing from nothing, placed as `like`, and the faces it drew.
QImage FreshPicture(CTesseraDoc& doc, const CTesseraView& like, std::size_t& faces)
{
    CTesseraView fresh(&doc);
    fresh.resize(like.size());
    fresh.show();
    if (!QTest::qWaitForWindowExposed(&fresh)) return {};
    fresh.GetEditor().PlaceCursor(like.GetEditor().GetCursorX(), like.GetEditor().GetCursorY(), like.GetEditor().GetCursorZ());
    fresh.PlaceEye(like.GetViewpoint().elevation, like.GetViewpoint().azimuth, like.GetViewpoint().distance);
    fresh.SetCellEdges(like.IsCellEdges());
    if (!like.IsCursorShown()) fresh.OnViewCursor();
    const QImage picture = fresh.RenderImage(PICTURE);
    faces = fresh.DrawnFaceCount();
    return picture;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); y++)
        for (int x = 0; x < a.width(); x++) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// A dense block of mixed colours with a few holes, so that most faces are covered.
void FillBlock(CTesseraDoc& doc, int x0, int x1, int y1, int z0, int z1)
{
    for (int z = z0; z < z1; z++)
        for (int y = 0; y < y1; y++)
            for (int x = x0; x < x1; x++)
                if ((x * 7 + y * 5 + z * 3) % 13 != 0) doc.SetCell(x, y, z, 100 + (x + 2 * y + 3 * z) % 8);
}
}  // namespace

class PlaneCacheTest : public QObject {
    Q_OBJECT

private slots:
    void keptFacesDrawAsAFreshView();
};

void PlaneCacheTest::keptFacesDrawAsAFreshView()
{
    // Both views shown, so that their pictures are drawn in their own GL contexts, where the
    // first keeps its faces.
    SViewFixture f(12, 6, 10, {}, true);
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    FillBlock(f.doc, 1, 11, 5, 1, 9);
    f.view.GetEditor().PlaceCursor(5, 2, 4);
    f.view.PlaceEye(0.5f, 0.4f, 22);
    CTesseraView& v = f.view;
    CTesseraDoc& d = f.doc;
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"first picture", [] {}},
        {"one cell in a middle layer", [&] { d.SetCell(4, 4, 5, 103); }},
        // The block's front layer is z = 8: emptying its top cells bares faces in layer 7.
        {"cells emptied in the front layer", [&] { d.FillBox(CBox(2, 3, 8, 9, 4, 8), 0, {"test"}); }},
        {"a box across layers", [&] { d.FillBox(CBox(3, 1, 2, 6, 4, 7), 106, {"test"}); }},
        {"undo of the box", [&] { SEditMark m; d.Undo(m); }},
        {"eye to the other side", [&] { v.PlaceEye(0.3f, 3.6f, 20); }},
        {"eye below", [&] { v.PlaceEye(-0.6f, 1.9f, 18); }},
        {"eye inside an empty cell of the block", [&] { v.PlaceEye(0.05f, 0.1f, 2.2f); }},
        {"eye inside a filled cell", [&] { v.PlaceEye(0.0f, 0.0f, 0.3f); }},
        {"eye back outside", [&] { v.PlaceEye(0.5f, 0.4f, 22); }},
        {"cell edges off", [&] { v.SetCellEdges(false); }},
        {"a cell while edges are off", [&] { d.SetCell(10, 4, 8, 0); }},
        {"cell edges on", [&] { v.SetCellEdges(true); }},
        {"a larger space", [&] { QVERIFY(d.ResizeSpace(14, 7, 12)); }},
        {"a smaller space", [&] { QVERIFY(d.ResizeSpace(9, 6, 7)); }},
        {"a loaded file", [&] {
             LoadSpace(d, 8, 3, 9, {{1, 0, 1, 104}, {2, 0, 1, 104}, {3, 2, 7, 107}, {6, 1, 4, 101}});
             v.GetEditor().PlaceCursor(4, 1, 4);
             v.PlaceEye(0.6f, 0.7f, 14);
         }},
        // Small turns over a sparse space: layers whose runs all stay on one side of the eye
        // keep their faces, the others are built again.
        {"the eye a little aside", [&] { v.PlaceEye(0.6f, 0.95f, 14); }},
        {"the eye further aside", [&] { v.PlaceEye(0.55f, 1.35f, 12); }},
        {"the eye lower", [&] { v.PlaceEye(0.12f, 1.35f, 12); }},
        {"a cell of the loaded space", [&] { d.SetCell(2, 0, 1, 0); }},
        // One run from x = 3 to 5, first seen with the eye over its first cell (ex = 3), then
        // from beyond its end, where its face at x = 6 must appear.
        {"a single run under the eye", [&] {
             LoadSpace(d, 12, 2, 6, {{3, 0, 2, 103}, {4, 0, 2, 103}, {5, 0, 2, 103}});
             v.GetEditor().PlaceCursor(3, 0, 2);
             v.PlaceEye(0.5f, 0.0f, 8);
         }},
        {"the eye beyond the run's end", [&] { v.PlaceEye(0.5f, 0.8f, 8); }},
        // A space of several blocks of kept faces, most of them hidden behind the nearer ones.
        {"a dense space of several blocks", [&] {
             QVERIFY(d.ResizeSpace(40, 9, 36));
             FillBlock(d, 1, 39, 8, 1, 35);
             v.GetEditor().PlaceCursor(20, 2, 18);
             v.PlaceEye(0.5f, 0.4f, 60);
         }},
        // A run whose first cell lies in one block and whose end lies two blocks further.
        {"a long run across blocks", [&] { d.FillBox(CBox(10, 8, 30, 37, 8, 30), 104, {"test"}); }},
        {"a cell emptied near the long run's end", [&] { d.SetCell(34, 8, 30, 0); }},
        {"a hidden cell", [&] { d.SetCell(20, 1, 10, 0); }},
        {"the eye among the blocks", [&] { v.PlaceEye(0.1f, 2.0f, 12); }},
        // Planes of several tiles: a few cells first, then a block whose faces need room in the
        // textures beyond what the few took; then changes on the tiles' borders.
        {"a large sparse space", [&] {
             QVERIFY(d.ResizeSpace(130, 66, 12));
             d.FillBox(CBox(0, 0, 0, 129, 65, 11), 0, {"test"});
             for (int i = 0; i < 12; i++) d.SetCell(i * 11, i * 5, i, 100 + i % 8);
             v.GetEditor().PlaceCursor(65, 33, 6);
             v.PlaceEye(0.3f, 0.5f, 160);
         }},
        {"a block filling much of it", [&] { FillBlock(d, 10, 120, 60, 2, 10); }},
        {"cells on the tiles' borders", [&] {
             d.SetCell(43, 32, 5, 0);
             d.SetCell(44, 33, 5, 0);
             d.FillBox(CBox(42, 31, 3, 45, 34, 6), 103, {"test"});
         }},
        {"a run joined across tiles", [&] { d.FillBox(CBox(20, 50, 6, 110, 50, 6), 105, {"test"}); }},
        // A long run behind a row with a hole: filling the hole covers the whole run, whose face
        // reaches into tiles the hole is not in.
        {"a long run behind a row with a hole", [&] {
             d.FillBox(CBox(5, 62, 3, 100, 62, 3), 105, {"test"});
             d.FillBox(CBox(5, 62, 4, 100, 62, 4), 104, {"test"});
             d.SetCell(70, 62, 4, 0);
         }},
        {"the hole filled", [&] { d.SetCell(70, 62, 4, 103); }},
    };
    for (const auto& step : steps) {
        step.change();
        const QImage kept = v.RenderImage(PICTURE);
        std::size_t freshFaces = 0;
        const QImage fresh = FreshPicture(d, v, freshFaces);
        QVERIFY2(!kept.isNull() && !fresh.isNull(), step.what);
        const int differing = DifferingPixels(kept, fresh);
        QVERIFY2(differing <= SEAM_PIXELS, qPrintable(QString("%1: %2 pixels differ").arg(step.what).arg(differing)));
        // Faces hidden behind others count too: one left out or kept wrongly changes no pixel.
        QVERIFY2(v.DrawnFaceCount() == freshFaces,
                 qPrintable(QString("%1: %2 faces drawn, %3 afresh").arg(step.what).arg(v.DrawnFaceCount()).arg(freshFaces)));
    }
}

QTEST_MAIN(PlaneCacheTest)
#include "planecache_test.moc"
