// The faces of one brick of the space (a block of cells), for every side a face can be seen
// from, so that an eye move only picks other ranges of them and builds nothing.
#pragma once

#include <vector>

class CSpace;

// A brick's cells: x in [x0, x1), y in [y0, y1), z in [z0, z1).
struct SBrickBox {
    int x0, x1, y0, y1, z0, z1;
};

// One corner of a face: position, the outline texture's coordinates, RGBA colour.
struct SFaceVertex {
    float pos[3];
    float st[2];
    unsigned char rgba[4];
};

// The same corner in half the bytes, for a brick whose coordinates are all whole numbers that
// fit in 16 bits (a renderer that processes vertices in software reads less per corner).
struct SPackedFaceVertex {
    short pos[4];  // x, y, z and an unused fourth, so that each corner starts on 8 bytes
    short st[2];
    unsigned char rgba[4];
};

// The packed corners of `vertices`, or false (out untouched) when a coordinate does not fit.
bool PackFaceVertices(const std::vector<SFaceVertex>& vertices, std::vector<SPackedFaceVertex>& out);

// The faces are kept in six groups, two per axis, in the order of EFaceGroup. An eye in cell
// (ex, ey, ez) draws, of each axis's pair, the away group's faces whose key is not below the
// eye's coordinate and the toward group's faces whose key is: the key is the run's first cell x0
// for x faces, its y for y faces and its z for z faces, exactly the tests a run's faces are
// chosen by. Sorted by key, the away group before the toward group, an axis's chosen faces are
// one range: a suffix of the first and a prefix of the second.
enum EFaceGroup {
    GROUP_Z_AWAY,
    GROUP_Z_TOWARD,
    GROUP_X_AWAY,
    GROUP_X_TOWARD,
    GROUP_Y_AWAY,
    GROUP_Y_TOWARD,
    FACE_GROUPS
};
// The axes of the groups, in their order.
enum EFaceAxis { AXIS_Z, AXIS_X, AXIS_Y, FACE_AXES };

struct SBrickFaces {
    std::vector<SFaceVertex> vertices;           // four per face
    std::vector<int> keys;                       // one per face, ascending within each group
    int groupStart[FACE_GROUPS + 1] = {};        // first face of each group; the last is the count
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};  // bounds of every face (lo > hi when none)
    int reachX = 0;                              // one past the last cell the brick's runs cover along x
    int FaceCount() const { return groupStart[FACE_GROUPS]; }
    // The faces of an axis (EFaceAxis) an eye with coordinate e on that axis draws: [first, end).
    void Range(int axis, int e, int& first, int& end) const;
};

// Builds the faces of the runs that start in the brick (a run crossing the brick's x end
// belongs to the brick of its first cell). With `cull`, faces lying against non-empty
// neighbours are left out.
void BuildBrickFaces(const CSpace& space, const SBrickBox& box, bool cull, SBrickFaces& out);
