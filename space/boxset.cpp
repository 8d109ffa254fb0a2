// CBoxSet: `items` holds the boxes from the tail (oldest) to the head (newest); popBack advances
// `front` and the array is compacted now and then. Every box is known to `index` under an id that
// stays fixed while the box is stored. A plain list copied in may hold a box twice; then `index`
// knows one of the copies, and removing that one looks for another (a walk, only ever in that
// case: the set itself never stores a duplicate). A bulk load may leave `items` the other way
// round (`headFirst`) until the index is first needed.
#include "space/boxset.h"

#include <algorithm>
#include <utility>

std::uint32_t CBoxSet::hashOf(const CBox& b)
{
    return CEntryIndex::hashOf(b.x0, b.y0, b.z0) ^ (CEntryIndex::hashOf(b.x1, b.y1, b.z1) * 0x9E3779B1u + 0x7F4A7C15u);
}

CBoxSet::CBoxSet(const CBoxSet& other) : CLinkList<CBox>() { assign(other); }

CBoxSet::CBoxSet(CBoxSet&& other) noexcept : CLinkList<CBox>() { *this = std::move(other); }

CBoxSet& CBoxSet::operator=(const CBoxSet& other)
{
    assign(other);
    return *this;
}

void CBoxSet::swap(CBoxSet& other) noexcept
{
    std::swap(head, other.head);
    items.swap(other.items);
    std::swap(front, other.front);
    std::swap(base, other.base);
    index.swap(other.index);
    std::swap(duplicates, other.duplicates);
    std::swap(indexed, other.indexed);
    std::swap(headFirst, other.headFirst);
    std::swap(sums, other.sums);
    std::swap(sumsKnown, other.sumsKnown);
}

CBoxSet& CBoxSet::operator=(CBoxSet&& other) noexcept
{
    if (&other == this) return *this;
    sumsKnown = false;
    items = std::move(other.items);
    front = other.front;
    base = other.base;
    index = std::move(other.index);
    duplicates = other.duplicates;
    indexed = other.indexed;
    headFirst = other.headFirst;
    other.indexed = true;
    other.headFirst = false;
    other.items.clear();
    other.index = CEntryIndex();
    other.front = 0;
    other.base = 0;
    other.duplicates = 0;
    other.sumsKnown = false;
    return *this;
}

CLinkList<CBox>& CBoxSet::assign(const CLinkList<CBox>& other)
{
    if (&other == this) return *this;
    sumsKnown = false;
    if (const auto* set = dynamic_cast<const CBoxSet*>(&other)) {
        items.assign(set->items.begin() + std::ptrdiff_t(set->front), set->items.end());
        front = 0;
        base = set->base + std::uint32_t(set->front);
        index = set->index;
        duplicates = set->duplicates;
        indexed = set->indexed;
        headFirst = set->headFirst;
        return *this;
    }
    // A plain list is copied as it is, duplicates included, in the same order.
    clear();
    std::vector<CBox> fromHead;
    other.forEach([&](const CBox& b) { fromHead.push_back(b); });
    items.reserve(fromHead.size());
    for (auto it = fromHead.rbegin(); it != fromHead.rend(); ++it) {
        const std::uint32_t hash = hashOf(*it);
        if (find(hash, *it) != CEntryIndex::NONE) {
            duplicates++;
            items.push_back(Item{it->x0, it->y0, it->z0, it->x1, it->y1, it->z1});
        } else {
            append(*it, hash);
        }
    }
    return *this;
}

void CBoxSet::clear()
{
    sumsKnown = false;
    items.clear();
    front = 0;
    base = 0;
    index.clear();
    duplicates = 0;
    indexed = true;
    headFirst = false;
}

void CBoxSet::takeDistinctHeadFirst(std::vector<Item>& boxes)
{
    sumsKnown = false;
    clear();
    items.swap(boxes);
    indexed = items.empty();
    headFirst = !items.empty();
}

void CBoxSet::reserve(std::size_t more)
{
    ensureIndexed();  // as the first push would: the index is then made once at its size
    const std::size_t needed = items.size() + more;
    if (items.capacity() < needed) items.reserve(std::max(needed, 2 * items.capacity()));
    index.reserve(index.size() + more);
}

void CBoxSet::ensureIndexed()
{
    if (indexed) return;
    indexed = true;
    if (headFirst) {
        std::reverse(items.begin() + std::ptrdiff_t(front), items.end());
        headFirst = false;
    }
    index.reserve(index.size() + (items.size() - front));
    for (std::size_t i = front; i < items.size(); i++)
        index.insert(hashOf(items[i].box()), base + std::uint32_t(i));
}

// After the last box left: the index is empty already and keeps its table for the next fill.
void CBoxSet::restart()
{
    sumsKnown = false;
    items.clear();
    front = 0;
    base = 0;
    duplicates = 0;
    indexed = true;
    headFirst = false;
}

std::uint32_t CBoxSet::find(std::uint32_t hash, const CBox& b) const
{
    return index.find(hash, [&](std::uint32_t id) { return items[id - base].is(b); });
}

void CBoxSet::append(const CBox& b, std::uint32_t hash)
{
    items.push_back(Item{b.x0, b.y0, b.z0, b.x1, b.y1, b.z1});
    index.insert(hash, base + std::uint32_t(items.size() - 1));
}

void CBoxSet::push(const CBox& b)
{
    sumsKnown = false;
    ensureIndexed();
    // Looked up and, when new, indexed in one probe.
    const std::uint32_t id = base + std::uint32_t(items.size());
    if (index.findOrInsert(
            hashOf(b), [&](std::uint32_t known) { return items[known - base].is(b); }, [&] { return id; }) !=
        CEntryIndex::NONE)
        return;
    items.push_back(Item{b.x0, b.y0, b.z0, b.x1, b.y1, b.z1});
}

// The item `id`, holding b, is leaving the set.
void CBoxSet::forget(std::uint32_t id, const CBox& b)
{
    const std::uint32_t hash = hashOf(b);
    if (duplicates > 0) {
        const std::uint32_t known = find(hash, b);
        for (std::size_t i = front; i < items.size(); i++) {
            const std::uint32_t other = base + std::uint32_t(i);
            if (other != id && items[i].is(b)) {  // another copy stays: the index points there
                index.renumber(hash, known, other);
                duplicates--;
                return;
            }
        }
        index.erase(hash, known);
        return;
    }
    index.erase(hash, id);
}

int CBoxSet::pop(CBox& out)
{
    sumsKnown = false;
    if (isEmpty()) return 0;
    ensureIndexed();
    out = items.back().box();
    forget(base + std::uint32_t(items.size() - 1), out);
    items.pop_back();
    if (isEmpty()) restart();
    return 1;
}

int CBoxSet::popBack(CBox& out)
{
    sumsKnown = false;
    if (isEmpty()) return 0;
    ensureIndexed();
    out = items[front].box();
    forget(base + std::uint32_t(front), out);
    front++;
    if (isEmpty()) {
        restart();
    } else if (front >= 1024 && 2 * front >= items.size()) {
        items.erase(items.begin(), items.begin() + std::ptrdiff_t(front));
        base += std::uint32_t(front);
        front = 0;
    }
    return 1;
}

void CBoxSet::measureReaches(std::int64_t lx, std::int64_t ly, std::int64_t lz, std::int64_t& reach,
                             std::int64_t& rows) const
{
    if (!sumsKnown) {
        sums = Sums();
        for (std::size_t i = front; i < items.size(); i++) {
            const Item& h = items[i];
            const std::int64_t w = std::int64_t(h.x1) - h.x0 + 1, d = std::int64_t(h.y1) - h.y0 + 1,
                               t = std::int64_t(h.z1) - h.z0 + 1;
            sums.proper = sums.proper && w > 0 && d > 0 && t > 0;
            sums.w += w, sums.d += d, sums.t += t, sums.wd += w * d, sums.wt += w * t, sums.dt += d * t;
            sums.wdt += w * d * t, sums.count++;
        }
        sumsKnown = true;
    }
    if (!sums.proper) {  // an empty box may still have a reach: each is taken as it is
        reach = 0, rows = 0;
        for (std::size_t i = front; i < items.size(); i++) {
            const Item& h = items[i];
            const std::int64_t w = std::int64_t(h.x1) - h.x0 + lx, d = std::int64_t(h.y1) - h.y0 + ly,
                               t = std::int64_t(h.z1) - h.z0 + lz;
            if (w <= 0 || d <= 0 || t <= 0) continue;
            reach += w * d * t;
            rows += d * t;
        }
        return;
    }
    // Each box grows by a, b and c: (w + a)(d + b)(t + c) and (d + b)(t + c), summed.
    const std::int64_t a = lx - 1, b = ly - 1, c = lz - 1;
    reach = sums.wdt + c * sums.wd + b * sums.wt + a * sums.dt + b * c * sums.w + a * c * sums.d + a * b * sums.t +
            a * b * c * sums.count;
    rows = sums.dt + c * sums.d + b * sums.t + b * c * sums.count;
}
