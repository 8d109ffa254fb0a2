// The dense test program: a flat N x N work area and two one-rule groups, red -> green and
// green -> red, so that every red or green cell of the area changes colour in every step and the
// run never ends. Used by the tests, the benchmarks and the drawing tool make_flip_program.
#pragma once

#include "space/space.h"

struct FlipProgram {
    CSpace space;      // the whole drawing
    int areaX = 0;     // corner of the work area's interior in the drawing (y is 0)
    int areaZ = 0;
};

// With `oneCell` false every interior cell starts red; with it true only the interior's
// corner cell does (the one-changing-cell variant of the same drawing).
FlipProgram drawFlipProgram(int side, bool oneCell = false);
