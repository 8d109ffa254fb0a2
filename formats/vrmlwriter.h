// Exporting a space as a VRML 1.0 scene of coloured unit cubes.
#pragma once

#include "formats/bytestream.h"
#include "space/space.h"

// Writes a light and one cube per non-empty cell (z outermost, then y, x innermost).
// Returns false when the stream refused a write; nothing is written after that.
bool writeVrml(CByteStream& out, const CSpace& space);
