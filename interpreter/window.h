// CWindow: a chain of green frames read by the Separate scan, and the cell just after the chain.
#pragma once

#include "interpreter/placedspace.h"
#include "space/cell.h"
#include "space/linklist.h"

class CWindow : public CLinkList<CPlacedSpace> {
public:
    CWindow() = default;
    CWindow(const CWindow&) = default;
    CWindow& operator=(const CWindow&) = default;

    CCell anchor;
};
