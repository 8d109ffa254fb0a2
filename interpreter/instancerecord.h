// CInstanceRecord: one sub-program declaration with the state needed to draw its next instance.
#pragma once

#include "space/cell.h"
#include "space/linklist.h"
#include "space/object.h"
#include "space/space.h"

class CInstanceRecord : public CObject {
public:
    CInstanceRecord() = default;
    CInstanceRecord(const CInstanceRecord&) = default;
    CInstanceRecord& operator=(const CInstanceRecord&) = default;
    ~CInstanceRecord() override = default;

    CSpace icon;   // the sub-program's name frame
    CSpace area;   // the work area drawn in its program frame
    int count = 0; // number given to the next instance: 1 + the instance frames drawn
    CCell anchor;  // where the next instance frame goes: the cell after the window's last frame
};

class CInstanceList : public CLinkList<CInstanceRecord> {
public:
    CInstanceList() = default;
    CInstanceList(const CInstanceList&) = default;
    CInstanceList& operator=(const CInstanceList&) = default;
};
