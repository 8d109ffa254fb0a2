// CInterpreter: runs the program drawn in the document space, one shown step at a time, on the
// worker thread; it reaches the document only through the shared CRunLink, under its lock.
#pragma once

#include <vector>

#include "interpreter/instancerecord.h"
#include "interpreter/matchcontext.h"
#include "interpreter/matchcontextlist.h"
#include "interpreter/matchstatustext.h"
#include "interpreter/messagelist.h"
#include "interpreter/plannedgrowth.h"
#include "interpreter/scanmemory.h"
#include "interpreter/unitprogram.h"
#include "run/appliedgroup.h"
#include "run/inputdevices.h"
#include "run/runlink.h"
#include "space/cellset.h"
#include "space/space.h"

// The base layer: the link to the document and a run that does nothing.
class CInterpreterBase {
public:
    CInterpreterBase() = default;
    CInterpreterBase(const CInterpreterBase&) = delete;
    CInterpreterBase& operator=(const CInterpreterBase&) = delete;
    virtual ~CInterpreterBase() = default;

    virtual void Run() {}
    void Attach(CRunLink* runLink) { link = runLink; }
    void Detach() { link = nullptr; }

    CRunLink* link = nullptr;  // none while no worker is attached
};

class CInterpreter : public CInterpreterBase {
public:
    // Thrown by value at the fixed interruption points; they carry nothing.
    class Interruption {};
    class InterruptionForRestart : public Interruption {};
    class InterruptionForStop : public Interruption {};

    // Values of `phase`.
    static constexpr int PHASE_STARTED = 0;   // start of a step or a run
    static constexpr int PHASE_SEPARATE = 1;  // Separate runs in this step
    static constexpr int PHASE_MATCH = 2;     // Match runs in this step
    static constexpr int PHASE_STEP_DONE = 3; // the step is over, the run goes on
    static constexpr int PHASE_RUN_OVER = 4;  // the run is over

    static constexpr const char* STATUS_READY = "Phase:Ready";
    static constexpr const char* STATUS_SEPARATE = "Phase:Separate %d/%d";  // layer from 1, layers
    static constexpr const char* STATUS_TOO_MANY_GROUPS = "Phase:Separate (too many rule groups)";  // run over
    static constexpr const char* STATUS_MATCH = CMatchStatusText::PREFIX.data();  // + one piece per awake unit + ")"
    // Not a status: said beside the status (CRunLink::nothingToRun) when Separate found nothing.
    static constexpr const char* STATUS_NOTHING_TO_RUN = "Nothing to run: no work area or sub-program found";

    CInterpreter();

    // Worker side, after Attach: runs from the document space until the run ends (1), starting
    // afresh on every restart request, or until a stop request (0).
    int RunGuarded();
    void Run() override;

    int Step();
    void Ready();
    void Separate();
    void Match();

    // Throws InterruptionForStop or InterruptionForRestart when the interface thread asked.
    // Called before every column of the scan and in every search step: the test of no request
    // is inline, and only a request leads to the call that takes it.
    void CheckInterruption()
    {
        if (link && (link->stopEvent.isSet() || link->goEvent.isSet())) TakeInterruption();
    }
    // Asks the view to draw the step and waits until it has (or until a stop request).
    void WaitForShow();

    // Document access; each takes the lock for one operation.
    int GetCell(int x, int y, int z);
    int GetSizeX();
    int GetSizeY();
    int GetSizeZ();
    void Resize(int x, int y, int z);
    void GrowAsPlanned();
    int IsBoxEmpty(int x, int y, int z, int w, int h, int d);
    void ApplyWrites();

    // Message delivery after a Match sweep: results back to callers, new sub-program instances.
    void deliverEndMessages(CMessageList& ends);
    void deliverSendMessages(CMessageList& sends);
    void deliverEndMessage(const CMessage& m);
    void deliverSendMessage(const CMessage& m);
    // Steps a receiver until it reports (1), or until it falls asleep waiting for results (0).
    int runToCompletion(CMatchContext& ctx);
    // Erases the frames of ended instances that are the most recent of their sub-program; 1 when
    // at least one was erased.
    int removeEndedInstances();
    // Queues every cell of s (zeros included) as a document write with its corner at (x0, y0, z0).
    void writeSpace(int x0, int y0, int z0, const CSpace& s);
    // The receive declaration a sender gets on its first send: the keyword and a counter of n.
    CSpace receiveDeclarationPicture(int n);

    CInputDevices devices;       // own snapshot, taken in every Ready
    int phase = PHASE_STARTED;
    int separateNext = 1;        // 1 when the next step must separate first
    CCellSet pendingWrites;      // document writes decided by Match, applied by ApplyWrites
    bool writesLeftOut = false;  // queueBoxWrites left out a write that would change nothing
    CMatchContextList contexts;  // one per unit; rebuilt by Separate
    CInstanceList instances;     // one per sub-program declaration; rebuilt by Separate
    CPatternSpace scanCopy;      // Separate's copy of the document space, kept from step to step
    CScanMemory scanMemory;      // where scanCopy differs from the document
    CPlannedGrowth planned;      // the document's growth during send delivery
    // For the user: the run number this run started from, its steps so far, and the groups the
    // current step applied (each with its unit's corner).
    int runNumber = 0;
    int stepNumber = 0;
    std::vector<CAppliedGroup> stepApplied;
    CMatchStatusText matchText;  // Match's status text, kept with its memory from step to step

protected:
    // Consumes a pending request and throws for it (stop before restart); returns if another
    // thread took it first.
    void TakeInterruption();
    // After a sweep that reported: the step's writes go into the document and the messages are
    // delivered (the lists are left empty).
    void EndStep(CMessageList& ends, CMessageList& sends);
    // Moves the groups applied by units that have just reported into stepApplied.
    void CollectApplied();
    // Where Separate's findings become units and contexts; called with phase 2 when the scan
    // found a work area or a window. Virtual so that a test can see what the scan found.
    virtual void BuildAndHandOver(CUnitProgram& program, CMatchContext& top, CSpace& area);  // may move from area
};
