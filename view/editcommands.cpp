// Editing commands of the view: cursor moves, setting and resetting cells or the area, and
// Copy, Cut and Paste through the view's clipboard. The area is the box between the cursor and
// the area corner, both included; the corner is not clamped to the space, the cursor is.
#include <algorithm>

#include "document/tesseradoc.h"
#include "view/tesseraview.h"

// --- Axis moves --------------------------------------------------------------------------

// Moves one cursor coordinate by delta, clamped to [0, size - 1]; the target follows, and in
// move mode the area corner travels by the distance actually moved.
void CTesseraView::MoveAlong(int& cursor, int& area, float& target, int delta, int size)
{
    const int old = cursor;
    int moved = old + delta;
    if (delta > 0 && moved >= size) moved = size - 1;
    if (moved < 0) moved = 0;
    cursor = moved;
    target = cursor + 0.5f;
    if (m_bAreaMove) area += cursor - old;
}

void CTesseraView::MoveXMinus() { MoveAlong(m_cursorX, m_areaX, m_targetX, -m_nStep, m_pDoc->GetSizeX()); }
void CTesseraView::MoveXPlus() { MoveAlong(m_cursorX, m_areaX, m_targetX, m_nStep, m_pDoc->GetSizeX()); }
void CTesseraView::MoveDown() { MoveAlong(m_cursorY, m_areaY, m_targetY, -m_nStep, m_pDoc->GetSizeY()); }
void CTesseraView::MoveUp() { MoveAlong(m_cursorY, m_areaY, m_targetY, m_nStep, m_pDoc->GetSizeY()); }
void CTesseraView::MoveZMinus() { MoveAlong(m_cursorZ, m_areaZ, m_targetZ, -m_nStep, m_pDoc->GetSizeZ()); }
void CTesseraView::MoveZPlus() { MoveAlong(m_cursorZ, m_areaZ, m_targetZ, m_nStep, m_pDoc->GetSizeZ()); }

void CTesseraView::Move(ECursorMove move)
{
    switch (move) {
    case MOVE_X_MINUS: MoveXMinus(); break;
    case MOVE_X_PLUS: MoveXPlus(); break;
    case MOVE_Y_MINUS: MoveDown(); break;
    case MOVE_Y_PLUS: MoveUp(); break;
    case MOVE_Z_MINUS: MoveZMinus(); break;
    case MOVE_Z_PLUS: MoveZPlus(); break;
    }
}

void CTesseraView::OnMoveUp()
{
    MoveUp();
    Redraw();
}

void CTesseraView::OnMoveDown()
{
    MoveDown();
    Redraw();
}

void CTesseraView::OnMoveLeft()
{
    Move(ScreenMove(SCREEN_LEFT, m_azimuth));
    Redraw();
}

void CTesseraView::OnMoveRight()
{
    Move(ScreenMove(SCREEN_RIGHT, m_azimuth));
    Redraw();
}

void CTesseraView::OnMoveFront()
{
    Move(ScreenMove(SCREEN_FRONT, m_azimuth));
    Redraw();
}

void CTesseraView::OnMoveRear()
{
    Move(ScreenMove(SCREEN_REAR, m_azimuth));
    Redraw();
}

void CTesseraView::OnViewCursor()
{
    m_bCursor = !m_bCursor;
    Redraw();
}

// --- Setting cells -----------------------------------------------------------------------

// After every change of the space: a running program restarts from the edited space.
void CTesseraView::EditDone()
{
    m_pDoc->RestartIfBusy();
    ClearStepOverlays();
    ScheduleProgramBlocks();
    Redraw();
    m_bEdited = true;
    m_pDoc->SetModifiedFlag();
}

void CTesseraView::FillArea(int value)
{
    m_pDoc->SetCell(m_cursorX, m_cursorY, m_cursorZ, value);
    if (m_bArea) {
        for (int x = std::min(m_cursorX, m_areaX); x <= std::max(m_cursorX, m_areaX); x++)
            for (int y = std::min(m_cursorY, m_areaY); y <= std::max(m_cursorY, m_areaY); y++)
                for (int z = std::min(m_cursorZ, m_areaZ); z <= std::max(m_cursorZ, m_areaZ); z++)
                    m_pDoc->SetCell(x, y, z, value);
        m_bArea = false;
    }
    EditDone();
}

void CTesseraView::OnPointSet() { FillArea(m_nColor); }
void CTesseraView::OnPointReset() { FillArea(0); }

// --- The area ----------------------------------------------------------------------------

void CTesseraView::OnAreaBegin()
{
    m_areaX = m_cursorX;
    m_areaY = m_cursorY;
    m_areaZ = m_cursorZ;
    m_bArea = true;
    m_bAreaMove = false;
    Redraw();
}

void CTesseraView::OnAreaCancel()
{
    m_bArea = false;
    m_bAreaMove = false;
    Redraw();
}

void CTesseraView::OnAreaMove() { m_bAreaMove = true; }

// --- Clipboard ---------------------------------------------------------------------------

// Copies the area (or the cursor cell alone) into the clipboard; cells of the box outside the
// space are kept as 2 so that Paste leaves the target there untouched.
void CTesseraView::CopyBox(bool cut)
{
    if (!m_bArea) {
        m_areaX = m_cursorX;
        m_areaY = m_cursorY;
        m_areaZ = m_cursorZ;
    }
    const int x0 = std::min(m_cursorX, m_areaX), y0 = std::min(m_cursorY, m_areaY), z0 = std::min(m_cursorZ, m_areaZ);
    const int w = std::max(m_cursorX, m_areaX) - x0 + 1;
    const int h = std::max(m_cursorY, m_areaY) - y0 + 1;
    const int d = std::max(m_cursorZ, m_areaZ) - z0 + 1;
    m_clipboard = CSpace(w, h, d, 0);
    for (int i = 0; i < w; i++)
        for (int j = 0; j < h; j++)
            for (int k = 0; k < d; k++) {
                m_clipboard.set(i, j, k, m_pDoc->GetCell(x0 + i, y0 + j, z0 + k));
                if (cut) m_pDoc->SetCell(x0 + i, y0 + j, z0 + k, 0);
            }
    m_bAreaMove = true;
}

void CTesseraView::OnEditCopy() { CopyBox(false); }

void CTesseraView::OnEditCut()
{
    CopyBox(true);
    EditDone();
}

void CTesseraView::OnEditPaste()
{
    int x0 = m_cursorX, y0 = m_cursorY, z0 = m_cursorZ;
    if (m_bArea) {
        x0 = std::min(x0, m_areaX);
        y0 = std::min(y0, m_areaY);
        z0 = std::min(z0, m_areaZ);
    }
    for (int i = 0; i < m_clipboard.getSizeX(); i++)
        for (int j = 0; j < m_clipboard.getSizeY(); j++)
            for (int k = 0; k < m_clipboard.getSizeZ(); k++) {
                const int v = m_clipboard.get(i, j, k);
                if (v != 2) m_pDoc->SetCell(x0 + i, y0 + j, z0 + k, v);
            }
    EditDone();
}
