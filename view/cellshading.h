// Screen colours of cell values and the brightness of each face of a drawn box.
#pragma once

#include "space/cellcodes.h"

struct SRgb {
    float r;
    float g;
    float b;
};

// Base colour of a non-empty value; black (drawn 0.25 grey) stays visible on the black
// background, and values without a colour (any, outside, anything else) are drawn black.
inline SRgb CellBaseColour(int value)
{
    switch (value) {
    case CELL_WHITE: return {1, 1, 1};
    case CELL_BLACK: return {0.25f, 0.25f, 0.25f};
    case CELL_BLUE: return {0, 0, 1};
    case CELL_RED: return {1, 0, 0};
    case CELL_GREEN: return {0, 1, 0};
    case CELL_PURPLE: return {1, 0, 1};
    case CELL_PALE: return {0, 1, 1};
    case CELL_YELLOW: return {1, 1, 0};
    default: return {0, 0, 0};
    }
}

// Faces turned toward the eye are lit by axis; the far-side factors apply when the eye lies
// on the other side of the cell.
constexpr float SHADE_Z_TOWARD = 0.7f;  // face at z + 1
constexpr float SHADE_Z_AWAY = 0.4f;    // face at z
constexpr float SHADE_X_TOWARD = 0.6f;  // face at x0 + length
constexpr float SHADE_X_AWAY = 0.5f;    // face at x0
constexpr float SHADE_Y_TOWARD = 1.0f;  // top face
constexpr float SHADE_Y_AWAY = 0.2f;    // bottom face

// The floor under the space: light for a flat space, dark otherwise.
constexpr float FLOOR_GREY_FLAT = 0.875f;
constexpr float FLOOR_GREY_SOLID = 0.125f;
