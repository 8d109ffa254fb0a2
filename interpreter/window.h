// CWindow: a chain of green frames read by the Separate scan, and the cell just after the chain.
#pragma once

#include "interpreter/placedspace.h"
#include "space/cell.h"
#include "space/linklist.h"

class CWindow : public CLinkList<CPlacedSpace> {
public:
    CWindow() = default;
    CWindow(const CWindow& o) : CLinkList<CPlacedSpace>() { *this = o; }
    CWindow& operator=(const CWindow& o)
    {
        if (this == &o) return *this;
        assign(o);
        anchor = o.anchor;
        return *this;
    }

    CCell anchor;
};
