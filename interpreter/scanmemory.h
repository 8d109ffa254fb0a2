// CScanMemory: how Separate's kept copy of the space differs from the document since the copy
// was last brought up to date: the boxes the recognisers consumed in it and the cells the run has
// written to the document since. The next Separate copies just those back from the document,
// instead of every cell, when nothing else changed the document meanwhile (its change count is
// the one the run's own writes account for) and the sizes still agree; otherwise every cell.
// A run's Separate steps mostly follow a delivery that redrew a few frames in a large space.
#pragma once

#include <cstddef>
#include <vector>

#include "interpreter/patternspace.h"
#include "space/box.h"
#include "space/cell.h"
#include "space/cellset.h"
#include "space/space.h"

class CScanMemory {
public:
    // The copy is not to be trusted (a new run, a resize): the next refresh copies every cell.
    void forget()
    {
        valid = false;
        consumed.clear();
        written.clear();
    }

    // Makes `copy` equal to `doc`, whose change count is `changes`; called under the lock.
    // Returns whether every cell was copied.
    bool refresh(CPatternSpace& copy, const CSpace& doc, unsigned long changes);

    // The run is writing `writes` to `doc`, under the lock, whose change count goes from `before`
    // to `after` for it.
    void noteWrites(const CCellSet& writes, const CSpace& doc, unsigned long before, unsigned long after);

    // Filled by the recognisers as they consume cells of the copy (CPatternSpace::consumedLog).
    std::vector<CBox> consumed;

private:
    bool valid = false;
    unsigned long changesSeen = 0;
    std::vector<CCell> written;  // positions; the value is read back from the document
};
