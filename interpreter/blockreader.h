// CBlockReader: tries the four recognisers in their fixed order at one cell of a scan copy, as
// both the Separate scan and the frame scan of sub-program windows do.
#pragma once

#include "interpreter/patternspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/unitprogram.h"
#include "interpreter/window.h"
#include "space/cellcodes.h"
#include "space/space.h"
#include "space/spacelist.h"

class CBlockReader {
public:
    // Pushes a sequence, rule group or window found at (x, y, z) onto the program's lists.
    // Returns 1 when a work area was read there; its interior is then moved into `area`.
    int readCell(CPatternSpace& scan, int x, int y, int z, CUnitProgram& program, CSpace& area)
    {
        // Every recogniser's first test needs the outline colour at the scan cell (sequences,
        // rule groups, windows) or at a work area's corner (the dot two cells up and left in a
        // flat space, the floor cell under and in front of a solid one). Most cells have
        // neither, and are passed over here, inline, without calling the four recognisers.
        if (scan.isFlat()) {
            if (scan.get(x, 0, z) != CELL_BLUE && scan.get(x - 2, 0, z - 2) != CELL_BLUE) return 0;
        } else if (scan.get(x, y, z) != CELL_GREEN && scan.get(x, y - 1, z - 1) != CELL_GREEN) {
            return 0;
        }
        return readBlocks(scan, x, y, z, program, area);
    }

    // Where the scan copy's corner lies in the document; a rule group's drawing box is kept in
    // document coordinates.
    int originX = 0, originY = 0, originZ = 0;

private:
    // The four recognisers in order, at a cell that passed the first test.
    int readBlocks(CPatternSpace& scan, int x, int y, int z, CUnitProgram& program, CSpace& area);

    // Recogniser outputs, reused from cell to cell; only a success is kept.
    CSpaceList sequence;
    CSpacePairList group;
    CSpace interior;
    CWindow window;
};
