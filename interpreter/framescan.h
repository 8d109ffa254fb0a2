// Reads the blocks drawn inside one window frame, as the Separate scan reads the whole space.
#pragma once

#include "interpreter/unitprogram.h"
#include "space/cell.h"
#include "space/space.h"

// Tries the four recognisers at every cell of `contents` (z outermost, then x, then y from the
// top) and pushes sequences, rule groups and windows onto the program's lists. Returns 1 when a
// work area was found; `area` and `areaCell` then hold the last one's interior and scan cell.
// `origin` is where the frame's contents lie in the document (for the drawing boxes of groups).
int scanFrame(const CSpace& contents, CUnitProgram& program, CSpace& area, CCell& areaCell,
              const CCell& origin = CCell());
