// The Match phase: sweeps over the units until one reports, then the reported writes go into the
// document and the messages the units produced are delivered.
#include <functional>
#include <mutex>
#include <string>

#include "interpreter/interpreter.h"
#include "run/runlink.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;

bool everyUnitAsleep(const CMatchContextList& contexts)
{
    if (contexts.isEmpty()) return false;
    bool asleep = true;
    contexts.forEach([&](const CMatchContext& ctx) {
        if (!ctx.isSleeping()) asleep = false;
    });
    return asleep;
}
}  // namespace

void CInterpreter::Match()
{
    // Stop and restart requests are also seen inside a long search step.
    const std::function<void()> check = [this] { CheckInterruption(); };
    std::string text;  // keeps its memory from sweep to sweep
    while (phase == PHASE_MATCH) {
        CheckInterruption();
        text = STATUS_MATCH;
        CMessageList ends, sends;
        const int reported = contexts.matchSweep(pendingWrites, ends, sends, text, check);
        if (reported) {
            phase = contexts.isFinished() ? PHASE_RUN_OVER : PHASE_STEP_DONE;
            ApplyWrites();
            CollectApplied();  // before delivery, which may replace units
            if (!ends.isEmpty()) {
                deliverEndMessages(ends);
                phase = PHASE_STEP_DONE;  // delivery may wake units or change the space
            }
            if (!sends.isEmpty()) deliverSendMessages(sends);
            CollectApplied();  // receivers that delivery ran to completion
        }
        text += ")";
        // With every unit asleep and nothing reported, no message is pending: the run cannot end.
        const bool asleep = !reported && everyUnitAsleep(contexts);
        Hold hold(link->mutex);
        link->status = text;
        link->asleep = asleep;
    }
}
