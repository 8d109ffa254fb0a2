// CEntryIndex: a hash index from keys to entry numbers, for containers that keep their entries in
// arrays and need to find one by its contents in constant expected time. It stores only a 32-bit
// hash and the entry number; the container compares the keys (`same(entry)`) and supplies the
// hash of every key. Open addressing with linear probing, at most half full; removal shifts the
// following entries back, so no tombstones accumulate however many pushes and pops a set sees.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

class CEntryIndex {
public:
    static constexpr std::uint32_t NONE = 0xFFFFFFFFu;

    // Entry number whose key `same` accepts among those with this hash, or NONE.
    template <class Same>
    std::uint32_t find(std::uint32_t hash, Same same) const
    {
        if (slots.empty()) return NONE;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& s = slots[i];
            if (s.entry == NONE) return NONE;
            if (s.hash == hash && same(s.entry)) return s.entry;
        }
    }

    // Entry number whose key `same` accepts among those with this hash; when there is none, the
    // entry made by `make()` is inserted under this hash in the same probe and NONE returned.
    template <class Same, class Make>
    std::uint32_t findOrInsert(std::uint32_t hash, Same same, Make make)
    {
        if (2 * (used + 1) > slots.size()) grow();
        std::size_t i = hash & mask;
        for (;; i = (i + 1) & mask) {
            const Slot& s = slots[i];
            if (s.entry == NONE) break;
            if (s.hash == hash && same(s.entry)) return s.entry;
        }
        slots[i] = Slot{hash, make()};
        used++;
        return NONE;
    }

    // The key must not be present yet.
    void insert(std::uint32_t hash, std::uint32_t entry)
    {
        if (2 * (used + 1) > slots.size()) grow();
        std::size_t i = hash & mask;
        while (slots[i].entry != NONE) i = (i + 1) & mask;
        slots[i] = Slot{hash, entry};
        used++;
    }

    // Makes room for `count` entries in all without growing on the way, as an index about to be
    // filled with a known number of entries would otherwise grow (and rehash) many times.
    void reserve(std::size_t count)
    {
        if (2 * count <= slots.size()) return;
        std::size_t size = std::max<std::size_t>(16, slots.size());
        while (2 * count > size) size *= 2;
        if (used == 0) {
            slots.assign(size, Slot{});
            mask = size - 1;
            return;
        }
        while (slots.size() < size) grow();
    }

    // Removes the slot of `entry`, which must be present with this hash.
    void erase(std::uint32_t hash, std::uint32_t entry)
    {
        std::size_t i = hash & mask;
        while (slots[i].entry != entry) i = (i + 1) & mask;
        // Shift back every later slot of the run whose home lies at or before the hole.
        for (std::size_t j = (i + 1) & mask;; j = (j + 1) & mask) {
            const Slot& s = slots[j];
            if (s.entry == NONE) break;
            const std::size_t home = s.hash & mask;
            if (((j - home) & mask) >= ((j - i) & mask)) {
                slots[i] = s;
                i = j;
            }
        }
        slots[i] = Slot{};
        used--;
    }

    // Renumbers one entry (its key and hash stay).
    void renumber(std::uint32_t hash, std::uint32_t from, std::uint32_t to)
    {
        std::size_t i = hash & mask;
        while (slots[i].entry != from) i = (i + 1) & mask;
        slots[i].entry = to;
    }

    // Empties the index; a large table much larger than what it held is given back. A small
    // index that holds nothing has every slot free already and is left as it is.
    void clear()
    {
        if (used == 0 && slots.size() <= 64) return;
        if (used * 8 < slots.size() && slots.size() > 64) {
            slots = std::vector<Slot>();
            mask = 0;
        } else {
            slots.assign(slots.size(), Slot{});
        }
        used = 0;
    }

    // Exchanges the contents (and the memory held) with another index.
    void swap(CEntryIndex& other) noexcept
    {
        slots.swap(other.slots);
        std::swap(mask, other.mask);
        std::swap(used, other.used);
    }

    std::size_t size() const { return used; }
    std::size_t bytes() const { return slots.capacity() * sizeof(Slot); }

    // Mixes a position into a well-spread 32-bit hash.
    static std::uint32_t hashOf(int x, int y, int z)
    {
        std::uint64_t h = std::uint64_t(std::uint32_t(x)) * 0x9E3779B97F4A7C15ull;
        h ^= std::uint64_t(std::uint32_t(y)) * 0xC2B2AE3D27D4EB4Full;
        h ^= std::uint64_t(std::uint32_t(z)) * 0x165667B19E3779F9ull;
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
        return std::uint32_t(h);
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = NONE;
    };

    void grow()
    {
        std::vector<Slot> old(std::max<std::size_t>(16, slots.size() * 2));
        old.swap(slots);
        mask = slots.size() - 1;
        for (const Slot& s : old) {
            if (s.entry == NONE) continue;
            std::size_t i = s.hash & mask;
            while (slots[i].entry != NONE) i = (i + 1) & mask;
            slots[i] = s;
        }
    }

    std::vector<Slot> slots;
    std::size_t mask = 0;
    std::size_t used = 0;
};
