// Near misses. The space is read as the Separate scan reads it; outline cells that no block took
// are gathered into heaps of touching cells. For each heap, every cell of it (taken away) and
// every cell next to it (painted in the outline colour) is tried as the one change, on a small
// copy of the heap's surroundings in which the recognised blocks are already consumed (rule
// groups near it drawn back in, so that a mended rule can rejoin its chain). The change after
// which a recogniser reads a block holding most of the heap as outline (not as contents), and
// holding or touching the changed cell, is the near miss.
#include "interpreter/nearmiss.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "interpreter/blockparts.h"
#include "interpreter/keywordicons.h"
#include "interpreter/nearmissreason.h"
#include "interpreter/patternspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/cellcodes.h"
#include "space/spacelist.h"

namespace {
constexpr std::size_t MIN_HEAP = 4;     // fewer cells make no block
constexpr std::size_t MAX_HEAP = 4096;  // larger heaps would take too long to try cell by cell
constexpr int MAX_MISSES_PER_HEAP = 8;

struct Pos {
    int x, y, z;
};

// The Separate scan's order: z outermost, then x, then y from the top.
bool scanBefore(const Pos& a, const Pos& b)
{
    return std::make_tuple(a.z, a.x, -a.y) < std::make_tuple(b.z, b.x, -b.y);
}

CBox shifted(const CBox& b, const Pos& d)
{
    return CBox(b.x0 + d.x, b.y0 + d.y, b.z0 + d.z, b.x1 + d.x, b.y1 + d.y, b.z1 + d.z);
}

// Where a block whose drawing holds the cell p may be found by the scan: at an outline cell itself
// (sequences, rule groups, windows) or at the first interior cell of a work area.
void addScanCells(const Pos& p, bool flat, std::vector<Pos>& cells)
{
    cells.push_back(p);
    cells.push_back(flat ? Pos{p.x + 2, p.y, p.z + 2} : Pos{p.x, p.y + 1, p.z + 1});
}

void sortUnique(std::vector<Pos>& cells)
{
    std::sort(cells.begin(), cells.end(), scanBefore);
    cells.erase(std::unique(cells.begin(), cells.end(),
                            [](const Pos& a, const Pos& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }),
                cells.end());
}

struct Best {
    int covered = 0;
    Pos cell{};
    int wanted = 0;
    CBlockRead read;
    std::vector<bool> taken;  // which heap cells the block holds
};

// Explains one heap (in the coordinates of `scan`, the whole read copy), pushing near misses
// shifted by `offset`; takes the explained cells out of the heap and returns false when nothing
// more can be explained.
bool explainOne(const CPatternSpace& scan, const CSpace& drawn, const std::vector<CBox>& groups,
                std::vector<Pos>& heap, const Pos& offset, std::vector<CNearMiss>& out)
{
    const bool flat = scan.isFlat();
    const int outline = flat ? CELL_BLUE : CELL_GREEN;
    Pos lo = heap[0], hi = heap[0];
    for (const Pos& p : heap) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    // Two cells of margin: a block's tests reach one cell past its outline, and a change may add
    // one outline cell past the heap.
    Pos r0{lo.x - 2, flat ? 0 : lo.y - 2, lo.z - 2};
    Pos r1{hi.x + 2, flat ? 0 : hi.y + 2, hi.z + 2};
    // Rule groups near the heap are drawn back in, whole: a broken rule of a chain leaves the
    // rules after it to be read as groups of their own, and mending it joins them to it again.
    std::vector<CBox> near;
    for (bool grown = true; grown;) {
        grown = false;
        for (const CBox& g : groups) {
            const bool meets = g.x0 <= r1.x && g.x1 >= r0.x && g.y0 <= r1.y && g.y1 >= r0.y && g.z0 <= r1.z &&
                               g.z1 >= r0.z;
            const bool taken = std::any_of(near.begin(), near.end(), [&](const CBox& b) { return b.isEqual(g); });
            if (!meets || taken) continue;
            near.push_back(g);
            r0 = {std::min(r0.x, g.x0 - 2), flat ? 0 : std::min(r0.y, g.y0 - 2), std::min(r0.z, g.z0 - 2)};
            r1 = {std::max(r1.x, g.x1 + 2), flat ? 0 : std::max(r1.y, g.y1 + 2), std::max(r1.z, g.z1 + 2)};
            grown = true;
        }
    }
    CPatternSpace base(scan.extract(r0.x, r0.y, r0.z, r1.x - r0.x + 1, r1.y - r0.y + 1, r1.z - r0.z + 1));
    auto local = [&](const Pos& p) { return Pos{p.x - r0.x, p.y - r0.y, p.z - r0.z}; };
    for (const CBox& g : near)
        for (int z = std::max(g.z0, r0.z); z <= std::min(g.z1, r1.z); z++)
            for (int y = std::max(g.y0, r0.y); y <= std::min(g.y1, r1.y); y++)
                for (int x = std::max(g.x0, r0.x); x <= std::min(g.x1, r1.x); x++)
                    base.set(x - r0.x, y - r0.y, z - r0.z, drawn.get(x, y, z));

    std::vector<Pos> cells;  // heap cells, local
    for (const Pos& p : heap) cells.push_back(local(p));
    std::vector<Pos> scanCells;
    for (const Pos& p : cells) addScanCells(p, flat, scanCells);
    sortUnique(scanCells);

    // Changes to try: each heap cell taken away, each empty or coloured cell next to the heap
    // painted in the outline colour.
    std::vector<std::pair<Pos, int>> changes;
    for (const Pos& p : cells) {
        changes.push_back({p, CELL_EMPTY});
        for (int dz = -1; dz <= 1; dz++)
            for (int dy = flat ? 0 : -1; dy <= (flat ? 0 : 1); dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    const Pos n{p.x + dx, p.y + dy, p.z + dz};
                    const int v = base.get(n.x, n.y, n.z);
                    if (v != outline && v != CELL_OUTSIDE) changes.push_back({n, outline});
                }
    }
    std::sort(changes.begin(), changes.end(),
              [](const auto& a, const auto& b) { return scanBefore(a.first, b.first); });
    changes.erase(std::unique(changes.begin(), changes.end(),
                              [](const auto& a, const auto& b) {
                                  return a.first.x == b.first.x && a.first.y == b.first.y &&
                                         a.first.z == b.first.z && a.second == b.second;
                              }),
                  changes.end());

    CBlockPartsReader outputs;
    Best best;
    auto tryChange = [&](const Pos* at, int value) {
        CPatternSpace copy(base);
        std::vector<Pos> order = scanCells;
        if (at) {
            copy.set(at->x, at->y, at->z, value);
            addScanCells(*at, flat, order);
            sortUnique(order);
        }
        std::vector<bool> taken(cells.size(), false);
        for (const Pos& p : order) {
            CBlockRead read;
            if (!outputs.readAt(copy, p.x, p.y, p.z, read)) continue;
            std::vector<bool> mine(cells.size(), false);
            int covered = 0;
            for (std::size_t i = 0; i < cells.size(); i++)
                if (!taken[i] && copy.get(cells[i].x, cells[i].y, cells[i].z) == CELL_OUTSIDE) {
                    taken[i] = mine[i] = true;
                    covered++;
                }
            // Heap cells read as contents are not explained as outline; a painted cell that the
            // block takes is explained, a taken-away one is not.
            const int score = covered + (value == outline ? 1 : 0) - read.outlineInside;
            const CBox& b = read.box;
            const bool near = !at || (at->x >= b.x0 - 1 && at->x <= b.x1 + 1 && at->y >= b.y0 - 1 &&
                                      at->y <= b.y1 + 1 && at->z >= b.z0 - 1 && at->z <= b.z1 + 1);
            if (at && near && score > best.covered) {
                best.covered = score;
                best.cell = *at;
                best.wanted = value;
                best.read = std::move(read);
                best.taken = std::move(mine);
            }
        }
        return taken;
    };

    // Cells that read as a block with no change at all were kept from it only by cells of blocks
    // read later in the scan; they are no near miss of one cell.
    const std::vector<bool> readAnyway = tryChange(nullptr, 0);
    if (std::find(readAnyway.begin(), readAnyway.end(), true) != readAnyway.end()) {
        std::vector<Pos> rest;
        for (std::size_t i = 0; i < heap.size(); i++)
            if (!readAnyway[i]) rest.push_back(heap[i]);
        heap = rest;
        return heap.size() >= MIN_HEAP;
    }

    for (const auto& [at, value] : changes) tryChange(&at, value);
    if (best.covered == 0) return false;

    CNearMiss miss;
    miss.kind = best.read.kind;
    const Pos toSpace{r0.x + offset.x, r0.y + offset.y, r0.z + offset.z};
    miss.box = shifted(best.read.box, toSpace);
    const Pos inDrawing{best.cell.x + r0.x, best.cell.y + r0.y, best.cell.z + r0.z};
    miss.cell = CCell(inDrawing.x + offset.x, inDrawing.y + offset.y, inDrawing.z + offset.z,
                      drawn.get(inDrawing.x, inDrawing.y, inDrawing.z));
    miss.wanted = best.wanted;
    std::vector<CBlockPart> parts = best.read.parts;
    for (CBlockPart& part : parts) part.box = shifted(part.box, toSpace);
    miss.reason = nearMissReason(miss.kind, miss.box, parts, flat, miss.cell, miss.wanted, outline);
    out.push_back(std::move(miss));

    std::vector<Pos> rest;
    for (std::size_t i = 0; i < heap.size(); i++)
        if (!best.taken[i]) rest.push_back(heap[i]);
    heap = rest;
    return heap.size() >= MIN_HEAP;
}

// A window whose first frame is a keyword icon but for one cell.
void keywordNearMiss(const CBlockRead& read, const Pos& offset, std::vector<CNearMiss>& out)
{
    static const struct {
        const char* name;
        CPatternSpace icon;
        CBlockKind kind;
    } keywords[] = {{"palette", makePaletteIcon(), CBlockKind::Declaration},
                    {"variables", makeTwoBlockIcon(), CBlockKind::Declaration},
                    {"sub-program", makeThreeBlockIcon(), CBlockKind::SubProgram},
                    {"receive", makeArrowCrossIcon(), CBlockKind::Declaration},
                    {"own key", makeDownArrowIcon(), CBlockKind::Declaration},
                    {"reply key", makeUpArrowIcon(), CBlockKind::Declaration}};
    if (read.frames.empty()) return;
    const CPlacedSpace& first = read.frames[0];
    for (const auto& k : keywords) {
        const CSpace& icon = k.icon;
        if (icon.getSizeX() != first.getSizeX() || icon.getSizeY() != first.getSizeY() ||
            icon.getSizeZ() != first.getSizeZ())
            continue;
        int differ = 0;
        Pos at{};
        for (int z = 0; z < icon.getSizeZ(); z++)
            for (int y = 0; y < icon.getSizeY(); y++)
                for (int x = 0; x < icon.getSizeX(); x++)
                    if (icon.get(x, y, z) != first.get(x, y, z)) {
                        differ++;
                        at = {x, y, z};
                    }
        if (differ != 1) continue;
        CNearMiss miss;
        miss.kind = k.kind;
        miss.box = shifted(read.box, offset);
        miss.cell = CCell(first.x + at.x + offset.x, first.y + at.y + offset.y, first.z + at.z + offset.z,
                          first.get(at.x, at.y, at.z));
        miss.wanted = icon.get(at.x, at.y, at.z);
        char where[64];
        std::snprintf(where, sizeof where, " at (%d,%d,%d): the cell (%d,%d,%d)", miss.box.x0, miss.box.y0,
                      miss.box.z0, miss.cell.x, miss.cell.y, miss.cell.z);
        miss.reason = std::string(nearMissKindTitle(k.kind)) + where + " of the keyword frame should be " +
                      cellValueName(miss.wanted) + "; it is " + cellValueName(miss.cell.value) + " (the " +
                      k.name + " keyword)";
        out.push_back(std::move(miss));
        return;
    }
}

// Outline cells no block took, grouped into heaps of cells that touch (also diagonally).
std::vector<std::vector<Pos>> heapsOf(const CSpace& drawn, const CPatternSpace& scan, int outline)
{
    std::vector<Pos> left;
    for (int z = 0; z < drawn.getSizeZ(); z++)
        for (int x = 0; x < drawn.getSizeX(); x++)
            for (int y = drawn.getSizeY() - 1; y >= 0; y--)
                if (drawn.get(x, y, z) == outline && scan.get(x, y, z) != CELL_OUTSIDE) left.push_back({x, y, z});
    // `left` is in scan order; a heap grows by looking its cells' neighbours up in it.
    std::vector<bool> used(left.size(), false);
    auto indexOf = [&](const Pos& p) -> long {
        const auto it = std::lower_bound(left.begin(), left.end(), p, scanBefore);
        return it != left.end() && it->x == p.x && it->y == p.y && it->z == p.z ? it - left.begin() : -1;
    };
    std::vector<std::vector<Pos>> heaps;
    for (std::size_t i = 0; i < left.size(); i++) {
        if (used[i]) continue;
        std::vector<Pos> heap{left[i]};
        used[i] = true;
        for (std::size_t k = 0; k < heap.size(); k++)
            for (int dz = -1; dz <= 1; dz++)
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++) {
                        const long j = indexOf({heap[k].x + dx, heap[k].y + dy, heap[k].z + dz});
                        if (j >= 0 && !used[j]) {
                            used[j] = true;
                            heap.push_back(left[j]);
                        }
                    }
        heaps.push_back(std::move(heap));
    }
    return heaps;
}

void analyse(const CSpace& drawn, const Pos& offset, std::vector<CNearMiss>& out)
{
    CPatternSpace scan(drawn);
    const int outline = scan.isFlat() ? CELL_BLUE : CELL_GREEN;
    CBlockPartsReader outputs;
    std::vector<CPlacedSpace> inner;  // the frames of sub-program windows after their name
    std::vector<CBox> groups;         // the rule groups read
    for (int z = 0; z < scan.getSizeZ(); z++)
        for (int x = 0; x < scan.getSizeX(); x++)
            for (int y = scan.getSizeY() - 1; y >= 0; y--) {
                CBlockRead read;
                if (!outputs.readAt(scan, x, y, z, read)) continue;
                if (read.kind == CBlockKind::RuleGroup) groups.push_back(read.box);
                if (read.kind == CBlockKind::Window) keywordNearMiss(read, offset, out);
                if (read.kind != CBlockKind::SubProgram) continue;
                inner.insert(inner.end(), read.frames.begin() + std::min<std::size_t>(2, read.frames.size()),
                             read.frames.end());
            }
    for (std::vector<Pos>& heap : heapsOf(drawn, scan, outline)) {
        if (heap.size() < MIN_HEAP || heap.size() > MAX_HEAP) continue;
        for (int i = 0; i < MAX_MISSES_PER_HEAP && explainOne(scan, drawn, groups, heap, offset, out); i++) {
        }
    }
    for (const CPlacedSpace& f : inner) analyse(f, {offset.x + f.x, offset.y + f.y, offset.z + f.z}, out);
}
}  // namespace

std::vector<CNearMiss> findNearMisses(const CSpace& space)
{
    std::vector<CNearMiss> out;
    analyse(space, {0, 0, 0}, out);
    return out;
}

std::string describeNearMiss(const CNearMiss& miss)
{
    char text[160];
    const CBox& b = miss.box;
    std::snprintf(text, sizeof text, "near-miss %s (%d,%d,%d)-(%d,%d,%d) cell (%d,%d,%d): ", blockKindName(miss.kind),
                  b.x0, b.y0, b.z0, b.x1, b.y1, b.z1, miss.cell.x, miss.cell.y, miss.cell.z);
    return text + miss.reason;
}

int nearMissDistance(const CNearMiss& miss, int x, int y, int z)
{
    auto along = [](int v, int lo, int hi) { return v < lo ? lo - v : v > hi ? v - hi : 0; };
    const CBox& b = miss.box;
    const int toBox = std::max({along(x, std::min(b.x0, b.x1), std::max(b.x0, b.x1)),
                                along(y, std::min(b.y0, b.y1), std::max(b.y0, b.y1)),
                                along(z, std::min(b.z0, b.z1), std::max(b.z0, b.z1))});
    const CCell& c = miss.cell;
    const int toCell = std::max({std::abs(x - c.x), std::abs(y - c.y), std::abs(z - c.z)});
    return std::min(toBox, toCell);
}

const CNearMiss* nearestNearMiss(const std::vector<CNearMiss>& misses, int x, int y, int z, int within)
{
    const CNearMiss* nearest = nullptr;
    int best = within;
    for (const CNearMiss& m : misses) {
        const int d = nearMissDistance(m, x, y, z);
        if (d <= best && (!nearest || d < best)) {
            nearest = &m;
            best = d;
        }
    }
    return nearest;
}
