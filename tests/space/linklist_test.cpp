// CLinkList: stack and queue order, empty lists, value semantics and very long lists.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "space/linklist.h"
#include "space/space.h"

namespace {
std::vector<int> drainByPop(CLinkList<int>& list)
{
    std::vector<int> out;
    int v = 0;
    while (list.pop(v)) out.push_back(v);
    return out;
}

CLinkList<int> listOf(std::initializer_list<int> values)
{
    CLinkList<int> list;
    for (int v : values) list.push(v);
    return list;
}
}  // namespace

TEST(LinkList, StackAndQueueOrder)
{
    CLinkList<int> stack = listOf({1, 2, 3});
    EXPECT_EQ(stack.count(), 3);
    EXPECT_EQ(drainByPop(stack), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(stack.isEmpty(), 1);

    CLinkList<int> queue = listOf({1, 2, 3});
    std::vector<int> taken;
    int v = 0;
    while (queue.popBack(v)) taken.push_back(v);
    EXPECT_EQ(taken, (std::vector<int>{1, 2, 3}));

    // Mixing both ends, and pushing after the tail was taken.
    CLinkList<int> mixed = listOf({1, 2, 3, 4});
    ASSERT_EQ(mixed.popBack(v), 1);
    EXPECT_EQ(v, 1);
    ASSERT_EQ(mixed.pop(v), 1);
    EXPECT_EQ(v, 4);
    mixed.push(5);
    EXPECT_EQ(mixed.count(), 3);
    EXPECT_EQ(drainByPop(mixed), (std::vector<int>{5, 3, 2}));

    CLinkList<int> one = listOf({9});
    ASSERT_EQ(one.popBack(v), 1);
    EXPECT_EQ(v, 9);
    EXPECT_EQ(one.isEmpty(), 1);
    EXPECT_EQ(one.count(), 0);
    one.push(8);
    EXPECT_EQ(drainByPop(one), (std::vector<int>{8}));
}

TEST(LinkList, EmptyListLeavesOutputUntouched)
{
    CLinkList<int> list;
    EXPECT_EQ(list.isEmpty(), 1);
    EXPECT_EQ(list.count(), 0);
    int v = 42;
    EXPECT_EQ(list.pop(v), 0);
    EXPECT_EQ(list.popBack(v), 0);
    EXPECT_EQ(v, 42);
    list.clear();
    EXPECT_EQ(list.isEmpty(), 1);

    CLinkList<CSpace> spaces;
    CSpace s(2, 3, 4, 107);
    EXPECT_EQ(spaces.pop(s), 0);
    EXPECT_EQ(s.getSizeY(), 3);
    EXPECT_EQ(s.get(1, 2, 3), 107);
}

TEST(LinkList, CopiesAreIndependentValues)
{
    CLinkList<int> source = listOf({1, 2, 3});
    CLinkList<int> copy(source);
    CLinkList<int> assigned = listOf({7, 8});
    assigned = source;
    copy.push(4);
    int v = 0;
    assigned.popBack(v);
    EXPECT_EQ(drainByPop(source), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(drainByPop(copy), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(drainByPop(assigned), (std::vector<int>{3, 2}));

    CLinkList<int> self = listOf({1, 2});
    self.assign(self);
    CLinkList<int>& alias = self;
    self = alias;
    EXPECT_EQ(drainByPop(self), (std::vector<int>{2, 1}));

    // Assigning an empty list empties the target.
    CLinkList<int> emptied = listOf({5});
    emptied = CLinkList<int>();
    EXPECT_EQ(emptied.isEmpty(), 1);

    // Elements are deep copies: a space taken out of a copy is not shared with the source.
    CLinkList<CSpace> spaces;
    spaces.push(CSpace(2, 1, 1, 103));
    CLinkList<CSpace> spacesCopy(spaces);
    CSpace out;
    ASSERT_EQ(spacesCopy.pop(out), 1);
    out.set(0, 0, 0, 0);
    ASSERT_EQ(spaces.pop(out), 1);
    EXPECT_EQ(out.get(0, 0, 0), 103);
    EXPECT_EQ(out.getSizeX(), 2);

    // Lists of lists copy every level.
    CLinkList<CLinkList<int>> nested;
    nested.push(listOf({1, 2}));
    CLinkList<CLinkList<int>> nestedCopy = nested;
    CLinkList<int> inner;
    ASSERT_EQ(nested.pop(inner), 1);
    EXPECT_EQ(drainByPop(inner), (std::vector<int>{2, 1}));
    ASSERT_EQ(nestedCopy.pop(inner), 1);
    EXPECT_EQ(drainByPop(inner), (std::vector<int>{2, 1}));
}

TEST(LinkList, NodeCountFollowsAllThreeLinks)
{
    CLinkNode<int> a(1), b(2), c(3), d(4);
    EXPECT_EQ(a.count(), 1);
    a.next = &b;
    a.link2 = &c;
    c.link3 = &d;
    EXPECT_EQ(a.count(), 4);
    EXPECT_EQ(c.count(), 2);

    // Assigning a node copies the element only; its links start out null.
    CLinkNode<int> e(9);
    e.next = &b;
    e = a;
    EXPECT_EQ(e.element, 1);
    EXPECT_EQ(e.next, nullptr);
    EXPECT_EQ(e.link2, nullptr);
    EXPECT_EQ(e.count(), 1);
}

TEST(LinkList, MillionElementsWithoutDeepRecursion)
{
    constexpr int n = 1'000'000;
    auto list = std::make_unique<CLinkList<int>>();
    for (int i = 0; i < n; i++) list->push(i);
    EXPECT_EQ(list->count(), n);
    {
        CLinkList<int> copy(*list);
        EXPECT_EQ(copy.count(), n);
        int v = -1;
        ASSERT_EQ(copy.popBack(v), 1);
        EXPECT_EQ(v, 0);
        ASSERT_EQ(copy.pop(v), 1);
        EXPECT_EQ(v, n - 1);
    }  // the copy is destroyed here
    list->clear();
    EXPECT_EQ(list->isEmpty(), 1);
    for (int i = 0; i < n; i++) list->push(i);
    list.reset();  // destroying a long list walks it without recursion
    SUCCEED();
}

// Copying over a list reuses its nodes and elements (a space of the same size keeps its memory);
// whatever the two lengths, the copy holds exactly the source's elements in order.
TEST(LinkList, CopyOverAListReusesItsNodes)
{
    struct Case {
        std::vector<int> target, source;  // values pushed, first to last
    };
    const Case cases[] = {
        {{1, 2, 3}, {4, 5, 6}},  // as long: every node kept
        {{1, 2, 3, 4, 5}, {6, 7}},
        {{1}, {2, 3, 4}},
        {{}, {5, 6}},
        {{1, 2}, {}},
    };
    auto spacesOf = [](const std::vector<int>& values) {
        CLinkList<CSpace> list;
        for (int v : values) list.push(CSpace(2, 1, 1, v));
        return list;
    };
    for (const Case& c : cases) {
        CLinkList<CSpace> target = spacesOf(c.target), source = spacesOf(c.source);
        const CSpace* head = target.front();
        const int* headCells = head ? head->data() : nullptr;
        target = source;
        if (!c.target.empty() && !c.source.empty()) {
            EXPECT_EQ(target.front(), head) << "the head node stays";
            EXPECT_EQ(target.front()->data(), headCells) << "and its space keeps its memory";
        }
        std::vector<int> copied;
        CSpace out;
        while (target.popBack(out)) copied.push_back(out.get(1, 0, 0));
        EXPECT_EQ(copied, c.source);
        EXPECT_EQ(source.count(), int(c.source.size())) << "the source is untouched";
    }
}

TEST(LinkList, HandingTheFrontNodeOver)
{
    CLinkList<int> from = listOf({1, 2, 3}), to = listOf({9});
    int* three = from.front();
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(*three, 3);
    ASSERT_EQ(from.moveFrontTo(to), 1);
    EXPECT_EQ(to.front(), three) << "the element moves with its node, not by copy";
    EXPECT_EQ(drainByPop(to), (std::vector<int>{3, 9}));
    EXPECT_EQ(drainByPop(from), (std::vector<int>{2, 1}));

    CLinkList<int> empty, other = listOf({4});
    EXPECT_EQ(empty.front(), nullptr);
    EXPECT_EQ(empty.moveFrontTo(other), 0);
    EXPECT_EQ(drainByPop(other), (std::vector<int>{4}));
}
