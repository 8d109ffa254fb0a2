// CCellSet: cells, (x, y) groups and x groups live in three arrays whose free places are
// chained for reuse; each array has a hash index from its key to its place. When the set runs
// empty the arrays and indexes start over (keeping their memory for the next fill). Index entries
// of taken-out places stay until the next rebuild: a lookup accepts only live places. With a grid,
// the places inside its box are in the flat tables and not in the hash indexes.
#include "space/cellset.h"

#include <algorithm>
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
    clear();
    swap(other);  // the moved-from set is left empty
    return *this;
}

// The cells and groups with their counters; the indexes are the caller's business.
void CCellSet::copyArrays(const CCellSet& set)
{
    cells = set.cells;
    ys = set.ys;
    xs = set.xs;
    freeCells = set.freeCells;
    freeYs = set.freeYs;
    freeXs = set.freeXs;
    firstX = set.firstX;
    lastX = set.lastX;
    size = set.size;
    liveYs = set.liveYs;
    liveXs = set.liveXs;
}

void CCellSet::compact(CCellSet& spare)
{
    spare.clear();
    spare.layOut(*this);
    swap(spare);
    // Each keeps its own grid; the old cells left in `spare` are no longer indexed.
    std::swap(grid, spare.grid);
    spare.indexed = false;
}

void CCellSet::copyWithValue(const CCellSet& positions, int value)
{
    if (value == 1) {  // "any" is never stored
        clear();
        return;
    }
    // The same places and chains, so the same pop order; only the values change.
    if (&positions != this) {
        copyArrays(positions);
        cellIndex.clear();
        yIndex.clear();
        xIndex.clear();
        indexed = false;
    }
    for (Entry& e : cells)
        if (e.live()) e.value = value;
}

// Fills the empty set with the cells of `positions`, laid out in pop order.
void CCellSet::layOut(const CCellSet& positions)
{
    if (positions.size == 0) return;
    // The groups first, in pop order, each with the place where its cells will start.
    std::vector<std::uint32_t> from;  // for each new (x, y) group, the old one
    from.reserve(positions.liveYs);
    xs.reserve(positions.liveXs);
    ys.reserve(positions.liveYs);
    std::uint32_t start = 0;
    for (std::uint32_t gx = positions.firstX; gx != NONE; gx = positions.xs[gx].next) {
        const std::uint32_t newX = std::uint32_t(xs.size());
        if (newX > 0) xs.back().next = newX;
        xs.push_back(GroupX{positions.xs[gx].x, std::uint32_t(ys.size()), NONE, NONE});
        for (std::uint32_t gy = positions.xs[gx].first; gy != NONE; gy = positions.ys[gy].next) {
            const GroupY& old = positions.ys[gy];
            const std::uint32_t newY = std::uint32_t(ys.size());
            if (newY > xs.back().first) ys.back().next = newY;
            ys.push_back(GroupY{old.x, old.y, start, start + old.count - 1, NONE, old.count});
            from.push_back(gy);
            start += old.count;
        }
        xs.back().last = std::uint32_t(ys.size() - 1);
    }
    // Then the cells. Each group's cells are a chain through the old array; walking a few chains
    // side by side keeps several reads from memory under way at once.
    cells.resize(positions.size);
    constexpr std::size_t LANES = 16;
    for (std::size_t g0 = 0; g0 < ys.size(); g0 += LANES) {
        const std::size_t lanes = std::min(LANES, ys.size() - g0);
        std::uint32_t at[LANES], to[LANES];
        for (std::size_t j = 0; j < lanes; j++) {
            at[j] = positions.ys[from[g0 + j]].first;
            to[j] = ys[g0 + j].first;
        }
        for (bool busy = true; busy;) {
            busy = false;
            for (std::size_t j = 0; j < lanes; j++) {
                if (at[j] == NONE) continue;
                const Entry& e = positions.cells[at[j]];
                cells[to[j]] = Entry{e.x, e.y, e.z, e.value, e.next == NONE ? NONE : to[j] + 1};
                at[j] = e.next;
                to[j]++;
                busy = true;
            }
        }
    }
    firstX = 0;
    lastX = std::uint32_t(xs.size() - 1);
    size = positions.size;
    liveYs = positions.liveYs;
    liveXs = positions.liveXs;
    indexed = false;
}

void CCellSet::swap(CCellSet& other) noexcept
{
    cells.swap(other.cells);
    ys.swap(other.ys);
    xs.swap(other.xs);
    std::swap(freeCells, other.freeCells);
    std::swap(freeYs, other.freeYs);
    std::swap(freeXs, other.freeXs);
    std::swap(firstX, other.firstX);
    std::swap(lastX, other.lastX);
    std::swap(size, other.size);
    std::swap(liveYs, other.liveYs);
    std::swap(liveXs, other.liveXs);
    std::swap(indexed, other.indexed);
    std::swap(cellsIndexed, other.cellsIndexed);
    cellIndex.swap(other.cellIndex);
    yIndex.swap(other.yIndex);
    xIndex.swap(other.xIndex);
    std::swap(grid, other.grid);
}

void CCellSet::useGrid(int x0, int y0, int z0, int sx, int sy, int sz, bool cellsToo)
{
    if (sx <= 0 || sy <= 0 || sz <= 0 || std::int64_t(sx) * sy * (cellsToo ? sz : 1) > MAX_GRID) {
        if (grid && size > 0) indexed = false;  // the tabled cells go back to the hashes
        grid.reset();
        return;
    }
    if (!grid) grid = std::make_unique<Grid>();
    Grid& g = *grid;
    if (g.x0 == x0 && g.y0 == y0 && g.z0 == z0 && g.sx == std::uint32_t(sx) && g.sy == std::uint32_t(sy) &&
        g.sz == std::uint32_t(sz) && g.cellsToo == cellsToo && !g.xs.empty())
        return;
    g.x0 = x0, g.y0 = y0, g.z0 = z0, g.cellsToo = cellsToo;
    g.sx = std::uint32_t(sx), g.sy = std::uint32_t(sy), g.sz = std::uint32_t(sz);
    // Grown only: stale slots are harmless, so old contents and new zeros alike may stay.
    const std::size_t area = std::size_t(sx) * std::size_t(sy), volume = area * std::size_t(sz);
    if (cellsToo && g.cells.size() < volume) g.cells.resize(volume);
    if (g.ys.size() < area) g.ys.resize(area);
    if (g.xs.size() < std::size_t(sx)) g.xs.resize(std::size_t(sx));
    if (size > 0) indexed = false;  // the cells already in the set move between the indexes
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
    copyArrays(*set);
    if (grid || set->grid) {  // the other's grid stays its own: index afresh
        cellIndex.clear();
        yIndex.clear();
        xIndex.clear();
        indexed = size == 0;
        cellsIndexed = true;
        return *this;
    }
    indexed = set->indexed;
    cellsIndexed = set->cellsIndexed;
    cellIndex = set->cellIndex;
    yIndex = set->yIndex;
    xIndex = set->xIndex;
    return *this;
}

void CCellSet::reset()
{
    cellIndex.clear();
    yIndex.clear();
    xIndex.clear();
    cells.clear();
    ys.clear();
    xs.clear();
    freeCells = freeYs = freeXs = NONE;
    firstX = lastX = NONE;
    size = liveYs = liveXs = 0;
    indexed = cellsIndexed = true;
}

void CCellSet::clear()
{
    if (size == 0 && cells.empty()) return;
    reset();
}

// Stale index entries cost probes and memory; once they outnumber the live ones, the indexes
// are built afresh, which the pops since the last rebuild pay for.
void CCellSet::reindexIfStale()
{
    if (cellIndex.size() > 2 * std::size_t(size) + 64 || yIndex.size() > 2 * std::size_t(liveYs) + 64 ||
        xIndex.size() > 2 * std::size_t(liveXs) + 64)
        reindex();
}

void CCellSet::reindex()
{
    cellIndex.clear();
    yIndex.clear();
    xIndex.clear();
    indexed = cellsIndexed = true;
    cellIndex.reserve(size);
    yIndex.reserve(liveYs);
    xIndex.reserve(liveXs);
    std::size_t at = 0;
    Grid* g = grid.get();
    for (std::uint32_t gx = firstX; gx != NONE; gx = xs[gx].next) {
        if (inGridX(g, xs[gx].x, at))
            g->xs[at] = gx;
        else
            xIndex.insert(CEntryIndex::hashOf(xs[gx].x, 0, 0), gx);
        for (std::uint32_t gy = xs[gx].first; gy != NONE; gy = ys[gy].next) {
            if (inGridY(g, ys[gy].x, ys[gy].y, at))
                g->ys[at] = gy;
            else
                yIndex.insert(CEntryIndex::hashOf(ys[gy].x, ys[gy].y, 0), gy);
            for (std::uint32_t c = ys[gy].first; c != NONE; c = cells[c].next) {
                const Entry& e = cells[c];
                if (inGridCell(g, e.x, e.y, e.z, at))
                    g->cells[at] = c;
                else
                    cellIndex.insert(CEntryIndex::hashOf(e.x, e.y, e.z), c);
            }
        }
    }
}

namespace {
// Coordinates wrap as unsigned numbers do rather than overflow.
int shifted(int v, int d) { return int(unsigned(v) + unsigned(d)); }
}  // namespace

void CCellSet::translate(int dx, int dy, int dz)
{
    if (size == 0 || (dx == 0 && dy == 0 && dz == 0)) return;
    for (Entry& e : cells) {
        e.x = shifted(e.x, dx);
        e.y = shifted(e.y, dy);
        e.z = shifted(e.z, dz);
    }
    for (GroupY& g : ys) {
        g.x = shifted(g.x, dx);
        g.y = shifted(g.y, dy);
    }
    for (GroupX& g : xs) g.x = shifted(g.x, dx);
    // The grid's box moves with the cells, so its slots still hold; the hashes are rebuilt.
    if (grid) {
        grid->x0 = shifted(grid->x0, dx);
        grid->y0 = shifted(grid->y0, dy);
        grid->z0 = shifted(grid->z0, dz);
    }
    cellIndex.clear();
    yIndex.clear();
    xIndex.clear();
    indexed = false;
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
    pool[i].kill();
    freeList = i;
}

void CCellSet::push(const CCell& cell)
{
    if (cell.value == 1) return;
    const int x = cell.x, y = cell.y, z = cell.z;
    if (!indexed || !cellsIndexed) reindex();
    std::size_t at = 0;
    if (inGridCell(grid.get(), x, y, z, at)) {
        const std::uint32_t known = grid->cells[at];
        if (gridHoldsCell(known, x, y, z)) {
            cells[known].value = cell.value;
            return;
        }
        const std::uint32_t c = take(cells, freeCells, Entry{x, y, z, cell.value, NONE});
        grid->cells[at] = c;
        addToGroups(c, x, y);
        return;
    }
    reindexIfStale();
    std::uint32_t c = NONE;
    const std::uint32_t found = cellIndex.findOrInsert(
        CEntryIndex::hashOf(x, y, z),
        [&](std::uint32_t i) {
            const Entry& e = cells[i];
            return e.x == x && e.y == y && e.z == z && e.live();
        },
        [&] { return c = take(cells, freeCells, Entry{x, y, z, cell.value, NONE}); });
    if (found != NONE) {
        cells[found].value = cell.value;  // same position: the later write wins, in place
        return;
    }
    addToGroups(c, x, y);
}

bool CCellSet::holds(int x, int y, int z)
{
    if (size == 0) return false;
    std::size_t at = 0;
    if (indexed && inGridCell(grid.get(), x, y, z, at)) return gridHoldsCell(grid->cells[at], x, y, z);
    if (!indexed || !cellsIndexed) {
        reindex();  // which puts the cells inside the grid's box into its tables
        if (inGridCell(grid.get(), x, y, z, at)) return gridHoldsCell(grid->cells[at], x, y, z);
    }
    const std::uint32_t found = cellIndex.find(CEntryIndex::hashOf(x, y, z), [&](std::uint32_t i) {
        const Entry& e = cells[i];
        return e.x == x && e.y == y && e.z == z && e.live();
    });
    return found != NONE;
}

std::uint32_t CCellSet::pushNew(const CCell& cell)
{
    if (cell.value == 1) return NO_PLACE;
    if (!indexed) reindex();
    const std::uint32_t c = take(cells, freeCells, Entry{cell.x, cell.y, cell.z, cell.value, NONE});
    std::size_t at = 0;
    if (inGridCell(grid.get(), cell.x, cell.y, cell.z, at))
        grid->cells[at] = c;  // as cheap as not indexing it
    else
        cellsIndexed = false;
    addToGroups(c, cell.x, cell.y);
    return c;
}

void CCellSet::assignFew(const CCell* few, std::size_t n)
{
    clear();
    if (n > FEW) {
        for (std::size_t i = 0; i < n; i++) pushNew(few[i]);
        return;
    }
    for (std::size_t i = 0; i < n; i++) {
        const CCell& cell = few[i];
        if (cell.value == 1) continue;
        const std::uint32_t c = std::uint32_t(cells.size());
        cells.push_back(Entry{cell.x, cell.y, cell.z, cell.value, NONE});
        std::uint32_t gy = 0;
        while (gy < ys.size() && (ys[gy].x != cell.x || ys[gy].y != cell.y)) gy++;
        if (gy < ys.size()) {  // a new z at a known (x, y)
            cells[ys[gy].last].next = c;
            ys[gy].last = c;
            ys[gy].count++;
            continue;
        }
        ys.push_back(GroupY{cell.x, cell.y, c, c, NONE, 1});
        std::uint32_t gx = 0;
        while (gx < xs.size() && xs[gx].x != cell.x) gx++;
        if (gx < xs.size()) {  // a new y at a known x
            ys[xs[gx].last].next = gy;
            xs[gx].last = gy;
            continue;
        }
        xs.push_back(GroupX{cell.x, gy, gy, NONE});
        if (lastX == NONE) firstX = gx;
        else xs[lastX].next = gx;
        lastX = gx;
    }
    size = std::uint32_t(cells.size());
    liveYs = std::uint32_t(ys.size());
    liveXs = std::uint32_t(xs.size());
    indexed = size == 0;  // the empty indexes know none of the cells
}

// The (x, y) group of a new cell `c`: the known one, or a new one holding only `c` (`added`).
std::uint32_t CCellSet::findOrAddY(int x, int y, std::uint32_t c, bool& added)
{
    std::size_t at = 0;
    if (inGridY(grid.get(), x, y, at)) {
        const std::uint32_t g = grid->ys[at];
        if (g < ys.size() && ys[g].x == x && ys[g].y == y && ys[g].live()) return g;
        added = true;
        return grid->ys[at] = take(ys, freeYs, GroupY{x, y, c, c, NONE, 1});
    }
    if (recentY < ys.size() && ys[recentY].x == x && ys[recentY].y == y && ys[recentY].live()) return recentY;
    std::uint32_t made = NONE;
    const std::uint32_t g = yIndex.findOrInsert(
        CEntryIndex::hashOf(x, y, 0), [&](std::uint32_t i) { return ys[i].x == x && ys[i].y == y && ys[i].live(); },
        [&] { return made = take(ys, freeYs, GroupY{x, y, c, c, NONE, 1}); });
    added = g == NONE;
    return recentY = added ? made : g;
}

// The x group of a new (x, y) group `gy`, as findOrAddY.
std::uint32_t CCellSet::findOrAddX(int x, std::uint32_t gy, bool& added)
{
    std::size_t at = 0;
    if (inGridX(grid.get(), x, at)) {
        const std::uint32_t g = grid->xs[at];
        if (g < xs.size() && xs[g].x == x && xs[g].live()) return g;
        added = true;
        return grid->xs[at] = take(xs, freeXs, GroupX{x, gy, gy, NONE});
    }
    if (recentX < xs.size() && xs[recentX].x == x && xs[recentX].live()) return recentX;
    std::uint32_t made = NONE;
    const std::uint32_t g = xIndex.findOrInsert(
        CEntryIndex::hashOf(x, 0, 0), [&](std::uint32_t i) { return xs[i].x == x && xs[i].live(); },
        [&] { return made = take(xs, freeXs, GroupX{x, gy, gy, NONE}); });
    added = g == NONE;
    return recentX = added ? made : g;
}

// The new cell `c` goes to the end of its (x, y) group, which may be new, and so to its x's.
void CCellSet::addToGroups(std::uint32_t c, int x, int y)
{
    size++;
    bool newY = false;
    // Cells often come a row at a time: the group of the last cell is asked first, here, where
    // the answer costs no call.
    const bool recent = recentY < ys.size() && ys[recentY].x == x && ys[recentY].y == y && ys[recentY].live();
    const std::uint32_t gy = recent ? recentY : findOrAddY(x, y, c, newY);
    if (!newY) {  // a new z at a known (x, y): end of that group
        cells[ys[gy].last].next = c;
        ys[gy].last = c;
        ys[gy].count++;
        return;
    }
    liveYs++;

    bool newX = false;
    const std::uint32_t gx = findOrAddX(x, gy, newX);
    if (!newX) {  // a new y at a known x: end of that x's groups
        ys[xs[gx].last].next = gy;
        xs[gx].last = gy;
        return;
    }
    liveXs++;
    if (lastX == NONE)
        firstX = gx;
    else
        xs[lastX].next = gx;
    lastX = gx;
}

int CCellSet::pop(CCell& out)
{
    if (size == 0) return 0;
    const std::uint32_t gx = firstX;
    const std::uint32_t gy = xs[gx].first;
    const std::uint32_t c = ys[gy].first;
    const Entry e = cells[c];
    out = CCell(e.x, e.y, e.z, e.value);

    ys[gy].first = e.next;
    ys[gy].count--;
    release(cells, freeCells, c);
    if (ys[gy].first == NONE) {  // the (x, y) group ran empty
        xs[gx].first = ys[gy].next;
        release(ys, freeYs, gy);
        liveYs--;
        if (xs[gx].first == NONE) {  // and with it the x group
            firstX = xs[gx].next;
            if (firstX == NONE) lastX = NONE;
            release(xs, freeXs, gx);
            liveXs--;
        }
    }
    if (--size == 0) reset();
    return 1;
}

std::size_t CCellSet::bytes() const
{
    return cells.capacity() * sizeof(Entry) + ys.capacity() * sizeof(GroupY) + xs.capacity() * sizeof(GroupX) +
           cellIndex.bytes() + yIndex.bytes() + xIndex.bytes() +
           (grid ? (grid->cells.capacity() + grid->ys.capacity() + grid->xs.capacity()) * sizeof(std::uint32_t) : 0);
}
