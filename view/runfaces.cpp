// Face selection per axis: the face on the eye's side of the box, lit brighter than the face
// that would be seen from the other side. A run is lit as one box; its x face is chosen by the
// run's first cell.
#include "view/runfaces.h"

namespace {
void Set(float c[3], float x, float y, float z)
{
    c[0] = x;
    c[1] = y;
    c[2] = z;
}

SRgb Shaded(const SRgb& c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }
}  // namespace

int RunFaces(int x0, int y, int z, int value, int length, int ex, int ey, int ez, SFace faces[3], int skip)
{
    if (value == 0) return 0;
    const SRgb base = CellBaseColour(value);
    const float xa = float(x0), xb = float(x0 + length);
    const float ya = float(y), yb = float(y + 1);
    const float za = float(z), zb = float(z + 1);

    int n = 0;
    if (!(skip & FACE_Z)) {
        SFace& f = faces[n++];
        f.kind = FACE_Z;
        const float fz = z < ez ? zb : za;
        f.colour = Shaded(base, z < ez ? SHADE_Z_TOWARD : SHADE_Z_AWAY);
        Set(f.corner[0], xa, ya, fz);
        Set(f.corner[1], xb, ya, fz);
        Set(f.corner[2], xb, yb, fz);
        Set(f.corner[3], xa, yb, fz);
    }
    if (!(skip & FACE_X)) {
        SFace& f = faces[n++];
        f.kind = FACE_X;
        const float fx = x0 < ex ? xb : xa;
        f.colour = Shaded(base, x0 < ex ? SHADE_X_TOWARD : SHADE_X_AWAY);
        Set(f.corner[0], fx, ya, za);
        Set(f.corner[1], fx, yb, za);
        Set(f.corner[2], fx, yb, zb);
        Set(f.corner[3], fx, ya, zb);
    }
    if (!(skip & FACE_Y)) {
        SFace& f = faces[n++];
        f.kind = FACE_Y;
        const float fy = y < ey ? yb : ya;
        f.colour = Shaded(base, y < ey ? SHADE_Y_TOWARD : SHADE_Y_AWAY);
        Set(f.corner[0], xa, fy, za);
        Set(f.corner[1], xa, fy, zb);
        Set(f.corner[2], xb, fy, zb);
        Set(f.corner[3], xb, fy, za);
    }
    return n;
}
