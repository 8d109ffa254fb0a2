// A document with an editing model listening to it, as the editor has them, for the editing and
// undo tests.
#pragma once

#include <initializer_list>

#include "document/spaceeditor.h"
#include "document/tesseradoc.h"
#include "docwatcher.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "support/cellliteral.h"

struct SEditorFixture {
    SEditorFixture(const CSpace& space) { Load(space); }
    SEditorFixture(int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells = {})
        : SEditorFixture(spaceWithCells(sx, sy, sz, cells))
    {
    }

    // Loads through the file reader, as Open does; the model starts afresh by itself.
    void Load(const CSpace& space)
    {
        CMemoryStream out({}, "x.ts3");
        writeSpaceFile(out, space);
        CMemoryStream in(out.contents(), "x.ts3");
        doc.Load(in);
    }

    CTesseraDoc doc;
    CSpaceEditor editor{doc};
    CDocWatcher view{doc};  // the run window, as the editor's view is
};
