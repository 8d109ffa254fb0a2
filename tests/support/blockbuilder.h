// Draws valid program blocks (work areas, rule groups, sequence strips, window chains) into a space
// and reports where the Separate scan finds each one and which cells its recogniser consumes.
#pragma once

#include <vector>

#include "space/box.h"
#include "space/cell.h"
#include "space/space.h"

// What a drawn block looks like to the scan.
struct DrawnBlock {
    CCell scan;                   // the cell at which the block's recogniser finds it
    std::vector<CBox> extent;     // the cells the recogniser consumes: the union of these boxes
    std::vector<CCell> contents;  // low corner of every content box, in reading order (see below)
    CCell anchor;                 // windows only: the cell just after the last frame

    bool covers(int x, int y, int z) const;
    CBox bounds() const;  // the bounding box of the extent
};

// One rule: its left side and its right side. A right side with size 0 draws no right box.
struct RuleSides {
    CSpace left;
    CSpace right;
};

// Every draw function takes the low corner of the block's bounding box (flat blocks lie at y = 0,
// their "top" is the lowest z), throws std::invalid_argument for sizes the block cannot have and
// std::out_of_range when the block does not fit into the target. Contents are written cell by
// cell, 1s included. Contents holding the outline colour may make the scan see other blocks.

// Flat work area: interior w x 1 x d (w, d >= 1), block (w + 4) x (d + 4) with its top-left dot
// at (x, z). contents: the interior.
DrawnBlock drawFlatWorkArea(CSpace& target, int x, int z, const CSpace& interior);

// Solid work area: interior w x h x d (w >= 3), standing on a floor whose front left corner is at
// (x, y, z); the interior starts at (x, y + 1, z + 1). contents: the interior.
DrawnBlock drawSolidWorkArea(CSpace& target, int x, int y, int z, const CSpace& interior);

// Flat rule group: rules from top to bottom, sharing one wall. Left sides w x 1 x h, right sides
// m x 1 x n (all >= 1) or empty. contents: left then right corner of each rule, top rule first.
DrawnBlock drawFlatRuleGroup(CSpace& target, int x, int z, const std::vector<RuleSides>& rules);

// Solid rule group: rules from front to back, sharing one wall. A right side may not be lower
// than its left side (the shared wall must not stand above it). contents as for flat groups.
DrawnBlock drawSolidRuleGroup(CSpace& target, int x, int y, int z, const std::vector<RuleSides>& rules);

// Sequence strips: the variable and its values, all of one size. contents: variable, then values.
DrawnBlock drawFlatSequence(CSpace& target, int x, int z, const CSpace& variable,
                            const std::vector<CSpace>& values);
DrawnBlock drawSolidSequence(CSpace& target, int x, int y, int z, const CSpace& variable,
                             const std::vector<CSpace>& values);

// Window chain (solid): the first handle at (x, y, z), one frame per contents, left to right.
// contents: each frame's contents corner, which is the origin the recogniser reports.
DrawnBlock drawWindow(CSpace& target, int x, int y, int z, const std::vector<CSpace>& frames);

// w x h x d contents whose cells differ from their neighbours along every axis (colours other than
// blue and green, some empty), so that a shifted or mirrored copy does not compare equal.
CSpace patternedContents(int w, int h, int d, int seed = 0);

// A flat program that never ends: one red cell that two groups turn green and back.
CSpace blinkingProgram();
