// Boxes and box sets: equality of boxes, and a set that refuses duplicates, also in its copies.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "space/boxset.h"

TEST(Records, BoxEqualityAndBoxSetDuplicates)
{
    CBox unit(4, 5, 6, 4, 5, 6);
    EXPECT_EQ(unit.isEqual(CBox(4, 5, 6, 4, 5, 6)), 1);
    EXPECT_EQ(unit.isEqual(CBox(4, 5, 6, 4, 5, 7)), 0);
    EXPECT_EQ(CBox().isEqual(CBox(0, 0, 0, 0, 0, 0)), 1);

    CBoxSet set;
    set.push(CBox(1, 2, 3, 4, 5, 6));
    set.push(CBox(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(set.count(), 1);
    // A box differing in any single coordinate is a different box.
    for (int i = 0; i < 6; i++) {
        int c[6] = {1, 2, 3, 4, 5, 6};
        c[i] += 10;
        set.push(CBox(c[0], c[1], c[2], c[3], c[4], c[5]));
    }
    EXPECT_EQ(set.count(), 7);
    set.push(CBox(1, 2, 3, 4, 5, 6));  // a duplicate deep in the list is found as well
    EXPECT_EQ(set.count(), 7);

    CBoxSet copy(set);
    CBox b;
    ASSERT_EQ(copy.pop(b), 1);
    EXPECT_EQ(b.isEqual(CBox(1, 2, 3, 4, 5, 16)), 1);
    EXPECT_EQ(set.count(), 7);
    copy.push(CBox(1, 2, 3, 4, 5, 6));  // still refused in the copy
    EXPECT_EQ(copy.count(), 6);
    ASSERT_EQ(copy.popBack(b), 1);
    EXPECT_EQ(b.isEqual(CBox(1, 2, 3, 4, 5, 6)), 1);
}

// A bulk load of distinct boxes must leave the set as pushing them from the last to the first
// would: the same order for every later push, pop and popBack, and duplicates still refused.
TEST(Records, ABulkLoadBehavesAsPushesFromTheLast)
{
    std::vector<CBox> boxes;
    for (int i = 0; i < 3000; i++) boxes.emplace_back(i % 50, i / 50, 0, i % 50, i / 50, 1);
    std::vector<CBoxSet::Item> items;
    for (const CBox& b : boxes) items.push_back(CBoxSet::Item{b.x0, b.y0, b.z0, b.x1, b.y1, b.z1});
    CBoxSet loaded, pushed;
    loaded.push(CBox(7, 7, 7, 7, 7, 7));  // a set that is not empty is emptied first
    loaded.takeDistinctHeadFirst(items);
    EXPECT_TRUE(items.empty());
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) pushed.push(*it);
    // Read before any push: the same boxes from the head, and the same in a copy.
    std::vector<CBox> seen, expected;
    CBoxSet readCopy(loaded);
    readCopy.forEach([&](const CBox& b) { seen.push_back(b); });
    pushed.forEach([&](const CBox& b) { expected.push_back(b); });
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); i++) ASSERT_EQ(seen[i].isEqual(expected[i]), 1) << i;
    // Pushes of known and new boxes, then pops from both ends, on both sets alike.
    for (int i = 0; i < 4000; i += 3) {
        const CBox b(i % 60, i / 60, 0, i % 60, i / 60, 1);
        loaded.push(b);
        pushed.push(b);
    }
    ASSERT_EQ(loaded.count(), pushed.count());
    CBoxSet copy(loaded);
    CBox a, b;
    for (int i = 0; loaded.count() > 0; i++) {
        const int fromHead = i % 3 == 0;
        ASSERT_EQ(fromHead ? loaded.pop(a) : loaded.popBack(a), fromHead ? pushed.pop(b) : pushed.popBack(b));
        ASSERT_EQ(a.isEqual(b), 1) << "take " << i;
    }
    EXPECT_EQ(pushed.isEmpty(), 1);
    // A copy made before the index was needed refuses duplicates as well.
    const int before = copy.count();
    copy.push(boxes[1234]);
    EXPECT_EQ(copy.count(), before);
}

// Room made ahead for pushes, on a set filled by pushes or by a bulk load, must change nothing
// that can be seen: the same boxes refused, the same order from the head and from the tail.
TEST(Records, RoomMadeAheadChangesNoOrder)
{
    for (const bool bulk : {false, true})
        for (const std::size_t more : {std::size_t(0), std::size_t(5), std::size_t(5000)}) {
            std::vector<CBoxSet::Item> items;
            for (int i = 0; i < 500; i++) items.push_back(CBoxSet::Item{i % 40, i / 40, 0, i % 40, i / 40, 2});
            CBoxSet plain, roomy;
            for (CBoxSet* set : {&plain, &roomy}) {
                std::vector<CBoxSet::Item> load = items;
                if (bulk) set->takeDistinctHeadFirst(load);
                for (auto it = load.rbegin(); it != load.rend(); ++it) set->push(it->box());
            }
            roomy.reserve(more);
            for (int i = 0; i < 3000; i += 7) {  // known boxes and new ones
                plain.push(CBox(i % 45, i / 45, 0, i % 45, i / 45, 2));
                roomy.push(CBox(i % 45, i / 45, 0, i % 45, i / 45, 2));
            }
            ASSERT_EQ(roomy.count(), plain.count()) << bulk << " " << more;
            CBox a, b;
            for (int i = 0; plain.count() > 0; i++) {
                const bool fromHead = i % 2 == 0;
                ASSERT_EQ(fromHead ? roomy.pop(a) : roomy.popBack(a), fromHead ? plain.pop(b) : plain.popBack(b));
                ASSERT_EQ(a.isEqual(b), 1) << bulk << " " << more << ", take " << i;
            }
            EXPECT_EQ(roomy.isEmpty(), 1);
        }
}

// The reaches measured from the sums kept over the boxes, against each box's reach counted on its
// own: for sets filled by pushes, a bulk load and pops, asked again after every change (the sums
// must follow it), and with an empty box among them.
TEST(Records, ReachesAreMeasuredFromSumsThatFollowEveryChange)
{
    auto counted = [](const CBoxSet& set, std::int64_t lx, std::int64_t ly, std::int64_t lz, std::int64_t& rows) {
        std::int64_t reach = 0;
        rows = 0;
        set.forEach([&](const CBox& h) {
            const std::int64_t w = h.x1 - h.x0 + lx, d = h.y1 - h.y0 + ly, t = h.z1 - h.z0 + lz;
            if (w <= 0 || d <= 0 || t <= 0) return;
            reach += w * d * t;
            rows += d * t;
        });
        return reach;
    };
    const struct {
        std::int64_t lx, ly, lz;
    } sizes[] = {{1, 1, 1}, {1, 1, 2}, {4, 1, 2}, {3, 5, 7}, {9, 2, 1}};
    CBoxSet set;
    auto check = [&](const char* after) {
        for (const auto& s : sizes) {
            std::int64_t reach = -1, rows = -1, wantRows = 0;
            set.measureReaches(s.lx, s.ly, s.lz, reach, rows);
            EXPECT_EQ(reach, counted(set, s.lx, s.ly, s.lz, wantRows)) << after << " " << s.lx << s.ly << s.lz;
            EXPECT_EQ(rows, wantRows) << after;
        }
    };
    check("empty");
    for (int i = 0; i < 20; i++) set.push(CBox(i, 2 * i, -i, i + i % 3, 2 * i + i % 2, -i + i % 4));
    check("pushes");
    set.push(CBox(0, 2, 4, 0, 2, 4));
    set.push(CBox(0, 2, 4, 0, 2, 4));  // a duplicate: refused, counted once
    check("a duplicate");
    CBox out;
    set.pop(out);
    set.popBack(out);
    check("pops");
    std::vector<CBoxSet::Item> bulk = {{0, 0, 0, 3, 0, 1}, {5, 5, 5, 5, 5, 5}, {1, 1, 1, 2, 2, 2}};
    set.takeDistinctHeadFirst(bulk);
    check("a bulk load");
    set.push(CBox(3, 3, 3, 2, 3, 3));  // empty along x, yet a wide pattern reaches over it
    check("an empty box");
    CBoxSet copy(set);
    set.clear();
    check("clear");
    set = copy;
    check("a copy");
}

// A swap hands each set the other's boxes with everything that goes with them: the order from
// both ends, the refusal of duplicates, a bulk load not yet indexed, and the measured reaches.
TEST(Records, SwappedSetsCarryOnAsTheOther)
{
    auto fill = [](CBoxSet& set, int n, bool bulk) {
        std::vector<CBoxSet::Item> items;
        for (int i = 0; i < n; i++) items.push_back(CBoxSet::Item{i, 0, 0, i + (i % 3), 1, 2});
        if (bulk) return set.takeDistinctHeadFirst(items);
        for (auto it = items.rbegin(); it != items.rend(); ++it) set.push(it->box());
    };
    auto boxes = [](CBoxSet& set) {  // from the head, then a known box pushed again, then from the tail
        std::vector<int> seen;
        set.forEach([&](const CBox& b) { seen.push_back(b.x0 * 10 + b.x1); });
        const int before = set.count();
        if (before > 0) set.push(CBox(0, 0, 0, 0, 1, 2));
        seen.push_back(set.count() - before);
        CBox b;
        while (set.popBack(b)) seen.push_back(b.x0);
        return seen;
    };
    auto reach = [](const CBoxSet& set) {
        std::int64_t reached = 0, rows = 0;
        set.measureReaches(2, 1, 2, reached, rows);
        return std::vector<std::int64_t>{reached, rows};
    };
    for (const bool bulk : {false, true}) {
        CBoxSet a, b, expectA, expectB;
        fill(a, 40, bulk), fill(expectA, 40, bulk);
        fill(b, 3, false), fill(expectB, 3, false);
        reach(a), reach(b);  // the sums are known before the swap
        a.swap(b);
        EXPECT_EQ(reach(a), reach(expectB)) << bulk;
        EXPECT_EQ(reach(b), reach(expectA)) << bulk;
        CBoxSet empty, expectEmpty;
        b.swap(empty);
        EXPECT_EQ(boxes(b), boxes(expectEmpty)) << bulk;
        EXPECT_EQ(boxes(a), boxes(expectB)) << bulk;
        EXPECT_EQ(boxes(empty), boxes(expectA)) << bulk;
    }
}
