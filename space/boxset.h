// CBoxSet: a list of boxes that refuses duplicates: a push of a box equal to a stored one does
// nothing. Otherwise a list of the template (push and pop at the head, popBack at the tail).
// The boxes are kept in one array, oldest first, with a hash index beside it, so push, pop and
// popBack take constant expected time and a copy is one pass.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "space/box.h"
#include "space/entryindex.h"
#include "space/linklist.h"

class CBoxSet : public CLinkList<CBox> {
public:
    CBoxSet() = default;
    CBoxSet(const CBoxSet& other);
    CBoxSet(CBoxSet&& other) noexcept;
    CBoxSet& operator=(const CBoxSet& other);
    CBoxSet& operator=(CBoxSet&& other) noexcept;
    // Exchanges the contents (and the memory held) with another set.
    void swap(CBoxSet& other) noexcept;
    ~CBoxSet() override = default;

    CLinkList<CBox>& assign(const CLinkList<CBox>& other) override;
    void clear() override;
    // Makes room for `more` boxes to be pushed without growing (and rehashing) on the way.
    void reserve(std::size_t more);
    void push(const CBox& b) override;  // nothing when an equal box is stored already
    void push(CBox&& b) override { push(static_cast<const CBox&>(b)); }
    int pop(CBox& out) override;
    int popBack(CBox& out) override;
    int isEmpty() const override { return items.size() == front ? 1 : 0; }
    int count() const override { return int(items.size() - front); }

    // One stored box, as plain numbers.
    struct Item {
        int x0, y0, z0, x1, y1, z1;
        CBox box() const { return CBox(x0, y0, z0, x1, y1, z1); }
        bool is(const CBox& b) const
        {
            return x0 == b.x0 && y0 == b.y0 && z0 == b.z0 && x1 == b.x1 && y1 == b.y1 && z1 == b.z1;
        }
    };

    // Into an empty set: the boxes, which the caller knows to be distinct, head first, as pushing
    // them from the last to the first would leave them. The set takes over the vector's memory and
    // hands back its own, empty; the order is turned round and the index built only if a push or
    // pop comes, so a set that is only read costs nothing more.
    void takeDistinctHeadFirst(std::vector<Item>& boxes);

    // Visits the boxes from the head (the last pushed) to the tail.
    template <class Visit>
    void forEach(Visit visit) const
    {
        if (headFirst) {
            for (std::size_t i = front; i < items.size(); i++) visit(items[i].box());
            return;
        }
        for (std::size_t i = items.size(); i-- > front;) visit(items[i].box());
    }

    // The stored items, for a loop that visits them itself: from the head (forEach's order)
    // when storedHeadFirst, else from the tail.
    std::span<const Item> stored() const { return {items.data() + front, items.size() - front}; }
    bool storedHeadFirst() const { return headFirst; }

    std::size_t bytes() const { return items.capacity() * sizeof(Item) + index.bytes(); }

    // The positions in the reaches of the stored boxes for a pattern of size lx x ly x lz (a box
    // grown by lx - 1, ly - 1 and lz - 1 towards its low corner), summed over the boxes, and the
    // rows (along x) they take. From sums over the boxes kept until the set changes, so that
    // asking for many sizes costs one walk of the boxes.
    void measureReaches(std::int64_t lx, std::int64_t ly, std::int64_t lz, std::int64_t& reach,
                        std::int64_t& rows) const;

private:
    static std::uint32_t hashOf(const CBox& b);
    std::uint32_t find(std::uint32_t hash, const CBox& b) const;
    void forget(std::uint32_t id, const CBox& b);
    void append(const CBox& b, std::uint32_t hash);
    void restart();
    void ensureIndexed();

    std::vector<Item> items;  // items[front] is the tail, items.back() the head
    std::size_t front = 0;
    std::uint32_t base = 0;   // the id of items[0]; ids do not change when the array is compacted
    CEntryIndex index;        // box -> id of a stored item holding it
    std::size_t duplicates = 0;  // boxes stored twice, which only a copy from a plain list makes
    bool indexed = true;         // false after a bulk load, until the index is needed
    bool headFirst = false;      // after a bulk load: `items` runs from the head, until indexed
    // Of the stored boxes' sizes w x d x t: the sums of w, d, t, their products in pairs and all
    // three, and the count; `proper` when no box is empty. Known until the set changes.
    struct Sums {
        std::int64_t w = 0, d = 0, t = 0, wd = 0, wt = 0, dt = 0, wdt = 0, count = 0;
        bool proper = true;
    };
    mutable Sums sums;
    mutable bool sumsKnown = false;
};
