// Writing a space as a space file (".ts3").
#pragma once

#include "formats/bytestream.h"
#include "space/space.h"

// Writes the header and one line per non-empty cell (z outermost, then y, x innermost).
// Returns false when the stream refused a write; nothing is written after that.
bool writeSpaceFile(CByteStream& out, const CSpace& space);
