// Windows: a chain of green frames, each with a handle cell just left of its front bottom left
// corner. Chains are followed in a loop and consumed only once every frame was read.
#include <utility>
#include <vector>

#include "interpreter/blockprobe.h"
#include "interpreter/window.h"

int CPatternSpace::findWindow(int x, int y, int z, CWindow& out)
{
    CBlockProbe g(*this, CELL_GREEN);
    if (g.emptySpace() || !g.inGrid(x, y, z) || g.has(x - 1, y, z)) return 0;
    out.clear();
    if (isFlat()) return 0;  // a frame needs a second layer

    const int y0 = y, z0 = z;
    std::vector<CBox> used;
    for (int a = x;;) {
        if (!g.hasAll({{a, y0, z0}, {a + 1, y0, z0}, {a + 1, y0 + 1, z0}, {a + 1, y0, z0 + 1}})) return 0;
        if (!g.hasNone({{a, y0 - 1, z0},
                        {a, y0 + 1, z0},
                        {a, y0, z0 - 1},
                        {a, y0, z0 + 1},
                        {a + 1, y0 - 1, z0},
                        {a + 1, y0, z0 - 1}}))
            return 0;
        const int w = 1 + g.run(a + 2, y0 + 1, z0, 1, 0, 0);
        const int h = 1 + g.run(a + 1, y0 + 2, z0, 0, 1, 0);
        const int d = 1 + g.run(a + 1, y0, z0 + 2, 0, 0, 1);

        CPlacedSpace frame(extract(a + 1, y0 + 1, z0 + 1, w, h, d));
        frame.setOrigin(a + 1, y0 + 1, z0 + 1);
        out.push(std::move(frame));
        used.emplace_back(a, y0, z0, a, y0, z0);
        used.emplace_back(a + 1, y0, z0, a + w, y0 + h, z0 + d);

        // The cell left of a later handle is the previous frame's corner, so only the first
        // frame is tested for a green cell on its left.
        const int next = a + w + 1;
        if (!g.has(next, y0, z0)) {
            out.anchor = CCell(next, y0, z0, 0);
            break;
        }
        a = next;
    }
    for (const CBox& box : used) g.consume(box);
    return 1;
}
