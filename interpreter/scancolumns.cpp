// CScanColumns: each layer's rows are folded into one row of flags, x fastest as in the copy.
#include "interpreter/scancolumns.h"

#include "space/cellcodes.h"

CScanColumns::CScanColumns(const CSpace& scan)
    : scan(scan),
      flat(scan.isFlat() != 0),
      sizeX(scan.getSizeX()),
      sizeZ(scan.getSizeZ()),
      columns(std::size_t(sizeX) * std::size_t(sizeZ), 0)
{
}

void CScanColumns::enterLayer(int z, CSearchPoll& poll)
{
    const int colour = flat ? CELL_BLUE : CELL_GREEN;
    const int sizeY = scan.getSizeY();
    // Locals, not members: a byte written through `row` could otherwise be the member itself, and
    // the compiler would read it again at every cell instead of folding the row in wide steps.
    const int width = sizeX;
    for (; entered <= z && entered < sizeZ; entered++) {
        std::uint8_t* __restrict row = columns.data() + std::size_t(entered) * std::size_t(width);
        const int* __restrict cell = scan.data() + std::int64_t(width) * sizeY * entered;
        for (int y = 0; y < sizeY; y++, cell += width) {
            for (int x = 0; x < width; x++) row[x] |= std::uint8_t(cell[x] == colour);
            poll.advance(width);
        }
    }
}
