// Cell outlines and the floor grid; see celledges.h.
#include "view/celledges.h"

std::vector<unsigned char> EdgeTexture()
{
    const int n = EDGE_TEXTURE_SIZE;
    const unsigned char edge = (unsigned char)(EDGE_SHADE * 255 + 0.5f);
    std::vector<unsigned char> texels(std::size_t(n) * n * 4, 255);
    for (int t = 0; t < n; t++)
        for (int s = 0; s < n; s++)
            if (s == 0 || t == 0 || s == n - 1 || t == n - 1)
                for (int c = 0; c < 3; c++) texels[(std::size_t(t) * n + s) * 4 + c] = edge;
    return texels;
}

void AppendFloorGrid(int sx, int sz, std::vector<float>& lines)
{
    for (int x = 0; x <= sx; x++) lines.insert(lines.end(), {float(x), 0, 0, float(x), 0, float(sz)});
    for (int z = 0; z <= sz; z++) lines.insert(lines.end(), {0, 0, float(z), float(sx), 0, float(z)});
}

float FloorGridGrey(float floorGrey) { return floorGrey < 0.5f ? floorGrey + 0.125f : floorGrey - 0.15f; }
