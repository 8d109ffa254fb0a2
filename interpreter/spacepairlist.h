// CSpacePairList: one rule group, its rules and its kind number `mark`.
#pragma once

#include "interpreter/spacepair.h"
#include "space/linklist.h"

class CSpacePairList : public CLinkList<CSpacePair> {
public:
    CSpacePairList() = default;
    CSpacePairList(const CSpacePairList& o) : CLinkList<CSpacePair>() { *this = o; }
    CSpacePairList& operator=(const CSpacePairList& o)
    {
        if (this == &o) return *this;
        assign(o);
        mark = o.mark;
        return *this;
    }
    ~CSpacePairList() override { clear(); }

    void clear() override
    {
        CLinkList<CSpacePair>::clear();
        mark = 0;
    }

    int mark = 0;
};
