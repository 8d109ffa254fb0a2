// Cell outlines and the floor grid; see celledges.h.
#include "view/celledges.h"

namespace {
void Line(std::vector<float>& lines, const float a[3], const float b[3])
{
    lines.insert(lines.end(), {a[0], a[1], a[2], b[0], b[1], b[2]});
}
}  // namespace

int AppendFaceEdges(const SFace& face, int length, std::vector<float>& lines)
{
    for (int k = 0; k < 4; k++) Line(lines, face.corner[k], face.corner[(k + 1) % 4]);
    if (face.kind == FACE_X || length < 2) return 4;
    // The z and y faces run along x from corner 0; each inner cell border crosses the face
    // parallel to its edge at x0 (to corner 3 on a z face, to corner 1 on a y face).
    const float* a = face.corner[0];
    const float* b = face.kind == FACE_Z ? face.corner[3] : face.corner[1];
    for (int i = 1; i < length; i++) {
        const float from[3] = {a[0] + i, a[1], a[2]}, to[3] = {b[0] + i, b[1], b[2]};
        Line(lines, from, to);
    }
    return 4 + length - 1;
}

void AppendFloorGrid(int sx, int sz, std::vector<float>& lines)
{
    for (int x = 0; x <= sx; x++) lines.insert(lines.end(), {float(x), 0, 0, float(x), 0, float(sz)});
    for (int z = 0; z <= sz; z++) lines.insert(lines.end(), {0, 0, float(z), float(sx), 0, float(z)});
}

float FloorGridGrey(float floorGrey) { return floorGrey < 0.5f ? floorGrey + 0.125f : floorGrey - 0.15f; }
