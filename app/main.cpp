// The 3D-Tessera editor; with --export-png, --export-animation or --export-gltf, an exporter
// that opens no window.
#include <QCoreApplication>
#include <cstdio>

#include "app/commandline.h"
#include "app/exchangeexport.h"
#include "app/pngexport.h"
#include "app/resources.h"
#include "app/tesseraapp.h"

namespace {
enum { KEEP_GOING = -1 };

// Prints what the command line asks to print (help, version, a mistake) and gives the exit
// status, or KEEP_GOING when the line is sound. A mistake is left to the caller when
// `errorsToo` is false.
int Answer(ECommandLineResult result, const QString& message, bool errorsToo)
{
    switch (result) {
    case COMMAND_LINE_HELP: std::fputs(qPrintable(message), stdout); return 0;
    case COMMAND_LINE_ERROR:
        if (!errorsToo) return KEEP_GOING;
        std::fprintf(stderr, "tessera: %s (see --help)\n", qPrintable(message));
        return 2;
    case COMMAND_LINE_OK: break;
    }
    return KEEP_GOING;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(RES_APP_TITLE);
    QCoreApplication::setApplicationVersion(TESSERA_VERSION);
    SCommandLine line;
    QString message;
    // What only prints needs no display: the line is read first under a plain core application.
    // Qt's own window-system options (-platform, -display, ...) are known only to the GUI
    // application, which takes them out; a line with such words is judged after it.
    {
        const QCoreApplication core(argc, argv);
        const int status = Answer(ParseCommandLine(QCoreApplication::arguments(), line, message), message,
                                  !MayHoldQtOptions(argc, argv));
        if (status != KEEP_GOING) return status;
    }
    // A picture needs no display: the offscreen platform draws widgets without one.
    if (AsksForExport(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    CTesseraApp::SetDefaultSurfaceFormat();
    CTesseraApp app(argc, argv);
    line = SCommandLine();
    const int status = Answer(ParseCommandLine(app.arguments(), line, message), message, true);
    if (status != KEEP_GOING) return status;
    if (!line.exportPng.isEmpty()) return ExportPng(line);
    if (!line.exportAnimation.isEmpty()) return ExportAnimation(line);
    if (!line.exportGltf.isEmpty()) return ExportGltf(line);
    app.InitInstance(line.file.isEmpty() ? QStringList() : QStringList{line.file});
    return app.exec();
}
