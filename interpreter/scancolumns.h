// CScanColumns: which columns (x, z) of a scan copy may hold a cell where a block starts. The
// reader's first test at a cell needs an outline cell at it or beside it (blue at the cell or two
// cells back in x and z in a flat space; green at the cell or one down and one back in a solid
// one), and the recognisers only ever blank cells of the copy, so a column found without such a
// cell stays without one. The scan then passes over such a column at once instead of asking the
// reader at each of its cells. Each layer is looked at when the scan reaches it, polling as it
// goes, so that a stop request is not kept waiting by a pass over the whole copy.
#pragma once

#include <cstdint>
#include <vector>

#include "interpreter/searchpoll.h"
#include "space/space.h"

class CScanColumns {
public:
    // Keeps the copy; looks at none of it yet.
    explicit CScanColumns(const CSpace& scan);

    // Looks at layer z and every earlier one not looked at yet; called as the scan reaches z.
    void enterLayer(int z, CSearchPoll& poll);
    // Whether column (x, z) may hold a block's first cell, at any height; z must have been entered.
    bool mayHold(int x, int z) const
    {
        return flat ? outlined(x, z) || outlined(x - 2, z - 2) : outlined(x, z) || outlined(x, z - 1);
    }

private:
    // Whether column (x, z) of the copy holds the outline colour; false outside the copy.
    bool outlined(int x, int z) const
    {
        return x >= 0 && z >= 0 && x < sizeX && z < sizeZ &&
               columns[std::size_t(z) * std::size_t(sizeX) + std::size_t(x)];
    }

    const CSpace& scan;
    bool flat;
    int sizeX, sizeZ;
    int entered = 0;                    // layers looked at so far
    std::vector<std::uint8_t> columns;  // x fastest
};
