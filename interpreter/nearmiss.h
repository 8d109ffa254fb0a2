// Near misses: drawings the block reader does not recognise but would, were one cell changed. Each
// is told as the block it would be, the cell to change and what that cell should hold. This only
// explains; what is recognised and run does not depend on it.
#pragma once

#include <string>
#include <vector>

#include "interpreter/blockcatalogue.h"
#include "space/box.h"
#include "space/cell.h"
#include "space/space.h"

struct CNearMiss {
    CBlockKind kind = CBlockKind::WorkArea;  // what the drawing would be read as
    CBox box;                                // that block's drawing, in the space's coordinates
    CCell cell;      // the cell to change, in the space's coordinates, with the value it holds
    int wanted = 0;  // the outline colour it lacks, or 0 where an outline cell is one too many
    std::string reason;  // e.g. "Rule group at (4,0,2): the top right corner (9,0,2) of the right box
                         // should be blue; it is empty"
};

// Looks at the outline cells (blue in a flat space, green in a solid one) that no recognised block
// holds, in the space and inside the frames of sub-program windows, and finds for each heap of
// them the one cell whose change makes the reader see a block there. Ordered by the scan order of
// the heaps' first cells; heaps too large to explain quickly are passed over.
std::vector<CNearMiss> findNearMisses(const CSpace& space);

// How many cells the cell (x, y, z) lies from a near miss: 0 on its drawing or on its cell to
// change, else the most cells along any one axis to the nearer of the two.
int nearMissDistance(const CNearMiss& miss, int x, int y, int z);
// The near miss nearest the cell (the first of equals), or null when there is none or the
// nearest lies farther than `within`.
const CNearMiss* nearestNearMiss(const std::vector<CNearMiss>& misses, int x, int y, int z, int within);

// One line: "near-miss KIND (x0,y0,z0)-(x1,y1,z1) cell (x,y,z): REASON".
std::string describeNearMiss(const CNearMiss& miss);
