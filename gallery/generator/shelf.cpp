// Two passes over the blocks: measure each in a scratch space, then draw it where it fits.
#include "shelf.h"

#include <algorithm>

namespace {

constexpr int GAP = 2;
constexpr int SCRATCH = 600;

struct Size {
    int w, d;
};

}  // namespace

CSpace CShelf::layOut(int depth) const
{
    std::vector<Size> sizes;
    for (const Draw& draw : blocks) {
        CSpace scratch(SCRATCH, height, SCRATCH, 0);
        const CBox b = draw(scratch, 0, 0).bounds();
        sizes.push_back({b.x1 + 1, b.z1 + 1});
        depth = std::max(depth, b.z1 + 1);
    }
    struct Place {
        int x, z;
    };
    std::vector<Place> places;
    int x = 1, z = 1, columnWidth = 0, width = 0;
    for (const Size& s : sizes) {
        if (z > 1 && z + s.d > depth + 1) {
            x += columnWidth + GAP;
            z = 1;
            columnWidth = 0;
        }
        places.push_back({x, z});
        columnWidth = std::max(columnWidth, s.w);
        width = std::max(width, x + s.w);
        z += s.d + GAP;
    }
    CSpace space(width + 1, height, depth + 2, 0);
    for (size_t i = 0; i < blocks.size(); i++) blocks[i](space, places[i].x, places[i].z);
    return space;
}
