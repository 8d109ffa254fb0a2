// The Match phase: sweeps over the units until one reports, then the reported writes go into the
// document and the messages the units produced are delivered.
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

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
    CSearchPoll poll{[this] { CheckInterruption(); }};
    // Kept from sweep to sweep; the message lists start every sweep empty.
    std::string text;
    CMessageList ends, sends;
    // What the link was last given: only this thread writes the status during Match, and Ready
    // left it no "Phase:Match(" text and the flag down.
    std::string publishedText;
    bool publishedAsleep = false;
    const std::string_view prefix(STATUS_MATCH);
    text.assign(prefix);
    publishedText.assign(prefix);
    while (phase == PHASE_MATCH) {
        CheckInterruption();
        // Both texts start with the prefix: cutting back to it starts this sweep's text.
        text.resize(prefix.size());
        if (!ends.isEmpty()) ends.clear();
        if (!sends.isEmpty()) sends.clear();
        const int reported = contexts.matchSweep(pendingWrites, ends, sends, text, poll);
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
        text.push_back(')');
        // With every unit asleep and nothing reported, no message is pending: the run cannot end.
        const bool asleep = !reported && everyUnitAsleep(contexts);
        // Written when it differs from what the link holds, so that a step of many quick sweeps
        // does not take the link's lock for each; the link holds the same as if every sweep wrote.
        if (asleep == publishedAsleep && text == publishedText) continue;
        publishedText.swap(text);
        publishedAsleep = asleep;
        Hold hold(link->mutex);
        link->status = publishedText;
        link->asleep = asleep;
    }
}
