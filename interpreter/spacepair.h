// CSpacePair: one rule: its left side, its right side and the positions where it matched.
#pragma once

#include "interpreter/patternspace.h"
#include "space/cellset.h"

class CSpacePair : public CObject {
public:
    CSpacePair() : first(1, 1, 1, 0), second(1, 1, 1, 0) {}
    CSpacePair(const CSpace& left, const CSpace& right) : first(left), second(right) {}
    // A pair whose sides hold no cells (allocate nothing), to be overwritten.
    struct Vacant {};
    explicit CSpacePair(Vacant) : first(0, 0, 0, 0), second(0, 0, 0, 0) {}
    CSpacePair(const CSpacePair&) = default;
    CSpacePair(CSpacePair&&) noexcept = default;
    CSpacePair& operator=(const CSpacePair&) = default;
    CSpacePair& operator=(CSpacePair&&) noexcept = default;

    int usesPattern(const CSpace& pattern) const
    {
        return first.contains(pattern) || second.contains(pattern) ? 1 : 0;
    }
    int firstOccursTwice(const CSpace& pattern) const { return first.occursTwice(pattern); }
    void substitute(const CSpace& p, const CSpace& q)
    {
        first.substitute(p, q);
        second.substitute(p, q);
    }
    void substituteFirstRest(const CSpace& p, const CSpace& q1, const CSpace& q2)
    {
        first.substituteFirstRest(p, q1, q2);
        second.substituteFirstRest(p, q1, q2);
    }
    void replaceColour(int k)
    {
        first.replaceColour(k);
        second.replaceColour(k);
    }

    CPatternSpace first;
    CPatternSpace second;
    CCellSet cells;
};
