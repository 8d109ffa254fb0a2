// Builders for match tests: rows of cells, rule groups and programs made by hand.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "interpreter/matchcontext.h"

// A row of cells along x: n x 1 x 1.
inline CSpace row(std::initializer_list<int> cells)
{
    CSpace s(int(cells.size()), 1, 1, 0);
    int x = 0;
    for (int v : cells) s.set(x++, 0, 0, v);
    return s;
}

// A rule group whose pairs are evaluated in the order given (the first at the head).
inline CSpacePairList ruleGroup(int mark, const std::vector<std::pair<CSpace, CSpace>>& rules)
{
    CSpacePairList g;
    for (auto it = rules.rbegin(); it != rules.rend(); ++it) g.push(CSpacePair(it->first, it->second));
    g.mark = mark;
    return g;
}

// A program whose groups are evaluated in the order given (the first at the tail).
inline CUnitProgram programOf(const std::vector<CSpacePairList>& groups)
{
    CUnitProgram p;
    for (const CSpacePairList& g : groups) p.ruleGroups.push(g);
    return p;
}

inline CMatchContext unitOf(const CUnitProgram& p, const CSpace& cells, CCell origin = CCell())
{
    CMatchContext ctx;
    ctx.init(p, cells);
    ctx.origin = origin;
    return ctx;
}

// Steps a context until it reports; the number of steps taken, or -1 when it never does.
inline int stepsToReport(CMatchContext& ctx)
{
    for (int n = 1; n <= 1000; n++)
        if (ctx.step()) return n;
    return -1;
}
