// Editing commands of the view: each runs the editing model's command and redraws when the
// picture may have changed (Copy, AreaMove and the colour and step choices do not redraw).
#include "document/tesseradoc.h"
#include "view/tesseraview.h"

void CTesseraView::OnMoveUp()
{
    m_editor.MoveUp();
    Redraw();
}

void CTesseraView::OnMoveDown()
{
    m_editor.MoveDown();
    Redraw();
}

void CTesseraView::OnMoveLeft()
{
    m_editor.MoveScreen(SCREEN_LEFT, m_viewpoint.azimuth);
    Redraw();
}

void CTesseraView::OnMoveRight()
{
    m_editor.MoveScreen(SCREEN_RIGHT, m_viewpoint.azimuth);
    Redraw();
}

void CTesseraView::OnMoveFront()
{
    m_editor.MoveScreen(SCREEN_FRONT, m_viewpoint.azimuth);
    Redraw();
}

void CTesseraView::OnMoveRear()
{
    m_editor.MoveScreen(SCREEN_REAR, m_viewpoint.azimuth);
    Redraw();
}

void CTesseraView::OnViewCursor()
{
    m_bCursor = !m_bCursor;
    Redraw();
}

void CTesseraView::OnPointSet()
{
    m_editor.PointSet();
    Redraw();
}

void CTesseraView::OnPointReset()
{
    m_editor.PointReset();
    Redraw();
}

void CTesseraView::OnAreaBegin()
{
    m_editor.AreaBegin();
    Redraw();
}

void CTesseraView::OnAreaCancel()
{
    m_editor.AreaCancel();
    Redraw();
}

void CTesseraView::OnAreaMove() { m_editor.AreaMove(); }

void CTesseraView::OnEditCopy() { m_editor.Copy(); }

void CTesseraView::OnEditCut()
{
    m_editor.Cut();
    Redraw();
}

void CTesseraView::OnEditPaste()
{
    m_editor.Paste();
    Redraw();
}

void CTesseraView::OnEditUndo()
{
    m_editor.Undo();
    Redraw();
}

void CTesseraView::OnEditRedo()
{
    m_editor.Redo();
    Redraw();
}

// The view starts afresh on the new space (OnSpaceChanged), which redraws.
void CTesseraView::OnSizeUp() { m_editor.SizeUp(); }
void CTesseraView::OnSizeDown() { m_editor.SizeDown(); }
