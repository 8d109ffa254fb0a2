// CPlaneCache: the cells' faces kept between frames as pictures of tiles of the plane sides
// (see planetexels.h), packed into a few large textures. An eye draws, of every plane, the side
// facing it: one quad per tile that holds a face, nearest first, the texels without a face left
// out by the alpha test, in as few draw calls as there are textures. A change of cells builds
// again only the tiles around the cells that changed.
#pragma once

#include <cstddef>
#include <vector>

#include "view/planetexels.h"

class CSpace;

class CPlaneCache {
public:
    CPlaneCache();
    ~CPlaneCache();
    CPlaneCache(const CPlaneCache&) = delete;
    CPlaneCache& operator=(const CPlaneCache&) = delete;

    // Brings the kept cells up to date with `space`. The caller holds the document's lock: the
    // cells are read here and nowhere else. `changes` counts the changes made to the space so
    // far: when it is the count of the last Update, the cells are known to be as they were and
    // are not compared again. Returns the number of tiles marked to be built again.
    int Update(const CSpace& space, bool cull, unsigned long changes);
    // Draws the faces an eye at `eye` (in cell (ex, ey, ez)) sees, with the outline texture
    // `edgeTexture` laid over them unless it is 0. Builds the tiles Update marked first: the GL
    // context current here must be the same on every call, until ReleaseGL.
    void Draw(const float eye[3], int ex, int ey, int ez, unsigned edgeTexture);
    // Frees the textures (in the context they were made in, current now) and forgets
    // everything; the next Update builds every tile.
    void ReleaseGL();
    std::size_t FaceCount() const { return m_faces; }
    // The faces, the quads and the draw calls the last Draw sent.
    std::size_t DrawnFaceCount() const { return m_drawnFaces; }
    std::size_t DrawnQuadCount() const { return m_drawnQuads; }
    int DrawCallCount() const { return m_drawCalls; }

    // A quad an eye draws: a part of a plane side, the tile holding its texels and its
    // distance (squared) from the eye.
    struct SQuad {
        int axis, k, side;
        SPlaneRect rect;
        int tile;
        float distance;
    };
    // The quads an eye in cell (ex, ey, ez) at `eye` draws, nearest first, as the tiles were
    // last built.
    void ChooseQuads(const float eye[3], int ex, int ey, int ez, std::vector<SQuad>& out);

    // A tile holds at most TILE_TEXELS texels and, unless its plane is thin the other way,
    // TILE_SIDE a side; its picture with a border is packed into a texture PAGE_WIDTH wide.
    static constexpr int TILE_SIDE = 62, TILE_TEXELS = 64 * 64, PAGE_WIDTH = 4096;

private:
    // Where a tile's picture (with its border) lies in the pages.
    struct SSlot {
        int page = -1, x = 0, y = 0;
    };
    struct STile {
        int faces = 0;
        bool dirty = true;
        SPlaneRect bounds;  // of its faces
        SSlot slot;         // page -1 without faces
    };
    // The tiles of one axis's planes: plane k, side s, tile (i, j) is
    // m_tiles[first + ((2 k + s) nv + j) nu + i].
    struct SAxisTiles {
        int planes = 0, extentU = 0, extentV = 0, tileU = 1, tileV = 1, nu = 0, nv = 0, first = 0;
        std::vector<SSlot> free;  // slots of this axis's tile size, unused
    };
    // A texture of PAGE_WIDTH x height texels, filled from the top by strips of slots of one size.
    struct SPage {
        unsigned texture = 0;
        int height = 0, used = 0;
    };
    void Layout();
    int TileIndex(int axis, int k, int side, int u, int v) const;
    void TilePlace(int index, int& axis, int& k, int& side, SPlaneRect& rect) const;
    // Marks the tiles of both sides of the planes k0 to k1 on `axis` whose texels or border
    // cover texels [u0, u1) x [v0, v1).
    void MarkPlanes(int axis, int k0, int k1, int u0, int u1, int v0, int v1);
    // Marks the tiles a change of the cells [a, b] of row (y, z) touches; m_cells still holds
    // the row as it was.
    void MarkChange(const SCellGrid& space, int y, int z, int a, int b);
    SCellGrid Cells() const { return {m_cells.data(), m_size[0], m_size[1], m_size[2]}; }
    void BuildTile(int index);
    SSlot TakeSlot(int axis);
    // Makes page `p` at least `height` texels high, keeping what it holds.
    void GrowPage(int p, int height);
    void Forget();

    std::vector<int> m_cells;  // the cells the tiles were marked for
    int m_size[3] = {0, 0, 0};
    bool m_cull = false;
    bool m_laidOut = false;
    bool m_counted = false;
    unsigned long m_changes = 0;
    int m_maxSide = 0;  // the context's largest texture
    SAxisTiles m_axes[PLANE_AXES];
    std::vector<STile> m_tiles;
    std::vector<int> m_dirty;  // tiles to build, each once
    std::vector<SPage> m_pages;
    std::vector<unsigned> m_unused;  // textures of a former layout, freed at the next Draw
    std::size_t m_faces = 0;
    std::size_t m_drawnFaces = 0, m_drawnQuads = 0;
    int m_drawCalls = 0;
    // Kept between frames so that a frame allocates nothing.
    std::vector<SQuad> m_quads;
    std::vector<SRunAcross> m_across;
    std::vector<unsigned char> m_texels;
    std::vector<float> m_vertices;
};
