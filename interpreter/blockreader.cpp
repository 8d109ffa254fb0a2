// Reading one scan cell with the recognisers in order: sequence, rule group, work area, window.
#include "interpreter/blockreader.h"

#include <utility>

#include "space/cellcodes.h"

namespace {
// Empties a recogniser's output only when it holds something: clearing makes a scratch element.
template <class List>
void emptyOut(List& list)
{
    if (!list.isEmpty()) list.clear();
}
}  // namespace

int CBlockReader::readBlocks(CPatternSpace& scan, int x, int y, int z, CUnitProgram& program, CSpace& area)
{
    emptyOut(sequence);
    if (scan.findSequence(x, y, z, sequence)) {
        program.sequences.push(sequence);
        return 0;
    }
    emptyOut(group);
    group.mark = 0;
    scan.resetConsumed();
    if (scan.findRuleGroup(x, y, z, group)) {
        const CBox& b = scan.consumedBox;
        group.drawing = CBox(b.x0 + originX, b.y0 + originY, b.z0 + originZ, b.x1 + originX, b.y1 + originY,
                             b.z1 + originZ);
        group.drawn = 1;
        program.ruleGroups.push(group);
        return 0;
    }
    if (scan.findWorkArea(x, y, z, interior)) {
        area = std::move(interior);  // the recogniser refills it on its next success
        return 1;
    }
    emptyOut(window);
    if (scan.findWindow(x, y, z, window)) program.windows.push(std::move(window));  // left empty
    return 0;
}
