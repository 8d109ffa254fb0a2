// CUnitProgram: a value; assignment copies every member but threeBlockIcon, which holds the
// same drawing in every object. Unit building is in buildunits.cpp.
#include "interpreter/unitprogram.h"

#include "interpreter/keywordicons.h"

CUnitProgram::CUnitProgram()
    : paletteIcon(makePaletteIcon()),
      twoBlockIcon(makeTwoBlockIcon()),
      threeBlockIcon(makeThreeBlockIcon()),
      arrowCrossIcon(makeArrowCrossIcon()),
      downArrowIcon(makeDownArrowIcon()),
      upArrowIcon(makeUpArrowIcon())
{
}
