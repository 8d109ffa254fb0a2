// Frame scan: the Separate scan without interruption checks or status texts, on a frame's copy.
#include "interpreter/framescan.h"

#include <cstdint>
#include <vector>

#include "interpreter/blockreader.h"
#include "interpreter/patternspace.h"
#include "interpreter/scancolumns.h"
#include "interpreter/searchpoll.h"

int scanFrame(const CSpace& contents, CUnitProgram& program, CSpace& area, CCell& areaCell, const CCell& origin)
{
    CPatternSpace scan(contents);
    CBlockReader reader;
    reader.originX = origin.x;
    reader.originY = origin.y;
    reader.originZ = origin.z;
    int foundWork = 0;
    CScanColumns columns(scan);  // columns where the reader would find nothing are passed over
    CSearchPoll none;
    for (int z = 0; z < scan.getSizeZ(); z++) {
        columns.enterLayer(z, none);
        const std::vector<std::uint64_t>& layerRows = columns.layerRows(z);
        for (int x = 0; x < scan.getSizeX(); x++) {
            if (!layerRows[std::size_t(x)]) continue;
            CScanColumns::forEachRowDown(layerRows[std::size_t(x)], scan.getSizeY(), [&](int y) {
                if (reader.readCell(scan, x, y, z, program, area)) {
                    foundWork = 1;
                    areaCell = CCell(x, y, z, 0);
                }
            });
        }
    }
    return foundWork;
}
