// CCellSet: a set of cells holding at most one value per position, kept as a three-level tree.
#pragma once

#include "space/cell.h"
#include "space/linklist.h"

class CCellSet : public CLinkList<CCell> {
public:
    CCellSet() = default;
    CCellSet(const CCellSet& other);
    CCellSet& operator=(const CCellSet& other);
    ~CCellSet() override;

    CLinkList<CCell>& assign(const CLinkList<CCell>& other) override;
    void clear() override;
    void push(const CCell& cell) override;
    int pop(CCell& out) override;
    // A set has no tail in list order; taking "from the back" takes any cell, as pop does.
    int popBack(CCell& out) override { return pop(out); }
};
