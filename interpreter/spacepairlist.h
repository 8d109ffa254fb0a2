// CSpacePairList: one rule group, its rules and its kind number `mark`.
#pragma once

#include <utility>

#include "interpreter/spacepair.h"
#include "space/box.h"
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
        drawing = o.drawing;
        drawn = o.drawn;
        return *this;
    }
    CSpacePairList(CSpacePairList&& o) noexcept : CLinkList<CSpacePair>(std::move(o)), mark(o.mark) {}
    CSpacePairList& operator=(CSpacePairList&& o) noexcept
    {
        if (this == &o) return *this;
        CLinkList<CSpacePair>::operator=(std::move(o));
        mark = o.mark;
        return *this;
    }
    ~CSpacePairList() override { clear(); }

    void clear() override
    {
        CLinkList<CSpacePair>::clear();
        mark = 0;
        drawn = 0;
    }

    int mark = 0;
    // Where the group was drawn in the document; drawn is 0 for groups the program makes itself
    // (device groups). It only tells the user where a group came from; matching never reads it.
    CBox drawing;
    int drawn = 0;
};
