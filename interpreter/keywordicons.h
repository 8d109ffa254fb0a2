// The six keyword icons that head declaration windows. A window's first frame names a keyword when
// its contents equal one of these exactly (same sizes, same cells).
#pragma once

#include "interpreter/patternspace.h"

CPatternSpace makePaletteIcon();      // 8x1x1: the palette (transparent colour)
CPatternSpace makeTwoBlockIcon();     // 8x6x2: variables
CPatternSpace makeThreeBlockIcon();   // 11x8x2: sub-program
CPatternSpace makeArrowCrossIcon();   // 8x5x1: receive
CPatternSpace makeDownArrowIcon();    // 5x4x1: own key
CPatternSpace makeUpArrowIcon();      // 5x4x1: reply key
