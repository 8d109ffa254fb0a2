// The cells' faces kept as plane textures; see planecache.h.
#define GL_GLEXT_PROTOTYPES 1
#include "view/planecache.h"

#include <QtGui/qopengl.h>

#include <algorithm>
#include <cstring>

#include "space/space.h"

namespace {
// The first cell of the run holding cell x of `row`, and one past its last.
int RunStart(const int* row, int x)
{
    while (x > 0 && row[x - 1] == row[x]) x--;
    return x;
}
int RunEnd(const int* row, int x, int sx)
{
    int end = x + 1;
    while (end < sx && row[end] == row[x]) end++;
    return end;
}
}  // namespace

CPlaneCache::CPlaneCache() = default;
CPlaneCache::~CPlaneCache() = default;  // GL objects go with their context (ReleaseGL)

void CPlaneCache::Forget()
{
    m_tiles.clear();
    m_dirty.clear();
    m_pages.clear();
    for (SAxisTiles& t : m_axes) t.free.clear();
    m_laidOut = false;
    m_counted = false;
    m_faces = 0;
}

void CPlaneCache::ReleaseGL()
{
    for (const SPage& p : m_pages)
        if (p.texture) glDeleteTextures(1, &p.texture);
    if (!m_unused.empty()) glDeleteTextures(GLsizei(m_unused.size()), m_unused.data());
    m_unused.clear();
    m_maxSide = 0;
    Forget();
}

void CPlaneCache::Layout()
{
    for (const SPage& p : m_pages)
        if (p.texture) m_unused.push_back(p.texture);
    Forget();
    // n tiles of nearly equal size, each at most `most` a side.
    const auto balanced = [](int extent, int most) {
        const int n = (extent + most - 1) / most;
        return (extent + n - 1) / n;
    };
    const int longest = PAGE_WIDTH - 2;  // a tile and its border fit a page's width
    int first = 0;
    for (int a = 0; a < PLANE_AXES; a++) {
        const SPlaneAxes axes = PlaneAxes(a);
        SAxisTiles& t = m_axes[a];
        t.planes = m_size[axes.across] + 1;
        t.extentU = m_size[axes.u];
        t.extentV = m_size[axes.v];
        // Square tiles, or long ones along a plane that is thin the other way, so that a thin
        // plane is a few quads.
        if (t.extentU <= t.extentV) {
            t.tileU = balanced(t.extentU, TILE_SIDE);
            t.tileV = balanced(t.extentV, std::min(longest, std::max(TILE_SIDE, TILE_TEXELS / t.tileU)));
        } else {
            t.tileV = balanced(t.extentV, TILE_SIDE);
            t.tileU = balanced(t.extentU, std::min(longest, std::max(TILE_SIDE, TILE_TEXELS / t.tileV)));
        }
        t.nu = (t.extentU + t.tileU - 1) / t.tileU;
        t.nv = (t.extentV + t.tileV - 1) / t.tileV;
        t.first = first;
        first += t.planes * PLANE_SIDES * t.nu * t.nv;
    }
    m_tiles.resize(std::size_t(first));
    m_dirty.resize(m_tiles.size());
    for (int i = 0; i < first; i++) m_dirty[i] = i;
    m_laidOut = true;
}

int CPlaneCache::TileIndex(int axis, int k, int side, int u, int v) const
{
    const SAxisTiles& t = m_axes[axis];
    return t.first + ((2 * k + side) * t.nv + v / t.tileV) * t.nu + u / t.tileU;
}

void CPlaneCache::TilePlace(int index, int& axis, int& k, int& side, SPlaneRect& rect) const
{
    axis = PLANE_AXES - 1;
    while (axis > 0 && index < m_axes[axis].first) axis--;
    const SAxisTiles& t = m_axes[axis];
    const int i = index - t.first;
    const int tu = i % t.nu, tv = i / t.nu % t.nv, plane = i / (t.nu * t.nv);
    k = plane / 2;
    side = plane % 2;
    rect = {tu * t.tileU, std::min(t.extentU, (tu + 1) * t.tileU), tv * t.tileV, std::min(t.extentV, (tv + 1) * t.tileV)};
}

void CPlaneCache::MarkPlanes(int axis, int k0, int k1, int u0, int u1, int v0, int v1)
{
    const SAxisTiles& t = m_axes[axis];
    k0 = std::max(k0, 0);
    k1 = std::min(k1, t.planes - 1);
    // A tile's border holds the texels beside it.
    const int i0 = std::max(u0 - 1, 0) / t.tileU, i1 = std::min(u1, t.extentU - 1) / t.tileU;
    const int j0 = std::max(v0 - 1, 0) / t.tileV, j1 = std::min(v1, t.extentV - 1) / t.tileV;
    for (int k = k0; k <= k1; k++)
        for (int side = 0; side < PLANE_SIDES; side++)
            for (int j = j0; j <= j1; j++)
                for (int i = i0; i <= i1; i++) {
                    const int index = t.first + ((2 * k + side) * t.nv + j) * t.nu + i;
                    if (m_tiles[index].dirty) continue;
                    m_tiles[index].dirty = true;
                    m_dirty.push_back(index);
                }
}

void CPlaneCache::MarkChange(const SCellGrid& space, int y, int z, int a, int b)
{
    const int sx = space.sx, sy = space.sy, sz = space.sz;
    const int *now = space.Row(y, z), *was = Cells().Row(y, z);
    // The runs the change touches, as they were and as they are.
    const int lo = std::min(RunStart(now, a), RunStart(was, a)), hi = std::max(RunEnd(now, b, sx), RunEnd(was, b, sx));
    // x faces lie at the ends of those runs.
    MarkPlanes(PLANE_X, lo, hi, y, y + 1, z, z + 1);
    // z and y faces: the runs of the row and those of the rows beside it whose cover it is.
    const auto besides = [&](int axis, int ny, int nz, int layer, int v) {
        int u0 = lo, u1 = hi;
        const bool inside = ny >= 0 && ny < sy && nz >= 0 && nz < sz;
        if (inside) {
            const int* n = space.Row(ny, nz);
            u0 = std::min(u0, RunStart(n, a));
            u1 = std::max(u1, RunEnd(n, b, sx));
        }
        MarkPlanes(axis, layer, layer, u0, u1, v, v + 1);
    };
    besides(PLANE_Z, y, z - 1, z, y);
    besides(PLANE_Z, y, z + 1, z + 1, y);
    besides(PLANE_Y, y - 1, z, y, z);
    besides(PLANE_Y, y + 1, z, y + 1, z);
}

int CPlaneCache::Update(const CSpace& space, bool cull, unsigned long changes)
{
    const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
    const bool sameShape = m_laidOut && sx == m_size[0] && sy == m_size[1] && sz == m_size[2] && cull == m_cull;
    if (sameShape && m_counted && changes == m_changes) return 0;
    const std::size_t dirtyBefore = m_dirty.size();
    if (!sameShape) {
        m_cells.assign(space.data(), space.data() + std::size_t(sx) * sy * sz);
        m_size[0] = sx;
        m_size[1] = sy;
        m_size[2] = sz;
        m_cull = cull;
        Layout();
    } else {
        const std::size_t w = std::size_t(sx);
        for (int z = 0; z < sz; z++)
            for (int y = 0; y < sy; y++) {
                const std::size_t at = w * (std::size_t(y) + std::size_t(sy) * z);
                const int* now = space.data() + at;
                int* was = m_cells.data() + at;
                if (std::memcmp(now, was, w * sizeof(int)) == 0) continue;
                int a = 0, b = sx - 1;
                while (now[a] == was[a]) a++;
                while (now[b] == was[b]) b--;
                MarkChange(SCellGrid::Of(space), y, z, a, b);
                std::memcpy(was + a, now + a, std::size_t(b - a + 1) * sizeof(int));
            }
    }
    m_counted = true;
    m_changes = changes;
    return int(m_dirty.size() - dirtyBefore);
}

CPlaneCache::SSlot CPlaneCache::TakeSlot(int axis)
{
    SAxisTiles& t = m_axes[axis];
    if (t.free.empty()) {
        // A new strip of slots across a page, in the last page while it can grow.
        const int w = t.tileU + 2, h = t.tileV + 2;
        if (m_pages.empty() || m_pages.back().used + h > m_maxSide) m_pages.emplace_back();
        const int p = int(m_pages.size()) - 1;
        const int y = m_pages[p].used;
        if (y + h > m_pages[p].height) GrowPage(p, y + h);
        m_pages[p].used = y + h;
        for (int x = (PAGE_WIDTH / w - 1) * w; x >= 0; x -= w) t.free.push_back({p, x, y});
    }
    const SSlot slot = t.free.back();
    t.free.pop_back();
    return slot;
}

void CPlaneCache::GrowPage(int p, int height)
{
    SPage& page = m_pages[p];
    const int grown = std::min(m_maxSide, std::max({height, page.height * 3 / 2, 64}));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, PAGE_WIDTH, grown, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    if (page.texture) {
        // What the page holds moves over.
        std::vector<unsigned char> held(std::size_t(PAGE_WIDTH) * std::size_t(page.height) * 4);
        glBindTexture(GL_TEXTURE_2D, page.texture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, held.data());
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, PAGE_WIDTH, page.height, GL_RGBA, GL_UNSIGNED_BYTE, held.data());
        glDeleteTextures(1, &page.texture);
    }
    page.texture = texture;
    page.height = grown;
}

void CPlaneCache::BuildTile(int index)
{
    int axis, k, side;
    SPlaneRect rect;
    TilePlace(index, axis, k, side, rect);
    const int w = rect.u1 - rect.u0 + 2, h = rect.v1 - rect.v0 + 2;
    m_texels.resize(std::size_t(w) * std::size_t(h) * 4);
    STile& t = m_tiles[index];
    m_faces -= std::size_t(t.faces);
    t.faces = PlaneTexels(Cells(), axis, k, side, rect, m_cull, m_texels.data(), t.bounds);
    m_faces += std::size_t(t.faces);
    t.dirty = false;
    if (t.faces == 0) {
        if (t.slot.page >= 0) m_axes[axis].free.push_back(t.slot);
        t.slot = {};
        return;
    }
    if (t.slot.page < 0) t.slot = TakeSlot(axis);
    glBindTexture(GL_TEXTURE_2D, m_pages[t.slot.page].texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, t.slot.x, t.slot.y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, m_texels.data());
}

void CPlaneCache::ChooseQuads(const float eye[3], int ex, int ey, int ez, std::vector<SQuad>& out)
{
    out.clear();
    const auto distance = [eye](int axis, int k, const SPlaneRect& r) {
        const SPlaneAxes axes = PlaneAxes(axis);
        float p[3];
        p[axes.across] = float(k);
        p[axes.u] = 0.5f * float(r.u0 + r.u1);
        p[axes.v] = 0.5f * float(r.v0 + r.v1);
        return (p[0] - eye[0]) * (p[0] - eye[0]) + (p[1] - eye[1]) * (p[1] - eye[1]) + (p[2] - eye[2]) * (p[2] - eye[2]);
    };
    const int eyeCell[PLANE_AXES] = {ez, ex, ey};
    for (int a = 0; a < PLANE_AXES; a++) {
        const SAxisTiles& t = m_axes[a];
        const int perPlane = t.nu * t.nv;
        for (int k = 0; k < t.planes; k++)
            for (int side = 0; side < PLANE_SIDES; side++) {
                if (!PlaneSideChosen(k, side, eyeCell[a])) continue;
                const int first = t.first + (2 * k + side) * perPlane;
                for (int i = first; i < first + perPlane; i++) {
                    const STile& tile = m_tiles[i];
                    if (tile.faces > 0) out.push_back({a, k, side, tile.bounds, i, distance(a, k, tile.bounds)});
                }
            }
    }
    // The x faces at the ends of runs the eye's column lies in.
    RunsAcross(Cells(), ex, m_cull, m_across);
    for (const SRunAcross& r : m_across) {
        const SPlaneRect rect = {r.y, r.y + 1, r.z, r.z + 1};
        out.push_back({PLANE_X, r.end, PLANE_TOWARD, rect, TileIndex(PLANE_X, r.end, PLANE_TOWARD, r.y, r.z),
                       distance(PLANE_X, r.end, rect)});
    }
    // Nearest first, so that the depth test turns away most of what lies behind.
    std::stable_sort(out.begin(), out.end(), [](const SQuad& p, const SQuad& q) { return p.distance < q.distance; });
}

void CPlaneCache::Draw(const float eye[3], int ex, int ey, int ez, unsigned edgeTexture)
{
    if (!m_unused.empty()) glDeleteTextures(GLsizei(m_unused.size()), m_unused.data());
    m_unused.clear();
    if (m_maxSide == 0) {
        GLint most = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
        m_maxSide = std::max(int(most), PAGE_WIDTH);
    }
    for (std::size_t i = 0; i < m_dirty.size(); i++) BuildTile(m_dirty[i]);
    m_dirty.clear();
    ChooseQuads(eye, ex, ey, ez, m_quads);
    m_drawnFaces = m_drawnQuads = 0;
    m_drawCalls = 0;
    if (m_quads.empty()) return;

    // Per corner: position, the page's coordinates, the outline's (in cells).
    constexpr int FLOATS = 7;
    m_vertices.resize(m_quads.size() * 4 * FLOATS);
    float* v = m_vertices.data();
    for (const SQuad& q : m_quads) {
        SPlaneRect tile;
        int axis, k, side;
        TilePlace(q.tile, axis, k, side, tile);
        const SSlot& slot = m_tiles[q.tile].slot;
        const SPlaneAxes axes = PlaneAxes(q.axis);
        const float pw = float(PAGE_WIDTH), ph = float(m_pages[slot.page].height);
        const int corners[4][2] = {{q.rect.u0, q.rect.v0}, {q.rect.u1, q.rect.v0}, {q.rect.u1, q.rect.v1}, {q.rect.u0, q.rect.v1}};
        for (const auto& c : corners) {
            v[axes.across] = float(q.k);
            v[axes.u] = float(c[0]);
            v[axes.v] = float(c[1]);
            v[3] = float(slot.x + 1 + c[0] - tile.u0) / pw;
            v[4] = float(slot.y + 1 + c[1] - tile.v0) / ph;
            v[5] = float(c[0]);
            v[6] = float(c[1]);
            v += FLOATS;
        }
        m_drawnQuads++;
        m_drawnFaces += q.rect.u1 - q.rect.u0 == 1 && q.rect.v1 - q.rect.v0 == 1 ? 1 : std::size_t(m_tiles[q.tile].faces);
    }

    // Unit 0 gives the face's colour, unit 1 the outline over it; texels without a face are
    // left out by the alpha test.
    const GLsizei stride = FLOATS * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, m_vertices.data());
    if (edgeTexture) {
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, edgeTexture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_TEXTURE_2D);
        glClientActiveTexture(GL_TEXTURE1);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, m_vertices.data() + 5);
    }
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, m_vertices.data() + 3);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    // One call per run of quads in the same page.
    for (std::size_t first = 0; first < m_quads.size();) {
        const int page = m_tiles[m_quads[first].tile].slot.page;
        std::size_t end = first + 1;
        while (end < m_quads.size() && m_tiles[m_quads[end].tile].slot.page == page) end++;
        glBindTexture(GL_TEXTURE_2D, m_pages[page].texture);
        glDrawArrays(GL_QUADS, GLint(first * 4), GLsizei((end - first) * 4));
        m_drawCalls++;
        first = end;
    }
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (edgeTexture) {
        glActiveTexture(GL_TEXTURE1);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        glClientActiveTexture(GL_TEXTURE1);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glClientActiveTexture(GL_TEXTURE0);
        glActiveTexture(GL_TEXTURE0);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}
