// CCellSet: cells, (x, y) groups and x groups live in three arrays whose free places are
// chained for reuse; each array has a hash index from its key to its place. When the set runs
// empty the arrays start over from their beginning (keeping their memory for the next fill).
#include "space/cellset.h"

#include <utility>

CCellSet::CCellSet(const CCellSet& other) : CLinkList<CCell>() { assign(other); }

CCellSet::CCellSet(CCellSet&& other) noexcept : CLinkList<CCell>() { *this = std::move(other); }

CCellSet& CCellSet::operator=(const CCellSet& other)
{
    assign(other);
    return *this;
}

CCellSet& CCellSet::operator=(CCellSet&& other) noexcept
{
    if (&other == this) return *this;
    cells = std::move(other.cells);
    ys = std::move(other.ys);
    xs = std::move(other.xs);
    freeCells = other.freeCells;
    freeYs = other.freeYs;
    freeXs = other.freeXs;
    firstX = other.firstX;
    lastX = other.lastX;
    size = other.size;
    cellIndex = std::move(other.cellIndex);
    yIndex = std::move(other.yIndex);
    xIndex = std::move(other.xIndex);
    other.cells.clear();
    other.ys.clear();
    other.xs.clear();
    other.cellIndex = CEntryIndex();
    other.yIndex = CEntryIndex();
    other.xIndex = CEntryIndex();
    other.reset();
    return *this;
}

CLinkList<CCell>& CCellSet::assign(const CLinkList<CCell>& other)
{
    if (&other == this) return *this;
    const auto* set = dynamic_cast<const CCellSet*>(&other);
    if (!set) {
        // A plain list has no groups to copy: its cells come in one by one, as pushes.
        clear();
        other.forEach([this](const CCell& c) { push(c); });
        return *this;
    }
    cells = set->cells;
    ys = set->ys;
    xs = set->xs;
    freeCells = set->freeCells;
    freeYs = set->freeYs;
    freeXs = set->freeXs;
    firstX = set->firstX;
    lastX = set->lastX;
    size = set->size;
    cellIndex = set->cellIndex;
    yIndex = set->yIndex;
    xIndex = set->xIndex;
    return *this;
}

void CCellSet::reset()
{
    cells.clear();
    ys.clear();
    xs.clear();
    freeCells = freeYs = freeXs = NONE;
    firstX = lastX = NONE;
    size = 0;
}

void CCellSet::clear()
{
    if (size == 0 && cells.empty()) return;
    cellIndex.clear();
    yIndex.clear();
    xIndex.clear();
    reset();
}

template <class T>
std::uint32_t CCellSet::take(std::vector<T>& pool, std::uint32_t& freeList, const T& value)
{
    if (freeList == NONE) {
        pool.push_back(value);
        return std::uint32_t(pool.size() - 1);
    }
    const std::uint32_t i = freeList;
    freeList = pool[i].next;
    pool[i] = value;
    return i;
}

template <class T>
void CCellSet::release(std::vector<T>& pool, std::uint32_t& freeList, std::uint32_t i)
{
    pool[i].next = freeList;
    freeList = i;
}

void CCellSet::push(const CCell& cell)
{
    if (cell.value == 1) return;
    const int x = cell.x, y = cell.y, z = cell.z;
    const std::uint32_t hash = CEntryIndex::hashOf(x, y, z);
    const std::uint32_t found = cellIndex.find(hash, [&](std::uint32_t i) {
        const Entry& e = cells[i];
        return e.x == x && e.y == y && e.z == z;
    });
    if (found != NONE) {
        cells[found].value = cell.value;  // same position: the later write wins, in place
        return;
    }
    const std::uint32_t c = take(cells, freeCells, Entry{x, y, z, cell.value, NONE});
    cellIndex.insert(hash, c);
    size++;

    const std::uint32_t hashY = CEntryIndex::hashOf(x, y, 0);
    const std::uint32_t gy = yIndex.find(hashY, [&](std::uint32_t i) { return ys[i].x == x && ys[i].y == y; });
    if (gy != NONE) {  // a new z at a known (x, y): end of that group
        cells[ys[gy].last].next = c;
        ys[gy].last = c;
        return;
    }
    const std::uint32_t newY = take(ys, freeYs, GroupY{x, y, c, c, NONE});
    yIndex.insert(hashY, newY);

    const std::uint32_t hashX = CEntryIndex::hashOf(x, 0, 0);
    const std::uint32_t gx = xIndex.find(hashX, [&](std::uint32_t i) { return xs[i].x == x; });
    if (gx != NONE) {  // a new y at a known x: end of that x's groups
        ys[xs[gx].last].next = newY;
        xs[gx].last = newY;
        return;
    }
    const std::uint32_t newX = take(xs, freeXs, GroupX{x, newY, newY, NONE});
    xIndex.insert(hashX, newX);
    if (lastX == NONE)
        firstX = newX;
    else
        xs[lastX].next = newX;
    lastX = newX;
}

int CCellSet::pop(CCell& out)
{
    if (size == 0) return 0;
    const std::uint32_t gx = firstX;
    const std::uint32_t gy = xs[gx].first;
    const std::uint32_t c = ys[gy].first;
    const Entry e = cells[c];
    out = CCell(e.x, e.y, e.z, e.value);

    cellIndex.erase(CEntryIndex::hashOf(e.x, e.y, e.z), c);
    ys[gy].first = e.next;
    release(cells, freeCells, c);
    if (ys[gy].first == NONE) {  // the (x, y) group ran empty
        yIndex.erase(CEntryIndex::hashOf(e.x, e.y, 0), gy);
        xs[gx].first = ys[gy].next;
        release(ys, freeYs, gy);
        if (xs[gx].first == NONE) {  // and with it the x group
            xIndex.erase(CEntryIndex::hashOf(e.x, 0, 0), gx);
            firstX = xs[gx].next;
            if (firstX == NONE) lastX = NONE;
            release(xs, freeXs, gx);
        }
    }
    if (--size == 0) reset();  // the indexes are empty already
    return 1;
}

std::size_t CCellSet::bytes() const
{
    return cells.capacity() * sizeof(Entry) + ys.capacity() * sizeof(GroupY) + xs.capacity() * sizeof(GroupX) +
           cellIndex.bytes() + yIndex.bytes() + xIndex.bytes();
}
