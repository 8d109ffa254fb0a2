// CSpacePairList: one rule group, its rules and its kind number `mark`.
#pragma once

#include <utility>

#include "interpreter/spacepair.h"
#include "space/box.h"
#include "space/linklist.h"

class CSpacePairList : public CLinkList<CSpacePair> {
public:
    CSpacePairList() = default;
    CSpacePairList(const CSpacePairList&) = default;
    CSpacePairList& operator=(const CSpacePairList&) = default;
    CSpacePairList(CSpacePairList&&) noexcept = default;
    CSpacePairList& operator=(CSpacePairList&&) noexcept = default;
    ~CSpacePairList() override { clear(); }

    void clear() override
    {
        CLinkList<CSpacePair>::clear();
        mark = 0;
        drawn = 0;
    }

    // Kind numbers. The device groups come first: the random-icon group, then the mouse-icon
    // group; a program's own groups are raised by MARK_RAISE when its units are built. Groups of a
    // mark up to MARK_DEVICES see the input devices and never keep a later group from applying.
    static constexpr int MARK_RANDOM_ICON = 1;
    static constexpr int MARK_MOUSE_ICON = 2;
    static constexpr int MARK_RAISE = 2;
    static constexpr int MARK_DEVICES = 2;

    int mark = 0;
    // Where the group was drawn in the document; drawn is 0 for groups the program makes itself
    // (device groups). It only tells the user where a group came from; matching never reads it.
    CBox drawing;
    int drawn = 0;
};
