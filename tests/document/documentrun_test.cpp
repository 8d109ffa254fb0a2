// The document's own run: each document runs its program with its own interpreter, and tells its
// caller when the step on show is the run's last, as the headless runner needs to know.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <tuple>
#include <vector>

#include "document/tesseradoc.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "run/queuedrunwindow.h"
#include "space/cell.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
constexpr auto kPatience = std::chrono::seconds(10);

// A view that draws nothing; its run window queues the worker's messages for the test thread.
struct QueuedView {
    CQueuedRunWindow window;
};

// A flat program that ends: one rule turns `from` into `to` in a work area full of `from`,
// width x 3 cells from `corner`.
struct Recolouring {
    CSpace space{40, 1, 20, CELL_EMPTY};
    CCell corner;
    int width;
};

Recolouring recolouring(int from, int to, int width)
{
    Recolouring r;
    r.width = width;
    drawFlatRuleGroup(r.space, 1, 1, {{CSpace(1, 1, 1, from), CSpace(1, 1, 1, to)}});
    r.corner = drawFlatWorkArea(r.space, 20, 2, CSpace(width, 1, 3, from)).contents.at(0);
    return r;
}

void load(CTesseraDoc& doc, const CSpace& space)
{
    CMemoryStream out({}, "x.ts3");
    writeSpaceFile(out, space);
    CMemoryStream in(out.contents(), "x.ts3");
    ASSERT_TRUE(doc.Load(in));
}

// Counts the cells of the program's work area that hold `value` in the document.
int interiorCount(CTesseraDoc& doc, const Recolouring& r, int value)
{
    int n = 0;
    for (int x = 0; x < r.width; x++)
        for (int z = 0; z < 3; z++) n += doc.GetCell(r.corner.x + x, 0, r.corner.z + z) == value;
    return n;
}
}  // namespace

TEST(DocumentRun, TheDocumentTellsWhichStepOnShowIsTheRunsLast)
{
    CTesseraDoc doc;
    QueuedView view;
    doc.SetRunWindow(&view.window);
    const Recolouring program = recolouring(CELL_RED, CELL_GREEN, 3);
    load(doc, program.space);
    EXPECT_EQ(interiorCount(doc, program, CELL_RED), 9);
    doc.StartRun();
    std::vector<bool> last;
    for (;;) {
        const RunMessage m = view.window.next(kPatience);
        if (m != RunMessage::Show) {
            ASSERT_EQ(m, RunMessage::Finished);
            break;
        }
        last.push_back(doc.Session().IsLastStepShown());
        doc.SignalContinue();
    }
    ASSERT_GE(last.size(), 2u) << "at least a step that recolours and the one that ends";
    EXPECT_TRUE(last.back());
    EXPECT_EQ(std::count(last.begin(), last.end(), true), 1);
    EXPECT_EQ(interiorCount(doc, program, CELL_GREEN), 9);
    doc.StopRun();
}

TEST(DocumentRun, TwoDocumentsRunAtOnceEachWithItsOwnInterpreter)
{
    CTesseraDoc first, second;
    QueuedView firstView, secondView;
    first.SetRunWindow(&firstView.window);
    second.SetRunWindow(&secondView.window);
    const Recolouring red = recolouring(CELL_RED, CELL_GREEN, 3), blue = recolouring(CELL_BLUE, CELL_YELLOW, 5);
    for (int round = 0; round < 3; round++) {
        load(first, red.space);
        load(second, blue.space);
        first.StartRun();
        second.StartRun();
        // Both workers run side by side: each show is answered only after the other document's
        // worker has had its turn.
        bool firstDone = false, secondDone = false;
        while (!firstDone || !secondDone) {
            for (auto [doc, view, done] :
                 {std::tuple{&first, &firstView, &firstDone}, std::tuple{&second, &secondView, &secondDone}}) {
                if (*done) continue;
                const RunMessage m = view->window.next(kPatience);
                ASSERT_NE(m, RunMessage::None) << "a worker fell silent";
                if (m == RunMessage::Finished) *done = true;
                else doc->SignalContinue();
            }
        }
        EXPECT_EQ(interiorCount(first, red, CELL_GREEN), 9) << "round " << round;
        EXPECT_EQ(interiorCount(second, blue, CELL_YELLOW), 15) << "round " << round;
    }
    first.StopRun();
    second.StopRun();
}
