// CBoxSet at the scale one rule group produces (a changed box per match position): it must keep
// list order and refuse duplicates exactly as a plain walk would, in linear total time.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <random>
#include <vector>

#include "space/boxset.h"

namespace {
// The boxes of the list from head to tail.
std::vector<CBox> contents(const CBoxSet& set)
{
    std::vector<CBox> out;
    set.forEach([&](const CBox& b) { out.push_back(b); });
    return out;
}

// The behaviour the set must keep: a stack and a queue of boxes that refuses duplicates.
struct Model {
    std::deque<CBox> list;  // head first
    bool holds(const CBox& b) const
    {
        for (const CBox& e : list)
            if (e.isEqual(b)) return true;
        return false;
    }
};

bool same(const std::vector<CBox>& a, const std::deque<CBox>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (!a[i].isEqual(b[i])) return false;
    return true;
}
}  // namespace

TEST(BoxSetScale, RandomOperationsAgreeWithAPlainListThatRefusesDuplicates)
{
    std::mt19937 random(11);
    CBoxSet set;
    Model model;
    auto smallBox = [&] {
        const int x = int(random() % 4), z = int(random() % 4);
        return CBox(x, 0, z, x + int(random() % 2), 0, z);
    };
    for (int op = 0; op < 20000; op++) {
        CBox b;
        switch (random() % 7) {
        case 0:
        case 1:
        case 2: {
            const CBox box = smallBox();
            set.push(box);
            if (!model.holds(box)) model.list.push_front(box);
            break;
        }
        case 3:
            ASSERT_EQ(set.pop(b), model.list.empty() ? 0 : 1);
            if (!model.list.empty()) {
                EXPECT_TRUE(b.isEqual(model.list.front()));
                model.list.pop_front();
            }
            break;
        case 4:
            ASSERT_EQ(set.popBack(b), model.list.empty() ? 0 : 1);
            if (!model.list.empty()) {
                EXPECT_TRUE(b.isEqual(model.list.back()));
                model.list.pop_back();
            }
            break;
        case 5: {
            // A copy is a set of its own: it refuses what it holds and leaves the original alone.
            CBoxSet copy(set);
            CBoxSet assigned;
            assigned.push(CBox(9, 9, 9, 9, 9, 9));
            assigned = copy;
            copy.clear();
            EXPECT_EQ(copy.count(), 0);
            EXPECT_EQ(copy.isEmpty(), 1);
            set = assigned;
            break;
        }
        default:
            if (random() % 50 == 0) {
                set.clear();
                model.list.clear();
            }
        }
        ASSERT_EQ(set.count(), int(model.list.size())) << "after operation " << op;
        ASSERT_TRUE(same(contents(set), model.list)) << "after operation " << op;
    }
}

TEST(BoxSetScale, HundredsOfThousandsOfBoxesTakeLinearTime)
{
    // A walk over every stored box per push, or to the tail per popBack, would need some 10^11
    // steps here: minutes instead of well under a second.
    const int n = 300000;
    const auto start = std::chrono::steady_clock::now();
    CBoxSet set;
    for (int round = 0; round < 2; round++)
        for (int i = 0; i < n; i++) set.push(CBox(i % 600, 0, i / 600, i % 600 + 1, 1, i / 600 + 1));
    ASSERT_EQ(set.count(), n);
    CBoxSet copy(set);
    CBox b;
    for (int i = 0; i < n; i++) {
        ASSERT_EQ(copy.popBack(b), 1);
        ASSERT_EQ(b.x0, i % 600) << "oldest first";
        ASSERT_EQ(b.z0, i / 600);
    }
    EXPECT_EQ(copy.popBack(b), 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);
    std::printf("300000 boxes pushed twice, copied and taken from the back in %.2f s\n", seconds);
}
