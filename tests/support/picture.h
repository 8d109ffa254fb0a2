// Small pictures written as text, for drawing programs: one letter per cell (W white, K black,
// B blue, R red, G green, P purple, Q pale, Y yellow; anything else is an empty cell).
#pragma once

#include <string>
#include <vector>

#include "space/space.h"

int colourOf(char letter);

// A flat picture: one string per z row, one character per x cell.
CSpace flat(const std::vector<std::string>& rows);

// A solid picture: layers by z, each a list of rows from the highest y down to y = 0.
CSpace solid(const std::vector<std::vector<std::string>>& layers);

// A single cell of one colour.
CSpace cell(int colour);

// Counts the blocks the Separate scan finds: z outermost, then x, then y from the top.
int countBlocks(const CSpace& space);
