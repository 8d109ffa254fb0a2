// Message delivery, end side: results reach their callers' queues, receivers run at once, and
// ended instances lose their frames. Document writes go through `pendingWrites`.
#include <mutex>

#include "interpreter/boxwrites.h"
#include "interpreter/interpreter.h"
#include "run/runlink.h"
#include "space/cellcodes.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;
}  // namespace

void CInterpreter::writeSpace(int x0, int y0, int z0, const CSpace& s)
{
    if (s.getSizeX() <= 0) return;
    Hold hold(link->mutex);
    const CBox box(x0, y0, z0, x0 + s.getSizeX() - 1, y0 + s.getSizeY() - 1, z0 + s.getSizeZ() - 1);
    // Writes to where the document will have grown are left out as over empty cells, as they
    // would be had it grown already.
    if (queueBoxWrites(pendingWrites, link->space, box, [&](int x, int y, int z) { return s.get(x, y, z); },
                       planned.grows() ? &planned : nullptr))
        writesLeftOut = true;
}

void CInterpreter::deliverEndMessages(CMessageList& ends)
{
    CMessageList queue(ends);
    CMessage m;
    while (queue.popBack(m)) deliverEndMessage(m);

    contexts.forEachOldestFirst([&](CMatchContext& ctx) {
        int receiver = 0;
        ends.forEach([&](const CMessage& end) {
            if (end.key.isEqual(ctx.program.ownKey)) receiver = 1;
        });
        if (!receiver) return;
        // A receiver left asleep keeps its unfinished pass's writes until that pass closes.
        if (runToCompletion(ctx)) {
            int x, y, z, v;
            while (ctx.popWrite(x, y, z, v)) pendingWrites.push(CCell(x + ctx.origin.x, y + ctx.origin.y, z + ctx.origin.z, v));
        }
        // The document shows how many results are still outstanding. A unit without a reception
        // has no counter in the document: its placeholder would land on the document's corner.
        if (!ctx.program.receiveSet) return;
        CPlacedSpace& counter = ctx.program.receiveIcon;
        counter.fillCount(ctx.program.pendingReceives);
        writeSpace(counter.x, counter.y, counter.z, counter);
    });
    removeEndedInstances();
    ApplyWrites();
}

void CInterpreter::deliverEndMessage(const CMessage& m)
{
    separateNext = 1;
    // The result's id: the sender's place among the instances answering the same caller under
    // the same name, by instance number, counting from 1.
    int id = 1;
    contexts.forEach([&](const CMatchContext& cx) {
        const CUnitProgram& p = cx.program;
        if (p.replyKey.isEqual(m.key) && p.ownKey.icon.isEqual(m.shape) && p.ownKey.value < m.value) id++;
    });
    contexts.forEachContext([&](CMatchContext& cx) {
        if (!cx.program.ownKey.isEqual(m.key)) return;
        cx.program.receivedData.push(m.data);
        cx.program.receivedIds.push(id);
    });
}

// Stop and restart requests are honoured inside the loop, and a receiver that runs out of
// results while more are outstanding is left asleep rather than stepped for ever.
int CInterpreter::runToCompletion(CMatchContext& ctx)
{
    CSearchPoll poll{[this] { CheckInterruption(); }};
    for (;;) {
        CheckInterruption();
        if (ctx.step(poll)) return 1;
        if (ctx.isSleeping()) return 0;
    }
}

namespace {
// The box of the instance frame whose last column lies just before `anchor`: its handle column
// x0 (the first cell to the left that is not part of the front face), and the top and back
// ends of its front and bottom faces.
struct FrameBox {
    int x0, x1, y1, z1;
};

template <class GetCell>
FrameBox findFrameBefore(const CCell& anchor, GetCell get)
{
    FrameBox f;
    f.x1 = anchor.x - 1;
    f.x0 = anchor.x - 1;
    while (get(f.x0, anchor.y + 1, anchor.z) == CELL_GREEN) f.x0--;
    f.y1 = anchor.y;
    while (get(f.x0 + 1, f.y1 + 1, anchor.z) == CELL_GREEN) f.y1++;
    f.z1 = anchor.z;
    while (get(f.x0 + 1, anchor.y, f.z1 + 1) == CELL_GREEN) f.z1++;
    return f;
}
}  // namespace

int CInterpreter::removeEndedInstances()
{
    int any = 0;
    // One instance goes per round; erasing one can make an older instance of the same
    // sub-program the most recent, so rounds repeat until one erases nothing.
    for (int removed = 1; removed;) {
        removed = 0;
        contexts.keepOldestFirst([&](const CMatchContext& ctx) {
            if (removed || ctx.state != CMatchContext::State::Ended) return true;
            const CKey& key = ctx.work.ownKey;
            int dropped = 0;
            CInstanceList records;
            CInstanceRecord r;
            while (instances.popBack(r)) {
                if (r.icon.isEqual(key.icon) && key.value == r.count - 1) {
                    removed = dropped = 1;
                    r.count -= 1;
                    Hold hold(link->mutex);
                    const CSpace& doc = link->space;
                    const FrameBox f = findFrameBefore(r.anchor, [&](int x, int y, int z) { return doc.get(x, y, z); });
                    const CBox box(f.x0, r.anchor.y, r.anchor.z, f.x1, f.y1, f.z1);
                    if (queueBoxWrites(pendingWrites, doc, box, [](int, int, int) { return CELL_EMPTY; }))
                        writesLeftOut = true;
                    r.anchor.x = f.x0;
                }
                records.push(r);
            }
            instances = records;
            return !dropped;
        });
        any |= removed;
    }
    return any;
}

void CInterpreter::deliverSendMessages(CMessageList& sends)
{
    CMessageList queue(sends);
    queue.reverse();  // oldest first
    planned = CPlannedGrowth{true, GetSizeX(), GetSizeY(), GetSizeZ(), 0};
    struct EndPlan {
        CPlannedGrowth& planned;
        ~EndPlan() { planned.active = false; }
    } endPlan{planned};
    CMessage m;
    while (queue.pop(m)) deliverSendMessage(m);
    GrowAsPlanned();
    ApplyWrites();
}
