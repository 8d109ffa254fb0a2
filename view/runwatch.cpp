// CTesseraView: the overlays of a run. They outline what the last step wrote and the rule groups
// it applied (kept by the run watcher), and every program block the reader recognises
// (recomputed shortly after edits and steps, not on every one).
#include <QTimer>
#include <QtGui/qopengl.h>

#include <algorithm>

#include "document/tesseradoc.h"
#include "view/boxedges.h"
#include "view/runwatcher.h"
#include "view/tesseraview.h"

namespace {
// Program blocks are scanned at most this often while the space keeps changing.
constexpr int BLOCKS_DELAY_MS = 200;

// A drawing's outline, a little outside its cells so that it is not hidden by them.
void OutlineBox(const CBox& b, float margin)
{
    BoxEdgeVertices(b.x0 - margin, b.y0 - margin, b.z0 - margin, b.x1 + 1 + margin, b.y1 + 1 + margin, b.z1 + 1 + margin);
}

// One colour per kind of block.
void BlockKindColour(CBlockKind kind, float rgb[3])
{
    static const float colours[][3] = {
        {0.0f, 1.0f, 1.0f},   // work area: cyan
        {1.0f, 0.2f, 1.0f},   // rule group: magenta
        {1.0f, 0.6f, 0.0f},   // sequence: orange
        {1.0f, 1.0f, 0.3f},   // declaration: yellow
        {0.4f, 1.0f, 0.4f},   // sub-program: light green
        {1.0f, 1.0f, 1.0f},   // instance frame: white
        {0.5f, 0.7f, 1.0f},   // other window: light blue
    };
    const float* c = colours[int(kind)];
    std::copy(c, c + 3, rgb);
}
}  // namespace

void CTesseraView::OnViewProgramBlocks()
{
    m_bProgramBlocks = !m_bProgramBlocks;
    m_blocks.clear();
    m_nearMisses.clear();
    if (m_bProgramBlocks) RefreshProgramBlocks();
    Redraw();
}

void CTesseraView::RefreshProgramBlocks()
{
    if (!m_bProgramBlocks) return;
    const CSpace space = m_pDoc->GetSpace();
    m_blocks = catalogueBlocks(space);
    m_nearMisses = findNearMisses(space);
}

void CTesseraView::ScheduleProgramBlocks()
{
    if (!m_bProgramBlocks) return;
    if (!m_blocksTimer) {
        m_blocksTimer = new QTimer(this);
        m_blocksTimer->setSingleShot(true);
        m_blocksTimer->setInterval(BLOCKS_DELAY_MS);
        connect(m_blocksTimer, &QTimer::timeout, this, [this] {
            RefreshProgramBlocks();
            Redraw();
        });
    }
    // Started once and not pushed back, so that a run that keeps changing the space still sees
    // its blocks renewed a few times a second.
    if (!m_blocksTimer->isActive()) m_blocksTimer->start();
}

void CTesseraView::DrawOverlays()
{
    DrawNearMisses();
    const std::vector<CCell>& changes = m_watcher->GetChanges();
    const std::vector<CAppliedGroup>& applied = m_watcher->GetAppliedRules();
    if (changes.empty() && applied.empty() && m_blocks.empty()) return;
    glDisable(GL_LINE_STIPPLE);
    if (!changes.empty()) {
        glLineWidth(1);
        glColor3f(1.0f, 1.0f, 0.6f);
        glBegin(GL_LINES);
        for (const CCell& c : changes) BoxEdgeVertices(c.x - 0.04f, c.y - 0.04f, c.z - 0.04f, c.x + 1.04f, c.y + 1.04f, c.z + 1.04f);
        glEnd();
    }
    if (!applied.empty()) {
        glLineWidth(3);
        glColor3f(1.0f, 0.2f, 1.0f);
        glBegin(GL_LINES);
        for (const CAppliedGroup& g : applied)
            if (g.drawn) OutlineBox(g.drawing, 0.12f);
        glEnd();
    }
    if (!m_blocks.empty()) {
        glLineWidth(2);
        glBegin(GL_LINES);
        for (const CBlockEntry& b : m_blocks) {
            float rgb[3];
            BlockKindColour(b.kind, rgb);
            glColor3f(rgb[0], rgb[1], rgb[2]);
            OutlineBox(b.box, 0.06f);
        }
        glEnd();
    }
    glLineWidth(1);
}
