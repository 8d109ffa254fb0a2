// The words of a near miss: the sentence that says which cell of which part of a block should
// hold what.
#pragma once

#include <string>
#include <vector>

#include "interpreter/blockcatalogue.h"
#include "interpreter/blockparts.h"
#include "space/box.h"
#include "space/cell.h"

// "Rule group", "Work area", ... as the start of a sentence.
const char* nearMissKindTitle(CBlockKind kind);

// The sentence for changing `cell` (holding cell.value) to `wanted`: the outline colour it lacks,
// or 0 where an outline cell is one too many. `parts` are tried in order; the first whose box holds
// the cell, else the first that the cell touches from outside, names it.
std::string nearMissReason(CBlockKind kind, const CBox& box, const std::vector<CBlockPart>& parts, bool flat,
                           const CCell& cell, int wanted, int outline);

// "blue", "empty", "any", ... for a cell value.
std::string cellValueName(int value);
