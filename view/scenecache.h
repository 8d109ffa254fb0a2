// CSceneCache: the faces of the cells kept between frames, one set per z layer (slab) of the
// space, rebuilt only where the cells changed or where the eye's move changes which faces a
// layer shows. The faces, their order and their vertex data are those of a whole rebuild.
#pragma once

#include <cstddef>
#include <vector>

class CSpace;

// Which faces a slab shows and in which order, besides the eye's row and column (below).
struct SSlabKey {
    bool zToward = false;  // the slab lies before the eye's layer (z < ez): its faces at z + 1
    bool yDown = false;    // rows drawn from the top one down (ey >= sizeY / 2)
    bool cull = false;     // faces against non-empty neighbours left out
    bool edges = false;    // texture coordinates for the cell outlines
    bool operator==(const SSlabKey&) const = default;
};

// The eye columns (or rows) for which a slab's faces stay as built: the faces depend on the
// eye's column ex only through x0 < ex for the runs' first cells x0, so they stay the same for
// every ex with lo < ex <= hi, where lo is the last first cell before the built ex and hi the
// first one from it on. Likewise for the eye's row and the rows holding runs.
struct SEyeRange {
    int lo = 0;
    int hi = 0;
    bool Holds(int e) const { return lo < e && e <= hi; }
};

class CSceneCache {
public:
    // Brings the faces up to date with `space` for an eye in cell (ex, ey, ez). The caller holds
    // the document's lock: the cells are read here and nowhere else. Returns the number of
    // slabs rebuilt.
    int Update(const CSpace& space, int ex, int ey, int ez, bool cull, bool edges);
    // Sends the faces to GL from client-side arrays, layers nearest the eye first (as built),
    // each face as two triangles. The caller sets up the texture for edges. (Display lists
    // were tried: the software renderer still transforms every vertex on this thread each
    // frame, so they saved nothing and doubled the memory.)
    void Draw() const;
    // Forgets everything; the next Update rebuilds every slab.
    void Clear();
    std::size_t FaceCount() const;

private:
    struct SSlab {
        std::vector<int> cells;  // the slab's cells when it was last built (sizeX * sizeY)
        SSlabKey key;
        SEyeRange xRange, yRange;
        bool built = false;
        std::vector<float> vertices;       // four corners per face, three floats each
        std::vector<unsigned char> colours;  // RGBA bytes per corner
        std::vector<float> texCoords;      // the outline texture's coordinates per corner
    };
    void Build(SSlab& slab, const CSpace& space, int z, int ex, int ey, int ez);

    int m_sx = 0, m_sy = 0, m_sz = 0;
    bool m_zDown = false;  // slabs drawn from the last to the first
    std::vector<SSlab> m_slabs;
    std::vector<unsigned> m_indices;  // two triangles per face, for the largest slab
};
