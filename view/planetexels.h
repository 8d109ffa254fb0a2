// The cells' faces by plane. Every face a run of cells shows lies in a plane between two layers
// of cells, turned toward one of the plane's two sides; the faces of one plane side are kept as
// a picture with one texel per cell position of the plane, so that an eye draws a plane as one
// textured quad instead of one quad per face.
#pragma once

#include <vector>

#include <cstddef>

class CSpace;

// Cells x fastest, then y, then z, as a space keeps them.
struct SCellGrid {
    const int* cells;
    int sx, sy, sz;
    static SCellGrid Of(const CSpace& space);
    const int* Row(int y, int z) const { return cells + std::size_t(sx) * (std::size_t(y) + std::size_t(sy) * z); }
};

// The axes of the planes (the axis they are square to), in the order faces are chosen by.
enum EPlaneAxis { PLANE_Z, PLANE_X, PLANE_Y, PLANE_AXES };
// A plane at k on its axis holds, on its away side, the faces at k of the cells in layer k,
// turned toward the lower side (chosen by an eye whose cell is not above k on that axis), and
// on its toward side the faces at k of the cells in layer k - 1, turned toward the upper side
// (chosen by an eye whose cell is at least k). One exception: a run's x face is chosen by the
// run's first cell, so an eye inside a run along x sees the toward face at the run's end.
enum EPlaneSide { PLANE_AWAY, PLANE_TOWARD, PLANE_SIDES };
// Whether an eye whose cell is e on the plane's axis draws the side of the plane at k (but for
// the x faces of the runs RunsAcross finds).
inline bool PlaneSideChosen(int k, int side, int e) { return side == PLANE_AWAY ? k >= e : k <= e; }

// The space axes (0 x, 1 y, 2 z) of a plane: `across` is its own, u and v the plane's texel
// axes (z planes x then y, x planes y then z, y planes x then z: the outline texture's axes).
struct SPlaneAxes {
    int across, u, v;
};
SPlaneAxes PlaneAxes(int axis);

// Texel positions u in [u0, u1), v in [v0, v1).
struct SPlaneRect {
    int u0 = 0, u1 = 0, v0 = 0, v1 = 0;
    bool Empty() const { return u0 >= u1 || v0 >= v1; }
};

// Writes the texels of `rect` of a plane side, with a border of one texel around it holding the
// plane's texels there (zeros beyond the plane's edges): (width + 2) x (height + 2) texels, row
// after row from v0 - 1, four bytes each: the RGBA colour of the face there as it is drawn,
// alpha 255, or four zeros where there is none. With `cull`, a face lying against non-empty
// neighbours is none, as when runs are drawn one by one. Returns the number of faces inside
// `rect`; `bounds` becomes the smallest rect holding all of them.
int PlaneTexels(const SCellGrid& cells, int axis, int k, int side, const SPlaneRect& rect, bool cull,
                unsigned char* out, SPlaneRect& bounds);

// A run along x covering both cell ex - 1 and cell ex, whose toward face at `end` an eye in
// column ex sees although the plane x = end lies beyond the eye.
struct SRunAcross {
    int y, z, end;
};
// Such runs of every row of `cells`, leaving out those whose face there is covered (with `cull`).
void RunsAcross(const SCellGrid& cells, int ex, bool cull, std::vector<SRunAcross>& out);
