// CAppliedGroup and CShownStep: what the worker tells the view about the step it has just shown.
#pragma once

#include <vector>

#include "space/box.h"
#include "space/cell.h"

// One rule group applied in a step: the unit it ran in (its corner in the document), where the
// group was drawn (drawn is 0 for groups the program makes itself) and at how many positions.
struct CAppliedGroup {
    CCell unit;
    CBox drawing;
    int drawn = 0;
    int positions = 0;
};

// The step on screen: the run it belongs to (the document's run number that run started from),
// its number in that run, whether it ended the run, and the groups it applied. `serial` numbers
// every show request of the document's life, so that an answer can name the show it is for.
struct CShownStep {
    unsigned serial = 0;
    int run = 0;
    int step = 0;
    int last = 0;
    std::vector<CAppliedGroup> applied;
};
