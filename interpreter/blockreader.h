// CBlockReader: tries the four recognisers in their fixed order at one cell of a scan copy, as
// both the Separate scan and the frame scan of sub-program windows do.
#pragma once

#include "interpreter/patternspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/unitprogram.h"
#include "interpreter/window.h"
#include "space/space.h"
#include "space/spacelist.h"

class CBlockReader {
public:
    // Pushes a sequence, rule group or window found at (x, y, z) onto the program's lists.
    // Returns 1 when a work area was read there; its interior is then moved into `area`.
    int readCell(CPatternSpace& scan, int x, int y, int z, CUnitProgram& program, CSpace& area);

private:
    // Recogniser outputs, reused from cell to cell; only a success is kept.
    CSpaceList sequence;
    CSpacePairList group;
    CSpace interior;
    CWindow window;
};
