// A brick's faces by side. Each group holds the side's faces of every run of the brick that is
// not covered on that side, sorted by the run's coordinate on the side's axis, so that the
// faces an eye chooses are one prefix or suffix of each group.
#include "view/brickfaces.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "space/space.h"
#include "view/celledges.h"
#include "view/runfaces.h"

namespace {
// A colour component as a byte, rounded as GL rounds a float colour into an 8-bit buffer.
unsigned char Byte(float c) { return (unsigned char)(c * 255.0f + 0.5f); }

struct SPendingFace {
    int key;
    SFace face;
};
}  // namespace

void SBrickFaces::Range(int axis, int e, int& first, int& end) const
{
    const auto at = [this](int g) { return keys.begin() + groupStart[g]; };
    const int away = 2 * axis, toward = away + 1;
    first = int(std::lower_bound(at(away), at(toward), e) - keys.begin());
    end = int(std::lower_bound(at(toward), at(toward + 1), e) - keys.begin());
}

bool PackFaceVertices(const std::vector<SFaceVertex>& vertices, std::vector<SPackedFaceVertex>& out)
{
    const auto fits = [](float v) { return v >= -32768.0f && v <= 32767.0f && v == float(int(v)); };
    for (const SFaceVertex& v : vertices)
        if (!fits(v.pos[0]) || !fits(v.pos[1]) || !fits(v.pos[2]) || !fits(v.st[0]) || !fits(v.st[1])) return false;
    out.resize(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); i++) {
        const SFaceVertex& v = vertices[i];
        SPackedFaceVertex& p = out[i];
        p = {{short(v.pos[0]), short(v.pos[1]), short(v.pos[2]), 0}, {short(v.st[0]), short(v.st[1])}, {}};
        std::memcpy(p.rgba, v.rgba, sizeof p.rgba);
    }
    return true;
}

void BuildBrickFaces(const CSpace& space, const SBrickBox& box, bool cull, SBrickFaces& out)
{
    const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
    const int* cells = space.data();
    auto cellAt = [cells, sx, sy, sz](int x, int y, int z) {
        return x < 0 || y < 0 || z < 0 || x >= sx || y >= sy || z >= sz ? 0 : cells[x + sx * (y + sy * z)];
    };
    std::vector<SPendingFace> groups[FACE_GROUPS];
    out.reachX = box.x0;
    SFace faces[3];
    for (int z = box.z0; z < box.z1; z++)
        for (int y = box.y0; y < box.y1; y++) {
            const int* row = cells + std::size_t(sx) * (y + std::size_t(sy) * z);
            int x = box.x0;
            // Cells continuing a run from the brick before belong to that run.
            if (x > 0)
                while (x < box.x1 && row[x] == row[box.x0 - 1]) x++;
            while (x < box.x1) {
                const int value = row[x];
                int end = x + 1;
                while (end < sx && row[end] == value) end++;
                if (value != 0) {
                    out.reachX = std::max(out.reachX, end);
                    // An eye beyond the run's far corner sees its toward faces, one at its
                    // first cell its away faces.
                    for (int side = 0; side < 2; side++) {
                        const int ex = side == 0 ? x + 1 : x, ey = side == 0 ? y + 1 : y, ez = side == 0 ? z + 1 : z;
                        const int skip = cull ? CoveredFaces(x, y, z, end - x, ex, ey, ez, cellAt) : 0;
                        const int n = RunFaces(x, y, z, value, end - x, ex, ey, ez, faces, skip);
                        for (int f = 0; f < n; f++) {
                            const int axis = faces[f].kind == FACE_Z ? AXIS_Z : faces[f].kind == FACE_X ? AXIS_X : AXIS_Y;
                            const int key = axis == AXIS_Z ? z : axis == AXIS_X ? x : y;
                            groups[2 * axis + (side == 0 ? 1 : 0)].push_back({key, faces[f]});
                        }
                    }
                }
                x = end;
            }
        }

    out.vertices.clear();
    out.keys.clear();
    const float big = std::numeric_limits<float>::max();
    for (int a = 0; a < 3; a++) {
        out.lo[a] = big;
        out.hi[a] = -big;
    }
    std::size_t total = 0;
    for (const auto& group : groups) total += group.size();
    out.keys.reserve(total);
    out.vertices.reserve(4 * total);
    // Each group's faces by key, in the order they were found (a counting sort: the keys of a
    // group lie within the brick's extent on the group's axis).
    const int base[3] = {box.z0, box.x0, box.y0}, span[3] = {box.z1 - box.z0, box.x1 - box.x0, box.y1 - box.y0};
    std::vector<int> firstOfKey, sorted;
    for (int g = 0; g < FACE_GROUPS; g++) {
        out.groupStart[g] = int(out.keys.size());
        const std::vector<SPendingFace>& group = groups[g];
        const int axis = g / 2;
        firstOfKey.assign(std::size_t(span[axis]) + 1, 0);
        for (const SPendingFace& p : group) firstOfKey[std::size_t(p.key - base[axis]) + 1]++;
        for (int k = 0; k < span[axis]; k++) firstOfKey[k + 1] += firstOfKey[k];
        sorted.resize(group.size());
        for (int i = 0; i < int(group.size()); i++) sorted[firstOfKey[group[i].key - base[axis]]++] = i;
        for (int i : sorted) {
            const SPendingFace& p = group[i];
            out.keys.push_back(p.key);
            float st[4][2];
            FaceTexCoords(p.face, st);
            for (int k = 0; k < 4; k++) {
                SFaceVertex v;
                std::memcpy(v.pos, p.face.corner[k], sizeof v.pos);
                v.st[0] = st[k][0];
                v.st[1] = st[k][1];
                v.rgba[0] = Byte(p.face.colour.r);
                v.rgba[1] = Byte(p.face.colour.g);
                v.rgba[2] = Byte(p.face.colour.b);
                v.rgba[3] = 255;
                out.vertices.push_back(v);
                for (int a = 0; a < 3; a++) {
                    out.lo[a] = std::min(out.lo[a], v.pos[a]);
                    out.hi[a] = std::max(out.hi[a], v.pos[a]);
                }
            }
        }
    }
    out.groupStart[FACE_GROUPS] = int(out.keys.size());
}
