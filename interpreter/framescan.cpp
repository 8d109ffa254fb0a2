// Frame scan: the Separate scan without interruption checks or status texts, on a frame's copy.
#include "interpreter/framescan.h"

#include "space/patternspace.h"
#include "space/spacelist.h"
#include "space/spacepairlist.h"
#include "space/window.h"

namespace {
// Empties a recogniser's output only when it holds something: clearing makes a scratch element.
template <class List>
void emptyOut(List& list)
{
    if (!list.isEmpty()) list.clear();
}
}  // namespace

int scanFrame(const CSpace& contents, CUnitProgram& program, CSpace& area, CCell& areaCell)
{
    CPatternSpace scan(contents);
    int foundWork = 0;
    // Recogniser outputs, reused from cell to cell; only a success is kept.
    CSpaceList sequence;
    CSpacePairList group;
    CSpace interior;
    CWindow window;
    for (int z = 0; z < scan.getSizeZ(); z++)
        for (int x = 0; x < scan.getSizeX(); x++)
            for (int y = scan.getSizeY() - 1; y >= 0; y--) {
                emptyOut(sequence);
                if (scan.findSequence(x, y, z, sequence)) {
                    program.sequences.push(sequence);
                    continue;
                }
                emptyOut(group);
                group.mark = 0;
                if (scan.findRuleGroup(x, y, z, group)) {
                    program.ruleGroups.push(group);
                    continue;
                }
                if (scan.findWorkArea(x, y, z, interior)) {
                    foundWork = 1;
                    area = interior;
                    areaCell = CCell(x, y, z, 0);
                    continue;
                }
                emptyOut(window);
                if (scan.findWindow(x, y, z, window)) program.windows.push(window);
            }
    return foundWork;
}
