// CSpaceEditor: the editing model of a view of the document: the cursor and the target the eye
// looks at, the step, the current colour, the area and its two modes, the clipboard, the edited
// and Back flags, and every editing command as a plain member function. No drawing: the view
// draws this state and redraws after the commands.
#pragma once

#include <functional>
#include <string>

#include "document/cursormove.h"
#include "document/doclistener.h"
#include "document/editstep.h"
#include "space/cell.h"
#include "space/cellcodes.h"
#include "space/space.h"

class CBlockStamp;
class CTesseraDoc;

class CSpaceEditor : public IDocListener {
public:
    static constexpr int STEP_BIG = 10;
    static constexpr int INITIAL_COLOR = CELL_GREEN;

    // Listens to the document: it starts afresh on a new space, keeps its cursor inside a
    // resized one, and counts every change of the space as an edit.
    explicit CSpaceEditor(CTesseraDoc& doc);
    ~CSpaceEditor() override;
    CSpaceEditor(const CSpaceEditor&) = delete;
    CSpaceEditor& operator=(const CSpaceEditor&) = delete;
    void OnSpaceChanged(ESpaceChange change, const CBox& box) override;

    CTesseraDoc& GetDocument() const { return m_doc; }

    // The view's (re)initialisation: step 1, green, no area, the cursor in the middle of the
    // floor with the target on it, not edited, a new Back copy, Back not available.
    void Initialise();

    // The cursor; the target follows it on every move.
    int GetCursorX() const { return m_cursorX; }
    int GetCursorY() const { return m_cursorY; }
    int GetCursorZ() const { return m_cursorZ; }
    float GetTargetX() const { return m_targetX; }
    float GetTargetY() const { return m_targetY; }
    float GetTargetZ() const { return m_targetZ; }
    void PlaceCursor(int x, int y, int z);
    void TargetCursor();  // the target to the middle of the cursor cell
    // The eye looks elsewhere (a straight view, a pan, a zoom toward the pointer) until the
    // cursor next moves along an axis, which brings the target back on that axis.
    void SetTarget(float x, float y, float z);

    // The six axis moves by the step, clamped to the space; in move mode the area corner
    // travels by the distance actually moved.
    void MoveXMinus() { Move(MOVE_X_MINUS); }
    void MoveXPlus() { Move(MOVE_X_PLUS); }
    void MoveDown() { Move(MOVE_Y_MINUS); }
    void MoveUp() { Move(MOVE_Y_PLUS); }
    void MoveZMinus() { Move(MOVE_Z_MINUS); }
    void MoveZPlus() { Move(MOVE_Z_PLUS); }
    void Move(ECursorMove move) { MoveBy(move, m_nStep); }
    void MoveBy(ECursorMove move, int step);
    // Left, Right, Front and Rear along the world axis closest on screen at this azimuth.
    void MoveScreen(EScreenDirection direction, float azimuth) { Move(ScreenMove(direction, azimuth)); }

    int GetStep() const { return m_nStep; }
    void SetStep(int step) { m_nStep = step; }
    int GetColor() const { return m_nColor; }
    void SetColor(int code) { m_nColor = code; }

    // The area: the box between the cursor and the corner, both included.
    int GetAreaX() const { return m_areaX; }
    int GetAreaY() const { return m_areaY; }
    int GetAreaZ() const { return m_areaZ; }
    bool IsArea() const { return m_bArea; }
    bool IsAreaMove() const { return m_bAreaMove; }
    void AreaBegin();
    void AreaCancel();
    void AreaMove() { m_bAreaMove = true; }
    // A box chosen with the mouse: the corner at `from`, the cursor at `to`, both held inside the
    // space; the area is being set, as after AreaBegin and cursor moves. The target stays, so
    // the view does not turn under the pointer.
    void SelectBox(const CCell& from, const CCell& to);

    // Edits of the space: each is one undoable step of the document, which restarts a busy run,
    // marks the document modified and tells this editor, which counts the space as edited. Point set and reset fill the area (and end it) or the
    // cursor cell.
    void PointSet() { Fill(m_nColor, "PointSet"); }
    void PointReset() { Fill(0, "PointReset"); }
    // The double click on the cursor cell: clears a filled cell, fills an empty one.
    void ToggleCursorCell();
    // Copy and Cut put the area (or the cursor cell) into the clipboard and turn move mode on;
    // Paste writes it at the area's low corner (or the cursor), leaving cells that were outside.
    void Copy();
    void Cut();
    void Paste();
    const CSpace& GetClipboard() const { return m_clipboard; }

    // Insert: the block's frame painted with its low corner at the cursor, as one undoable step
    // named `name`, and the cursor on the block's first content cell. Returns "" or, painting
    // nothing, why the block cannot go there.
    std::string InsertBlock(const CBlockStamp& stamp, const char* name);
    // The colour of the cursor cell becomes the painting colour; false (nothing changes) when
    // the cell holds none.
    bool TakeColour();

    // The size commands; the editor starts afresh on the new space.
    void SizeUp();
    void SizeDown();
    // File > Space Size: exact sizes in one undoable edit; the cursor, colour and step stay, a
    // cursor beyond the new sizes comes back to the last cell on that axis. False, changing
    // nothing, when the sizes are not possible.
    bool ResizeSpace(int sizeX, int sizeY, int sizeZ);

    // The editor's part of Run > Start and Run > Back.
    void StartRun();
    void Back();
    bool IsEdited() const { return m_bEdited; }
    // Called after every change the user makes to the space (edits, undo, redo, Back), so a view
    // can drop what it showed of the last step and look at the program again.
    void SetEditListener(std::function<void()> listener) { m_onEdit = std::move(listener); }
    bool IsBackAvailable() const { return m_bBackAvailable; }

    // Undo and redo through the document's history; the cursor goes back where the edit was.
    bool CanUndo() const;
    bool CanRedo() const;
    std::string UndoName() const;  // the command the next undo takes back, or ""
    std::string RedoName() const;
    void Undo();
    void Redo();

private:
    void Fill(int value, const char* name);
    void CopyBox(bool cut);
    SEditMark Mark(const char* name) const { return {name, m_cursorX, m_cursorY, m_cursorZ}; }
    void ReturnTo(const SEditMark& where);

    CTesseraDoc& m_doc;
    int m_nColor = INITIAL_COLOR;
    int m_cursorX = 0, m_cursorY = 0, m_cursorZ = 0;
    float m_targetX = 0.5f, m_targetY = 0.5f, m_targetZ = 0.5f;
    int m_nStep = 1;
    int m_areaX = 0, m_areaY = 0, m_areaZ = 0;
    bool m_bArea = false;
    bool m_bAreaMove = false;
    CSpace m_clipboard{1, 1, 1, 0};
    bool m_bEdited = false;
    std::function<void()> m_onEdit;
    bool m_bBackAvailable = false;
};
