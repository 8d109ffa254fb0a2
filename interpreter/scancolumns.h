// CScanColumns: which columns (x, z) of a scan copy may hold a cell where a block starts, and at
// which heights. The reader's first test at a cell needs an outline cell at it or beside it (blue
// at the cell or two cells back in x and z in a flat space; green at the cell or one down and one
// back in a solid one), and the recognisers only ever blank cells of the copy, so a cell found
// without such a cell stays without one. The scan then passes over such a column at once, and in
// a solid space no higher than 64 cells it tries only the heights where the first test can pass,
// instead of asking the reader at each cell. Each layer is looked at when the scan reaches it,
// polling as it goes, so that a stop request is not kept waiting by a pass over the whole copy.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "interpreter/searchpoll.h"
#include "space/space.h"

class CScanColumns {
public:
    // Every height of a column: what rows() gives where heights are not told apart.
    static constexpr std::uint64_t ALL_ROWS = ~std::uint64_t(0);

    // Keeps the copy; looks at none of it yet.
    explicit CScanColumns(const CSpace& scan);

    // Looks at layer z and every earlier one not looked at yet; called as the scan reaches z.
    void enterLayer(int z, CSearchPoll& poll);
    // Whether column (x, z) may hold a block's first cell, at any height; z must have been entered.
    bool mayHold(int x, int z) const { return rows(x, z) != 0; }
    // The heights y of column (x, z) where a block's first cell may lie, as bit y; ALL_ROWS for
    // any height of a column that may hold one where heights are not told apart (flat spaces and
    // spaces higher than 64 cells); 0 for none. z must have been entered.
    std::uint64_t rows(int x, int z) const
    {
        if (!heights.empty()) return (at(heights, x, z) | at(heights, x, z - 1) << 1) & lowRows;
        const bool near = flat ? at(flags, x, z) || at(flags, x - 2, z - 2) : at(flags, x, z) || at(flags, x, z - 1);
        return near ? ALL_ROWS : 0;
    }
    // rows(x, z) of every column of layer z, for x from 0 to the copy's sizeX + 1 (a flat space's
    // first test looks two cells back); z must have been entered. Valid until the next call.
    const std::vector<std::uint64_t>& layerRows(int z);

    // Calls f(y) for every height of `rows` (as rows() gives them) below sizeY, from the top down.
    template <class F>
    static void forEachRowDown(std::uint64_t rows, int sizeY, F f)
    {
        if (rows == ALL_ROWS) {
            for (int y = sizeY - 1; y >= 0; y--) f(y);
            return;
        }
        while (rows) {
            const int y = int(std::bit_width(rows)) - 1;
            rows ^= std::uint64_t(1) << y;
            if (y < sizeY) f(y);
        }
    }

private:
    // Column (x, z) of a table, x fastest; 0 outside the copy.
    template <class T>
    T at(const std::vector<T>& table, int x, int z) const
    {
        return x >= 0 && z >= 0 && x < sizeX && z < sizeZ ? table[std::size_t(z) * std::size_t(sizeX) + std::size_t(x)]
                                                         : T(0);
    }

    const CSpace& scan;
    bool flat;
    int sizeX, sizeZ;
    std::uint64_t lowRows;                // the bits of the heights the copy has
    int entered = 0;                      // layers looked at so far
    std::vector<std::uint8_t> flags;      // whether a column holds the outline colour
    std::vector<std::uint64_t> heights;   // or, in a low solid space, at which heights (bit y)
    std::vector<std::uint64_t> layer;     // what layerRows gave last
};
