// Picking by colour. Every pass clears the offscreen target, draws with the view's camera in
// flat colours (no stipple, lines 10 pixels wide) and reads back the one pixel under the mouse.
#include "view/picking.h"

#include <QOpenGLFramebufferObject>
#include <QtGui/qopengl.h>

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "document/tesseradoc.h"
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
    // The lines meet in the cursor cell; a click there is on the cell, not on a line.
    MaskCursorCell(0);
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

// The cell comes first: the guide lines run through its middle, so a click on its face would
// otherwise land on whichever line passes there. Every side of it that faces the eye counts.
bool CGuidePicker::PickCursorCell(int x, int y)
{
    if (!Begin(x, y)) return false;
    Clear();
    MaskCursorCell(1);
    const bool hit = PickAllHigh(ReadPixel());
    End();
    return hit;
}

// The cursor cell's box in one flat grey level, over whatever was drawn before.
void CGuidePicker::MaskCursorCell(float level)
{
    const float lo[3] = {float(m_view.GetEditor().GetCursorX()), float(m_view.GetEditor().GetCursorY()), float(m_view.GetEditor().GetCursorZ())};
    const float hi[3] = {lo[0] + 1, lo[1] + 1, lo[2] + 1};
    glDisable(GL_DEPTH_TEST);
    glColor3f(level, level, level);
    glBegin(GL_QUADS);
    for (int axis = 0; axis < 3; axis++)
        for (int side = 0; side < 2; side++) {
            // The face at lo or hi on this axis, its corners around the other two.
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            for (int corner = 0; corner < 4; corner++) {
                float p[3];
                p[axis] = side ? hi[axis] : lo[axis];
                p[u] = corner == 1 || corner == 2 ? hi[u] : lo[u];
                p[v] = corner >= 2 ? hi[v] : lo[v];
                glVertex3fv(p);
            }
        }
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

bool CGuidePicker::PickScenePoint(int x, int y, SScenePick& pick)
{
    if (!Begin(x, y)) return false;
    Clear();
    m_view.DrawCells();
    m_view.DrawFloor();
    glFlush();
    float depth = 1;
    glReadPixels(m_px, m_py, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    End();

    const double wx = m_px + 0.5, wy = m_py + 0.5;
    GLdouble a[3], b[3], p[3];
    gluUnProject(wx, wy, 0, model, projection, viewport, &a[0], &a[1], &a[2]);
    gluUnProject(wx, wy, 1, model, projection, viewport, &b[0], &b[1], &b[2]);
    const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (length <= 0) return false;
    pick.along = {float(d[0] / length), float(d[1] / length), float(d[2] / length)};
    pick.onScene = depth < 1;
    if (pick.onScene) {
        gluUnProject(wx, wy, depth, model, projection, viewport, &p[0], &p[1], &p[2]);
    } else {
        // Nothing drawn there: the plane through the target, square to the line of sight.
        float right[3], up[3], f[3];
        m_view.m_viewpoint.Axes(right, up, f);
        const double t[3] = {m_view.GetEditor().GetTargetX() - a[0], m_view.GetEditor().GetTargetY() - a[1], m_view.GetEditor().GetTargetZ() - a[2]};
        const double s = (t[0] * f[0] + t[1] * f[1] + t[2] * f[2]) / (d[0] * f[0] + d[1] * f[1] + d[2] * f[2]);
        for (int i = 0; i < 3; i++) p[i] = a[i] + s * d[i];
    }
    pick.point = {float(p[0]), float(p[1]), float(p[2])};
    return true;
}
