// The cells' faces kept per brick in GL buffers; see scenecache.h. A brick's faces depend on
// its own cells, on the cells around it (a face against a non-empty neighbour is left out) and,
// for runs reaching past its x end, on the bricks they reach: a brick is built again when any
// brick in that box changed.
#define GL_GLEXT_PROTOTYPES 1
#include "view/scenecache.h"

#include <QtGui/qopengl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "space/space.h"

CSceneCache::CSceneCache() = default;
CSceneCache::~CSceneCache() = default;  // GL objects go with their context (ReleaseGL)

void CSceneCache::Clear()
{
    m_bricks.clear();
    m_counted = false;
    m_sx = m_sy = m_sz = 0;
    m_nx = m_ny = m_nz = 0;
}

void CSceneCache::ReleaseGL()
{
    for (SBrick& b : m_bricks)
        if (b.buffer) glDeleteBuffers(1, &b.buffer);
    if (m_indexBuffer) glDeleteBuffers(1, &m_indexBuffer);
    if (m_boundsBuffer) glDeleteBuffers(1, &m_boundsBuffer);
    m_boundsBuffer = 0;
    m_boundsBricks = 0;
    if (!m_queries.empty()) glDeleteQueries(GLsizei(m_queries.size()), m_queries.data());
    m_queries.clear();
    m_indexBuffer = 0;
    m_indexFaces = 0;
    m_baseVertex = false;
    Clear();
}

std::size_t CSceneCache::FaceCount() const
{
    std::size_t n = 0;
    for (const SBrick& b : m_bricks) n += std::size_t(b.faces.FaceCount());
    return n;
}

SBrickBox CSceneCache::BoxOf(int index) const
{
    const int bx = index % m_nx, by = index / m_nx % m_ny, bz = index / (m_nx * m_ny);
    return {bx * BRICK_X, std::min(m_sx, (bx + 1) * BRICK_X), by * BRICK_Y, std::min(m_sy, (by + 1) * BRICK_Y),
            bz * BRICK_Z, std::min(m_sz, (bz + 1) * BRICK_Z)};
}

bool CSceneCache::Changed(const SBrick& brick, const SBrickBox& box, const CSpace& space) const
{
    if (!brick.built) return true;
    const int* cells = space.data();
    const std::size_t w = std::size_t(box.x1 - box.x0);
    const int* kept = brick.cells.data();
    for (int z = box.z0; z < box.z1; z++)
        for (int y = box.y0; y < box.y1; y++, kept += w)
            if (std::memcmp(kept, cells + box.x0 + std::size_t(m_sx) * (y + std::size_t(m_sy) * z), w * sizeof(int)) !=
                0)
                return true;
    return false;
}

int CSceneCache::Update(const CSpace& space, bool cull, unsigned long changes)
{
    const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
    if (m_counted && changes == m_changes && sx == m_sx && sy == m_sy && sz == m_sz && cull == m_cull) return 0;
    if (sx != m_sx || sy != m_sy || sz != m_sz || cull != m_cull) {
        // The buffers stay for reuse; every brick is built again.
        std::vector<unsigned> buffers;
        for (const SBrick& b : m_bricks)
            if (b.buffer) buffers.push_back(b.buffer);
        Clear();
        m_sx = sx;
        m_sy = sy;
        m_sz = sz;
        m_cull = cull;
        m_nx = (sx + BRICK_X - 1) / BRICK_X;
        m_ny = (sy + BRICK_Y - 1) / BRICK_Y;
        m_nz = (sz + BRICK_Z - 1) / BRICK_Z;
        m_bricks.resize(std::size_t(m_nx) * m_ny * m_nz);
        for (std::size_t i = 0; i < buffers.size() && i < m_bricks.size(); i++) m_bricks[i].buffer = buffers[i];
        for (std::size_t i = m_bricks.size(); i < buffers.size(); i++) glDeleteBuffers(1, &buffers[i]);
    }
    const int count = int(m_bricks.size());
    std::vector<char> changed(m_bricks.size());
    for (int i = 0; i < count; i++) changed[i] = Changed(m_bricks[i], BoxOf(i), space);
    auto anyChanged = [&](int bx0, int bx1, int by, int bz) {
        for (int z = std::max(0, bz - 1); z <= std::min(m_nz - 1, bz + 1); z++)
            for (int y = std::max(0, by - 1); y <= std::min(m_ny - 1, by + 1); y++)
                for (int x = std::max(0, bx0 - 1); x <= std::min(m_nx - 1, bx1 + 1); x++)
                    if (changed[x + m_nx * (y + m_ny * z)]) return true;
        return false;
    };
    int rebuilt = 0;
    for (int i = 0; i < count; i++) {
        SBrick& b = m_bricks[i];
        const int bx = i % m_nx, by = i / m_nx % m_ny, bz = i / (m_nx * m_ny);
        const int reach = b.built ? std::max(bx, (b.faces.reachX - 1) / BRICK_X) : bx;
        if (b.built && !anyChanged(bx, reach, by, bz)) continue;
        const SBrickBox box = BoxOf(i);
        BuildBrickFaces(space, box, cull, b.faces);
        b.cells.clear();
        for (int z = box.z0; z < box.z1; z++)
            for (int y = box.y0; y < box.y1; y++) {
                const int* row = space.data() + box.x0 + std::size_t(sx) * (y + std::size_t(sy) * z);
                b.cells.insert(b.cells.end(), row, row + (box.x1 - box.x0));
            }
        b.built = true;
        b.uploaded = false;
        rebuilt++;
    }
    m_counted = true;
    m_changes = changes;
    return rebuilt;
}

namespace {
// Whether the current context has glMultiDrawElementsBaseVertex (OpenGL 3.2 or its extension).
bool HasBaseVertex()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (version && std::sscanf(version, "%d.%d", &major, &minor) == 2 && (major > 3 || (major == 3 && minor >= 2)))
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, "GL_ARB_draw_elements_base_vertex");
}
}  // namespace

// A brick's corners are counted in 16-bit indices.
static_assert(CSceneCache::BRICK_X * CSceneCache::BRICK_Y * CSceneCache::BRICK_Z * 6 * 4 <= 65536);

void CSceneCache::Upload(SBrick& b)
{
    if (!b.buffer) glGenBuffers(1, &b.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    b.packed = PackFaceVertices(b.faces.vertices, m_packing);
    if (b.packed)
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(m_packing.size() * sizeof(SPackedFaceVertex)), m_packing.data(),
                     GL_STATIC_DRAW);
    else
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(b.faces.vertices.size() * sizeof(SFaceVertex)),
                     b.faces.vertices.data(), GL_STATIC_DRAW);
    std::vector<SFaceVertex>().swap(b.faces.vertices);  // the vertices now live only in GL
    b.uploaded = true;
}

void CSceneCache::Draw(const float eye[3], int ex, int ey, int ez, bool edges, bool hide)
{
    // Send what was built since the last frame.
    int largest = 0;
    m_sent.clear();
    for (int i = 0; i < int(m_bricks.size()); i++) {
        SBrick& b = m_bricks[i];
        largest = std::max(largest, b.faces.FaceCount());
        if (b.uploaded) continue;
        Upload(b);
        m_sent.push_back(i);
    }
    UploadBounds(m_boundsBricks != int(m_bricks.size()));
    if (largest > m_indexFaces) {
        if (!m_indexBuffer) m_baseVertex = HasBaseVertex();
        std::vector<GLushort> indices;
        indices.reserve(std::size_t(largest) * 6);
        for (int q = 0; q < largest; q++) {
            const GLushort c = GLushort(4 * q);
            indices.insert(indices.end(), {c, GLushort(c + 1), GLushort(c + 2), c, GLushort(c + 2), GLushort(c + 3)});
        }
        if (!m_indexBuffer) glGenBuffers(1, &m_indexBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLushort)), indices.data(),
                     GL_STATIC_DRAW);
        m_indexFaces = largest;
    }

    // Nearest bricks first, so that the depth test turns away most of what lies behind them
    // before it is shaded.
    const int count = int(m_bricks.size());
    m_order.resize(m_bricks.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_distance.resize(m_bricks.size());
    for (int i = 0; i < count; i++) {
        const SBrickBox box = BoxOf(i);
        const float c[3] = {0.5f * (box.x0 + box.x1), 0.5f * (box.y0 + box.y1), 0.5f * (box.z0 + box.z1)};
        float d = 0;
        for (int a = 0; a < 3; a++) d += (c[a] - eye[a]) * (c[a] - eye[a]);
        m_distance[i] = d;
    }
    std::stable_sort(m_order.begin(), m_order.end(), [this](int a, int b) { return m_distance[a] < m_distance[b]; });

    // First the bricks nothing can hide: those with no brick of faces between them and the eye
    // on some axis, and those around the eye. The others are drawn only if some sample of
    // their faces' bounds passes the depth test against the first ones: where no sample does,
    // every face inside lies behind what is drawn already.
    m_first.resize(m_bricks.size());
    for (int i = 0; i < count; i++) m_first[i] = m_bricks[i].faces.FaceCount() > 0 && !(hide && Hideable(i, eye));

    m_drawnFaces = 0;
    const int eyeOnAxis[FACE_AXES] = {ez, ex, ey};  // in the order of EFaceAxis
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    if (edges) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (int i : m_order)
        if (m_first[i]) DrawBrick(m_bricks[i], eyeOnAxis, edges);

    m_tested.clear();
    for (int i : m_order)
        if (!m_first[i] && m_bricks[i].faces.FaceCount() > 0) m_tested.push_back(i);
    if (!m_tested.empty()) {
        if (m_queries.size() < m_tested.size()) {
            const std::size_t had = m_queries.size();
            m_queries.resize(m_tested.size());
            glGenQueries(GLsizei(m_tested.size() - had), m_queries.data() + had);
        }
        // The bounds are tested without near and far clipping: a box reaching in front of the
        // near plane still counts the samples there.
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDepthMask(GL_FALSE);
        glEnable(GL_DEPTH_CLAMP);
        glDisableClientState(GL_COLOR_ARRAY);
        if (edges) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, m_boundsBuffer);
        glVertexPointer(3, GL_FLOAT, 0, nullptr);
        for (std::size_t k = 0; k < m_tested.size(); k++) {
            glBeginQuery(GL_SAMPLES_PASSED, m_queries[k]);
            glDrawArrays(GL_QUADS, BOUNDS_CORNERS * m_tested[k], BOUNDS_CORNERS);
            glEndQuery(GL_SAMPLES_PASSED);
        }
        glEnableClientState(GL_COLOR_ARRAY);
        if (edges) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_DEPTH_CLAMP);
        glDepthMask(GL_TRUE);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        // Hands what was sent so far to the driver before waiting for the first count: a driver
        // that queues calls for a thread of its own would otherwise do the rest of the queue on
        // this thread.
        glFlush();
        for (std::size_t k = 0; k < m_tested.size(); k++) {
            GLuint samples = 0;
            glGetQueryObjectuiv(m_queries[k], GL_QUERY_RESULT, &samples);
            if (samples > 0) DrawBrick(m_bricks[m_tested[k]], eyeOnAxis, edges);
        }
    }
    if (edges) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool CSceneCache::Hideable(int index, const float eye[3]) const
{
    const SBrickFaces& f = m_bricks[index].faces;
    // Around the eye the bounds' faces may lie behind the eye or beyond what they enclose.
    const float margin = 1.0f;
    bool around = true;
    for (int a = 0; a < 3; a++) around = around && eye[a] > f.lo[a] - margin && eye[a] < f.hi[a] + margin;
    if (around) return false;
    const SBrickBox box = BoxOf(index);
    const int b[3] = {index % m_nx, index / m_nx % m_ny, index / (m_nx * m_ny)}, n[3] = {m_nx, m_ny, m_nz};
    const int lo[3] = {box.x0, box.y0, box.z0}, hi[3] = {box.x1, box.y1, box.z1};
    for (int a = 0; a < 3; a++) {
        const int step = eye[a] >= float(hi[a]) ? 1 : eye[a] <= float(lo[a]) ? -1 : 0;
        if (step == 0) continue;
        int c[3] = {b[0], b[1], b[2]};
        c[a] += step;
        if (c[a] < 0 || c[a] >= n[a] || m_bricks[c[0] + m_nx * (c[1] + m_ny * c[2])].faces.FaceCount() == 0)
            return false;
    }
    return true;
}

void CSceneCache::BoundsCorners(const SBrickFaces& f, float out[BOUNDS_CORNERS][3])
{
    const float x[2] = {f.lo[0], f.hi[0]}, y[2] = {f.lo[1], f.hi[1]}, z[2] = {f.lo[2], f.hi[2]};
    int k = 0;
    auto corner = [&](float cx, float cy, float cz) {
        out[k][0] = cx;
        out[k][1] = cy;
        out[k][2] = cz;
        k++;
    };
    for (int s = 0; s < 2; s++) {
        corner(x[s], y[0], z[0]);
        corner(x[s], y[1], z[0]);
        corner(x[s], y[1], z[1]);
        corner(x[s], y[0], z[1]);
        corner(x[0], y[s], z[0]);
        corner(x[1], y[s], z[0]);
        corner(x[1], y[s], z[1]);
        corner(x[0], y[s], z[1]);
        corner(x[0], y[0], z[s]);
        corner(x[1], y[0], z[s]);
        corner(x[1], y[1], z[s]);
        corner(x[0], y[1], z[s]);
    }
}

void CSceneCache::UploadBounds(bool all)
{
    if (!all && m_sent.empty()) return;
    if (!m_boundsBuffer) glGenBuffers(1, &m_boundsBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, m_boundsBuffer);
    const GLsizeiptr perBrick = GLsizeiptr(BOUNDS_CORNERS * 3 * sizeof(float));
    float corners[BOUNDS_CORNERS][3];
    if (all) {
        m_boundsBricks = int(m_bricks.size());
        std::vector<float> every(m_bricks.size() * BOUNDS_CORNERS * 3);
        for (std::size_t i = 0; i < m_bricks.size(); i++) {
            BoundsCorners(m_bricks[i].faces, corners);
            std::memcpy(every.data() + i * BOUNDS_CORNERS * 3, corners, sizeof corners);
        }
        glBufferData(GL_ARRAY_BUFFER, perBrick * GLsizeiptr(m_bricks.size()), every.data(), GL_STATIC_DRAW);
        return;
    }
    for (int i : m_sent) {
        BoundsCorners(m_bricks[i].faces, corners);
        glBufferSubData(GL_ARRAY_BUFFER, perBrick * i, perBrick, corners);
    }
}

void CSceneCache::PointAt(const SBrick& brick, int first, bool edges)
{
    if (brick.packed) {
        const char* base = reinterpret_cast<const char*>(std::size_t(first) * sizeof(SPackedFaceVertex));
        glVertexPointer(3, GL_SHORT, sizeof(SPackedFaceVertex), base + offsetof(SPackedFaceVertex, pos));
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(SPackedFaceVertex), base + offsetof(SPackedFaceVertex, rgba));
        if (edges) glTexCoordPointer(2, GL_SHORT, sizeof(SPackedFaceVertex), base + offsetof(SPackedFaceVertex, st));
    } else {
        const char* base = reinterpret_cast<const char*>(std::size_t(first) * sizeof(SFaceVertex));
        glVertexPointer(3, GL_FLOAT, sizeof(SFaceVertex), base + offsetof(SFaceVertex, pos));
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(SFaceVertex), base + offsetof(SFaceVertex, rgba));
        if (edges) glTexCoordPointer(2, GL_FLOAT, sizeof(SFaceVertex), base + offsetof(SFaceVertex, st));
    }
}

void CSceneCache::DrawBrick(const SBrick& brick, const int eyeOnAxis[], bool edges)
{
    // Each axis's chosen faces are one range of the brick's buffer; with base vertices the
    // three ranges go in one call over the shared indices.
    GLsizei counts[FACE_AXES];
    GLint firstCorner[FACE_AXES];
    const void* offsets[FACE_AXES] = {};
    int ranges = 0;
    for (int a = 0; a < FACE_AXES; a++) {
        int first, end;
        brick.faces.Range(a, eyeOnAxis[a], first, end);
        if (first == end) continue;
        counts[ranges] = GLsizei(end - first) * 6;
        firstCorner[ranges] = GLint(first) * 4;
        ranges++;
        m_drawnFaces += std::size_t(end - first);
    }
    if (ranges == 0) return;
    glBindBuffer(GL_ARRAY_BUFFER, brick.buffer);
    if (m_baseVertex) {
        PointAt(brick, 0, edges);
        glMultiDrawElementsBaseVertex(GL_TRIANGLES, counts, GL_UNSIGNED_SHORT, offsets, ranges, firstCorner);
        return;
    }
    for (int r = 0; r < ranges; r++) {
        PointAt(brick, firstCorner[r], edges);
        glDrawElements(GL_TRIANGLES, counts[r], GL_UNSIGNED_SHORT, nullptr);
    }
}
