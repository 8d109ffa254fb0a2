// Mouse navigation beside the clicks of the view: dragging with the middle button, or with the
// left button while Alt is held, orbits the eye around its target; the wheel zooms. A plain
// left or right press keeps its meaning (picking, and the clicks a running program reads); an
// Alt + left press picks nothing but still reaches a running program as a left press.
#include <QMouseEvent>
#include <QWheelEvent>

#include "document/tesseradoc.h"
#include "view/eyenavigation.h"
#include "view/tesseraview.h"

bool CTesseraView::BeginOrbit(QMouseEvent* event)
{
    const bool middle = event->button() == Qt::MiddleButton;
    const bool altLeft = event->button() == Qt::LeftButton && (event->modifiers() & Qt::AltModifier);
    if (!middle && !altLeft) return false;
    // A running program's mouse picture records every left press in the view, one that starts
    // an orbit too (the second press of a double click is no new press, as without Alt).
    if (altLeft && event->type() == QEvent::MouseButtonPress) m_pDoc->PressLeft();
    m_bOrbiting = true;
    m_orbitFrom = event->position().toPoint();
    m_orbitElevation = m_viewpoint.elevation;
    m_orbitAzimuth = m_viewpoint.azimuth;
    event->accept();
    return true;
}

void CTesseraView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bOrbiting) {
        QOpenGLWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint d = event->position().toPoint() - m_orbitFrom;
    const SEyeAngles eye = OrbitByDrag({m_orbitElevation, m_orbitAzimuth}, float(d.x()), float(d.y()));
    m_viewpoint.elevation = eye.elevation;
    m_viewpoint.azimuth = eye.azimuth;
    Redraw();
    event->accept();
}

void CTesseraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bOrbiting && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
        m_bOrbiting = false;
        event->accept();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

// Wheel away from the user: nearer. Fine-grained wheels and touchpads add up to whole notches.
void CTesseraView::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / WHEEL_NOTCH;
    m_wheelRemainder -= notches * WHEEL_NOTCH;
    if (notches != 0) {
        m_viewpoint.distance = ZoomByNotches(m_viewpoint.distance, notches);
        Redraw();
    }
    event->accept();
}
