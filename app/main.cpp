// The 3D-Tessera editor; with --export-png, a picture maker that opens no window.
#include <cstdio>

#include "app/commandline.h"
#include "app/pngexport.h"
#include "app/tesseraapp.h"

int main(int argc, char** argv)
{
    // A picture needs no display: the offscreen platform draws widgets without one.
    if (AsksForExport(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    CTesseraApp::SetDefaultSurfaceFormat();
    CTesseraApp app(argc, argv);
    SCommandLine line;
    QString message;
    switch (ParseCommandLine(app.arguments(), line, message)) {
    case COMMAND_LINE_HELP: std::fputs(qPrintable(message), stdout); return 0;
    case COMMAND_LINE_ERROR: std::fprintf(stderr, "tessera: %s (see --help)\n", qPrintable(message)); return 2;
    case COMMAND_LINE_OK: break;
    }
    if (!line.exportPng.isEmpty()) return ExportPng(line);
    app.InitInstance(line.file.isEmpty() ? QStringList() : QStringList{line.file});
    return app.exec();
}
