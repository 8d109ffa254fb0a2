// Giving a space exact sizes: which sizes are possible, and how many painted cells a resize
// would drop. Every cell keeps its coordinates; cells beyond a new size are dropped.
#pragma once

#include <cstdint>

#include "space/space.h"

// True when a space of these sizes can exist: each size at least 1 and at most
// CSpace::MAX_CELLS cells in all (the product is computed without overflow).
bool isPossibleSpaceSize(int sizeX, int sizeY, int sizeZ);

// The non-empty cells of the space that lie outside a space of the given sizes.
std::int64_t countCellsDropped(const CSpace& space, int sizeX, int sizeY, int sizeZ);
