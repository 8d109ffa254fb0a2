// A plane side's faces as texels; see planetexels.h. The faces are those a run of equal cells
// along x shows: z and y faces span the run, x faces lie at its two ends.
#include "view/planetexels.h"

#include <algorithm>
#include <cstring>

#include "space/space.h"
#include "view/cellshading.h"

namespace {
// A colour component as a byte, rounded as GL rounds a float colour into an 8-bit buffer.
unsigned char Byte(float c) { return (unsigned char)(c * 255.0f + 0.5f); }

constexpr float SHADE[PLANE_AXES][PLANE_SIDES] = {{SHADE_Z_AWAY, SHADE_Z_TOWARD},
                                                  {SHADE_X_AWAY, SHADE_X_TOWARD},
                                                  {SHADE_Y_AWAY, SHADE_Y_TOWARD}};

// Writes the face colour of `value` seen on the plane side into texels [u0, u1) of row v of the
// bordered picture of `rect`, counting those inside the rect and growing the bounds by them.
struct STexelWriter {
    int axis, side;
    const SPlaneRect& rect;
    unsigned char* out;
    SPlaneRect& bounds;
    int faces = 0;
    void Fill(int value, int u0, int u1, int v)
    {
        const SRgb base = CellBaseColour(value);
        const float f = SHADE[axis][side];
        const unsigned char colour[4] = {Byte(base.r * f), Byte(base.g * f), Byte(base.b * f), 255};
        const std::size_t stride = std::size_t(rect.u1 - rect.u0 + 2);
        unsigned char* texel = out + (std::size_t(v - rect.v0 + 1) * stride + std::size_t(u0 - rect.u0 + 1)) * 4;
        for (int u = u0; u < u1; u++, texel += 4) std::memcpy(texel, colour, 4);
        const int in0 = std::max(u0, rect.u0), in1 = std::min(u1, rect.u1);
        if (in0 >= in1 || v < rect.v0 || v >= rect.v1) return;
        if (faces == 0) bounds = {in0, in1, v, v + 1};
        faces += in1 - in0;
        bounds.u0 = std::min(bounds.u0, in0);
        bounds.u1 = std::max(bounds.u1, in1);
        bounds.v0 = std::min(bounds.v0, v);
        bounds.v1 = std::max(bounds.v1, v + 1);
    }
};
}  // namespace

SCellGrid SCellGrid::Of(const CSpace& space)
{
    return {space.data(), space.getSizeX(), space.getSizeY(), space.getSizeZ()};
}

SPlaneAxes PlaneAxes(int axis)
{
    switch (axis) {
    case PLANE_Z: return {2, 0, 1};
    case PLANE_X: return {0, 1, 2};
    default: return {1, 0, 2};
    }
}

int PlaneTexels(const SCellGrid& cells, int axis, int k, int side, const SPlaneRect& rect, bool cull,
                unsigned char* out, SPlaneRect& bounds)
{
    const int sx = cells.sx, sy = cells.sy, sz = cells.sz;
    std::memset(out, 0, std::size_t(rect.u1 - rect.u0 + 2) * std::size_t(rect.v1 - rect.v0 + 2) * 4);
    bounds = {};
    STexelWriter writer{axis, side, rect, out, bounds};
    const SPlaneAxes axes = PlaneAxes(axis);
    const int size[3] = {sx, sy, sz};
    // The rect and its border, as far as they lie on the plane.
    const SPlaneRect on = {std::max(rect.u0 - 1, 0), std::min(rect.u1 + 1, size[axes.u]), std::max(rect.v0 - 1, 0),
                           std::min(rect.v1 + 1, size[axes.v])};

    if (axis == PLANE_X) {
        // One face at most per row of the plane: the end of a run at k.
        const int cell = side == PLANE_AWAY ? k : k - 1, beyond = side == PLANE_AWAY ? k - 1 : k;
        if (cell < 0 || cell >= sx) return 0;
        const bool outside = beyond < 0 || beyond >= sx;
        for (int z = on.v0; z < on.v1; z++)
            for (int y = on.u0; y < on.u1; y++) {
                const int* r = cells.Row(y, z);
                if (r[cell] == 0) continue;
                if (!outside && r[beyond] == r[cell]) continue;  // the run goes on
                if (cull && !outside && r[beyond] != 0) continue;
                writer.Fill(r[cell], y, y + 1, z);
            }
        return writer.faces;
    }

    // z and y planes: the runs of a row of the layer, each face covered only if the neighbouring
    // row covers every cell of the run.
    const int layers = axis == PLANE_Z ? sz : sy;
    const int layer = side == PLANE_AWAY ? k : k - 1, neighbour = side == PLANE_AWAY ? k - 1 : k;
    if (layer < 0 || layer >= layers) return 0;
    const bool hasNeighbour = neighbour >= 0 && neighbour < layers;
    for (int v = on.v0; v < on.v1; v++) {
        const int* r = axis == PLANE_Z ? cells.Row(v, layer) : cells.Row(layer, v);
        const int* n = !hasNeighbour ? nullptr : axis == PLANE_Z ? cells.Row(v, neighbour) : cells.Row(neighbour, v);
        int x = on.u0;
        while (x > 0 && r[x - 1] == r[on.u0]) x--;  // from the first cell of the run reaching in
        while (x < on.u1) {
            const int value = r[x];
            int end = x + 1;
            while (end < sx && r[end] == value) end++;
            const bool covered = cull && n && std::all_of(n + x, n + end, [](int c) { return c != 0; });
            if (value != 0 && !covered) writer.Fill(value, std::max(x, on.u0), std::min(end, on.u1), v);
            x = end;
        }
    }
    return writer.faces;
}

void RunsAcross(const SCellGrid& cells, int ex, bool cull, std::vector<SRunAcross>& out)
{
    out.clear();
    const int sx = cells.sx, sy = cells.sy, sz = cells.sz;
    if (ex < 1 || ex >= sx) return;
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++) {
            const int* r = cells.Row(y, z);
            const int value = r[ex - 1];
            if (value == 0 || r[ex] != value) continue;
            int end = ex + 1;
            while (end < sx && r[end] == value) end++;
            if (cull && end < sx && r[end] != 0) continue;
            out.push_back({y, z, end});
        }
}
