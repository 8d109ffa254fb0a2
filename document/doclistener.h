// IDocListener: what a document tells those who show or edit its space. The document knows
// its listeners only through this interface and never waits for them.
#pragma once

#include "space/box.h"

// What changed in the space.
enum class ESpaceChange {
    Cells,     // cells inside the box changed: an edit, its undo or redo, Back
    Sizes,     // the space has other sizes: Space Size, the undo or redo of a resize, Back
    NewSpace,  // a space to start afresh on: New, Open, Size Up, Size Down
};

class IDocListener {
public:
    virtual ~IDocListener() = default;
    // After the change; for Cells the changed cells lie inside `box`, otherwise it is the whole space.
    virtual void OnSpaceChanged(ESpaceChange change, const CBox& box) = 0;
    // A run started or stopped: the space is to be shown as it is now.
    virtual void OnRunChanged() {}
};
