// The viewpoint's operations that need the view: Reset looks at the cursor from the start, Fit
// Space and Fit Cells choose the eye's distance for the view's shape.
#include <algorithm>
#include <cmath>

#include "document/tesseradoc.h"
#include "view/eyenavigation.h"
#include "view/tesseraview.h"

using namespace viewpoint;

void CTesseraView::ResetView()
{
    m_editor.TargetCursor();
    m_viewpoint.Reset(m_pDoc->GetSizeY(), m_pDoc->GetSizeZ());
}

// --- Fit Space ----------------------------------------------------------------------------

float CTesseraView::FitSpaceDistance() const
{
    const SVec3 size = {float(m_pDoc->GetSizeX()), float(m_pDoc->GetSizeY()), float(m_pDoc->GetSizeZ())};
    const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
    return FitDistance(size, {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, {m_viewpoint.elevation, m_viewpoint.azimuth}, aspect);
}

// The eye keeps looking at the cursor from the same direction; only its distance changes.
void CTesseraView::FitSpace()
{
    m_editor.TargetCursor();
    m_viewpoint.distance = FitSpaceDistance();
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
    m_editor.PlaceCursor((lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2);
    const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
    m_viewpoint.distance = FitBoxDistance({float(lo[0]), float(lo[1]), float(lo[2])},
                                {float(hi[0] + 1), float(hi[1] + 1), float(hi[2] + 1)},
                                {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, {m_viewpoint.elevation, m_viewpoint.azimuth}, aspect);
    m_bFitPending = false;
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
    if (fit > m_viewpoint.distance) m_viewpoint.distance = fit;
}

void CTesseraView::OnViewCellEdges()
{
    m_bCellEdges = !m_bCellEdges;
    Redraw();
}
