// The picture export of the command line; see pngexport.h.
#include "app/pngexport.h"

#include <QDir>
#include <QImageWriter>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/commandline.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "formats/spacefile.h"
#include "run/queuedrunwindow.h"
#include "view/camera.h"
#include "view/tesseraview.h"

namespace {
constexpr int EXIT_WRITTEN = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_BAD_INPUT = 2;

// Without a window system the view's own GL widget cannot work, and Qt says so; the picture is
// drawn offscreen instead, so that warning is left out.
QtMessageHandler g_previousHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith("QOpenGLWidget is not supported")) return;
    if (g_previousHandler) g_previousHandler(type, context, text);
    else std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

int Fail(int status, const QString& message)
{
    std::fprintf(stderr, "tessera: %s\n", qPrintable(message));
    return status;
}

}  // namespace

void RunStepsForExport(CTesseraDoc& doc, int steps)
{
    CQueuedRunWindow window;  // takes the worker's messages on this thread, as the view's queue would
    doc.SetRunWindow(&window);
    doc.StartRun();
    for (int shown = 0; shown < steps;) {
        // Finished, or silent for long (every unit asleep, waiting for results that cannot come).
        if (window.next(std::chrono::seconds(30)) != RunMessage::Show) break;
        if (++shown < steps) doc.SignalContinue();
    }
    doc.StopRun();
    doc.SetRunWindow(nullptr);
}

int LoadForExport(CTesseraDoc& doc, const QString& file)
{
    if (!g_previousHandler) g_previousHandler = qInstallMessageHandler(QuietHandler);
    CFileReadStream in(file.toStdString());
    if (!in.isOpen()) return Fail(EXIT_BAD_INPUT, QString("cannot open %1: %2").arg(file, QString::fromStdString(in.error())));
    SReadNotes notes;
    const bool loaded = doc.Load(in, &notes);
    if (in.failed()) return Fail(EXIT_BAD_INPUT, QString("cannot read %1: %2").arg(file, QString::fromStdString(in.error())));
    if (!loaded && notes.vox)
        return Fail(EXIT_BAD_INPUT, QString("cannot read %1: %2").arg(file, QString::fromStdString(notes.error)));
    if (!loaded) return Fail(EXIT_BAD_INPUT, QString("%1 is not a 3D-Tessera space or plane file").arg(file));
    return 0;
}

int ExportPng(const SCommandLine& line)
{
    CTesseraDoc doc;
    if (const int status = LoadForExport(doc, line.file)) return status;
    if (line.steps > 0) {
        RunStepsForExport(doc, line.steps);
    }
    CTesseraView view(&doc);
    SetUpExportView(view, line);
    QString error;
    const QImage image = view.RenderImage(line.size, &error);
    if (image.isNull()) return Fail(EXIT_FAILED, "cannot draw the picture: " + error);
    QImageWriter writer(line.exportPng, "png");
    if (!writer.write(image))
        return Fail(EXIT_FAILED, QString("cannot write %1: %2").arg(QDir::toNativeSeparators(line.exportPng), writer.errorString()));
    return EXIT_WRITTEN;
}

void SetUpExportView(CTesseraView& view, const SCommandLine& line)
{
    // The view as the editor opens it, at the picture's size.
    if (!g_previousHandler) g_previousHandler = qInstallMessageHandler(QuietHandler);
    view.resize(line.size);
    view.OnInitialUpdate();
    if (line.noCursor) view.OnViewCursor();
    if (line.view) {
        const float elevation = std::clamp(line.elevation, -viewpoint::ELEVATION_LIMIT, viewpoint::ELEVATION_LIMIT);
        view.PlaceEye(elevation, line.azimuth, view.GetViewpoint().distance);
    }
    if (line.fitCells) {
        view.FitCells();
    } else if (line.view) {
        view.FitSpace();
    } else if (view.FitSpaceDistance() > view.GetViewpoint().distance) {
        view.FitSpace();  // as on opening a space too large for the first view
    }
}
