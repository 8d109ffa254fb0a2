// CScanMemory: whatever was consumed in the kept copy and written to the document since, and
// whoever else changed the document, a refresh leaves the copy equal to the document, and copies
// every cell only when it cannot know what changed.
#include "interpreter/scanmemory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "space/cellcodes.h"

namespace {
struct Case {
    std::string name;
    int boxes;           // consumed in the copy, some reaching outside the grid
    int writes;          // written by the run, with the change count raised for them
    bool otherWriter;    // a cell changed with the count raised by someone else
    bool uncounted;      // a resize or a new run: the memory is told to forget
    bool wholeExpected;  // whether the refresh copies every cell
};

const std::vector<Case> cases = {
    {"nothing happened", 0, 0, false, false, false},
    {"consumed boxes", 3, 0, false, false, false},
    {"the run's writes", 0, 5, false, false, false},
    {"both", 4, 7, false, false, false},
    {"another writer", 2, 3, true, false, true},
    {"told to forget", 2, 3, false, true, true},
    {"more writes than an eighth of the space", 0, 700, false, false, true},
};
}  // namespace

TEST(ScanMemory, RefreshLeavesTheCopyEqualToTheDocument)
{
    std::mt19937 random(11);
    auto any = [&](int n) { return int(random() % unsigned(n)); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSpace doc(9, 4, 7, CELL_EMPTY);
        for (int i = 0; i < 60; i++) doc.set(any(9), any(4), any(7), 100 + any(8));
        unsigned long changes = 5;
        CScanMemory memory;
        CPatternSpace copy(1, 1, 1, 0);
        EXPECT_TRUE(memory.refresh(copy, doc, changes));  // the first copies every cell
        EXPECT_TRUE(copy.isEqual(doc));
        for (int round = 0; round < 3; round++) {
            for (int i = 0; i < c.boxes; i++) {
                const int x = any(11) - 1, y = any(5) - 1, z = any(8) - 1;
                const CBox box(x, y, z, x + any(4), y + any(3), z + any(4));
                memory.consumed.push_back(box);
                for (int k = box.z0; k <= box.z1; k++)
                    for (int j = box.y0; j <= box.y1; j++) copy.setRow(box.x0, box.x1, j, k, CELL_OUTSIDE);
            }
            CCellSet writes;
            for (int i = 0; i < c.writes; i++) writes.push(CCell(any(9), any(4), any(7), 100 + any(8)));
            if (c.writes) {
                memory.noteWrites(writes, doc, changes, changes + 1);
                writes.forEachInPlace([&](const CCell& w) { doc.set(w.x, w.y, w.z, w.value); });
                changes++;
            }
            if (c.otherWriter) doc.set(any(9), any(4), any(7), CELL_RED), changes++;
            if (c.uncounted) memory.forget(), doc.set(any(9), any(4), any(7), CELL_BLUE);
            EXPECT_EQ(memory.refresh(copy, doc, changes), c.wholeExpected);
            EXPECT_TRUE(copy.isEqual(doc)) << "round " << round;
        }
    }
    // Sizes that differ from the copy's are always copied whole.
    CScanMemory memory;
    CPatternSpace copy(3, 3, 3, 0);
    memory.refresh(copy, CSpace(3, 3, 3, CELL_RED), 1);
    EXPECT_TRUE(memory.refresh(copy, CSpace(4, 3, 3, CELL_RED), 1));
    EXPECT_TRUE(copy.isEqual(CSpace(4, 3, 3, CELL_RED)));
}
