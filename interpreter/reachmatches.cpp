// CReachMatches: the matches of many left sides of one size over a reach list, in one walk.
#include "interpreter/reachmatches.h"

#include <algorithm>

#include "interpreter/leftmatcher.h"

namespace {
std::uint64_t mix(std::uint64_t h, std::uint64_t v) { return (h ^ v) * 0x9E3779B97F4A7C15ull; }

std::uint64_t keyOf(const CSpace& left)
{
    std::uint64_t h = mix(mix(mix(1, std::uint64_t(left.getSizeX())), std::uint64_t(left.getSizeY())),
                          std::uint64_t(left.getSizeZ()));
    const std::int64_t n = std::int64_t(left.getSizeX()) * left.getSizeY() * left.getSizeZ();
    for (std::int64_t i = 0; i < n; i++) h = mix(h, std::uint32_t(left.data()[i]));
    return h;
}

// Left sides comparing the same cells, with their values hashed into an open table.
struct Family {
    std::vector<std::int64_t> offsets;
    std::vector<std::size_t> sides;
    std::vector<std::int32_t> slots;  // first side (index into `sides`) of each bucket, or -1
    std::vector<std::int32_t> next;   // the next side in the same bucket, or -1
};
}  // namespace

void CReachMatches::build(const CSpace& view, const CReachList& reach, const std::vector<CSpace>& lefts,
                          CSearchPoll& poll)
{
    sides.clear();
    const std::int64_t sx = view.getSizeX(), sy = view.getSizeY();
    for (const CSpace& left : lefts) {
        const std::uint64_t key = keyOf(left);
        if (std::any_of(sides.begin(), sides.end(),
                        [&](const Side& s) { return s.key == key && s.left.isEqual(left); }))
            continue;
        Side side;
        side.left = left;
        side.key = key;
        side.valueKey = 1;
        for (int k = 0; k < left.getSizeZ(); k++)
            for (int j = 0; j < left.getSizeY(); j++)
                for (int i = 0; i < left.getSizeX(); i++) {
                    const int v = left.get(i, j, k);
                    if (v == CELL_ANY) continue;
                    side.offsets.push_back(i + sx * (j + sy * k));
                    side.values.push_back(v);
                    side.valueKey = mix(side.valueKey, std::uint32_t(v));
                }
        sides.push_back(std::move(side));
    }
    std::vector<Family> families;
    for (std::size_t s = 0; s < sides.size(); s++) {
        auto f = std::find_if(families.begin(), families.end(),
                              [&](const Family& fam) { return fam.offsets == sides[s].offsets; });
        if (f == families.end()) f = families.insert(families.end(), Family{sides[s].offsets, {}, {}, {}});
        f->sides.push_back(s);
    }

    const auto& positions = reach.positions();
    const int* cells = view.data();
    for (Family& fam : families) {
        std::vector<CLeftMatcher> matchers;
        matchers.reserve(fam.sides.size());
        for (const std::size_t s : fam.sides) matchers.emplace_back(view, sides[s].left);
        // A single left side, or one with nothing to read at an inside position, is tested as
        // its own walk would.
        const bool lookUp = fam.sides.size() > 1 && !fam.offsets.empty();
        std::size_t mask = 0;
        if (lookUp) {
            std::size_t buckets = 16;
            while (buckets < 2 * fam.sides.size()) buckets *= 2;
            mask = buckets - 1;
            fam.slots.assign(buckets, -1);
            fam.next.assign(fam.sides.size(), -1);
            for (std::size_t n = 0; n < fam.sides.size(); n++) {
                std::int32_t& slot = fam.slots[sides[fam.sides[n]].valueKey & mask];
                fam.next[n] = slot;
                slot = std::int32_t(n);
            }
        }
        const std::size_t count = fam.offsets.size();
        std::size_t polled = 0;
        for (std::size_t i = 0; i < positions.size(); i++) {
            if (++polled == CSearchPoll::TICKS_PER_CHECK) {
                poll.advance(int(polled));
                polled = 0;
            }
            const CReachList::Position& p = positions[i];
            if (!lookUp || !p.inside()) {
                for (std::size_t n = 0; n < matchers.size(); n++)
                    if (matchers[n].at(p.x, p.y, p.z)) sides[fam.sides[n]].matches.push_back(std::uint32_t(i));
                continue;
            }
            const int* corner = cells + p.index;
            std::uint64_t h = 1;
            for (std::size_t e = 0; e < count; e++) h = mix(h, std::uint32_t(corner[fam.offsets[e]]));
            for (std::int32_t n = fam.slots[h & mask]; n >= 0; n = fam.next[std::size_t(n)]) {
                Side& side = sides[fam.sides[std::size_t(n)]];
                if (side.valueKey != h) continue;
                bool same = true;
                for (std::size_t e = 0; e < count && same; e++) same = corner[fam.offsets[e]] == side.values[e];
                if (same) side.matches.push_back(std::uint32_t(i));
            }
        }
    }
}

const std::vector<std::uint32_t>* CReachMatches::matchesOf(const CSpace& left) const
{
    const std::uint64_t key = keyOf(left);
    for (const Side& s : sides)
        if (s.key == key && s.left.isEqual(left)) return &s.matches;
    return nullptr;
}
