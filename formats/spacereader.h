// Reading a space file (".ts3") or an older plane file into a space.
#pragma once

#include "formats/bytestream.h"
#include "space/space.h"

// Reads the whole file. Returns true and replaces `out` with the space read; returns false and
// leaves `out` untouched when the header is not recognised or breaks off.
//
// Beyond the format itself: a line keeps only its first 199 bytes (the rest, up to the line
// feed, is read and dropped); a cell line with too few commas is skipped; a number outside the
// int range is clamped to INT_MIN or INT_MAX; sizes whose product exceeds CSpace::MAX_CELLS
// give the empty space, whose cell lines are all ignored.
bool readSpaceFile(CByteStream& in, CSpace& out);
