// CUnitProgram: a value; assignment copies every member. Unit building is in buildunits.cpp.
#include "interpreter/unitprogram.h"

CUnitProgram::CUnitProgram() = default;
