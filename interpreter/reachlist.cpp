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
                // A row within the marked frame is marked a word at a time.
                if (marks.ready() && h.x1 >= x0 && x0 + mx >= 0 && y + my >= 0 && z + mz >= 0 && h.x1 + mx < fw && y + my < fh &&
                    z + mz < fd) {
                    const std::int64_t start = x0 + mx + fw * (y + my + fh * (z + mz));
                    const std::int64_t base = std::int64_t(sx) * (y + std::int64_t(sy) * z);
                    marks.markRun(std::size_t(start), std::size_t(h.x1 - x0 + 1), [&](std::size_t i) {
                        const std::int64_t x = x0 + (std::int64_t(i) - start);
                        const bool inside = rowInside && x >= 0 && x + lx <= sx;
                        list.push_back(Position{int(x), int(y), int(z), inside ? std::int32_t(x + base) : -1});
                    });
                    continue;
                }
                for (std::int64_t x = x0; x <= h.x1; x++) {
                    if (!first(x + mx, y + my, z + mz)) continue;
                    const bool inside = rowInside && x >= 0 && x + lx <= sx;
                    list.push_back(Position{int(x), int(y), int(z),
                                            inside ? std::int32_t(x + std::int64_t(sx) * (y + std::int64_t(sy) * z)) : -1});
                }
            }
    });
}
