// CSpaceEditor: the area is the box between the cursor and the area corner, both included. The
// corner is never clamped to the space; the cursor is clamped on every move along that axis but
// not when the space shrinks (Initialise puts it back in the middle).
#include "document/spaceeditor.h"

#include <algorithm>

#include "document/blockstamp.h"
#include "document/tesseradoc.h"

CSpaceEditor::CSpaceEditor(CTesseraDoc& doc) : m_doc(doc) { m_doc.AddListener(this); }

CSpaceEditor::~CSpaceEditor() { m_doc.RemoveListener(this); }

void CSpaceEditor::OnSpaceChanged(ESpaceChange change, const CBox&)
{
    if (change == ESpaceChange::NewSpace) {
        Initialise();
        return;
    }
    if (change == ESpaceChange::Sizes) {
        const int x = std::min(m_cursorX, m_doc.GetSizeX() - 1), y = std::min(m_cursorY, m_doc.GetSizeY() - 1),
                  z = std::min(m_cursorZ, m_doc.GetSizeZ() - 1);
        if (x != m_cursorX || y != m_cursorY || z != m_cursorZ) PlaceCursor(x, y, z);
    }
    // Every change of the space ends what a view showed of the last step; once the space has
    // been edited, every Start takes a new Back copy.
    m_bEdited = true;
    if (m_onEdit) m_onEdit();
}

void CSpaceEditor::Initialise()
{
    m_nStep = 1;
    m_bArea = false;
    m_nColor = INITIAL_COLOR;
    PlaceCursor(m_doc.GetSizeX() / 2, 0, m_doc.GetSizeZ() / 2);
    m_bEdited = false;
    m_doc.SaveBackup();
    m_bBackAvailable = false;
    m_bAreaMove = false;
}

void CSpaceEditor::PlaceCursor(int x, int y, int z)
{
    m_cursorX = x;
    m_cursorY = y;
    m_cursorZ = z;
    TargetCursor();
}

void CSpaceEditor::TargetCursor()
{
    m_targetX = m_cursorX + 0.5f;
    m_targetY = m_cursorY + 0.5f;
    m_targetZ = m_cursorZ + 0.5f;
}

void CSpaceEditor::SetTarget(float x, float y, float z)
{
    m_targetX = x;
    m_targetY = y;
    m_targetZ = z;
}

void CSpaceEditor::SelectBox(const CCell& from, const CCell& to)
{
    const int size[3] = {m_doc.GetSizeX(), m_doc.GetSizeY(), m_doc.GetSizeZ()};
    auto inside = [&size](int v, int axis) { return std::clamp(v, 0, std::max(size[axis] - 1, 0)); };
    m_areaX = inside(from.x, 0);
    m_areaY = inside(from.y, 1);
    m_areaZ = inside(from.z, 2);
    m_cursorX = inside(to.x, 0);
    m_cursorY = inside(to.y, 1);
    m_cursorZ = inside(to.z, 2);
    m_bArea = true;
    m_bAreaMove = false;
}

void CSpaceEditor::MoveBy(ECursorMove move, int step)
{
    int* cursor = &m_cursorX;
    int* area = &m_areaX;
    float* target = &m_targetX;
    int size = 0;
    switch (move) {
    case MOVE_X_MINUS:
    case MOVE_X_PLUS: size = m_doc.GetSizeX(); break;
    case MOVE_Y_MINUS:
    case MOVE_Y_PLUS: cursor = &m_cursorY, area = &m_areaY, target = &m_targetY, size = m_doc.GetSizeY(); break;
    case MOVE_Z_MINUS:
    case MOVE_Z_PLUS: cursor = &m_cursorZ, area = &m_areaZ, target = &m_targetZ, size = m_doc.GetSizeZ(); break;
    }
    const bool plus = move == MOVE_X_PLUS || move == MOVE_Y_PLUS || move == MOVE_Z_PLUS;
    const int old = *cursor;
    int moved = plus ? old + step : old - step;
    if (plus && moved >= size) moved = size - 1;
    if (moved < 0) moved = 0;
    *cursor = moved;
    *target = moved + 0.5f;
    if (m_bAreaMove) *area += moved - old;
}

void CSpaceEditor::AreaBegin()
{
    m_areaX = m_cursorX;
    m_areaY = m_cursorY;
    m_areaZ = m_cursorZ;
    m_bArea = true;
    m_bAreaMove = false;
}

void CSpaceEditor::AreaCancel()
{
    m_bArea = false;
    m_bAreaMove = false;
}

// --- Edits -------------------------------------------------------------------------------

void CSpaceEditor::Fill(int value, const char* name)
{
    const CBox cell(m_cursorX, m_cursorY, m_cursorZ, m_cursorX, m_cursorY, m_cursorZ);
    const bool area = m_bArea;
    m_bArea = false;
    m_doc.FillBox(area ? CBox(m_cursorX, m_cursorY, m_cursorZ, m_areaX, m_areaY, m_areaZ) : cell, value, Mark(name));
}

void CSpaceEditor::ToggleCursorCell()
{
    if (m_doc.GetCell(m_cursorX, m_cursorY, m_cursorZ) != CELL_EMPTY) PointReset();
    else PointSet();
}

// The clipboard takes every cell of the box, 0 included; cells of the box outside the space
// are kept as 2 so that Paste leaves the target there untouched.
void CSpaceEditor::CopyBox(bool cut)
{
    if (!m_bArea) {
        m_areaX = m_cursorX;
        m_areaY = m_cursorY;
        m_areaZ = m_cursorZ;
    }
    const CBox box(m_cursorX, m_cursorY, m_cursorZ, m_areaX, m_areaY, m_areaZ);
    m_clipboard = cut ? m_doc.CutBox(box, Mark("Cut")) : m_doc.ExtractBox(box);
    m_bAreaMove = true;
}

void CSpaceEditor::Copy() { CopyBox(false); }

void CSpaceEditor::Cut() { CopyBox(true); }

void CSpaceEditor::Paste()
{
    int x0 = m_cursorX, y0 = m_cursorY, z0 = m_cursorZ;
    if (m_bArea) {
        x0 = std::min(x0, m_areaX);
        y0 = std::min(y0, m_areaY);
        z0 = std::min(z0, m_areaZ);
    }
    m_doc.PasteBox(x0, y0, z0, m_clipboard, Mark("Paste"));
}

void CSpaceEditor::SizeUp() { m_doc.OnSizeUp(Mark("SizeUp")); }
void CSpaceEditor::SizeDown() { m_doc.OnSizeDown(Mark("SizeDown")); }

bool CSpaceEditor::ResizeSpace(int sizeX, int sizeY, int sizeZ)
{
    // Undo brings the cursor back to where it was; Redo to the nearest cell of the new space.
    // The document tells this editor of the new sizes (OnSpaceChanged).
    return m_doc.ResizeSpace(sizeX, sizeY, sizeZ, Mark("Space Size"));
}

// --- Run ---------------------------------------------------------------------------------

void CSpaceEditor::StartRun()
{
    m_doc.RestartIfBusy();
    m_doc.ClearLeft();
    m_doc.ClearRight();
    // Once the space has been edited, every Start takes a new Back copy; until then the copy
    // taken at load, creation or resize stays.
    if (m_bEdited) m_doc.SaveBackup();
    m_bBackAvailable = true;
    m_doc.StartRun();
}

void CSpaceEditor::Back() { m_doc.RestoreBackup(Mark("Back")); }

// --- Undo and redo -----------------------------------------------------------------------

bool CSpaceEditor::CanUndo() const { return m_doc.GetHistory().CanUndo(); }
bool CSpaceEditor::CanRedo() const { return m_doc.GetHistory().CanRedo(); }

std::string CSpaceEditor::UndoName() const
{
    return CanUndo() ? m_doc.GetHistory().NextUndo().Mark().name : std::string();
}
std::string CSpaceEditor::RedoName() const
{
    return CanRedo() ? m_doc.GetHistory().NextRedo().Mark().name : std::string();
}

// The cursor goes back where the edit was made, inside the space as it is now (a resize may
// have been taken back).
void CSpaceEditor::ReturnTo(const SEditMark& where)
{
    PlaceCursor(std::clamp(where.x, 0, std::max(m_doc.GetSizeX() - 1, 0)),
                std::clamp(where.y, 0, std::max(m_doc.GetSizeY() - 1, 0)),
                std::clamp(where.z, 0, std::max(m_doc.GetSizeZ() - 1, 0)));
}

void CSpaceEditor::Undo()
{
    SEditMark where;
    if (m_doc.Undo(where)) ReturnTo(where);
}

void CSpaceEditor::Redo()
{
    SEditMark where;
    if (m_doc.Redo(where)) ReturnTo(where);
}

std::string CSpaceEditor::InsertBlock(const CBlockStamp& stamp, const char* name)
{
    const std::string problem = stamp.problemAt(m_doc.GetSpace(), m_cursorX, m_cursorY, m_cursorZ);
    if (!problem.empty()) return problem;
    // Only the frame is written: the other cells of the box were found empty and stay as they are.
    CSpace cells(stamp.sizeX(), stamp.sizeY(), stamp.sizeZ(), CELL_OUTSIDE);
    stamp.paint(cells, 0, 0, 0);
    m_doc.PasteBox(m_cursorX, m_cursorY, m_cursorZ, cells, Mark(name));
    const CCell& c = stamp.content();
    PlaceCursor(m_cursorX + c.x, m_cursorY + c.y, m_cursorZ + c.z);
    return {};
}

bool CSpaceEditor::TakeColour()
{
    const int value = m_doc.GetCell(m_cursorX, m_cursorY, m_cursorZ);
    if (value < CELL_WHITE || value > CELL_YELLOW) return false;
    m_nColor = value;
    return true;
}
