// CInterpreter: the run and step cycle, the interruption points and the document accessors.
// The link's lock is taken for one access at a time and never held across a wait or a post.
#include "interpreter/interpreter.h"

#include <cstdint>
#include <mutex>

#include "run/runlink.h"
#include "space/cellcodes.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;
}

CInterpreter::CInterpreter() = default;

int CInterpreter::RunGuarded()
{
    if (!link) return 0;
    // Separate's copy of the space is kept from step to step, not after the run.
    struct ReleaseScanCopy {
        CPatternSpace& copy;
        CScanMemory& memory;
        ~ReleaseScanCopy()
        {
            copy = CPatternSpace(0, 0, 0, 0);
            memory.forget();
        }
    } release{scanCopy, scanMemory};
    // A restart starts a fresh run in this same frame, so restarts never deepen the stack.
    for (;;) {
        try {
            Run();
            return 1;
        } catch (const InterruptionForRestart&) {
            continue;
        } catch (const Interruption&) {
            return 0;
        }
    }
}

void CInterpreter::Run()
{
    phase = PHASE_STARTED;
    separateNext = 1;
    stepNumber = 0;
    scanMemory.forget();  // the document may have changed in any way since the last run
    {
        Hold hold(link->mutex);
        runNumber = link->runNumber;
    }
    do {
        Step();
        WaitForShow();
    } while (phase != PHASE_RUN_OVER);
}

int CInterpreter::Step()
{
    phase = PHASE_STARTED;
    Ready();
    if (phase == PHASE_SEPARATE) Separate();
    if (phase == PHASE_MATCH) Match();
    return 1;
}

void CInterpreter::Ready()
{
    {
        Hold hold(link->mutex);
        link->status = STATUS_READY;
        link->asleep = false;
        link->nothingToRun = false;
        // Copy first, then latch: the snapshot holds the clicks latched one step earlier.
        devices = link->devices;
        link->devices.latch();
    }
    contexts.forEachContext([this](CMatchContext& context) { context.setDevices(devices); });
    if (!pendingWrites.isEmpty()) pendingWrites.clear();
    writesLeftOut = false;
    stepApplied.clear();
    phase = separateNext ? PHASE_SEPARATE : PHASE_MATCH;
}

void CInterpreter::TakeInterruption()
{
    if (link->stopEvent.tryConsume()) throw InterruptionForStop();
    if (link->goEvent.tryConsume()) throw InterruptionForRestart();
}

void CInterpreter::WaitForShow()
{
    IRunWindow* window;
    {
        // Continue is reset in the same hold that writes the new show: the view sets continue
        // only under the lock and only for the show the record names, so a continue meant for an
        // earlier show (of this run or of a stopped one) is either cleared here or never set.
        Hold hold(link->mutex);
        if (link->continueEvent.isSet()) link->continueEvent.reset();  // mostly it is not: no hub lock then
        window = link->viewWnd;
        link->shown.serial++;
        link->shown.run = runNumber;
        link->shown.step = ++stepNumber;
        link->shown.last = phase == PHASE_RUN_OVER;
        link->shown.applied.swap(stepApplied);  // Ready clears what the last show had
    }
    if (window) window->postRunShow();
    // A restart request arriving now is left for the next step's CheckInterruption.
    if (waitForEither(link->continueEvent, link->stopEvent) == 1) throw InterruptionForStop();
}

int CInterpreter::GetCell(int x, int y, int z)
{
    Hold hold(link->mutex);
    return link->space.get(x, y, z);
}

int CInterpreter::GetSizeX()
{
    if (planned.active) return planned.x;
    Hold hold(link->mutex);
    return link->space.getSizeX();
}

int CInterpreter::GetSizeY()
{
    if (planned.active) return planned.y;
    Hold hold(link->mutex);
    return link->space.getSizeY();
}

int CInterpreter::GetSizeZ()
{
    if (planned.active) return planned.z;
    Hold hold(link->mutex);
    return link->space.getSizeZ();
}

void CInterpreter::Resize(int x, int y, int z)
{
    if (planned.active) {
        if (x < 1 || y < 1 || z < 1) return;
        planned.x = x, planned.y = y, planned.z = z;
        planned.resizes++;
        return;
    }
    Hold hold(link->mutex);
    link->space.resize(x, y, z);
    link->spaceWrites++;
    link->spaceChanges++;
    scanMemory.forget();
}

void CInterpreter::GrowAsPlanned()
{
    const CPlannedGrowth growth = planned;
    planned = CPlannedGrowth{};
    if (growth.resizes == 0) return;
    scanMemory.forget();
    Hold hold(link->mutex);
    link->space.resize(growth.x, growth.y, growth.z);
    link->spaceWrites += unsigned(growth.resizes);
    link->spaceChanges += unsigned(growth.resizes);
}

int CInterpreter::IsBoxEmpty(int x, int y, int z, int w, int h, int d)
{
    Hold hold(link->mutex);
    const CSpace& space = link->space;
    if (!planned.grows()) return space.isBoxEmpty(x, y, z, w, h, d);
    // The box as the grown grid will read it; a box reaching past the plan reaches outside.
    if (x < 0 || y < 0 || z < 0 || std::int64_t(x) + w > planned.x || std::int64_t(y) + h > planned.y ||
        std::int64_t(z) + d > planned.z)
        return w <= 0 || h <= 0 || d <= 0 ? 1 : 0;
    for (int i = x; i < x + w; i++)
        for (int j = y; j < y + h; j++)
            for (int k = z; k < z + d; k++)
                if (planned.read(space.get(i, j, k), i, j, k) != CELL_EMPTY) return 0;
    return 1;
}

// One lock for all the writes; the set keeps its contents (each position is in it once, so the
// order of writing does not matter).
void CInterpreter::ApplyWrites()
{
    Hold hold(link->mutex);
    CSpace& space = link->space;
    // Writes left out as changing nothing still count: the set would have held them.
    if (!pendingWrites.isEmpty() || writesLeftOut) {
        scanMemory.noteWrites(pendingWrites, space, link->spaceChanges, link->spaceChanges + 1);
        link->spaceWrites++;
        link->spaceChanges++;
    }
    // Distinct positions: the order does not matter, and memory order reads the set front to back.
    pendingWrites.forEachInPlace([&](const CCell& cell) { space.set(cell.x, cell.y, cell.z, cell.value); });
}

void CInterpreter::CollectApplied()
{
    // A unit that has just reported is idle again (or ended, having applied nothing); units still
    // in the middle of a pass keep what they applied so far until they report.
    contexts.forEachContext([this](CMatchContext& ctx) {
        if (ctx.state != CMatchContext::State::Idle || ctx.applied.empty()) return;
        for (CAppliedGroup& group : ctx.applied) {
            group.unit = CCell(ctx.origin.x, ctx.origin.y, ctx.origin.z, 0);
            stepApplied.push_back(group);
        }
        ctx.applied.clear();
    });
}
