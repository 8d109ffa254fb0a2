// The words of a near miss: the named parts of a block as drawn, and the sentence that says which
// cell of which part should hold what.
#pragma once

#include <string>
#include <vector>

#include "interpreter/blockcatalogue.h"
#include "space/box.h"
#include "space/cell.h"

// One named part of a drawn block: a box with an outline (a rule's left box, a work area's floor),
// or a single cell (a corner dot, a connector, a handle).
struct CBlockPart {
    std::string name;
    CBox box;
};

// "Rule group", "Work area", ... as the start of a sentence.
const char* nearMissKindTitle(CBlockKind kind);

// The sentence for changing `cell` (holding cell.value) to `wanted`: the outline colour it lacks,
// or 0 where an outline cell is one too many. `parts` are tried in order; the first whose box holds
// the cell, else the first that the cell touches from outside, names it.
std::string nearMissReason(CBlockKind kind, const CBox& box, const std::vector<CBlockPart>& parts, bool flat,
                           const CCell& cell, int wanted, int outline);

// "blue", "empty", "any", ... for a cell value.
std::string cellValueName(int value);
