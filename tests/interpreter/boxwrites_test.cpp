// Queueing a box of document writes: leaving out the writes that change nothing must give the
// document exactly what queueing every cell gives, whatever was queued before and after.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interpreter/boxwrites.h"
#include "space/cellcodes.h"
#include "support/spacetext.h"

namespace {
constexpr int R = CELL_RED, G = CELL_GREEN, K = CELL_BLACK, PICTURE = -1;

struct Case {
    std::string name;
    std::vector<CCell> before, after;  // queued before and after the box
    CBox box;
    int value;   // written at every cell of the box, or PICTURE: "RG", ".K" from its corner
    int grow;    // the document grows by this along x before the writes land
    int queued;  // positions the box adds to the set
    bool leftOut;
    bool planned = false;  // the growth is still planned: the writes are queued against the old grid
};

// Document 4 x 1 x 3 (x, z): row z = 0 "G..R", z = 1 "....", z = 2 "K...".
CSpace applied(const CCellSet& pending, int grow)
{
    CSpace doc = flatSpace({"G..R", "....", "K..."});
    if (grow) doc.resize(doc.getSizeX() + grow, 1, doc.getSizeZ());
    pending.forEachInPlace([&](const CCell& c) { doc.set(c.x, c.y, c.z, c.value); });
    return doc;
}

const std::vector<Case> cases = {
    {"empty over empty is left out", {}, {}, CBox(1, 0, 1, 3, 0, 1), 0, 0, 0, true},
    {"a colour over the same colour is left out", {}, {}, CBox(0, 0, 0, 0, 0, 0), G, 0, 0, true},
    {"empty over a colour is queued", {}, {}, CBox(0, 0, 0, 3, 0, 0), 0, 0, 2, true},
    {"empty over empty still undoes a queued write", {CCell(1, 0, 1, R)}, {}, CBox(0, 0, 1, 3, 0, 1), 0, 0, 0, true},
    {"a later write still wins", {}, {CCell(2, 0, 2, G)}, CBox(0, 0, 2, 3, 0, 2), 0, 0, 1, true},
    {"outside the grid everything is queued", {}, {}, CBox(3, 0, 2, 5, 0, 3), 0, 2, 5, true},
    {"a 2 outside is queued for a grid that grows", {}, {}, CBox(4, 0, 0, 4, 0, 0), CELL_OUTSIDE, 1, 1, false},
    {"any is never queued", {CCell(0, 0, 0, K)}, {}, CBox(0, 0, 0, 1, 0, 1), CELL_ANY, 0, 0, false},
    {"an empty box queues nothing", {}, {}, CBox(2, 0, 2, 1, 0, 2), 0, 0, 0, false},
    {"values come from the offset in the box", {}, {}, CBox(1, 0, 0, 2, 0, 1), PICTURE, 0, 3, true},
    {"empty where a planned growth adds cells is left out", {}, {}, CBox(3, 0, 2, 5, 0, 3), 0, 2, 3, true, true},
};
}  // namespace

TEST(BoxWrites, LeavingOutWritesThatChangeNothingChangesNoResult)
{
    const CSpace picture = flatSpace({"RG", ".K"});
    for (const Case& c : cases)
        // 200 far-away writes make the set larger than eight times the box, so that the queued
        // cells are asked of it one by one instead of marked from a walk over it.
        for (int filler : {0, 200}) {
            SCOPED_TRACE(c.name + (filler ? ", the set asked cell by cell" : ", the set walked"));
            auto value = [&](int x, int y, int z) { return c.value == PICTURE ? picture.get(x, y, z) : c.value; };
            CCellSet every, some;
            for (int i = 0; i < filler; i++) every.push(CCell(100 + i, 0, 0, R)), some.push(CCell(100 + i, 0, 0, R));
            for (const CCell& w : c.before) every.push(w), some.push(w);
            const CBox& b = c.box;
            for (int x = b.x0; x <= b.x1; x++)
                for (int y = b.y0; y <= b.y1; y++)
                    for (int z = b.z0; z <= b.z1; z++) every.push(CCell(x, y, z, value(x - b.x0, y - b.y0, z - b.z0)));
            const int was = some.count();
            const CPlannedGrowth grown{true, 4 + c.grow, 1, 3, 1};
            EXPECT_EQ(queueBoxWrites(some, applied(CCellSet(), 0), b, value, c.planned ? &grown : nullptr), c.leftOut);
            EXPECT_EQ(some.count() - was, c.queued) << "only the writes that change something";
            for (const CCell& w : c.after) every.push(w), some.push(w);
            EXPECT_EQ(rowsOf(applied(some, c.grow)), rowsOf(applied(every, c.grow)));
        }
}

namespace {
struct PushCase {
    std::string name;
    std::vector<CCell> before;  // in the set before the box's pushes
    std::vector<CCell> pushes;  // through CBoxPushes, in this order
};

const CBox pushBox(1, 0, 1, 3, 1, 2);
const std::vector<PushCase> pushCases = {
    {"new positions", {}, {CCell(1, 0, 1, R), CCell(1, 0, 2, G), CCell(3, 1, 2, K)}},
    {"a held position keeps its place", {CCell(2, 0, 1, G), CCell(9, 9, 9, K)}, {CCell(1, 0, 1, R), CCell(2, 0, 1, K)}},
    {"a position pushed twice", {}, {CCell(2, 1, 1, R), CCell(2, 1, 2, G), CCell(2, 1, 1, K)}},
    {"any is never stored", {CCell(1, 0, 1, G)}, {CCell(1, 0, 1, CELL_ANY), CCell(1, 0, 2, CELL_ANY)}},
    {"outside the box", {CCell(0, 0, 0, G)}, {CCell(0, 0, 0, R), CCell(4, 0, 1, K), CCell(1, 0, 1, K)}},
};

std::vector<std::string> drained(CCellSet set)
{
    std::vector<std::string> cells;
    CCell c;
    while (set.pop(c))
        cells.push_back(std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.z) + "=" +
                        std::to_string(c.value));
    return cells;
}
}  // namespace

// Whether it walks the set or asks it, and with the set's index up to date or not, pushing
// through CBoxPushes leaves the set as plain pushes do, in the same pop order.
TEST(BoxWrites, PushesThroughTheBoxLeaveTheSetAsPlainPushes)
{
    for (const PushCase& c : pushCases)
        for (int filler : {0, 200})
            for (bool stale : {false, true}) {
                SCOPED_TRACE(c.name + (filler ? ", a large set" : "") + (stale ? ", index out of date" : ""));
                CCellSet plain, boxed;
                for (int i = 0; i < filler; i++) plain.push(CCell(100 + i, 0, i % 3, R)), boxed.push(CCell(100 + i, 0, i % 3, R));
                for (const CCell& w : c.before) plain.push(w), boxed.push(w);
                if (stale) boxed.pushNew(CCell(-5, 0, 0, G)), plain.push(CCell(-5, 0, 0, G));
                CBoxPushes pushes(boxed, pushBox);
                for (const CCell& w : c.pushes) {
                    if (pushBox.x0 <= w.x && w.x <= pushBox.x1 && pushBox.y0 <= w.y && w.y <= pushBox.y1 &&
                        pushBox.z0 <= w.z && w.z <= pushBox.z1) {
                        EXPECT_EQ(pushes.holds(w.x, w.y, w.z), plain.holds(w.x, w.y, w.z));
                    }
                    pushes.push(w);
                    plain.push(w);
                }
                EXPECT_EQ(drained(boxed), drained(plain));
            }
}
