// CKey: two keys are equal when their pictures have the same sizes and cells and their numbers match.
#include "interpreter/key.h"

#include "space/cellcodes.h"

int CKey::isEqual(const CKey& other) const
{
    return icon.isEqual(other.icon) && value == other.value ? 1 : 0;
}

void CKey::setDefault()
{
    icon = CPatternSpace(1, 1, 1, CELL_BLACK);
    value = 1;
}
