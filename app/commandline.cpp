// The editor's command line through QCommandLineParser; see commandline.h.
#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <cstring>

namespace {
constexpr double DEGREE = 3.14159265358979 / 180;
}

bool AsksForExport(int argc, char** argv)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        for (const char* option : {"--export-png", "--export-animation", "--export-gltf"}) {
            const std::size_t n = std::strlen(option);
            if (std::strncmp(argv[i], option, n) == 0 && (argv[i][n] == '\0' || argv[i][n] == '=')) return true;
        }
    }
    return false;
}

bool MayHoldQtOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (argv[i][0] == '-' && argv[i][1] != '-' && argv[i][1] != '\0') return true;
    }
    return false;
}

ECommandLineResult ParseCommandLine(const QStringList& arguments, SCommandLine& line, QString& message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "3D-Tessera: an editor and interpreter for programs drawn as coloured cells in a 3D grid.\n"
        "With --export-png, draws the space of FILE as the editor would show it and saves the picture\n"
        "without opening a window; with --export-animation, runs FILE's program and saves one frame per\n"
        "step (or every Nth) as an animated GIF; with --export-gltf, saves the space as a binary glTF\n"
        "mesh. FILE may be a space file (.ts3), a plane file or a MagicaVoxel file (.vox).\n"
        "Exit status: 0 done, 1 the picture could not be made or written, 2 bad arguments or an\n"
        "unreadable file.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportPng("export-png", "Save a picture of FILE's space as PNG to OUT and exit.", "OUT");
    const QCommandLineOption size("size", "Size of the picture in pixels (default 800x600).", "WxH");
    const QCommandLineOption steps("steps", "Run FILE's program for N steps first (default 0).", "N");
    const QCommandLineOption view("view",
                                  "Look from this direction in degrees (elevation above the floor, azimuth "
                                  "around the vertical from +z toward +x) and move back until the whole "
                                  "space is in view. Default: the view the editor opens with.",
                                  "ELEVATION,AZIMUTH");
    const QCommandLineOption noCursor("no-cursor", "Leave out the cursor and its guide lines.");
    const QCommandLineOption fitCells("fit-cells",
                                      "Look at the middle of the non-empty cells, as near as they all stay in "
                                      "view, rather than at the whole space.");
    const QCommandLineOption exportAnimation(
        "export-animation",
        "Run FILE's program and save it as an animated GIF to OUT and exit: a frame of the space before "
        "the first step, then one per step (or every Nth and the last), up to --steps steps (default 1000) "
        "or the run's end.",
        "OUT");
    const QCommandLineOption every("every", "With --export-animation: a frame every N steps (default 1).", "N");
    const QCommandLineOption delay("delay",
                                   "With --export-animation: show each frame for CS hundredths of a second "
                                   "(default 10; the last frame rests 2 seconds).",
                                   "CS");
    const QCommandLineOption exportGltf("export-gltf",
                                        "Save FILE's space (after --steps steps) as a binary glTF 2.0 mesh to "
                                        "OUT (.glb) and exit.",
                                        "OUT");
    parser.addOptions({exportPng, exportAnimation, exportGltf, size, steps, every, delay, view, noCursor, fitCells});
    parser.addPositionalArgument("FILE", "Space file (.ts3) or plane file to open.", "[FILE]");

    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return COMMAND_LINE_ERROR;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        return COMMAND_LINE_HELP;
    }
    if (parser.isSet(version)) {
        message = QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion() + "\n";
        return COMMAND_LINE_HELP;
    }
    // As typed after the program's name: all the words together are one file name.
    line.file = parser.positionalArguments().join(' ');
    line.exportPng = parser.value(exportPng);
    line.exportAnimation = parser.value(exportAnimation);
    line.exportGltf = parser.value(exportGltf);
    const int exports = !line.exportPng.isEmpty() + !line.exportAnimation.isEmpty() + !line.exportGltf.isEmpty();
    if (exports > 1) {
        message = "give one of --export-png, --export-animation and --export-gltf";
        return COMMAND_LINE_ERROR;
    }
    const bool picture = !line.exportPng.isEmpty() || !line.exportAnimation.isEmpty();
    for (const QCommandLineOption& o : {size, view, noCursor, fitCells})
        if (!picture && parser.isSet(o)) {
            message = QString("--%1 goes with --export-png or --export-animation").arg(o.names().first());
            return COMMAND_LINE_ERROR;
        }
    if (exports == 0 && parser.isSet(steps)) {
        message = "--steps goes with --export-png, --export-animation or --export-gltf";
        return COMMAND_LINE_ERROR;
    }
    for (const QCommandLineOption& o : {every, delay})
        if (line.exportAnimation.isEmpty() && parser.isSet(o)) {
            message = QString("--%1 goes with --export-animation").arg(o.names().first());
            return COMMAND_LINE_ERROR;
        }
    if (exports == 0) return COMMAND_LINE_OK;
    if (line.file.isEmpty()) {
        message = QString("--export-%1 needs a FILE").arg(!line.exportPng.isEmpty() ? "png" : !line.exportAnimation.isEmpty() ? "animation" : "gltf");
        return COMMAND_LINE_ERROR;
    }
    if (parser.isSet(delay)) {
        bool ok = false;
        line.delay = parser.value(delay).toInt(&ok);
        if (!ok || line.delay < 1 || line.delay > 6000) {
            message = "--delay must be a whole number of hundredths of a second, from 1 to 6000";
            return COMMAND_LINE_ERROR;
        }
    }
    if (parser.isSet(every)) {
        bool ok = false;
        line.every = parser.value(every).toInt(&ok);
        if (!ok || line.every < 1) {
            message = "--every must be a whole number of steps, 1 or more";
            return COMMAND_LINE_ERROR;
        }
    }
    if (parser.isSet(size)) {
        const auto match = QRegularExpression("^(\\d{1,5})[xX](\\d{1,5})$").match(parser.value(size));
        const int w = match.hasMatch() ? match.captured(1).toInt() : 0, h = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (w < 1 || h < 1 || w > 8192 || h > 8192) {
            message = "--size must be WIDTHxHEIGHT, each from 1 to 8192 pixels, e.g. 800x600";
            return COMMAND_LINE_ERROR;
        }
        line.size = QSize(w, h);
    }
    if (parser.isSet(steps)) {
        bool ok = false;
        line.steps = parser.value(steps).toInt(&ok);
        if (!ok || line.steps < 0) {
            message = "--steps must be a whole number of steps, 0 or more";
            return COMMAND_LINE_ERROR;
        }
        line.stepsGiven = true;
    }
    if (parser.isSet(view)) {
        const QStringList parts = parser.value(view).split(',');
        bool ok1 = false, ok2 = false;
        const double e = parts.size() == 2 ? parts[0].toDouble(&ok1) : 0, a = parts.size() == 2 ? parts[1].toDouble(&ok2) : 0;
        if (!ok1 || !ok2 || e < -90 || e > 90 || a < -360 || a > 360) {
            message = "--view must be ELEVATION,AZIMUTH in degrees, elevation from -90 to 90, e.g. 60,15";
            return COMMAND_LINE_ERROR;
        }
        line.view = true;
        line.elevation = float(e * DEGREE);
        line.azimuth = float(a * DEGREE);
    }
    line.noCursor = parser.isSet(noCursor);
    line.fitCells = parser.isSet(fitCells);
    return COMMAND_LINE_OK;
}
