// The catalogue of program blocks: every block the recognisers find in a space, in scan order,
// with the box of its drawing. It answers "which of my blocks does the reader see?".
#pragma once

#include <string>
#include <vector>

#include "space/box.h"
#include "space/space.h"

class CWindow;

enum class CBlockKind { WorkArea, RuleGroup, Sequence, Declaration, SubProgram, InstanceFrame, Window };

// Sizes of one rule's two sides; a rule without a right box has a right side of 0 x 0 x 0.
struct CRuleSides {
    int leftX = 0, leftY = 0, leftZ = 0;
    int rightX = 0, rightY = 0, rightZ = 0;
};

struct CBlockEntry {
    CBlockKind kind = CBlockKind::WorkArea;
    CBox box;                       // the drawing, outline included, in the space's coordinates
    std::vector<CRuleSides> rules;  // rule groups only: top (flat) or front (solid) rule first
};

// Scans a copy of `space` as the Separate phase does (z outermost, then x, then y from the top;
// the four recognisers in their order). Windows headed by a keyword icon are declarations; a
// sub-program's window is listed whole, then its instance frames, then the blocks drawn inside
// its rule frame and its instance frames.
std::vector<CBlockEntry> catalogueBlocks(const CSpace& space);

// What a window found by the reader declares: Declaration when its first frame is one of the
// declaration keywords, SubProgram for the sub-program keyword, Window otherwise.
CBlockKind windowKind(const CWindow& window);

const char* blockKindName(CBlockKind kind);
// One line: kind, box as "(x0,y0,z0)-(x1,y1,z1)", and for rule groups the sides of each rule.
std::string describeBlock(const CBlockEntry& block);
