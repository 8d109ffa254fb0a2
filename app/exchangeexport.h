// tessera --export-animation and --export-gltf: a run as an animated GIF, a space as a glTF
// mesh, made without a window like --export-png.
#pragma once

struct SCommandLine;

// Exit status: 0 written, 1 the file could not be made or written, 2 an unreadable file.
// Messages go to stderr.
int ExportAnimation(const SCommandLine& line);
int ExportGltf(const SCommandLine& line);
