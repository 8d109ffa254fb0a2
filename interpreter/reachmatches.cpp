// CReachMatches: the matches of many left sides of one size over a reach list, in one walk.
// A left side matches where each of its cells other than "any" equals the unit's cell under it,
// reading outside the unit as the outside code; positions partly outside are read that way.
#include "interpreter/reachmatches.h"

#include <algorithm>
#include <utility>

#include "space/cellcodes.h"

namespace {
// A multiplicative hash: its high bits are well mixed, its low bits poorly.
std::uint64_t mix(std::uint64_t h, std::uint64_t v) { return (h ^ v) * 0x9E3779B97F4A7C15ull; }

std::uint64_t keyOf(const CSpace& left)
{
    std::uint64_t h = mix(mix(mix(1, std::uint64_t(left.getSizeX())), std::uint64_t(left.getSizeY())),
                          std::uint64_t(left.getSizeZ()));
    const std::int64_t n = std::int64_t(left.getSizeX()) * left.getSizeY() * left.getSizeZ();
    for (std::int64_t i = 0; i < n; i++) h = mix(h, std::uint32_t(left.data()[i]));
    return h;
}
}  // namespace

void CReachMatches::clear()
{
    sides.clear();
    families.clear();
    order.clear();
    ux = uy = -1;
}

void CReachMatches::prepare(const std::vector<CSpace>& lefts)
{
    clear();
    for (const CSpace& left : lefts) {
        const std::uint64_t key = keyOf(left);
        const auto same = std::find_if(sides.begin(), sides.end(),
                                       [&](const Side& s) { return s.key == key && s.left.isEqual(left); });
        order.push_back(std::size_t(same - sides.begin()));
        if (same == sides.end()) sides.push_back(Side{left, key, 1, {}});
    }
    std::vector<int> cells, values;
    for (std::size_t s = 0; s < sides.size(); s++) {
        const CSpace& left = sides[s].left;
        cells.clear(), values.clear();
        for (int k = 0; k < left.getSizeZ(); k++)
            for (int j = 0; j < left.getSizeY(); j++)
                for (int i = 0; i < left.getSizeX(); i++) {
                    const int v = left.get(i, j, k);
                    if (v == CELL_ANY) continue;
                    cells.insert(cells.end(), {i, j, k});
                    values.push_back(v);
                    sides[s].valueKey = mix(sides[s].valueKey, std::uint32_t(v));
                }
        auto f = std::find_if(families.begin(), families.end(), [&](const Family& fam) { return fam.cells == cells; });
        if (f == families.end()) {
            f = families.insert(families.end(), Family{});
            f->cells = cells;
        }
        f->sides.push_back(s);
        f->values.insert(f->values.end(), values.begin(), values.end());
    }
    for (Family& fam : families) {
        pickTellingCells(fam);
        std::size_t buckets = 16;
        int bits = 4;
        while (buckets < 2 * fam.sides.size()) buckets *= 2, bits++;
        fam.shift = 64 - bits;
        fam.slots.assign(buckets, -1);
        fam.next.assign(fam.sides.size(), -1);
        for (std::size_t n = 0; n < fam.sides.size(); n++) {
            std::int32_t& slot = fam.slots[sides[fam.sides[n]].valueKey >> fam.shift];
            fam.next[n] = slot;
            slot = std::int32_t(n);
        }
    }
}

void CReachMatches::pickTellingCells(Family& fam)
{
    const std::size_t count = fam.cells.size() / 3;
    fam.allowed.assign(2 * count, 0);
    fam.telling.clear();
    std::vector<bool> wide(count, false);  // a side holds a value beyond the bits here
    for (std::size_t n = 0; n < fam.sides.size(); n++)
        for (std::size_t e = 0; e < count; e++) {
            const int v = fam.values[n * count + e];
            if (unsigned(v) >= 128) {
                wide[e] = true;
                continue;
            }
            fam.allowed[2 * e + (unsigned(v) >> 6)] |= std::uint64_t(1) << (unsigned(v) & 63);
        }
    std::vector<std::pair<int, std::uint32_t>> ranked;
    for (std::size_t e = 0; e < count; e++)
        if (!wide[e])
            ranked.emplace_back(__builtin_popcountll(fam.allowed[2 * e]) + __builtin_popcountll(fam.allowed[2 * e + 1]),
                                std::uint32_t(e));
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& r : ranked) fam.telling.push_back(r.second);
}

void CReachMatches::placeIn(std::int64_t sx, std::int64_t sy)
{
    ux = sx, uy = sy;
    for (Family& fam : families) {
        fam.offsets.clear();
        for (std::size_t e = 0; e < fam.cells.size(); e += 3)
            fam.offsets.push_back(fam.cells[e] + sx * (fam.cells[e + 1] + sy * fam.cells[e + 2]));
    }
}

void CReachMatches::walk(const CSpace& view, const CReachList& reach, CSearchPoll& poll)
{
    for (Side& side : sides) side.matches.clear();
    if (!view.data()) return;  // the empty unit matches nothing
    if (view.getSizeX() != ux || view.getSizeY() != uy) placeIn(view.getSizeX(), view.getSizeY());
    for (const Family& fam : families) walkFamily(fam, view, reach, poll);
}

void CReachMatches::walkFamily(const Family& fam, const CSpace& view, const CReachList& reach, CSearchPoll& poll)
{
    const auto positions = reach.positions();
    const std::size_t count = fam.cells.size() / 3;
    const std::int64_t* offsets = fam.offsets.data();
    const int* values = fam.values.data();
    const int* cells = view.data();
    // Calls found(i) for the side whose values the position's cells hold, if any; value(e) reads
    // the cell under the e-th compared cell.
    const std::uint64_t* allowed = fam.allowed.data();
    const std::uint32_t* telling = fam.telling.data();
    const std::size_t tellingCount = fam.sides.size() == 1 ? 0 : fam.telling.size();
    auto lookUp = [&](std::uint32_t i, auto value) {
        for (std::size_t t = 0; t < tellingCount; t++) {
            const std::uint32_t e = telling[t];
            const unsigned v = unsigned(value(e));
            if (v >= 128 || !((allowed[2 * e + (v >> 6)] >> (v & 63)) & 1)) return;
        }
        if (fam.sides.size() == 1) {
            for (std::size_t e = 0; e < count; e++)
                if (value(e) != values[e]) return;
            sides[fam.sides[0]].matches.push_back(i);
            return;
        }
        std::uint64_t h = 1;
        for (std::size_t e = 0; e < count; e++) h = mix(h, std::uint32_t(value(e)));
        for (std::int32_t n = fam.slots[h >> fam.shift]; n >= 0; n = fam.next[std::size_t(n)]) {
            Side& side = sides[fam.sides[std::size_t(n)]];
            if (side.valueKey != h) continue;
            const int* own = values + std::size_t(n) * count;
            bool same = true;
            for (std::size_t e = 0; e < count && same; e++) same = value(e) == own[e];
            if (same) side.matches.push_back(i);
        }
    };
    std::size_t polled = 0;
    for (std::size_t i = 0; i < positions.size(); i++) {
        if (++polled == CSearchPoll::TICKS_PER_CHECK) {
            poll.advance(int(polled));
            polled = 0;
        }
        const CReachList::Position& p = positions[i];
        if (p.inside()) {
            const int* corner = cells + p.index;
            lookUp(std::uint32_t(i), [&](std::size_t e) { return corner[offsets[e]]; });
        } else {
            const int* c = fam.cells.data();
            lookUp(std::uint32_t(i), [&](std::size_t e) {
                return view.get(p.x + c[3 * e], p.y + c[3 * e + 1], p.z + c[3 * e + 2]);
            });
        }
    }
}

const std::vector<std::uint32_t>* CReachMatches::matchesOf(const CSpace& left, std::size_t& cursor) const
{
    for (std::size_t k = cursor; k < order.size(); k++)
        if (sides[order[k]].left.isEqual(left)) {
            cursor = k + 1;
            return &sides[order[k]].matches;
        }
    const std::uint64_t key = keyOf(left);
    for (const Side& s : sides)
        if (s.key == key && s.left.isEqual(left)) return &s.matches;
    return nullptr;
}
