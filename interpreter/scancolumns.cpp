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
    for (; entered <= z && entered < sizeZ; entered++) {
        std::uint8_t* row = columns.data() + std::size_t(entered) * std::size_t(sizeX);
        const int* cell = scan.data() + std::int64_t(sizeX) * sizeY * entered;
        for (int y = 0; y < sizeY; y++, cell += sizeX) {
            for (int x = 0; x < sizeX; x++) row[x] |= std::uint8_t(cell[x] == colour);
            poll.advance(sizeX);
        }
    }
}
