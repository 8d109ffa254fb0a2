// tessera --export-png: loads a space file, runs it for a number of steps if asked, and saves
// the view of it as a PNG picture, without a window.
#pragma once

#include <QString>

class CTesseraDoc;
class CTesseraView;
struct SCommandLine;

// Exit status: 0 written, 1 the picture could not be made or written, 2 an unreadable file.
// Messages go to stderr.
int ExportPng(const SCommandLine& line);

// Shared by the command line's exports (pngexport.cpp).
// Loads FILE into the document: 0, or the exit status after saying why on stderr.
int LoadForExport(CTesseraDoc& doc, const QString& file);
// Runs the document's program until `steps` steps have been shown or the run ends.
void RunStepsForExport(CTesseraDoc& doc, int steps);
// Sets up a view as the editor opens it, then as the picture options ask (--view, --no-cursor,
// --fit-cells), and leaves out Qt's warning about GL widgets without a window system.
void SetUpExportView(CTesseraView& view, const SCommandLine& line);
