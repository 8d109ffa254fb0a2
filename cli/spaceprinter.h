// The text picture of a space that `tessera-run --print` writes.
#pragma once

#include <string>

#include "space/space.h"

// One character per cell: '.' empty, W K B R G P Q Y for the colours 100..107, '?' for 1,
// '#' for 2, '*' for anything else. A flat space is one picture of its x-z plane, a row per z;
// a solid space is one z layer after another, rows from the highest y down, layers separated by
// a blank line.
std::string printSpace(const CSpace& space);

// Number of cells whose value differs between two spaces; cells beyond a space's grid read 0.
long countChangedCells(const CSpace& before, const CSpace& after);
