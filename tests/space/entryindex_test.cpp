// The hash index under the cell and box sets: room made ahead for a known number of entries
// keeps what it holds and takes the entries without growing on the way.
#include <gtest/gtest.h>

#include <cstdint>

#include "space/entryindex.h"

namespace {
// Entry i is keyed by the position (i, 2i, 3i).
std::uint32_t keyOf(std::uint32_t i) { return CEntryIndex::hashOf(int(i), int(2 * i), int(3 * i)); }

void insertRange(CEntryIndex& index, std::uint32_t from, std::uint32_t to)
{
    for (std::uint32_t i = from; i < to; i++) index.insert(keyOf(i), i);
}

bool holdsRange(const CEntryIndex& index, std::uint32_t to)
{
    for (std::uint32_t i = 0; i < to; i++)
        if (index.find(keyOf(i), [&](std::uint32_t e) { return e == i; }) != i) return false;
    return true;
}
}  // namespace

TEST(EntryIndex, RoomMadeAheadKeepsTheEntriesAndTakesTheRestWithoutGrowing)
{
    struct Case {
        std::uint32_t before, reserved, after;  // entries held, room asked for, entries in the end
    };
    const Case cases[] = {
        {0, 1000, 1000},  // an empty index about to be filled
        {10, 500, 500},   // entries already held survive the growth
        {300, 300, 300},  // room for what it holds already
        {100, 10, 100},   // less room than it holds: nothing changes
        {0, 0, 0},
    };
    for (const Case& c : cases) {
        CEntryIndex index;
        insertRange(index, 0, c.before);
        const std::size_t bytesBefore = index.bytes();
        index.reserve(c.reserved);
        if (c.reserved <= c.before) {
            EXPECT_EQ(index.bytes(), bytesBefore) << c.before << " " << c.reserved;
        }
        const std::size_t bytesReserved = index.bytes();
        insertRange(index, c.before, c.after);
        EXPECT_EQ(index.bytes(), bytesReserved) << c.before << " " << c.reserved;
        EXPECT_EQ(index.size(), c.after);
        EXPECT_TRUE(holdsRange(index, c.after)) << c.before << " " << c.reserved;
    }
}

TEST(EntryIndex, ClearingForgetsEveryEntryAndGivesBackALargeTableThatHoldsLittle)
{
    struct Case {
        std::uint32_t inserted, erased;  // entries 0..inserted-1, then the first `erased` taken out
        int clears;
        bool kept;  // whether the table's memory stays
    };
    const Case cases[] = {
        {5, 0, 1, true},      // a small table stays
        {5, 5, 1, true},      // also when it held nothing any more
        {0, 0, 2, true},      // never used
        {100, 0, 1, true},    // a well-filled large table stays for the next fill
        {100, 0, 2, false},   // cleared again while empty, it is given back
        {100, 100, 1, false}, // emptied by erasing, it is given back
    };
    for (const Case& c : cases) {
        CEntryIndex index;
        insertRange(index, 0, c.inserted);
        for (std::uint32_t i = 0; i < c.erased; i++) index.erase(keyOf(i), i);
        const std::size_t bytes = index.bytes();
        for (int n = 0; n < c.clears; n++) index.clear();
        EXPECT_EQ(index.size(), 0u) << c.inserted << " " << c.erased << " " << c.clears;
        EXPECT_EQ(index.bytes(), c.kept ? bytes : 0) << c.inserted << " " << c.erased << " " << c.clears;
        for (std::uint32_t i = 0; i < c.inserted; i++)
            EXPECT_EQ(index.find(keyOf(i), [](std::uint32_t) { return true; }), CEntryIndex::NONE) << i;
        insertRange(index, 0, 20);  // usable again
        EXPECT_TRUE(holdsRange(index, 20)) << c.inserted << " " << c.erased << " " << c.clears;
    }
}
