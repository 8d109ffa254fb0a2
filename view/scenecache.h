// CSceneCache: the faces of the cells kept between frames in GL buffers, one buffer per brick
// (a block of cells), holding the faces of every side; a frame only chooses, per brick, the
// ranges the eye sees. A brick is built again only when its cells or its neighbours' change.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "view/brickfaces.h"

class CSpace;

class CSceneCache {
public:
    CSceneCache();
    ~CSceneCache();
    CSceneCache(const CSceneCache&) = delete;
    CSceneCache& operator=(const CSceneCache&) = delete;

    // Brings the faces up to date with `space`. The caller holds the document's lock: the cells
    // are read here and nowhere else. `changes` counts the changes made to the space so far:
    // when it is the count of the last Update, the cells are known to be as they were and are
    // not compared again. Returns the number of bricks built again.
    int Update(const CSpace& space, bool cull, unsigned long changes);
    // Draws the faces an eye at `eye` (in cell (ex, ey, ez)) sees, nearest bricks first, each
    // face as two triangles; the outline texture's coordinates go with them when `edges` (the
    // caller sets up the texture). With `hide`, bricks that nearer ones hide are left out.
    // Sends what Update built to GL first: the GL context current here must be the same on
    // every call, until ReleaseGL.
    void Draw(const float eye[3], int ex, int ey, int ez, bool edges, bool hide = true);
    // Frees the GL buffers (in the context they were made in, current now) and forgets
    // everything; the next Update builds every brick.
    void ReleaseGL();
    std::size_t FaceCount() const;
    // The faces the last Draw sent.
    std::size_t DrawnFaceCount() const { return m_drawnFaces; }

    // The brick's extent in cells.
    static constexpr int BRICK_X = 16, BRICK_Y = 4, BRICK_Z = 16;

private:
    struct SBrick {
        std::vector<int> cells;  // the brick's cells when it was last built, row after row
        bool built = false;
        bool uploaded = false;
        bool packed = false;  // the GL buffer holds SPackedFaceVertex corners, else SFaceVertex
        SBrickFaces faces;
        unsigned buffer = 0;
    };
    void Clear();
    SBrickBox BoxOf(int index) const;
    bool Changed(const SBrick& brick, const SBrickBox& box, const CSpace& space) const;
    void Upload(SBrick& brick);
    void DrawBrick(const SBrick& brick, const int eyeOnAxis[], bool edges);
    // Points the vertex arrays at the brick's bound buffer from its corner `first` on.
    static void PointAt(const SBrick& brick, int first, bool edges);
    // Whether other bricks may hide this one from the eye (else it is drawn first).
    bool Hideable(int index, const float eye[3]) const;
    // The six sides of the bounds of the brick's faces as quadrilaterals: BOUNDS_CORNERS points.
    static constexpr int BOUNDS_CORNERS = 24;
    static void BoundsCorners(const SBrickFaces& faces, float out[BOUNDS_CORNERS][3]);
    // Sends the bounds of the bricks built since the last frame (of all, when `all`).
    void UploadBounds(bool all);

    int m_sx = 0, m_sy = 0, m_sz = 0;
    int m_nx = 0, m_ny = 0, m_nz = 0;  // bricks along each axis
    bool m_cull = false;
    bool m_counted = false;  // m_changes is the count the bricks were last brought up to date at
    unsigned long m_changes = 0;
    std::vector<SBrick> m_bricks;     // x fastest, then y, then z
    std::vector<unsigned> m_queries;  // one sample count per brick tested in a frame
    unsigned m_indexBuffer = 0;       // two triangles per face, for the largest brick
    int m_indexFaces = 0;
    bool m_baseVertex = false;  // the context draws several ranges of a buffer in one call
    unsigned m_boundsBuffer = 0;  // every brick's bounds, BOUNDS_CORNERS points from BOUNDS_CORNERS x its index
    int m_boundsBricks = 0;       // the bricks the bounds buffer has room for
    // Kept between frames so that a frame allocates nothing.
    std::vector<int> m_order, m_tested, m_sent;
    std::vector<float> m_distance;
    std::vector<char> m_first;
    std::vector<SPackedFaceVertex> m_packing;
    std::size_t m_drawnFaces = 0;
};
