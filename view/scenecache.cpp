// The cells' faces kept per slab between frames; see scenecache.h.
#include "view/scenecache.h"

#include <QtGui/qopengl.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "space/space.h"
#include "view/celledges.h"
#include "view/runfaces.h"

namespace {
// A colour component as a byte, rounded as GL rounds a float colour into an 8-bit buffer.
GLubyte Byte(float c) { return GLubyte(c * 255.0f + 0.5f); }
}  // namespace

void CSceneCache::Clear()
{
    m_slabs.clear();
    m_sx = m_sy = m_sz = 0;
}

std::size_t CSceneCache::FaceCount() const
{
    std::size_t n = 0;
    for (const SSlab& s : m_slabs) n += s.vertices.size() / 12;
    return n;
}

int CSceneCache::Update(const CSpace& space, int ex, int ey, int ez, bool cull, bool edges)
{
    const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
    if (sx != m_sx || sy != m_sy || sz != m_sz) {
        Clear();
        m_sx = sx;
        m_sy = sy;
        m_sz = sz;
        m_slabs.resize(std::size_t(sz));
    }
    // Layers nearest the eye first, so that the depth test turns away most of what lies behind
    // them before it is shaded.
    m_zDown = ez >= sz / 2;

    // A slab is rebuilt when its cells changed, when a neighbouring slab's did (its faces
    // against that slab may now be covered or bare), or when the eye's move changes its faces.
    const std::size_t n = std::size_t(sx) * sy;
    const int* cells = space.data();
    std::vector<char> changed(std::size_t(sz) + 2, 0);  // with a slab of margin on each side
    for (int z = 0; z < sz; z++) {
        const SSlab& s = m_slabs[z];
        changed[z + 1] = !s.built || std::memcmp(s.cells.data(), cells + n * z, n * sizeof(int)) != 0;
    }
    int rebuilt = 0;
    for (int z = 0; z < sz; z++) {
        SSlab& s = m_slabs[z];
        const SSlabKey key = {z < ez, ey >= sy / 2, cull, edges};
        if (changed[z] || changed[z + 1] || changed[z + 2] || !(s.key == key) || !s.xRange.Holds(ex) ||
            !s.yRange.Holds(ey)) {
            s.key = key;
            Build(s, space, z, ex, ey, ez);
            rebuilt++;
        }
    }
    std::size_t quads = 0;
    for (const SSlab& s : m_slabs) quads = std::max(quads, s.vertices.size() / 12);
    for (GLuint q = GLuint(m_indices.size() / 6); q < quads; q++)
        m_indices.insert(m_indices.end(), {4 * q, 4 * q + 1, 4 * q + 2, 4 * q, 4 * q + 2, 4 * q + 3});
    return rebuilt;
}

void CSceneCache::Build(SSlab& slab, const CSpace& space, int z, int ex, int ey, int ez)
{
    const int sx = m_sx, sy = m_sy, sz = m_sz;
    const int* cells = space.data();
    const std::size_t n = std::size_t(sx) * sy;
    slab.cells.assign(cells + n * z, cells + n * (z + 1));
    slab.built = true;
    slab.vertices.clear();
    slab.colours.clear();
    slab.texCoords.clear();
    const bool cull = slab.key.cull, edges = slab.key.edges;

    auto cellAt = [cells, sx, sy, sz](int x, int y, int z) {
        return x < 0 || y < 0 || z < 0 || x >= sx || y >= sy || z >= sz ? 0 : cells[x + sx * (y + sy * z)];
    };
    SFace faces[3];
    auto add = [&](int x0, int y, int value, int length) {
        const int skip = cull ? CoveredFaces(x0, y, z, length, ex, ey, ez, cellAt) : 0;
        const int count = RunFaces(x0, y, z, value, length, ex, ey, ez, faces, skip);
        for (int f = 0; f < count; f++) {
            // Four corners of three floats each, and the face's colour once per corner.
            const std::size_t v = slab.vertices.size(), c = slab.colours.size();
            slab.vertices.resize(v + 12);
            std::memcpy(slab.vertices.data() + v, faces[f].corner, sizeof faces[f].corner);
            const GLubyte rgba[4] = {Byte(faces[f].colour.r), Byte(faces[f].colour.g), Byte(faces[f].colour.b), 255};
            slab.colours.resize(c + 16);
            for (int k = 0; k < 4; k++) std::memcpy(slab.colours.data() + c + 4 * k, rgba, 4);
            if (edges) {
                float st[4][2];
                FaceTexCoords(faces[f], st);
                const std::size_t t = slab.texCoords.size();
                slab.texCoords.resize(t + 8);
                std::memcpy(slab.texCoords.data() + t, st, sizeof st);
            }
        }
    };
    // The eye's moves that leave every comparison as it is now (see SEyeRange).
    const int none = std::numeric_limits<int>::max();
    slab.xRange = {-none, none};
    slab.yRange = {-none, none};
    auto narrow = [](SEyeRange& r, int first, int e) {
        if (first < e)
            r.lo = std::max(r.lo, first);
        else
            r.hi = std::min(r.hi, first);
    };
    // Rows nearest the eye first, as the slabs.
    for (int yi = 0; yi < sy; yi++) {
        const int y = slab.key.yDown ? sy - 1 - yi : yi;
        const int* row = cells + n * z + std::size_t(sx) * y;
        bool any = false;
        for (int x = 0; x < sx;) {
            const int value = row[x];
            int end = x + 1;
            while (end < sx && row[end] == value) end++;
            if (value != 0) {
                add(x, y, value, end - x);
                narrow(slab.xRange, x, ex);
                any = true;
            }
            x = end;
        }
        if (any) narrow(slab.yRange, y, ey);
    }
}

void CSceneCache::Draw() const
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (int i = 0; i < m_sz; i++) {
        const SSlab& s = m_slabs[m_zDown ? m_sz - 1 - i : i];
        if (s.vertices.empty()) continue;
        glVertexPointer(3, GL_FLOAT, 0, s.vertices.data());
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, s.colours.data());
        if (s.key.edges) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, s.texCoords.data());
        }
        glDrawElements(GL_TRIANGLES, GLsizei(s.vertices.size() / 12 * 6), GL_UNSIGNED_INT, m_indices.data());
        if (s.key.edges) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
