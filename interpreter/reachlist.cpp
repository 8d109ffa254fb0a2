// CReachList: listing a pass's positions once, in the order a box-by-box walk first reaches them.
#include "interpreter/reachlist.h"

#include <algorithm>
#include <span>

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
    // The common box is small, and its reach puts the left side wholly inside the unit: listed
    // here, a row's marks within two words, rows stepped through by adding. Kept in locals (the
    // list's writes could otherwise be read as changing them), few enough to stay in registers;
    // every other box goes to listBox.
    const std::int64_t mx = f.mx, my = f.my, mz = f.mz, w = f.fw, wh = f.fw * f.fh, ux = sx, uxy = std::int64_t(sx) * sy;
    // Corners x0 to lastX put a left side inside the unit (likewise y and z); none without marks.
    const std::int64_t lastX = framed ? std::int64_t(sx) - lx : -1, lastY = std::int64_t(sy) - ly,
                       lastZ = std::int64_t(sz) - lz;
    const std::span<const CBoxSet::Item> items = boxes.stored();
    const bool headFirst = boxes.storedHeadFirst();
    Position* out = list.data();
    Position* end = out + list.size();
    for (std::size_t k = 0, count = items.size(); k < count; k++) {
        const CBoxSet::Item h = items[headFirst ? k : count - 1 - k];  // a copy: the list's writes cannot change it
        const std::int64_t x0 = h.x0 - mx, y0 = h.y0 - my, z0 = h.z0 - mz;
        const std::int64_t n = std::int64_t(h.x1) - x0 + 1;
        if (!(x0 >= 0 && y0 >= 0 && z0 >= 0 && h.x1 <= lastX && h.y1 <= lastY && h.z1 <= lastZ && n <= 32 &&
              h.x0 <= h.x1 && h.y0 <= h.y1 && h.z0 <= h.z1)) {
            used = std::size_t(out - list.data());
            listBox(h, f, framed, poll);
            out = list.data() + used, end = list.data() + list.size();
            continue;
        }
        const std::int64_t ny = h.y1 - y0 + 1, rows = ny * (h.z1 - z0 + 1);
        if (end - out < n * rows) {
            used = std::size_t(out - list.data());
            grow(std::size_t(n * rows));
            out = list.data() + used, end = list.data() + list.size();
        }
        poll.advance(int(n * rows));
        const std::uint64_t run = (std::uint64_t(1) << n) - 1;
        // Of the row's first position: its mark and its index in the unit's cells. The rows are
        // taken in one loop (y innermost), stepping to the next plane after the last row of one.
        std::int64_t rowStart = h.x0 + w * (y0 + my) + wh * (z0 + mz), rowBase = x0 + ux * y0 + uxy * z0;
        const std::int64_t planeStep = wh - (ny - 1) * w, planeBaseStep = uxy - (ny - 1) * ux;
        int y = int(y0), z = int(z0);
        for (std::int64_t r = 0; r < rows; r++) {
            const std::int64_t toX = x0 - rowStart, toIndex = rowBase - rowStart;  // from a mark's index
            const std::size_t wi = std::size_t(rowStart) >> 6, b = std::size_t(rowStart) & 63;
            // In ascending order: those of the first word, then those of the next.
            auto emit = [&](std::size_t word, std::uint64_t fresh) {
                for (; fresh; fresh &= fresh - 1) {
                    const std::int64_t i = std::int64_t(word << 6) + __builtin_ctzll(fresh);
                    out->x = int(i + toX), out->y = y, out->z = z, out->index = std::int32_t(i + toIndex);
                    out++;
                }
            };
            emit(wi, marks.markBits(wi, run << b));
            if (b + std::size_t(n) > 64) emit(wi + 1, marks.markBits(wi + 1, run >> (64 - b)));
            if (y < h.y1) {
                y++, rowStart += w, rowBase += ux;
            } else {
                y = int(y0), z++, rowStart += planeStep, rowBase += planeBaseStep;
            }
        }
    }
    used = std::size_t(out - list.data());
}

void CReachList::listBox(const CBoxSet::Item& h, const Frame& f, bool framed, CSearchPoll& poll)
{
    // A box within the unit has its whole reach within the marked frame: listed a row at a time.
    // (An unsigned compare takes a negative corner for a huge one.)
    const std::int64_t sx = f.sx, sy = f.sy, sz = f.sz;
    const bool within = unsigned(h.x0) <= unsigned(h.x1) && unsigned(h.x1) < unsigned(sx) &&
                        unsigned(h.y0) <= unsigned(h.y1) && unsigned(h.y1) < unsigned(sy) &&
                        unsigned(h.z0) <= unsigned(h.z1) && unsigned(h.z1) < unsigned(sz);
    if (!framed || !within) {
        listAnyhow(h.box(), f, poll);
        return;
    }
    const std::int64_t mx = f.mx, my = f.my, mz = f.mz, w = f.fw, wh = f.fw * f.fh, ux = sx, uxy = sx * sy;
    const std::int64_t lastX = sx - f.lx, lastY = sy - f.ly, lastZ = sz - f.lz;
    const std::int64_t x0 = h.x0 - mx, y0 = h.y0 - my, z0 = h.z0 - mz;
    const std::int64_t n = std::int64_t(h.x1) - x0 + 1;
    Position* out = room(std::size_t(n * (h.y1 - y0 + 1) * (h.z1 - z0 + 1)));
    // The positions of a row that put the left side wholly inside, when the row's y and z do.
    const std::int64_t inLo = std::max<std::int64_t>(x0, 0), inHi = std::min<std::int64_t>(h.x1, lastX);
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
