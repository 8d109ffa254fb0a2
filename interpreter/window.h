// CWindow: a chain of green frames read by the Separate scan, and the cell just after the chain.
#pragma once

#include <utility>

#include "interpreter/placedspace.h"
#include "space/cell.h"
#include "space/linklist.h"

class CWindow : public CLinkList<CPlacedSpace> {
public:
    CWindow() = default;
    CWindow(const CWindow&) = default;
    CWindow& operator=(const CWindow&) = default;
    CWindow(CWindow&& other) noexcept : CLinkList<CPlacedSpace>(std::move(other)), anchor(other.anchor) {}
    CWindow& operator=(CWindow&& other) noexcept
    {
        CLinkList<CPlacedSpace>::operator=(std::move(other));
        anchor = other.anchor;
        return *this;
    }

    CCell anchor;
};
