// Viewpoint commands: the eye orbits the target (the middle of the cursor cell), rises and sinks
// up to just short of straight above or below, and zooms no nearer than two cells.
#include <algorithm>
#include <cmath>

#include "document/tesseradoc.h"
#include "view/eyenavigation.h"
#include "view/tesseraview.h"

using namespace viewpoint;

void CTesseraView::EyeUp()
{
    m_elevation = float(m_elevation + RAISE_STEP);
    if (m_elevation > ELEVATION_LIMIT) m_elevation = ELEVATION_LIMIT;
}

void CTesseraView::EyeDown()
{
    m_elevation = float(m_elevation - RAISE_STEP);
    if (m_elevation < -ELEVATION_LIMIT) m_elevation = -ELEVATION_LIMIT;
}

// The azimuth is never wrapped; the cursor commands reduce it themselves.
void CTesseraView::EyeLeft() { m_azimuth = float(m_azimuth - TURN_STEP); }
void CTesseraView::EyeRight() { m_azimuth = float(m_azimuth + TURN_STEP); }

void CTesseraView::ZoomIn()
{
    m_distance *= ZOOM_IN;
    if (m_distance < NEAREST) m_distance = NEAREST;
}

// No upper limit, but the distance stays finite so that the camera can always come back.
void CTesseraView::ZoomOut()
{
    const float farther = m_distance * ZOOM_OUT;
    if (std::isfinite(farther)) m_distance = farther;
}

void CTesseraView::ResetView()
{
    m_editor.TargetCursor();
    m_elevation = DEFAULT_ELEVATION;
    m_azimuth = DEFAULT_AZIMUTH;
    m_distance = float(m_pDoc->GetSizeY() + m_pDoc->GetSizeZ());
}

void CTesseraView::OnEyeUp()
{
    EyeUp();
    Redraw();
}

void CTesseraView::OnEyeDown()
{
    EyeDown();
    Redraw();
}

void CTesseraView::OnEyeLeft()
{
    EyeLeft();
    Redraw();
}

void CTesseraView::OnEyeRight()
{
    EyeRight();
    Redraw();
}

void CTesseraView::OnZoomIn()
{
    ZoomIn();
    Redraw();
}

void CTesseraView::OnZoomOut()
{
    ZoomOut();
    Redraw();
}

void CTesseraView::OnResetView()
{
    ResetView();
    Redraw();
}

// --- Fit Space ----------------------------------------------------------------------------

float CTesseraView::FitSpaceDistance() const
{
    const SVec3 size = {float(m_pDoc->GetSizeX()), float(m_pDoc->GetSizeY()), float(m_pDoc->GetSizeZ())};
    const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
    return FitDistance(size, {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, {m_elevation, m_azimuth}, aspect);
}

// The eye keeps looking at the cursor from the same direction; only its distance changes.
void CTesseraView::FitSpace()
{
    m_editor.TargetCursor();
    m_distance = FitSpaceDistance();
    m_bFitPending = false;
}

void CTesseraView::FitCells()
{
    const CSpace space = m_pDoc->GetSpace();
    int lo[3] = {space.getSizeX(), space.getSizeY(), space.getSizeZ()}, hi[3] = {-1, -1, -1};
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++)
            for (int x = 0; x < space.getSizeX(); x++) {
                if (space.get(x, y, z) == 0) continue;
                const int c[3] = {x, y, z};
                for (int a = 0; a < 3; a++) {
                    lo[a] = std::min(lo[a], c[a]);
                    hi[a] = std::max(hi[a], c[a]);
                }
            }
    if (hi[0] < 0) return;
    PlaceCursor((lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2);
    const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
    m_distance = FitBoxDistance({float(lo[0]), float(lo[1]), float(lo[2])},
                                {float(hi[0] + 1), float(hi[1] + 1), float(hi[2] + 1)},
                                {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, {m_elevation, m_azimuth}, aspect);
    m_bFitPending = false;
}

void CTesseraView::OnFitSpace()
{
    FitSpace();
    Redraw();
}

void CTesseraView::FitIfTooLarge()
{
    m_bFitPending = true;
    Redraw();
}

// A newly opened space that does not fit the first view is fitted, once the view has the size
// it is shown at.
void CTesseraView::FitIfPending()
{
    if (!m_bFitPending || !isVisible() || width() <= 0 || height() <= 0) return;
    m_bFitPending = false;
    const float fit = FitSpaceDistance();
    if (fit > m_distance) m_distance = fit;
}

void CTesseraView::OnViewCellEdges()
{
    m_bCellEdges = !m_bCellEdges;
    Redraw();
}
