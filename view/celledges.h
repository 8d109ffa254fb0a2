// The outlines of cells on a drawn run's face: the face's border and, across a face that spans
// several cells along x, the line between each two of them, so that a run reads as its cells.
#pragma once

#include <vector>

#include "view/runfaces.h"

// Edges are the face's colour darkened by this factor.
constexpr float EDGE_SHADE = 0.55f;

// Appends the outline of the face of a run of `length` cells to `lines`, as pairs of points of
// three floats each; returns the number of lines added.
int AppendFaceEdges(const SFace& face, int length, std::vector<float>& lines);

// The floor grid: one line across the floor [0, sx] x [0, sz] at every whole x and z, as pairs
// of points; and its grey for a floor of the given grey (lighter on the dark floor, darker on
// the light one).
void AppendFloorGrid(int sx, int sz, std::vector<float>& lines);
float FloorGridGrey(float floorGrey);
