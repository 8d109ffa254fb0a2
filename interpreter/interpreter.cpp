// CInterpreter: the run and step cycle, the interruption points and the document accessors.
// The link's lock is taken for one access at a time and never held across a wait or a post.
#include "interpreter/interpreter.h"

#include <mutex>

#include "run/runlink.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;
}

CInterpreter::CInterpreter() = default;

int CInterpreter::RunGuarded()
{
    if (!link) return 0;
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
        link->asleep = 0;
    }
    {
        // Copy first, then latch: the snapshot holds the clicks latched one step earlier.
        Hold hold(link->mutex);
        devices = link->devices;
        link->devices.latch();
    }
    contexts.forEachContext([this](CMatchContext& context) { context.setDevices(devices); });
    if (!pendingWrites.isEmpty()) pendingWrites.clear();
    phase = separateNext ? PHASE_SEPARATE : PHASE_MATCH;
}

void CInterpreter::CheckInterruption()
{
    if (!link) return;
    if (link->stopEvent.tryConsume()) throw InterruptionForStop();
    if (link->goEvent.tryConsume()) throw InterruptionForRestart();
}

void CInterpreter::WaitForShow()
{
    link->continueEvent.reset();
    IRunWindow* window;
    {
        Hold hold(link->mutex);
        window = link->viewWnd;
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
    Hold hold(link->mutex);
    return link->space.getSizeX();
}

int CInterpreter::GetSizeY()
{
    Hold hold(link->mutex);
    return link->space.getSizeY();
}

int CInterpreter::GetSizeZ()
{
    Hold hold(link->mutex);
    return link->space.getSizeZ();
}

void CInterpreter::Resize(int x, int y, int z)
{
    Hold hold(link->mutex);
    link->space.resize(x, y, z);
}

int CInterpreter::IsBoxEmpty(int x, int y, int z, int w, int h, int d)
{
    Hold hold(link->mutex);
    return link->space.isBoxEmpty(x, y, z, w, h, d);
}

void CInterpreter::ApplyWrites()
{
    CCellSet writes(pendingWrites);
    CCell cell;
    Hold hold(link->mutex);
    while (writes.pop(cell)) link->space.set(cell.x, cell.y, cell.z, cell.value);
}
