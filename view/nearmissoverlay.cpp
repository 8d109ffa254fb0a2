// Near misses in the Program Blocks overlay: the drawing a block would be, dashed in a warning
// colour none of the block kinds uses, and its cell to change boxed solid in the same colour.
#include <QtGui/qopengl.h>

#include "view/boxedges.h"
#include "view/tesseraview.h"

namespace {
constexpr float WARNING_RGB[3] = {1.0f, 0.15f, 0.1f};
}  // namespace

const CNearMiss* CTesseraView::NearMissAtCursor() const
{
    return nearestNearMiss(m_nearMisses, m_editor.GetCursorX(), m_editor.GetCursorY(), m_editor.GetCursorZ(), 0);
}

void CTesseraView::DrawNearMisses()
{
    if (m_nearMisses.empty()) return;
    glColor3f(WARNING_RGB[0], WARNING_RGB[1], WARNING_RGB[2]);
    glLineWidth(2);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(2, 0x3F3F);
    glBegin(GL_LINES);
    for (const CNearMiss& m : m_nearMisses) {
        const CBox& b = m.box;
        BoxEdgeVertices(b.x0 - 0.09f, b.y0 - 0.09f, b.z0 - 0.09f, b.x1 + 1.09f, b.y1 + 1.09f, b.z1 + 1.09f);
    }
    glEnd();
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(3);
    glBegin(GL_LINES);
    for (const CNearMiss& m : m_nearMisses) {
        const CCell& c = m.cell;
        BoxEdgeVertices(c.x - 0.05f, c.y - 0.05f, c.z - 0.05f, c.x + 1.05f, c.y + 1.05f, c.z + 1.05f);
    }
    glEnd();
    glLineWidth(1);
}
