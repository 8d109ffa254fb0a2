// Draws the flip program with the block builder: the two groups above the work area.
#include "support/flipprogram.h"

#include "space/cellcodes.h"
#include "support/blockbuilder.h"

FlipProgram drawFlipProgram(int side, bool oneCell)
{
    CSpace interior(side, 1, side, oneCell ? CELL_EMPTY : CELL_RED);
    if (oneCell) interior.set(0, 0, 0, CELL_RED);
    const CSpace red(1, 1, 1, CELL_RED), green(1, 1, 1, CELL_GREEN);
    // Each group is 5 x 3 cells; the work area lies below them, with an empty row between.
    FlipProgram p{CSpace(side + 6, 1, side + 14, CELL_EMPTY), 0, 0};
    drawFlatRuleGroup(p.space, 1, 1, {{red, green}});
    drawFlatRuleGroup(p.space, 1, 5, {{green, red}});
    const DrawnBlock area = drawFlatWorkArea(p.space, 1, 9, interior);
    p.areaX = area.contents[0].x;
    p.areaZ = area.contents[0].z;
    return p;
}
