// The cells in which two spaces of the same sizes differ: what a shown step wrote.
#pragma once

#include <cstddef>
#include <vector>

#include "space/cell.h"
#include "space/space.h"

// Every cell of `after` that differs from `before`, z outermost and x innermost, with its new
// value; none when the sizes differ (the space was resized, not written). At most `limit` cells.
std::vector<CCell> changedCells(const CSpace& before, const CSpace& after, std::size_t limit = 1 << 20);
