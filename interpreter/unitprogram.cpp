// CUnitProgram: a value; assignment copies every member. Unit building is in buildunits.cpp.
#include "interpreter/unitprogram.h"

#include "interpreter/keywordicons.h"

CUnitProgram::CUnitProgram() = default;

const CPatternSpace& CUnitProgram::paletteIcon()
{
    static const CPatternSpace icon(makePaletteIcon());
    return icon;
}

const CPatternSpace& CUnitProgram::twoBlockIcon()
{
    static const CPatternSpace icon(makeTwoBlockIcon());
    return icon;
}

const CPatternSpace& CUnitProgram::threeBlockIcon()
{
    static const CPatternSpace icon(makeThreeBlockIcon());
    return icon;
}

const CPatternSpace& CUnitProgram::arrowCrossIcon()
{
    static const CPatternSpace icon(makeArrowCrossIcon());
    return icon;
}

const CPatternSpace& CUnitProgram::downArrowIcon()
{
    static const CPatternSpace icon(makeDownArrowIcon());
    return icon;
}

const CPatternSpace& CUnitProgram::upArrowIcon()
{
    static const CPatternSpace icon(makeUpArrowIcon());
    return icon;
}
