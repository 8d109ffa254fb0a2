// tessera --export-png: loads a space file, runs it for a number of steps if asked, and saves
// the view of it as a PNG picture, without a window.
#pragma once

struct SCommandLine;

// Exit status: 0 written, 1 the picture could not be made or written, 2 an unreadable file.
// Messages go to stderr.
int ExportPng(const SCommandLine& line);
