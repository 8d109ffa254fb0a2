// CPlannedGrowth: a growth of the document that send delivery has planned but not yet made, and
// how the grown grid will read. Each new instance frame may grow the document; copying the whole
// grid once per frame made a step of many sends quadratic, so the growth is made once, before the
// step's writes land, and until then the sizes read and the cells tested are those of the plan.
#pragma once

#include <cstdint>

#include "space/cellcodes.h"

struct CPlannedGrowth {
    bool active = false;
    int x = 0, y = 0, z = 0;  // the size planned
    int resizes = 0;          // resizes planned

    bool grows() const { return active && resizes > 0; }
    // A cell as the grown grid will hold it, given `now`, what the present grid reads there (the
    // outside value beyond it): empty where the growth adds cells, and empty for a cell that holds
    // the outside value, as a resize leaves it.
    int read(int now, std::int64_t i, std::int64_t j, std::int64_t k) const
    {
        if (now != CELL_OUTSIDE) return now;
        return i >= 0 && j >= 0 && k >= 0 && i < x && j < y && k < z ? CELL_EMPTY : CELL_OUTSIDE;
    }
};
