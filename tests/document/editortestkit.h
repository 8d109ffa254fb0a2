// A document with an editing model attached as its first view, as the editor has them, for the
// editing and undo tests.
#pragma once

#include <initializer_list>

#include "document/docview.h"
#include "formats/memorystream.h"
#include "document/spaceeditor.h"
#include "formats/spacewriter.h"
#include "document/tesseradoc.h"
#include "run/queuedrunwindow.h"

struct SCell {
    int x, y, z, value;
};

// Reinitialises the model when the document asks its first view to, and counts redraw requests.
class CEditorView : public IDocView {
public:
    explicit CEditorView(CSpaceEditor& editor) : m_editor(editor) {}
    void OnUpdate() override { updates++; }
    void OnInitialUpdate() override { m_editor.Initialise(); }
    IRunWindow* GetRunWindow() override { return &window; }

    CQueuedRunWindow window;
    int updates = 0;

private:
    CSpaceEditor& m_editor;
};

struct SEditorFixture {
    SEditorFixture(const CSpace& space)
    {
        doc.AddView(&view);
        Load(space);
    }
    SEditorFixture(int sx, int sy, int sz, std::initializer_list<SCell> cells = {})
        : SEditorFixture(SpaceWith(sx, sy, sz, cells))
    {
    }
    ~SEditorFixture()
    {
        doc.StopRun();
        doc.RemoveView(&view);
    }

    static CSpace SpaceWith(int sx, int sy, int sz, std::initializer_list<SCell> cells)
    {
        CSpace space(sx, sy, sz, 0);
        for (const SCell& c : cells) space.set(c.x, c.y, c.z, c.value);
        return space;
    }
    // Loads through the file reader and initialises the model, as Open does.
    void Load(const CSpace& space)
    {
        CMemoryStream out({}, "x.ts3");
        writeSpaceFile(out, space);
        CMemoryStream in(out.contents(), "x.ts3");
        doc.Load(in);
        editor.Initialise();
    }

    CTesseraDoc doc;
    CSpaceEditor editor{doc};
    CEditorView view{editor};
};
