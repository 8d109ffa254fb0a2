// The six keyword icons that head declaration windows. A window's first frame names a keyword when
// its contents equal one of these exactly (same sizes, same cells). Each is drawn once and shared.
#pragma once

#include "interpreter/patternspace.h"

const CPatternSpace& makePaletteIcon();      // 8x1x1: the palette (transparent colour)
const CPatternSpace& makeTwoBlockIcon();     // 8x6x2: variables
const CPatternSpace& makeThreeBlockIcon();   // 11x8x2: sub-program
const CPatternSpace& makeArrowCrossIcon();   // 8x5x1: receive
const CPatternSpace& makeDownArrowIcon();    // 5x4x1: own key
const CPatternSpace& makeUpArrowIcon();      // 5x4x1: reply key
