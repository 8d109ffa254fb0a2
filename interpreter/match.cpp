// The Match phase: sweeps over the units until one reports, then the reported writes go into the
// document and the messages the units produced are delivered.
#include <functional>
#include <mutex>

#include "interpreter/interpreter.h"
#include "run/runlink.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;
}  // namespace

void CInterpreter::Match()
{
    // Stop and restart requests are also seen inside a long search step.
    CSearchPoll poll{[this] { CheckInterruption(); }};
    // Every sweep starts with both lists empty; only a sweep that reports fills them.
    CMessageList ends, sends;
    // Ready left the link another text and the flag down; from then on only this thread writes
    // them, so the link holds what was last published.
    matchText.forget();
    bool publishedAsleep = false;
    while (phase == PHASE_MATCH) {
        CheckInterruption();
        matchText.begin();
        const int reported = contexts.matchSweep(pendingWrites, ends, sends, matchText, poll);
        if (reported) EndStep(ends, sends);
        matchText.close();
        // With every unit asleep and nothing reported, no message is pending: the run cannot end.
        const bool asleep = !reported && contexts.everyAsleep;
        // Written when it differs from what the link holds, so that a step of many quick sweeps
        // does not take the link's lock for each; the link holds the same as if every sweep wrote.
        if (asleep == publishedAsleep && !matchText.changed()) continue;
        publishedAsleep = asleep;
        Hold hold(link->mutex);
        matchText.publishTo(link->status);
        link->asleep = asleep;
    }
}

void CInterpreter::EndStep(CMessageList& ends, CMessageList& sends)
{
    phase = contexts.isFinished() ? PHASE_RUN_OVER : PHASE_STEP_DONE;
    ApplyWrites();
    CollectApplied();  // before delivery, which may replace units
    if (ends.isEmpty() && sends.isEmpty()) return;
    if (!ends.isEmpty()) {
        deliverEndMessages(ends);
        phase = PHASE_STEP_DONE;  // delivery may wake units or change the space
    }
    if (!sends.isEmpty()) deliverSendMessages(sends);
    CollectApplied();  // receivers that delivery ran to completion
    ends.clear();
    sends.clear();
}
