// The faces drawn for a run of equal cells along x: the three sides of its box that are turned
// toward the eye, each one flat colour (base colour times the side's shading factor).
#pragma once

#include "view/cellshading.h"

constexpr int FACE_Z = 1, FACE_X = 2, FACE_Y = 4;

struct SFace {
    SRgb colour;
    float corner[4][3];
    int kind;  // FACE_Z, FACE_X or FACE_Y: the axis the face is turned along
};

// Faces of the box [x0, x0 + length] x [y, y + 1] x [z, z + 1] for an eye in cell (ex, ey, ez):
// z, x and y face in that order, leaving out those in the mask `skip`. Returns the count
// (0 for an empty cell, value 0).
int RunFaces(int x0, int y, int z, int value, int length, int ex, int ey, int ez, SFace faces[3], int skip = 0);

// The faces RunFaces would draw that lie flat against non-empty neighbours, as a mask. Such a
// face is covered: a ray from the eye reaches it only through the neighbour, whose own faces
// are nearer or, where they share its plane, drawn later. That holds unless the eye is inside
// a non-empty cell, so callers test that first. cellAt(x, y, z) must read 0 outside the space.
template <class CellAt>
int CoveredFaces(int x0, int y, int z, int length, int ex, int ey, int ez, CellAt cellAt)
{
    int mask = 0;
    const int nz = z < ez ? z + 1 : z - 1, ny = y < ey ? y + 1 : y - 1;
    bool zCovered = true, yCovered = true;
    for (int x = x0; x < x0 + length && (zCovered || yCovered); x++) {
        zCovered = zCovered && cellAt(x, y, nz) != 0;
        yCovered = yCovered && cellAt(x, ny, z) != 0;
    }
    if (zCovered) mask |= FACE_Z;
    if (yCovered) mask |= FACE_Y;
    if (cellAt(x0 < ex ? x0 + length : x0 - 1, y, z) != 0) mask |= FACE_X;
    return mask;
}
