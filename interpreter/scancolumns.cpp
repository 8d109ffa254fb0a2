// CScanColumns: each layer's rows are folded into one row of flags or height bits, x fastest as
// in the copy.
#include "interpreter/scancolumns.h"

#include "space/cellcodes.h"

namespace {
constexpr int MAX_TOLD_HEIGHT = 64;  // heights told apart: one bit each
}

CScanColumns::CScanColumns(const CSpace& scan)
    : scan(scan),
      flat(scan.isFlat() != 0),
      sizeX(scan.getSizeX()),
      sizeZ(scan.getSizeZ()),
      lowRows(scan.getSizeY() >= MAX_TOLD_HEIGHT ? ALL_ROWS : (std::uint64_t(1) << scan.getSizeY()) - 1)
{
    const std::size_t columns = std::size_t(sizeX) * std::size_t(sizeZ);
    // Eight bytes a column stay within the copy's own four a cell when it is at least two high.
    if (!flat && scan.getSizeY() <= MAX_TOLD_HEIGHT)
        heights.assign(columns, 0);
    else
        flags.assign(columns, 0);
}

void CScanColumns::enterLayer(int z, CSearchPoll& poll)
{
    const int colour = flat ? CELL_BLUE : CELL_GREEN;
    const int sizeY = scan.getSizeY();
    // Locals, not members: a byte written through `row` could otherwise be the member itself, and
    // the compiler would read it again at every cell instead of folding the row in wide steps.
    const int width = sizeX;
    for (; entered <= z && entered < sizeZ; entered++) {
        const int* __restrict cell = scan.data() + std::int64_t(width) * sizeY * entered;
        const std::size_t first = std::size_t(entered) * std::size_t(width);
        for (int y = 0; y < sizeY; y++, cell += width) {
            poll.advance(width);
            if (!heights.empty()) {
                // Most rows hold no outline cell: a count, which folds in wide steps, spares them
                // the fold into the height bits.
                int outlined = 0;
                for (int x = 0; x < width; x++) outlined += cell[x] == colour;
                if (outlined == 0) continue;
                std::uint64_t* __restrict row = heights.data() + first;
                const std::uint64_t bit = std::uint64_t(1) << y;
                for (int x = 0; x < width; x++)
                    if (cell[x] == colour) row[x] |= bit;
                continue;
            }
            std::uint8_t* __restrict row = flags.data() + first;
            for (int x = 0; x < width; x++) row[x] |= std::uint8_t(cell[x] == colour);
        }
    }
}

const std::vector<std::uint64_t>& CScanColumns::layerRows(int z)
{
    layer.assign(std::size_t(sizeX) + 2, 0);
    if (heights.empty() || z < 0 || z > sizeZ) {
        for (int x = 0; x < sizeX + 2; x++) layer[std::size_t(x)] = rows(x, z);
        return layer;
    }
    // The same as rows(), a whole row at a time: the cell's own column and the one in front.
    std::uint64_t* __restrict out = layer.data();
    const std::size_t width = std::size_t(sizeX);
    if (z < sizeZ) {
        const std::uint64_t* __restrict own = heights.data() + std::size_t(z) * width;
        for (std::size_t x = 0; x < width; x++) out[x] = own[x];
    }
    if (z > 0) {
        const std::uint64_t* __restrict front = heights.data() + std::size_t(z - 1) * width;
        for (std::size_t x = 0; x < width; x++) out[x] |= front[x] << 1;
    }
    for (std::size_t x = 0; x < width; x++) out[x] &= lowRows;
    return layer;
}
