// Lays program blocks out in a space: each block is drawn once into a scratch space to learn its
// size, then drawn for good in columns from left to right, top to bottom, two empty cells apart.
#pragma once

#include <functional>
#include <vector>

#include "space/space.h"
#include "support/blockbuilder.h"

class CShelf {
public:
    // Draws one block with the low corner of its bounding box at (x, 0, z).
    using Draw = std::function<DrawnBlock(CSpace&, int x, int z)>;

    explicit CShelf(int height) : height(height) {}

    void add(Draw draw) { blocks.push_back(std::move(draw)); }

    // The space holding every block, a column at most `depth` cells deep (or as deep as the
    // deepest block), with a margin of one cell around everything.
    CSpace layOut(int depth) const;

private:
    int height;
    std::vector<Draw> blocks;
};
