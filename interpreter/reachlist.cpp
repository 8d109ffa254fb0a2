// CReachList: listing a pass's positions once, in the order a box-by-box walk first reaches them.
#include "interpreter/reachlist.h"

#include <algorithm>

void CReachList::build(const CBoxSet& boxes, int lx, int ly, int lz, int sx, int sy, int sz, CSearchPoll& poll)
{
    used = 0;
    // A position starts at most a left side's size minus one before the unit's low faces; the few
    // beyond its high faces (a right side hanging over) are kept apart.
    const Frame f{lx, ly, lz, sx, sy, sz};
    fw = f.fw, fh = f.fh, fd = f.fd;
    // Without the memory every position goes to `beyond`, which finds the same.
    marks.begin(std::size_t(fw * fh * fd));
    beyond.begin(0, 0, 0);
    const bool framed = marks.ready();
    // Kept in locals: the list's writes could otherwise be read as changing them.
    const std::int64_t mx = f.mx, my = f.my, mz = f.mz, w = f.fw, wh = f.fw * f.fh, ux = sx, uxy = std::int64_t(sx) * sy;
    const std::int64_t lastX = std::int64_t(sx) - lx, lastY = std::int64_t(sy) - ly, lastZ = std::int64_t(sz) - lz;
    boxes.forEach([&](const CBox& h) {
        // A box within the unit has its whole reach within the marked frame: listed a row at a time.
        if (!framed || h.x0 < 0 || h.y0 < 0 || h.z0 < 0 || h.x1 >= sx || h.y1 >= sy || h.z1 >= sz || h.x0 > h.x1 ||
            h.y0 > h.y1 || h.z0 > h.z1) {
            listAnyhow(h, f, poll);
            return;
        }
        const std::int64_t x0 = h.x0 - mx, y0 = h.y0 - my, z0 = h.z0 - mz;
        const std::int64_t n = std::int64_t(h.x1) - x0 + 1;
        // The positions of a row that put the left side wholly inside, when the row's y and z do.
        const std::int64_t inLo = std::max<std::int64_t>(x0, 0), inHi = std::min<std::int64_t>(h.x1, lastX);
        Position* out = room(std::size_t(n * (h.y1 - y0 + 1) * (h.z1 - z0 + 1)));
        for (std::int64_t z = z0; z <= h.z1; z++)
            for (std::int64_t y = y0; y <= h.y1; y++) {
                poll.advance(int(n));
                const bool rowInside = y >= 0 && z >= 0 && y <= lastY && z <= lastZ;
                const std::int64_t lo = rowInside ? inLo : 1, hi = rowInside ? inHi : 0;
                const std::int64_t start = h.x0 + w * (y + my) + wh * (z + mz);
                const std::int64_t base = ux * y + uxy * z;
                const std::int64_t shift = x0 - start;  // from a mark's index to x
                marks.markRun(std::size_t(start), std::size_t(n), [&](std::size_t i) {
                    const std::int64_t x = std::int64_t(i) + shift;
                    *out++ = Position{int(x), int(y), int(z), x >= lo && x <= hi ? std::int32_t(x + base) : -1};
                });
            }
        used = std::size_t(out - list.data());
    });
}

void CReachList::listAnyhow(const CBox& h, const Frame& f, CSearchPoll& poll)
{
    const std::int64_t x0 = std::int64_t(h.x0) - f.mx, y0 = std::int64_t(h.y0) - f.my, z0 = std::int64_t(h.z0) - f.mz;
    for (std::int64_t z = z0; z <= h.z1; z++)
        for (std::int64_t y = y0; y <= h.y1; y++) {
            poll.advance(int(h.x1 - x0 + 1));
            const bool rowInside = y >= 0 && z >= 0 && y + f.ly <= f.sy && z + f.lz <= f.sz;
            Position* out = room(std::size_t(std::max<std::int64_t>(h.x1 - x0 + 1, 0)));
            for (std::int64_t x = x0; x <= h.x1; x++) {
                if (!first(x + f.mx, y + f.my, z + f.mz)) continue;
                const bool inside = rowInside && x >= 0 && x + f.lx <= f.sx;
                *out++ = Position{int(x), int(y), int(z), inside ? std::int32_t(x + f.sx * (y + f.sy * z)) : -1};
            }
            used = std::size_t(out - list.data());
        }
}

void CReachList::grow(std::size_t n) { list.resize(std::max(2 * list.size(), used + n + 1024)); }
