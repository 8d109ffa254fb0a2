// The command line's animation and glTF exports; see exchangeexport.h.
#include "app/exchangeexport.h"

#include <QDir>
#include <cstdio>

#include "app/animationrecorder.h"
#include "app/commandline.h"
#include "app/pngexport.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "formats/gltfwriter.h"
#include "view/tesseraview.h"

namespace {
constexpr int EXIT_WRITTEN = 0;
constexpr int EXIT_FAILED = 1;
constexpr int DEFAULT_ANIMATION_STEPS = 1000;

int Fail(const QString& message)
{
    std::fprintf(stderr, "tessera: %s\n", qPrintable(message));
    return EXIT_FAILED;
}
}  // namespace

int ExportAnimation(const SCommandLine& line)
{
    CTesseraDoc doc;
    if (const int status = LoadForExport(doc, line.file)) return status;
    CTesseraView view(&doc);
    SetUpExportView(view, line);
    SAnimationSettings settings;
    settings.size = line.size;
    settings.every = line.every;
    settings.delay = line.delay;
    settings.steps = line.stepsGiven ? line.steps : DEFAULT_ANIMATION_STEPS;
    CAnimationRecorder recorder;
    if (recorder.Record(doc, view, line.exportAnimation, settings) != CAnimationRecorder::WRITTEN)
        return Fail(QString("cannot write %1: %2").arg(QDir::toNativeSeparators(line.exportAnimation), recorder.Error()));
    std::printf("%s: %d frames of %d steps\n", qPrintable(QDir::toNativeSeparators(line.exportAnimation)),
                recorder.Frames(), recorder.Steps());
    return EXIT_WRITTEN;
}

int ExportGltf(const SCommandLine& line)
{
    CTesseraDoc doc;
    if (const int status = LoadForExport(doc, line.file)) return status;
    if (line.steps > 0) RunStepsForExport(doc, line.steps);
    CFileWriteStream out(line.exportGltf.toStdString());
    std::string error;
    if (!out.isOpen() || !writeGltf(out, doc.GetSpace(), &error) || !out.commit())
        return Fail(QString("cannot write %1: %2")
                        .arg(QDir::toNativeSeparators(line.exportGltf),
                             QString::fromStdString(out.error().empty() ? error : out.error())));
    return EXIT_WRITTEN;
}
