// CCellSet: a set of cells holding at most one value per position.
//
// The cells form three levels of ordered groups: the distinct x values in the order they came,
// within each x the distinct y values in the order they came, within each (x, y) the z values
// in the order they came. A new position goes to the end of its group (making the group when it
// is the first of its x or (x, y)); a later write to a stored position replaces the value in
// place; the value 1 (any) is never stored. `pop` takes the first cell of the first (x, y) group
// of the first x, and a group that runs empty is gone: a later cell of that x or (x, y) starts a
// new group at the end. This is the order of a three-level tree of linked chains walked from its
// root; here the groups are kept in arrays with hash indexes beside them, so push and pop take
// constant expected time however many cells share an x or a y, and a copy is one pass. A pop
// leaves its entries in the indexes (they no longer match anything) rather than searching them
// out; the indexes are rebuilt from the live cells once those stale entries outnumber them.
// A set told the box where most of its cells will lie (`useGrid`) finds the cells and groups
// inside it through flat tables over the box instead of hashing; cells outside still hash.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "space/cell.h"
#include "space/entryindex.h"
#include "space/linklist.h"

class CCellSet : public CLinkList<CCell> {
public:
    CCellSet() = default;
    CCellSet(const CCellSet& other);
    CCellSet(CCellSet&& other) noexcept;
    CCellSet& operator=(const CCellSet& other);
    CCellSet& operator=(CCellSet&& other) noexcept;
    ~CCellSet() override = default;

    CLinkList<CCell>& assign(const CLinkList<CCell>& other) override;
    void clear() override;
    void push(const CCell& cell) override;
    void push(CCell&& cell) override { push(static_cast<const CCell&>(cell)); }
    // As push, for a position the caller knows is not in the set: the position index is left
    // behind and rebuilt only if an ordinary push comes. Returns the cell's place (see
    // forEachPlaced), or NO_PLACE for the value 1, which is not stored.
    std::uint32_t pushNew(const CCell& cell);
    // Becomes the set that pushing these cells in this order into an empty set makes, for a few
    // cells of distinct positions: their groups are found by reading the few made so far, and
    // the indexes are left to be built if a lookup comes (a set that is only popped or walked
    // never needs them). Cells holding "any" are left out, as push leaves them out.
    void assignFew(const CCell* few, std::size_t n);
    static constexpr std::size_t FEW = 16;  // more than this many cells are pushed as usual
    // The value of the cell at `place`, as a push to its position would change it; the place
    // must come from forEachPlaced or pushNew with no pop or clear since.
    void setValueAt(std::uint32_t place, int value) { cells[place].value = value; }
    static constexpr std::uint32_t NO_PLACE = CEntryIndex::NONE;
    // Whether a cell at this position is in the set, whatever its value.
    bool holds(int x, int y, int z);
    // Whether holds and push find a position without first indexing every cell afresh (which
    // they do after pushNew, translate or a copy).
    bool positionsIndexed() const { return indexed && cellsIndexed; }
    int pop(CCell& out) override;
    // A set has no tail in list order; taking "from the back" takes any cell, as pop does.
    int popBack(CCell& out) override { return pop(out); }
    int isEmpty() const override { return size == 0 ? 1 : 0; }
    int count() const override { return int(size); }

    // Visits every cell in the order pop would yield them, without taking them out.
    template <class Visit>
    void forEachCell(Visit visit) const
    {
        for (std::uint32_t gx = firstX; gx != NONE; gx = xs[gx].next)
            for (std::uint32_t gy = xs[gx].first; gy != NONE; gy = ys[gy].next)
                for (std::uint32_t c = ys[gy].first; c != NONE; c = cells[c].next) {
                    const Entry& e = cells[c];
                    visit(CCell(e.x, e.y, e.z, e.value));
                }
    }
    // Visits every cell in the order the cells lie in memory, which is the order they were added
    // unless the set has been laid out again. For work whose result does not depend on the order
    // (applying writes to distinct positions, a check of every cell): a set filled in the order
    // of a space's memory then walks that space front to back, not in pop order across it.
    template <class Visit>
    void forEachInPlace(Visit visit) const
    {
        for (const Entry& e : cells)
            if (e.live()) visit(CCell(e.x, e.y, e.z, e.value));
    }

    // As forEachInPlace, with each cell's place: visit(place, cell).
    template <class Visit>
    void forEachPlaced(Visit visit) const
    {
        for (std::size_t c = 0; c < cells.size(); c++)
            if (cells[c].live()) visit(std::uint32_t(c), CCell(cells[c].x, cells[c].y, cells[c].z, cells[c].value));
    }

    // Asks `test` about every cell once, in place (see forEachInPlace), then visits those it
    // accepted in pop order. `marks` is scratch memory the caller keeps for the next call.
    template <class Test, class Visit>
    void forEachPassing(Test test, Visit visit, std::vector<std::uint8_t>& marks) const
    {
        marks.assign(cells.size(), 0);
        std::size_t passed = 0;
        for (std::size_t c = 0; c < cells.size(); c++) {
            const Entry& e = cells[c];
            if (e.live() && test(CCell(e.x, e.y, e.z, e.value))) {
                marks[c] = 1;
                passed++;
            }
        }
        if (passed == 0) return;
        for (std::uint32_t gx = firstX; gx != NONE; gx = xs[gx].next)
            for (std::uint32_t gy = xs[gx].first; gy != NONE; gy = ys[gy].next)
                for (std::uint32_t c = ys[gy].first; c != NONE; c = cells[c].next)
                    if (marks[c]) visit(CCell(cells[c].x, cells[c].y, cells[c].z, cells[c].value));
    }

    // The list walk along `next` means nothing for a set: use forEachCell.
    template <class Visit>
    void forEach(Visit) const = delete;

    // Becomes a copy of `positions` with every value replaced by `value`: the set that pushing
    // each of its cells with that value, in pop order, into an empty set would make.
    void copyWithValue(const CCellSet& positions, int value);

    // Lays the cells out afresh in pop order, so that walking or popping them reads the arrays
    // front to back; a set filled in another order is worth compacting once before long walks.
    // The new layout is built in `spare`'s memory, and `spare` is left with the old.
    void compact(CCellSet& spare);

    // Exchanges the contents (and the memory held) with another set.
    void swap(CCellSet& other) noexcept;

    // Moves every cell by the same offset; the order stays as it is. For cells handed from a
    // unit's coordinates to the document's. The indexes are rebuilt only if a push comes.
    void translate(int dx, int dy, int dz);

    // Positions inside the box from (x0, y0, z0), sx by sy by sz, are found from now on through
    // flat tables over the box: a unit's writes, which lie in the unit but for a few that hang
    // over its edge. The tables keep their memory when the set is cleared or the box changes, and
    // are never cleared themselves: an entry is trusted only when the place it names is live and
    // holds that very position. A box larger than MAX_GRID cells is not tabled. Without
    // `cellsToo` only the groups are tabled (sx by sy slots): for a set filled by pushNew, which
    // looks no cell up, at a fraction of the memory.
    void useGrid(int x0, int y0, int z0, int sx, int sy, int sz, bool cellsToo = true);
    static constexpr std::int64_t MAX_GRID = std::int64_t(1) << 24;

    // Memory held by the arrays and indexes, for measurements.
    std::size_t bytes() const;

private:
    static constexpr std::uint32_t NONE = CEntryIndex::NONE;
    // A place taken out is marked dead (an index entry may still point there) by a field that no
    // place in use can have, which keeps the entries small: a cell's value "any", which is never
    // stored; a group's empty count or chain.
    struct Entry {  // one cell; `next` is the following cell of its (x, y) group, or a free link
        int x, y, z, value;
        std::uint32_t next;
        bool live() const { return value != DEAD_VALUE; }
        void kill() { value = DEAD_VALUE; }
    };
    struct GroupY {  // the cells of one (x, y), first to last
        int x, y;
        std::uint32_t first, last, next;
        std::uint32_t count;  // cells in the group
        bool live() const { return count != 0; }
        void kill() { count = 0; }
    };
    struct GroupX {  // the (x, y) groups of one x, first to last
        int x;
        std::uint32_t first, last, next;
        bool live() const { return first != NONE; }
        void kill() { first = NONE; }
    };
    static constexpr int DEAD_VALUE = 1;

    template <class T>
    static std::uint32_t take(std::vector<T>& pool, std::uint32_t& freeList, const T& value);
    template <class T>
    static void release(std::vector<T>& pool, std::uint32_t& freeList, std::uint32_t i);
    void reset();
    void copyArrays(const CCellSet& set);
    void layOut(const CCellSet& positions);
    void addToGroups(std::uint32_t c, int x, int y);
    std::uint32_t findOrAddY(int x, int y, std::uint32_t c, bool& added);
    std::uint32_t findOrAddX(int x, std::uint32_t gy, bool& added);
    void reindexIfStale();
    void reindex();

    std::vector<Entry> cells;
    std::vector<GroupY> ys;
    std::vector<GroupX> xs;
    std::uint32_t freeCells = NONE, freeYs = NONE, freeXs = NONE;
    std::uint32_t firstX = NONE, lastX = NONE;
    std::uint32_t size = 0;
    std::uint32_t liveYs = 0, liveXs = 0;  // groups in use (`size` counts the cells)
    bool indexed = true;      // false after a translate or a copy: no index holds anything
    bool cellsIndexed = true; // false after pushNew: the position index misses some cells
    CEntryIndex cellIndex;  // (x, y, z) -> cell
    CEntryIndex yIndex;     // (x, y) -> (x, y) group
    CEntryIndex xIndex;     // x -> x group
    // The groups the hashed path found or made last: a place that may since have been taken out
    // or reused, trusted only when it is live and holds that very key (one live group a key).
    std::uint32_t recentY = NONE, recentX = NONE;

    // The flat tables of `useGrid`, each slot a place number that may be stale (see useGrid).
    struct Grid {
        int x0 = 0, y0 = 0, z0 = 0;
        std::uint32_t sx = 0, sy = 0, sz = 0;
        bool cellsToo = false;
        std::vector<std::uint32_t> cells, ys, xs;
        // The slot of a position in each table, or false when it lies outside the box.
        bool xAt(int x, std::size_t& at) const
        {
            at = std::uint32_t(unsigned(x) - unsigned(x0));
            return at < sx;
        }
        bool yAt(int x, int y, std::size_t& at) const
        {
            const std::uint32_t ux = unsigned(x) - unsigned(x0), uy = unsigned(y) - unsigned(y0);
            at = std::size_t(uy) * sx + ux;
            return ux < sx && uy < sy;
        }
        bool cellAt(int x, int y, int z, std::size_t& at) const
        {
            const std::uint32_t ux = unsigned(x) - unsigned(x0), uy = unsigned(y) - unsigned(y0),
                                uz = unsigned(z) - unsigned(z0);
            at = (std::size_t(uz) * sy + uy) * sx + ux;
            return cellsToo && ux < sx && uy < sy && uz < sz;
        }
    };
    std::unique_ptr<Grid> grid;  // null: no grid, and a swap costs no more for it
    static bool inGridX(const Grid* g, int x, std::size_t& at) { return g && g->xAt(x, at); }
    static bool inGridY(const Grid* g, int x, int y, std::size_t& at) { return g && g->yAt(x, y, at); }
    static bool inGridCell(const Grid* g, int x, int y, int z, std::size_t& at) { return g && g->cellAt(x, y, z, at); }
    bool gridHoldsCell(std::uint32_t c, int x, int y, int z) const
    {
        return c < cells.size() && cells[c].x == x && cells[c].y == y && cells[c].z == z && cells[c].live();
    }
};
