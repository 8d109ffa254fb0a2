// The cell colours as palette entries; nearest is by squared distance in RGB, the lower code
// winning a tie.
#include "formats/voxpalette.h"

#include "space/cellcodes.h"

int voxIndexOfCell(int value)
{
    return value >= CELL_WHITE && value <= CELL_YELLOW ? value - CELL_WHITE + 1 : VOX_INDEX_OTHER;
}

SVoxColour cellColour(int value)
{
    if (value == CELL_BLACK) return {64, 64, 64, 255};
    const std::uint8_t r = colourRed(value) ? 255 : 0, g = colourGreen(value) ? 255 : 0,
                       b = colourBlue(value) ? 255 : 0;
    return {r, g, b, 255};
}

VoxPalette writerPalette()
{
    VoxPalette palette;
    palette.fill({0, 0, 0, 255});
    palette[0] = {0, 0, 0, 0};
    for (int code = CELL_WHITE; code <= CELL_YELLOW; code++) palette[voxIndexOfCell(code)] = cellColour(code);
    palette[VOX_INDEX_OTHER] = cellColour(CELL_ANY);
    return palette;
}

VoxPalette defaultVoxPalette()
{
    VoxPalette palette;
    palette[0] = {0, 0, 0, 0};
    int i = 1;
    const std::uint8_t cube[6] = {0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00};
    for (std::uint8_t r : cube)
        for (std::uint8_t g : cube)
            for (std::uint8_t b : cube)
                if (r || g || b) palette[i++] = {r, g, b, 255};
    const std::uint8_t ramp[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
    for (std::uint8_t v : ramp) palette[i++] = {v, 0, 0, 255};
    for (std::uint8_t v : ramp) palette[i++] = {0, v, 0, 255};
    for (std::uint8_t v : ramp) palette[i++] = {0, 0, v, 255};
    for (std::uint8_t v : ramp) palette[i++] = {v, v, v, 255};
    return palette;
}

int nearestCellColour(SVoxColour colour, bool* exact)
{
    int best = CELL_WHITE;
    long bestDistance = -1;
    for (int code = CELL_WHITE; code <= CELL_YELLOW; code++) {
        const SVoxColour c = cellColour(code);
        const long dr = long(colour.r) - c.r, dg = long(colour.g) - c.g, db = long(colour.b) - c.b;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = code;
            bestDistance = distance;
        }
    }
    if (exact) *exact = bestDistance == 0;
    return best;
}
