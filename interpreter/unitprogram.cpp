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

CUnitProgram& CUnitProgram::operator=(const CUnitProgram& other)
{
    if (this == &other) return *this;
    ruleGroups = other.ruleGroups;
    sequences = other.sequences;
    windows = other.windows;
    transparentSet = other.transparentSet;
    transparentColour = other.transparentColour;
    variableIcons = other.variableIcons;
    sendIcons = other.sendIcons;
    ownKey = other.ownKey;
    replyKey = other.replyKey;
    pendingReceives = other.pendingReceives;
    receiveSet = other.receiveSet;
    receiveIcon = other.receiveIcon;
    receivedData = other.receivedData;
    receivedIds = other.receivedIds;
    paletteIcon = other.paletteIcon;
    twoBlockIcon = other.twoBlockIcon;
    arrowCrossIcon = other.arrowCrossIcon;
    downArrowIcon = other.downArrowIcon;
    upArrowIcon = other.upArrowIcon;
    return *this;
}
