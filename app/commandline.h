// The editor's command line: a space file to open, or a picture to make of one without a window.
//   tessera [FILE]
//   tessera --export-png OUT.png [--size WxH] [--steps N] [--view ELEVATION,AZIMUTH] [--no-cursor]
//           [--fit-cells] FILE
//   tessera --export-animation OUT.gif [--every N] [--delay CS] [--steps N] and the picture
//           options, FILE
//   tessera --export-gltf OUT.glb [--steps N] FILE
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

struct SCommandLine {
    QString file;       // the words after the options, joined by blanks: one file name
    QString exportPng;  // empty: open the editor
    QString exportAnimation;  // an animated GIF of the run instead
    QString exportGltf;       // a glTF mesh instead
    int every = 1;            // with --export-animation: a frame every N steps
    int delay = 10;           // and each shown for this many hundredths of a second
    bool stepsGiven = false;
    QSize size{800, 600};
    int steps = 0;
    bool view = false;  // a viewing direction was given
    float elevation = 0, azimuth = 0;  // radians
    bool noCursor = false;
    bool fitCells = false;  // frame the non-empty cells rather than the whole space
};

enum ECommandLineResult { COMMAND_LINE_OK, COMMAND_LINE_ERROR, COMMAND_LINE_HELP };

// Parses the arguments (the program's name first). On an error, `message` says what is wrong;
// with --help or --version, it holds the text to print.
ECommandLineResult ParseCommandLine(const QStringList& arguments, SCommandLine& line, QString& message);

// Whether the raw arguments ask for an export (picture, animation, mesh): decided before the application object exists,
// so that no display is needed.
bool AsksForExport(int argc, char** argv);

// Whether the raw arguments may hold one of Qt's own single-dash options (-platform, -display,
// -style, ...), which the GUI application takes out before the line is parsed.
bool MayHoldQtOptions(int argc, char** argv);
