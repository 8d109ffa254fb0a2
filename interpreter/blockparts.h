// CBlockPartsReader: the four recognisers in their order at one scan cell, as the Separate scan
// tries them, reporting what was read with the named parts of its drawing. The near misses use it
// to say where on a block a cell lies.
#pragma once

#include <string>
#include <vector>

#include "interpreter/blockcatalogue.h"
#include "interpreter/patternspace.h"
#include "interpreter/placedspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/box.h"
#include "space/spacelist.h"

// One named part of a drawn block: a box with an outline (a rule's left box, a work area's floor),
// or a single cell (a corner dot, a connector, a handle).
struct CBlockPart {
    std::string name;
    CBox box;
};

// What one recogniser call read.
struct CBlockRead {
    CBlockKind kind = CBlockKind::WorkArea;
    CBox box;                          // the cells it consumed
    int outlineInside = 0;             // outline-coloured cells among the contents read out
    std::vector<CBlockPart> parts;     // in the order of the drawing: first rule, first frame
    std::vector<CPlacedSpace> frames;  // windows: the frames in chain order
};

class CBlockPartsReader {
public:
    // True when a block was read (and consumed) at (x, y, z); `read` then describes it.
    bool readAt(CPatternSpace& space, int x, int y, int z, CBlockRead& read);

private:
    // Recogniser outputs, reused from cell to cell.
    CSpaceList sequence;
    CSpacePairList group;
    CSpace interior;
    CWindow window;
};
