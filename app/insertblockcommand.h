// CInsertBlockCommand: the Insert menu's items. Asks the block's sizes (remembered per kind for
// the next time), places the block at the cursor, or says in a message box why it cannot.
#pragma once

#include "document/blockstamp.h"

class CMainFrame;

class CInsertBlockCommand {
public:
    CInsertBlockCommand();
    // False when the dialog was cancelled or the block could not be placed.
    bool Run(CMainFrame* frame, EInsertBlock kind);
    // Whether the kind can be placed in a space of this height (declarations need a solid one).
    static bool IsAvailable(EInsertBlock kind, int sizeY) { return sizeY > 1 || !isDeclaration(kind); }

private:
    SBlockRequest m_last[INSERT_BLOCK_COUNT];
};
