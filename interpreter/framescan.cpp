// Frame scan: the Separate scan without interruption checks or status texts, on a frame's copy.
#include "interpreter/framescan.h"

#include "interpreter/blockreader.h"
#include "interpreter/patternspace.h"

int scanFrame(const CSpace& contents, CUnitProgram& program, CSpace& area, CCell& areaCell)
{
    CPatternSpace scan(contents);
    CBlockReader reader;
    int foundWork = 0;
    for (int z = 0; z < scan.getSizeZ(); z++)
        for (int x = 0; x < scan.getSizeX(); x++)
            for (int y = scan.getSizeY() - 1; y >= 0; y--)
                if (reader.readCell(scan, x, y, z, program, area)) {
                    foundWork = 1;
                    areaCell = CCell(x, y, z, 0);
                }
    return foundWork;
}
