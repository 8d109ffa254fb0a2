// Picking by colour. Every pass clears the offscreen target, draws with the view's camera in
// flat colours (no stipple, lines 10 pixels wide) and reads back the one pixel under the mouse.
#include "view/picking.h"

#include <QOpenGLFramebufferObject>
#include <QtGui/qopengl.h>

#include <algorithm>

#include "document/tesseradoc.h"
#include "space/cellcodes.h"
#include "view/tesseraview.h"

namespace {
constexpr float PICK_LINE_WIDTH = 10.0f;
}  // namespace

SPickColour GuidePickColour(int direction)
{
    static const SPickColour colours[GUIDE_DIRECTIONS] = {
        {1, 0, 0},  // -x red
        {0, 1, 1},  // +x cyan
        {0, 1, 0},  // -y green
        {1, 0, 1},  // +y purple
        {0, 0, 1},  // -z blue
        {1, 1, 0},  // +z yellow
    };
    return colours[direction];
}

int ClassifyPickPixel(SPickPixel p)
{
    const bool rh = PickHigh(p.r), gh = PickHigh(p.g), bh = PickHigh(p.b);
    const bool rl = PickLow(p.r), gl = PickLow(p.g), bl = PickLow(p.b);
    if (rh && gl && bl) return GUIDE_X_MINUS;
    if (rl && gh && bh) return GUIDE_X_PLUS;
    if (rl && gh && bl) return GUIDE_Y_MINUS;
    if (rh && gl && bh) return GUIDE_Y_PLUS;
    if (rl && gl && bh) return GUIDE_Z_MINUS;
    if (rh && gh && bl) return GUIDE_Z_PLUS;
    return -1;
}

SGuideSegment UnitGuideSegment(int direction, const int cursor[3], int unit)
{
    SGuideSegment s;
    for (int a = 0; a < 3; a++) s.from[a] = s.to[a] = cursor[a] + 0.5f;
    const int axis = GuideAxis(direction);
    s.from[axis] = float(unit);
    s.to[axis] = float(unit + 1);
    return s;
}

CGuidePicker::CGuidePicker(CTesseraView& view) : m_view(view) {}

CGuidePicker::~CGuidePicker() = default;

void CGuidePicker::Release() { m_target.reset(); }

// Binds the target (made anew when the view's size changed), sets the view's camera and finds
// the pixel under the window point. False when the view has no GL context yet.
bool CGuidePicker::Begin(int x, int y)
{
    if (!m_view.context()) return false;
    const qreal ratio = m_view.devicePixelRatioF();
    const int w = int(m_view.width() * ratio), h = int(m_view.height() * ratio);
    if (w <= 0 || h <= 0) return false;
    m_view.makeCurrent();
    if (!m_target || m_target->size() != QSize(w, h))
        m_target = std::make_unique<QOpenGLFramebufferObject>(QSize(w, h), QOpenGLFramebufferObject::Depth);
    if (!m_target->isValid() || !m_target->bind()) {
        m_view.doneCurrent();
        return false;
    }
    // Window rows run downward, GL rows upward.
    m_px = std::clamp(int(x * ratio), 0, w - 1);
    m_py = std::clamp(h - 1 - int(y * ratio), 0, h - 1);
    m_view.SetupCamera();
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(PICK_LINE_WIDTH);
    return true;
}

void CGuidePicker::End()
{
    m_target->release();
    m_view.doneCurrent();
}

void CGuidePicker::Clear() const { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

SPickPixel CGuidePicker::ReadPixel() const
{
    glFlush();
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(m_px, m_py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

SGuidePick CGuidePicker::PickGuide(int x, int y)
{
    SGuidePick pick;
    if (!Begin(x, y)) return pick;
    Clear();
    for (int d = 0; d < GUIDE_DIRECTIONS; d++) {
        const SPickColour c = GuidePickColour(d);
        glColor3f(c.r, c.g, c.b);
        m_view.DrawGuideNear(d);
        m_view.DrawGuideFar(d);
    }
    pick.direction = ClassifyPickPixel(ReadPixel());
    if (pick.direction >= 0) pick.moves = CountMoves(pick.direction);
    End();
    return pick;
}

// The near segment counts as one move; otherwise unit segments are added outward from the end
// of the near segment until one covers the pixel: the count is the distance to that unit.
int CGuidePicker::CountMoves(int direction)
{
    Clear();
    glColor3f(1, 1, 1);
    m_view.DrawGuideNear(direction);
    if (PickAllHigh(ReadPixel())) return 1;

    CTesseraDoc* doc = m_view.GetDocument();
    const int cursor[3] = {m_view.GetEditor().GetCursorX(), m_view.GetEditor().GetCursorY(), m_view.GetEditor().GetCursorZ()};
    const int size[3] = {doc->GetSizeX(), doc->GetSizeY(), doc->GetSizeZ()};
    const int axis = GuideAxis(direction), k = cursor[axis];
    if (!GuidePlus(direction)) {
        for (int n = k - 4; n >= 0; n--) {
            DrawGuideSegment(UnitGuideSegment(direction, cursor, n));
            if (PickAllHigh(ReadPixel())) return k - n;
        }
    } else {
        // The last unit lies just beyond the space; the clamped moves end at the border.
        for (int i = k + 4; i <= size[axis]; i++) {
            DrawGuideSegment(UnitGuideSegment(direction, cursor, i));
            if (PickAllHigh(ReadPixel())) return i - k;
        }
    }
    return 0;
}

bool CGuidePicker::PickCursorCell(int x, int y)
{
    if (!Begin(x, y)) return false;
    Clear();
    glColor3f(1, 0, 0);
    for (int d = 0; d < GUIDE_DIRECTIONS; d++) m_view.DrawGuideNear(d);
    bool hit = false;
    if (PickAllLow(ReadPixel())) {
        // Only the faces of a white cell turned toward the eye are bright enough to count.
        m_view.DrawRun(m_view.GetEditor().GetCursorX(), m_view.GetEditor().GetCursorY(), m_view.GetEditor().GetCursorZ(), CELL_WHITE, 1);
        hit = PickAllHigh(ReadPixel());
    }
    End();
    return hit;
}
