// A flood-fill test program: a flat N x N work area with yellow walls, one red seed cell and four
// one-rule groups that each spread red into the empty neighbour on one side (red, empty -> red,
// red). Every step paints the whole front at once, so a large area changes many cells per step.
// Used by the benchmarks and the drawing tool make_fill_program.
#pragma once

#include <cstdint>

#include "space/space.h"

struct FillProgram {
    CSpace space;   // the whole drawing
    int areaX = 0;  // corner of the work area's interior in the drawing (y is 0)
    int areaZ = 0;
};

enum class FillWalls {
    Lines,  // a few dozen straight walls with gaps, drawn at random
    Maze,   // a maze of corridors `corridor` cells wide, every part reachable from the seed
};

// The seed lies at the centre of the area (Lines) or in the first corridor cell (Maze).
FillProgram drawFillProgram(int side, FillWalls walls, int corridor = 3, std::uint32_t seed = 1);
