// Mouse navigation beside the clicks of the view: dragging with the middle button, or with the
// left button while Alt is held, orbits the eye around its target, Shift + middle drag pans it,
// and the wheel zooms toward the point under the pointer. Ctrl + left drag chooses the area. A
// plain left or right press keeps its meaning (picking, and the clicks a running program
// reads); a Ctrl + left press, and an Alt + left press that orbits, still reach the program
// as a left press.
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

#include "document/tesseradoc.h"
#include "view/eyenavigation.h"
#include "view/picking.h"
#include "view/tesseraview.h"

bool CTesseraView::BeginDrag(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool middle = event->button() == Qt::MiddleButton;
    const bool left = event->button() == Qt::LeftButton;
    const QPoint at = event->position().toPoint();
    if (left && (keys & Qt::ControlModifier)) {
        m_pDoc->PressLeft();
        CCell from;
        m_bSelecting = m_bCursor && CellUnder(at, from);
        if (m_bSelecting) {
            m_selectFrom = from;
            m_editor.SelectBox(from, from);
            Redraw();
        }
    } else if (middle && (keys & Qt::ShiftModifier)) {
        m_bPanning = true;
        m_panFrom = {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()};
    } else if (middle || (left && (keys & Qt::AltModifier))) {
        // A running program's mouse picture records every left press in the view, one that
        // starts an orbit too (the second press of a double click is no new press, as without Alt).
        if (left && event->type() == QEvent::MouseButtonPress) m_pDoc->PressLeft();
        m_bOrbiting = true;
        m_orbitElevation = m_viewpoint.elevation;
        m_orbitAzimuth = m_viewpoint.azimuth;
    } else {
        return false;
    }
    m_orbitFrom = at;
    event->accept();
    return true;
}

// The cell whose face or floor square lies under the pointer (or, over nothing, the cell at
// the target's depth there), held inside the space by the caller.
bool CTesseraView::CellUnder(QPoint at, CCell& cell)
{
    SScenePick pick;
    if (!m_picker->PickScenePoint(at.x(), at.y(), pick)) return false;
    // A point on a face lies on the border of two cells: the one beyond the face is meant.
    const float in = pick.onScene ? 0.01f : 0.0f;
    cell.x = int(std::floor(pick.point.x + pick.along.x * in));
    cell.y = int(std::floor(pick.point.y + pick.along.y * in));
    cell.z = int(std::floor(pick.point.z + pick.along.z * in));
    return true;
}

void CTesseraView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QPoint d = at - m_orbitFrom;
    if (m_bOrbiting) {
        const SEyeAngles eye = OrbitByDrag({m_orbitElevation, m_orbitAzimuth}, float(d.x()), float(d.y()));
        m_viewpoint.elevation = eye.elevation;
        m_viewpoint.azimuth = eye.azimuth;
    } else if (m_bPanning) {
        const SViewPoint t = m_viewpoint.Pan(m_panFrom, float(d.x()), float(d.y()), float(height()));
        m_editor.SetTarget(t.x, t.y, t.z);
    } else if (m_bSelecting) {
        CCell to;
        if (!CellUnder(at, to)) return;
        m_editor.SelectBox(m_selectFrom, to);
    } else {
        QOpenGLWidget::mouseMoveEvent(event);
        return;
    }
    Redraw();
    event->accept();
}

void CTesseraView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool middle = event->button() == Qt::MiddleButton, left = event->button() == Qt::LeftButton;
    if ((m_bOrbiting && (middle || left)) || (m_bPanning && middle) || (m_bSelecting && left)) {
        m_bOrbiting = m_bPanning = m_bSelecting = false;
        event->accept();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

// Wheel away from the user: nearer, toward what lies under the pointer. Fine-grained wheels and
// touchpads add up to whole notches.
void CTesseraView::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / WHEEL_NOTCH;
    m_wheelRemainder -= notches * WHEEL_NOTCH;
    if (notches != 0) {
        const float distance = ZoomByNotches(m_viewpoint.distance, notches);
        const QPoint at = event->position().toPoint();
        SScenePick pick;
        if (m_picker->PickScenePoint(at.x(), at.y(), pick)) {
            const SViewPoint t = m_viewpoint.ZoomToward({m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, pick.point, distance);
            m_editor.SetTarget(t.x, t.y, t.z);
        }
        m_viewpoint.distance = distance;
        Redraw();
    }
    event->accept();
}
