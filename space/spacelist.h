// CSpaceList: a list of spaces; adds nothing to the list template.
#pragma once

#include "space/linklist.h"
#include "space/space.h"

class CSpaceList : public CLinkList<CSpace> {
public:
    CSpaceList() = default;
    CSpaceList(const CSpaceList&) = default;
    CSpaceList& operator=(const CSpaceList&) = default;
};
