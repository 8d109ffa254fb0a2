// The exchange formats in the editor: the animation's palette and GIF file, File > Export
// Animation (a copy runs, the document stays as it was, Cancel leaves no file), File > Export
// glTF, and File > Open of a MagicaVoxel file (inexact colours said, broken files refused).
#include <gif_lib.h>

#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "document/tesseradoc.h"
#include "guitestsupport.h"
#include "view/cellshading.h"
#include "view/gifanimation.h"
#include "view/gifpalette.h"
#include "view/tesseraview.h"

namespace {
// A GIF read back whole by giflib's decoder.
struct SGif {
    GifFileType* gif = nullptr;
    explicit SGif(const QString& path)
    {
        int error = 0;
        gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
        if (gif && DGifSlurp(gif) == GIF_ERROR) {
            DGifCloseFile(gif, &error);
            gif = nullptr;
        }
    }
    ~SGif()
    {
        if (gif) DGifCloseFile(gif, nullptr);
    }
    GifColorType Pixel(int frame, int x, int y) const
    {
        const SavedImage& image = gif->SavedImages[frame];
        const GifImageDesc& d = image.ImageDesc;
        return gif->SColorMap->Colors[image.RasterBits[(y - d.Top) * d.Width + (x - d.Left)]];
    }
};

void CancelProgressSoon()
{
    QTimer::singleShot(20, [] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!progress || progress->value() < 3) return CancelProgressSoon();
        progress->cancel();
    });
}
}  // namespace

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void paletteKeepsTheDrawnColours();
    void gifHoldsTheFramesAsGiven();
    void exportAnimationLeavesTheDocumentAlone();
    void exportGltfWritesAMesh();
    void openVoxSaysWhatWasInexact();
};

void ExchangeTest::paletteKeepsTheDrawnColours()
{
    const CGifPalette palette;
    QCOMPARE(int(palette.Colours().size()), 256);
    const float shades[6] = {SHADE_Y_TOWARD, SHADE_Z_TOWARD, SHADE_X_TOWARD, SHADE_X_AWAY, SHADE_Z_AWAY, SHADE_Y_AWAY};
    for (int value = CELL_WHITE; value <= CELL_YELLOW; value++)
        for (float shade : shades) {
            const SRgb base = CellBaseColour(value);
            const auto byte = [shade](float c) { return std::uint8_t(c * shade * 255.0f + 0.5f); };
            const CGifPalette::SColour c = palette.Colours()[palette.Index(byte(base.r), byte(base.g), byte(base.b))];
            QCOMPARE(QColor(c.r, c.g, c.b), QColor(byte(base.r), byte(base.g), byte(base.b)));
        }
    // Anything else takes a near entry.
    const CGifPalette::SColour near = palette.Colours()[palette.Index(200, 100, 30)];
    QVERIFY(std::abs(near.r - 200) + std::abs(near.g - 100) + std::abs(near.b - 30) < 80);
}

void ExchangeTest::gifHoldsTheFramesAsGiven()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.gif");
    QImage first(40, 30, QImage::Format_RGB32), second;
    first.fill(QColor(0, 0, 0));
    first.setPixel(5, 5, qRgb(255, 0, 0));
    second = first;
    second.setPixel(20, 10, qRgb(0, 179, 0));  // green under the z shading
    second.setPixel(22, 12, qRgb(179, 179, 0));
    {
        CGifAnimation gif;
        QVERIFY(gif.Open(path, 40, 30));
        QVERIFY(gif.AddFrame(first, 10));
        QVERIFY(gif.AddFrame(second, 10));
        QVERIFY(gif.AddFrame(second, 10));  // unchanged: one pixel for its time
        QVERIFY(!gif.AddFrame(QImage(10, 10, QImage::Format_RGB32), 10));
        QVERIFY(gif.Close(150));
        QCOMPARE(gif.Frames(), 3);
    }
    SGif read(path);
    QVERIFY(read.gif);
    QCOMPARE(read.gif->ImageCount, 3);
    QCOMPARE(read.gif->SWidth, 40);
    QCOMPARE(read.gif->SHeight, 30);
    const GifImageDesc& changed = read.gif->SavedImages[1].ImageDesc;
    QCOMPARE(QRect(changed.Left, changed.Top, changed.Width, changed.Height), QRect(20, 10, 3, 3));
    QCOMPARE(read.gif->SavedImages[2].ImageDesc.Width * read.gif->SavedImages[2].ImageDesc.Height, 1);
    const GifColorType red = read.Pixel(0, 5, 5), green = read.Pixel(1, 20, 10), yellow = read.Pixel(1, 22, 12);
    QCOMPARE(QColor(red.Red, red.Green, red.Blue), QColor(255, 0, 0));
    QCOMPARE(QColor(green.Red, green.Green, green.Blue), QColor(0, 179, 0));
    QCOMPARE(QColor(yellow.Red, yellow.Green, yellow.Blue), QColor(179, 179, 0));
    GraphicsControlBlock last;
    QCOMPARE(DGifSavedExtensionToGCB(read.gif, 2, &last), GIF_OK);
    QCOMPARE(last.DelayTime, 150);
}

void ExchangeTest::exportAnimationLeavesTheDocumentAlone()
{
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({}));
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    QVERIFY(frame->Action(ID_FILE_EXPORT_ANIMATION));
    QVERIFY(frame->OpenDocumentFile(QString(TESSERA_EXAMPLES) + "/long-run.ts3"));
    CTesseraDoc* doc = frame->GetDocument();
    doc->SetCell(0, 0, 0, 107);  // an unsaved edit
    doc->SetModifiedFlag(true);
    const CSpace before = doc->GetSpace();
    const int undoable = int(doc->GetHistory().Count());

    const QString path = dir.filePath("run.gif");
    QVERIFY(frame->ExportAnimation(path, QSize(120, 90), 2, 9));
    SGif read(path);
    QVERIFY(read.gif);
    QCOMPARE(read.gif->ImageCount, 6);  // before the first step, steps 2, 4, 6, 8 and the last, 9
    QCOMPARE(read.gif->SWidth, 120);
    // The first frame is what the view shows (the cursor hidden, as during a run), through the
    // palette; another context may round a line's pixels otherwise, hence a few are allowed.
    CTesseraView* view = frame->GetView();
    view->OnViewCursor();
    const QImage shown = view->RenderImage(QSize(120, 90));
    view->OnViewCursor();
    const CGifPalette palette;
    int differ = 0;
    for (int y = 0; y < 90; y++)
        for (int x = 0; x < 120; x++) {
            const QRgb p = shown.pixel(x, y);
            differ += palette.Index(qRed(p), qGreen(p), qBlue(p)) != read.gif->SavedImages[0].RasterBits[y * 120 + x];
        }
    QVERIFY2(differ < 120 * 90 / 200, qPrintable(QString("%1 pixels differ").arg(differ)));
    QVERIFY(doc->GetSpace().isEqual(before));
    QVERIFY(doc->IsModified());
    QCOMPARE(int(doc->GetHistory().Count()), undoable);
    QVERIFY(!doc->IsBusy());

    // Cancel in the middle: no file.
    const QString cancelled = dir.filePath("cancelled.gif");
    CancelProgressSoon();
    QVERIFY(!frame->ExportAnimation(cancelled, QSize(120, 90), 1, 110));
    QVERIFY(!QFile::exists(cancelled));
    QVERIFY(doc->GetSpace().isEqual(before));
}

void ExchangeTest::exportGltfWritesAMesh()
{
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({}));
    frame->GetDocument()->SetCell(1, 1, 1, 103);
    QVERIFY(frame->Action(ID_FILE_EXPORT_GLTF));
    QVERIFY(frame->ExportGltf(dir.filePath("a.glb")));
    QFile file(dir.filePath("a.glb"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(4), QByteArray("glTF"));
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    QVERIFY(!frame->ExportGltf(dir.filePath("no/such/folder/a.glb")));
    QCOMPARE(answers.texts.size(), 1);
}

void ExchangeTest::openVoxSaysWhatWasInexact()
{
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({}));
    // Save a space as .vox and open it again: the same cells, nothing to say.
    frame->GetDocument()->SetCell(2, 0, 3, 104);
    QVERIFY(frame->DoSave(dir.filePath("a.vox")));
    QCOMPARE(frame->GetTitle(), QString("a.vox"));
    const CSpace saved = frame->GetDocument()->GetSpace();
    {
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(frame->OpenDocumentFile(dir.filePath("a.vox")));
        QVERIFY(answers.texts.isEmpty());
        QVERIFY(frame->GetDocument()->GetSpace().isEqual(saved));
    }
    // A palette entry that is no cell colour: said, with the count.
    QFile file(dir.filePath("a.vox"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const int palette = bytes.lastIndexOf("RGBA") + 12;
    bytes[palette + 4 * 4 + 1] = char(200);  // index 5 (green, entry 4 of the chunk): 0, 200, 0
    file.seek(0);
    file.write(bytes);
    file.close();
    {
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(frame->OpenDocumentFile(dir.filePath("a.vox")));
        QCOMPARE(answers.texts.size(), 1);
        QVERIFY2(answers.texts.first().contains("1 of its 1 voxels"), qPrintable(answers.texts.first()));
        QVERIFY(frame->GetDocument()->GetSpace().isEqual(saved));
    }
    // A broken file: refused with the reason, the space as it was.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.left(40));
    file.close();
    {
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(!frame->OpenDocumentFile(dir.filePath("a.vox")));
        QCOMPARE(answers.texts.size(), 1);
        QVERIFY2(answers.texts.first().contains("truncated"), qPrintable(answers.texts.first()));
        QVERIFY(frame->GetDocument()->GetSpace().isEqual(saved));
    }
}

QTEST_MAIN(ExchangeTest)
#include "exchange_test.moc"
