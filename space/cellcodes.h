// The values a cell can hold: empty, the two internal codes and the eight colours.
#pragma once

constexpr int CELL_EMPTY = 0;    // nothing in the cell
constexpr int CELL_ANY = 1;      // wildcard in patterns; never written by a paste
constexpr int CELL_OUTSIDE = 2;  // what a read outside the grid yields

constexpr int CELL_WHITE = 100;
constexpr int CELL_BLACK = 101;
constexpr int CELL_BLUE = 102;
constexpr int CELL_RED = 103;
constexpr int CELL_GREEN = 104;
constexpr int CELL_PURPLE = 105;
constexpr int CELL_PALE = 106;
constexpr int CELL_YELLOW = 107;

// RGB components of a colour as written to VRML: each 0 or 1; any value without a colour is 0,0,0.
inline int colourRed(int v) { return v == CELL_WHITE || v == CELL_RED || v == CELL_PURPLE || v == CELL_YELLOW; }
inline int colourGreen(int v) { return v == CELL_WHITE || v == CELL_GREEN || v == CELL_PALE || v == CELL_YELLOW; }
inline int colourBlue(int v) { return v == CELL_WHITE || v == CELL_BLUE || v == CELL_PURPLE || v == CELL_PALE; }
