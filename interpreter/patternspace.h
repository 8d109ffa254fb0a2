// CPatternSpace: a space with the interpreter's rewriting operations and block recognisers.
#pragma once

#include "space/linklist.h"
#include "space/space.h"

class CSpacePairList;
class CWindow;

class CPatternSpace : public CSpace {
public:
    CPatternSpace() = default;
    CPatternSpace(int x, int y, int z, int fill) : CSpace(x, y, z, fill) {}
    CPatternSpace(const CSpace& other) : CSpace(other) {}  // NOLINT: a copy of any space
    CPatternSpace(const CPatternSpace& other) = default;
    CPatternSpace& operator=(const CPatternSpace& other) = default;
    CPatternSpace& operator=(const CSpace& other)
    {
        CSpace::operator=(other);
        return *this;
    }

    // Rewriting operations; all work in place and visit cells z outermost, x innermost.
    void copyAnyCells(const CSpace& other);
    void substitute(const CSpace& p, const CSpace& q);
    void substituteFirstRest(const CSpace& p, const CSpace& q1, const CSpace& q2);
    void blankMatches(const CSpace& p);
    void replaceColour(int k);
    CPatternSpace framed() const;

    // Block recognisers of the Separate scan. Each takes the scan cell, returns 1 when a block
    // was found (output filled, block consumed with 2) and 0 otherwise (space unchanged).
    int findSequence(int x, int y, int z, CLinkList<CSpace>& out);
    int findRuleGroup(int x, int y, int z, CSpacePairList& out);
    int findWorkArea(int x, int y, int z, CSpace& out);
    int findWindow(int x, int y, int z, CWindow& out);

private:
    // Calls f(x, y, z) at every position of p (where it lies wholly inside) that matches,
    // testing each position on the space as changed by the earlier ones.
    template <class F>
    void forEachMatch(const CSpace& p, F f);
};
