// Rule-group operations: each visits the rules in list order and keeps the order and the mark.
#include "interpreter/rulegroup.h"

namespace {
// Changes every rule in place, in list order; the group keeps its order, mark and place.
template <class Change>
void changeEveryRule(CSpacePairList& group, Change change)
{
    group.forEach([&](CSpacePair& rule) { change(rule); });
}
}  // namespace

int usesPattern(const CSpacePairList& group, const CSpace& p)
{
    int used = 0;
    group.forEach([&](const CSpacePair& rule) { used = used || rule.usesPattern(p); });
    return used;
}

int isSingleDouble(const CSpacePairList& group, const CSpace& p)
{
    if (group.count() != 1) return 0;
    int twice = 0;
    group.forEach([&](const CSpacePair& rule) { twice = rule.firstOccursTwice(p); });
    return twice;
}

void substituteAll(CSpacePairList& group, const CSpace& p, const CSpace& q)
{
    changeEveryRule(group, [&](CSpacePair& rule) { rule.substitute(p, q); });
}

void substitutePair(CSpacePairList& group, const CSpace& p, const CSpace& q1, const CSpace& q2)
{
    changeEveryRule(group, [&](CSpacePair& rule) { rule.substituteFirstRest(p, q1, q2); });
}

void makeTransparent(CSpacePairList& group, int k)
{
    changeEveryRule(group, [&](CSpacePair& rule) { rule.replaceColour(k); });
}
