// Text pictures and the block count of a drawing.
#include "support/picture.h"

#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/cellcodes.h"

int colourOf(char letter)
{
    switch (letter) {
    case 'W': return CELL_WHITE;
    case 'K': return CELL_BLACK;
    case 'B': return CELL_BLUE;
    case 'R': return CELL_RED;
    case 'G': return CELL_GREEN;
    case 'P': return CELL_PURPLE;
    case 'Q': return CELL_PALE;
    case 'Y': return CELL_YELLOW;
    default: return CELL_EMPTY;
    }
}

CSpace flat(const std::vector<std::string>& rows)
{
    CSpace s(int(rows[0].size()), 1, int(rows.size()), 0);
    for (int z = 0; z < int(rows.size()); z++)
        for (int x = 0; x < int(rows[z].size()); x++) s.set(x, 0, z, colourOf(rows[z][x]));
    return s;
}

CSpace solid(const std::vector<std::vector<std::string>>& layers)
{
    const int d = int(layers.size()), h = int(layers[0].size()), w = int(layers[0][0].size());
    CSpace s(w, h, d, 0);
    for (int z = 0; z < d; z++)
        for (int r = 0; r < h; r++)
            for (int x = 0; x < w; x++) s.set(x, h - 1 - r, z, colourOf(layers[z][r][x]));
    return s;
}

CSpace cell(int colour)
{
    return CSpace(1, 1, 1, colour);
}

int countBlocks(const CSpace& space)
{
    CPatternSpace scan(space);
    int found = 0;
    for (int z = 0; z < scan.getSizeZ(); z++)
        for (int x = 0; x < scan.getSizeX(); x++)
            for (int y = scan.getSizeY() - 1; y >= 0; y--) {
                CLinkList<CSpace> sequence;
                CSpacePairList group;
                CSpace area;
                CWindow window;
                found += scan.findSequence(x, y, z, sequence) || scan.findRuleGroup(x, y, z, group) ||
                         scan.findWorkArea(x, y, z, area) || scan.findWindow(x, y, z, window);
            }
    return found;
}
