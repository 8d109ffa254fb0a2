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
