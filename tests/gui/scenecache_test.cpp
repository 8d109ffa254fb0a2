// The faces a view keeps between frames: after every kind of change (cells in one layer, a box
// across layers, a cell whose removal bares faces in the next layer, eye moves, the eye inside a
// cell, a resize, a loaded file, undo, a run's steps, cell edges, runs across blocks of cells)
// the view that kept its faces draws exactly what a new view drawing everything afresh draws.
#include <QtTest>

#include <functional>

#include "guitestsupport.h"

namespace {
const QSize PICTURE(240, 180);

// A view of the document drawing from nothing, placed as `like`.
QImage FreshPicture(CTesseraDoc& doc, const CTesseraView& like)
{
    CTesseraView fresh(&doc);
    fresh.resize(like.size());
    fresh.show();
    if (!QTest::qWaitForWindowExposed(&fresh)) return {};
    fresh.GetEditor().PlaceCursor(like.GetEditor().GetCursorX(), like.GetEditor().GetCursorY(), like.GetEditor().GetCursorZ());
    fresh.PlaceEye(like.GetViewpoint().elevation, like.GetViewpoint().azimuth, like.GetViewpoint().distance);
    fresh.SetCellEdges(like.IsCellEdges());
    if (!like.IsCursorShown()) fresh.OnViewCursor();
    return fresh.RenderImage(PICTURE);
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

class SceneCacheTest : public QObject {
    Q_OBJECT

private slots:
    void keptFacesDrawAsAFreshView();
};

void SceneCacheTest::keptFacesDrawAsAFreshView()
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
    };
    for (const auto& step : steps) {
        step.change();
        const QImage kept = v.RenderImage(PICTURE);
        const QImage fresh = FreshPicture(d, v);
        QVERIFY2(!kept.isNull() && !fresh.isNull(), step.what);
        const int differing = DifferingPixels(kept, fresh);
        QVERIFY2(differing == 0, qPrintable(QString("%1: %2 pixels differ").arg(step.what).arg(differing)));
    }
}

QTEST_MAIN(SceneCacheTest)
#include "scenecache_test.moc"
