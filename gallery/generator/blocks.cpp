// Shelf entries that draw the block builder's blocks.
#include "programs.h"

#include "support/picture.h"

CShelf::Draw flatArea(const CSpace& interior)
{
    return [interior](CSpace& s, int x, int z) { return drawFlatWorkArea(s, x, z, interior); };
}

CShelf::Draw flatGroup(const std::vector<RuleSides>& rules)
{
    return [rules](CSpace& s, int x, int z) { return drawFlatRuleGroup(s, x, z, rules); };
}

CShelf::Draw flatSequence(int variable, const std::vector<int>& values)
{
    std::vector<CSpace> cells;
    for (int v : values) cells.push_back(cell(v));
    return [variable, cells](CSpace& s, int x, int z) { return drawFlatSequence(s, x, z, cell(variable), cells); };
}

CShelf::Draw solidArea(const CSpace& interior)
{
    return [interior](CSpace& s, int x, int z) { return drawSolidWorkArea(s, x, 0, z, interior); };
}

CShelf::Draw solidGroup(const std::vector<RuleSides>& rules)
{
    return [rules](CSpace& s, int x, int z) { return drawSolidRuleGroup(s, x, 0, z, rules); };
}

CShelf::Draw solidSequence(int variable, const std::vector<int>& values)
{
    std::vector<CSpace> cells;
    for (int v : values) cells.push_back(cell(v));
    return [variable, cells](CSpace& s, int x, int z) {
        return drawSolidSequence(s, x, 0, z, cell(variable), cells);
    };
}

CShelf::Draw window(const std::vector<CSpace>& frames)
{
    return [frames](CSpace& s, int x, int z) { return drawWindow(s, x, 0, z, frames); };
}
