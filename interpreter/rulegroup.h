// Operations on a whole rule group (a CSpacePairList), applied to both sides of every rule; used
// when sequences and the transparent colour are worked into a program's groups.
#pragma once

#include "interpreter/spacepairlist.h"
#include "space/space.h"

// 1 when some rule of the group holds p in its left or its right side.
int usesPattern(const CSpacePairList& group, const CSpace& p);
// 1 when the group has exactly one rule and p matches at exactly two positions of its left side.
int isSingleDouble(const CSpacePairList& group, const CSpace& p);
// Writes q at every match of p, in both sides of every rule.
void substituteAll(CSpacePairList& group, const CSpace& p, const CSpace& q);
// Writes q1 at the first match of p and q2 at every later one, in both sides of every rule.
void substitutePair(CSpacePairList& group, const CSpace& p, const CSpace& q1, const CSpace& q2);
// Turns every cell of colour k into "any", in both sides of every rule.
void makeTransparent(CSpacePairList& group, int k);
