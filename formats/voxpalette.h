// Colours of MagicaVoxel files: the eight cell colours as the editor draws them, the palette a
// file without its own colours uses, and the nearest cell colour of any palette colour.
#pragma once

#include <array>
#include <cstdint>

struct SVoxColour {
    std::uint8_t r, g, b, a;
    bool operator==(const SVoxColour&) const = default;
};

// A palette as a file holds it: entry i is the colour of colour index i (1 to 255); entry 0 is
// unused, since index 0 means no voxel.
using VoxPalette = std::array<SVoxColour, 256>;

// The palette index of a cell value as our writer assigns it: 1 to 8 for the colours 100 to
// 107, VOX_INDEX_OTHER for every other value that is written (the wildcard 1 and stray values,
// drawn black by the editor).
constexpr int VOX_INDEX_OTHER = 9;
int voxIndexOfCell(int value);

// The editor's colour of a cell value (black 101 is drawn dark grey; values without a colour
// are black).
SVoxColour cellColour(int value);

// The palette our writer puts in every file: the entries above, then opaque black.
VoxPalette writerPalette();

// The colours MagicaVoxel assumes for a file that holds no palette chunk: a 6 x 6 x 6 cube of
// the levels FF, CC, 99, 66, 33, 00 (blue fastest, the all-black corner left out), then ramps of
// red, green, blue and grey through EE, DD, BB, AA, 88, 77, 55, 44, 22, 11.
VoxPalette defaultVoxPalette();

// The cell colour (100 to 107) nearest to a colour (alpha is ignored), and whether it is
// exactly that colour.
int nearestCellColour(SVoxColour colour, bool* exact = nullptr);
