// CReachList: listing a pass's positions once, in the order a box-by-box walk first reaches them.
#include "interpreter/reachlist.h"

void CReachList::build(const CBoxSet& boxes, int lx, int ly, int lz, int sx, int sy, int sz, CSearchPoll& poll)
{
    list.clear();
    // A position starts at most a left side's size minus one before the unit's low faces; the few
    // beyond its high faces (a right side hanging over) are kept apart.
    const int mx = lx - 1, my = ly - 1, mz = lz - 1;
    fw = sx + mx, fh = sy + my, fd = sz + mz;
    // Without the memory every position goes to `beyond`, which finds the same.
    marks.begin(std::size_t(fw * fh * fd));
    beyond.begin(0, 0, 0);
    boxes.forEach([&](const CBox& h) {
        const std::int64_t x0 = std::int64_t(h.x0) - mx, y0 = std::int64_t(h.y0) - my, z0 = std::int64_t(h.z0) - mz;
        for (std::int64_t z = z0; z <= h.z1; z++)
            for (std::int64_t y = y0; y <= h.y1; y++) {
                poll.advance(int(h.x1 - x0 + 1));
                const bool rowInside = y >= 0 && z >= 0 && y + ly <= sy && z + lz <= sz;
                for (std::int64_t x = x0; x <= h.x1; x++) {
                    if (!first(x + mx, y + my, z + mz)) continue;
                    const bool inside = rowInside && x >= 0 && x + lx <= sx;
                    list.push_back(Position{int(x), int(y), int(z), inside ? 1 : 0,
                                            inside ? x + std::int64_t(sx) * (y + std::int64_t(sy) * z) : 0});
                }
            }
    });
}
