// Drawing the scene with GL 1.1: the camera, the cells' faces (kept between frames as textures
// of the planes between layers of cells), and in immediate mode the cursor and area boxes, the
// six guide lines and the floor.
#include <QOpenGLContext>
#include <QtGui/qopengl.h>

#include <GL/glu.h>

#include <cmath>
#include <cstring>

#include "document/tesseradoc.h"
#include "view/boxedges.h"
#include "view/celledges.h"
#include "view/cellshading.h"
#include "view/guidesegment.h"
#include "view/runfaces.h"
#include "view/planecache.h"
#include "view/tesseraview.h"

namespace {
// The twelve edges of the box [lo, hi], as line pairs.
void BoxEdges(const float lo[3], const float hi[3])
{
    glBegin(GL_LINES);
    BoxEdgeVertices(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    glEnd();
}

// A box outline dashed white and black (two passes with complementary stipples).
void DashedBox(const float lo[3], const float hi[3], float width)
{
    glLineWidth(width);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0xAAAA);
    glColor3f(1, 1, 1);
    BoxEdges(lo, hi);
    glLineStipple(1, 0x5555);
    glColor3f(0, 0, 0);
    BoxEdges(lo, hi);
    glDisable(GL_LINE_STIPPLE);
}
}  // namespace

void DrawGuideSegment(const SGuideSegment& s)
{
    glBegin(GL_LINES);
    glVertex3f(s.from[0], s.from[1], s.from[2]);
    glVertex3f(s.to[0], s.to[1], s.to[2]);
    glEnd();
}

SVec3 CTesseraView::Eye() const
{
    return EyePosition({m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()}, m_viewpoint.elevation, m_viewpoint.azimuth, m_viewpoint.distance);
}

void CTesseraView::SetupCamera() { SetupCamera(int(width() * devicePixelRatioF()), int(height() * devicePixelRatioF())); }

void CTesseraView::SetupCamera(int w, int h)
{
    const SVec3 size = {float(m_pDoc->GetSizeX()), float(m_pDoc->GetSizeY()), float(m_pDoc->GetSizeZ())};
    const SVec3 target = {m_editor.GetTargetX(), m_editor.GetTargetY(), m_editor.GetTargetZ()};
    const SVec3 eye = Eye();
    const SClipPlanes planes = ComputeClipPlanes(size, target, eye, m_viewpoint.distance);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glViewport(0, 0, w, h);
    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(viewpoint::FIELD_OF_VIEW, h > 0 ? double(w) / h : 1.0, planes.zNear, planes.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
}

void CTesseraView::DrawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawCells();
    DrawOverlays();
    if (m_bCursor) {
        if (m_editor.IsArea()) DrawAreaBox();
        DrawCursorBox();
        DrawGuides();
    }
    DrawFloor();
    glFlush();
}

void CTesseraView::DrawCells()
{
    const SVec3 eye = Eye();
    const int ex = EyeCellIndex(eye.x), ey = EyeCellIndex(eye.y), ez = EyeCellIndex(eye.z);
    const float eyeAt[3] = {eye.x, eye.y, eye.z};

    // The faces live in the view's GL context; a context without Qt (an offscreen picture)
    // gets its own for its one frame.
    QOpenGLContext* context = QOpenGLContext::currentContext();
    CPlaneCache oneFrame;
    CPlaneCache& cache = context ? *m_planeCache : oneFrame;

    // One lock for the whole scan: a running interpreter waits for the frame, not per cell. The
    // faces are kept between frames; only the tiles around cells that changed are built again.
    // An eye move builds nothing.
    m_pDoc->Lock();
    const CSpace& space = m_pDoc->SpaceUnlocked();
    // Faces against non-empty neighbours are left out, unless the eye sits inside a cell.
    const int cx = EyeCellIndex(std::floor(eye.x)), cy = EyeCellIndex(std::floor(eye.y)), cz = EyeCellIndex(std::floor(eye.z));
    const bool eyeInCell = cx >= 0 && cy >= 0 && cz >= 0 && cx < space.getSizeX() && cy < space.getSizeY() &&
                           cz < space.getSizeZ() && space.get(cx, cy, cz) != 0;
    const bool cull = m_bSkipCovered && !eyeInCell;
    cache.Update(space, cull, m_pDoc->GetLink().spaceChanges);
    m_pDoc->Unlock();

    // With edges, the outline texture, one square per cell, modulates each face's colour. The
    // view's context keeps it (a software renderer compiles its shading anew for a new
    // texture); a context without Qt makes one for its one frame.
    if (m_bCellEdges && (!context || context != m_edgeTextureContext)) {
        const std::vector<unsigned char> texels = EdgeTexture();
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, EDGE_TEXTURE_SIZE, EDGE_TEXTURE_SIZE, GL_RGBA, GL_UNSIGNED_BYTE,
                          texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
        m_edgeTexture = texture;
        m_edgeTextureContext = context;
    }
    cache.Draw(eyeAt, ex, ey, ez, m_bCellEdges ? m_edgeTexture : 0);
    if (!context) {
        if (m_bCellEdges) {
            glDeleteTextures(1, &m_edgeTexture);
            m_edgeTexture = 0;
        }
        cache.ReleaseGL();
    }
}

std::size_t CTesseraView::DrawnFaceCount() const { return m_planeCache->DrawnFaceCount(); }
std::size_t CTesseraView::DrawnQuadCount() const { return m_planeCache->DrawnQuadCount(); }

void CTesseraView::DrawRun(int x0, int y, int z, int value, int length)
{
    const SVec3 eye = Eye();
    SFace faces[3];
    const int n = RunFaces(x0, y, z, value, length, EyeCellIndex(eye.x), EyeCellIndex(eye.y), EyeCellIndex(eye.z), faces);
    glBegin(GL_QUADS);
    for (int f = 0; f < n; f++) {
        glColor3f(faces[f].colour.r, faces[f].colour.g, faces[f].colour.b);
        for (const float* c : faces[f].corner) glVertex3fv(c);
    }
    glEnd();
}

void CTesseraView::DrawCursorBox()
{
    const float lo[3] = {m_editor.GetCursorX() - 0.1f, m_editor.GetCursorY() - 0.1f, m_editor.GetCursorZ() - 0.1f};
    const float hi[3] = {m_editor.GetCursorX() + 1.1f, m_editor.GetCursorY() + 1.1f, m_editor.GetCursorZ() + 1.1f};
    DashedBox(lo, hi, 2);
}

void CTesseraView::DrawAreaBox()
{
    const int c[3] = {m_editor.GetCursorX(), m_editor.GetCursorY(), m_editor.GetCursorZ()}, a[3] = {m_editor.GetAreaX(), m_editor.GetAreaY(), m_editor.GetAreaZ()};
    float lo[3], hi[3];
    for (int i = 0; i < 3; i++) {
        lo[i] = std::min(c[i], a[i]) - 0.1f;
        hi[i] = std::max(c[i], a[i]) + 1.1f;
    }
    DashedBox(lo, hi, 1);
}

void CTesseraView::DrawGuideNear(int direction)
{
    const int cursor[3] = {m_editor.GetCursorX(), m_editor.GetCursorY(), m_editor.GetCursorZ()};
    const int size[3] = {m_pDoc->GetSizeX(), m_pDoc->GetSizeY(), m_pDoc->GetSizeZ()};
    SGuideSegment s;
    if (NearGuideSegment(direction, cursor, size, s)) DrawGuideSegment(s);
}

void CTesseraView::DrawGuideFar(int direction)
{
    const int cursor[3] = {m_editor.GetCursorX(), m_editor.GetCursorY(), m_editor.GetCursorZ()};
    const int size[3] = {m_pDoc->GetSizeX(), m_pDoc->GetSizeY(), m_pDoc->GetSizeZ()};
    SGuideSegment s;
    if (FarGuideSegment(direction, cursor, size, s)) DrawGuideSegment(s);
}

void CTesseraView::DrawGuides()
{
    // Short dashes near the cursor, long dashes beyond; white then the complementary black.
    glLineWidth(8);
    glEnable(GL_LINE_STIPPLE);
    const struct {
        GLushort pattern;
        float grey;
    } passes[2] = {{0xAAAA, 1.0f}, {0x5555, 0.0f}};
    for (const auto& pass : passes) {
        glColor3f(pass.grey, pass.grey, pass.grey);
        glLineStipple(1, pass.pattern);
        for (int d = 0; d < GUIDE_DIRECTIONS; d++) DrawGuideNear(d);
        glLineStipple(2, pass.pattern);
        for (int d = 0; d < GUIDE_DIRECTIONS; d++) DrawGuideFar(d);
    }
    glDisable(GL_LINE_STIPPLE);
}

void CTesseraView::DrawFloor()
{
    if (m_editor.GetTargetY() + m_viewpoint.distance * std::sin(m_viewpoint.elevation) < 0) return;  // eye below the floor
    const float sx = float(m_pDoc->GetSizeX()), sz = float(m_pDoc->GetSizeZ());
    const float grey = m_pDoc->GetSizeY() == 1 ? FLOOR_GREY_FLAT : FLOOR_GREY_SOLID;
    glColor3f(grey, grey, grey);
    if (m_bCellEdges) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
    }
    glBegin(GL_QUADS);
    glVertex3f(0, 0, 0);
    glVertex3f(sx, 0, 0);
    glVertex3f(sx, 0, sz);
    glVertex3f(0, 0, sz);
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
    if (!m_bCellEdges) return;
    // The grid: one line at every whole x and z across the floor.
    std::vector<float> grid;
    AppendFloorGrid(m_pDoc->GetSizeX(), m_pDoc->GetSizeZ(), grid);
    const float line = FloorGridGrey(grey);
    glColor3f(line, line, line);
    glLineWidth(1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, grid.data());
    glDrawArrays(GL_LINES, 0, GLsizei(grid.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
}
