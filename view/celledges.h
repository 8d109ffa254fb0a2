// The outlines of cells on the drawn faces, so that a face spanning several cells reads as its
// cells, and the grid on the floor.
#pragma once

#include <vector>

// Edges are the face's colour darkened by this factor.
constexpr float EDGE_SHADE = 0.55f;

// The outlines are a texture laid over the faces: one square of it per cell, white inside (the
// face keeps its colour) and EDGE_SHADE grey along its border, so that the depth of a run's
// cells costs no geometry. EDGE_TEXTURE_SIZE texels a side, RGBA bytes, rows from s = 0.
constexpr int EDGE_TEXTURE_SIZE = 32;
std::vector<unsigned char> EdgeTexture();

// The floor grid: one line across the floor [0, sx] x [0, sz] at every whole x and z, as pairs
// of points; and its grey for a floor of the given grey (lighter on the dark floor, darker on
// the light one).
void AppendFloorGrid(int sx, int sz, std::vector<float>& lines);
float FloorGridGrey(float floorGrey);
