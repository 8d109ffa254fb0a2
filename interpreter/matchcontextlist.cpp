// CMatchContextList: one Match sweep over the units. `status` tells what the last sweep found.
#include "interpreter/matchcontextlist.h"

int CMatchContextList::matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages,
                                  std::string& text, const std::function<void()>& check)
{
    CSearchPoll poll{check};
    return matchSweep(writes, endMessages, sendMessages, text, poll);
}

int CMatchContextList::matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages,
                                  std::string& text, CSearchPoll& poll)
{
    if (!head) {
        status = Status::Finished;
        return 1;
    }
    status = Status::Quiet;
    int allEnded = 1;
    poll.count = 0;
    for (Node* n = head; n; n = n->next) {
        CMatchContext& ctx = n->element;
        int reported = 0;
        if (!ctx.isSleeping()) {
            reported = ctx.step(poll);
            text += ctx.statusText;
        }
        if (!reported) {
            allEnded = 0;  // a sleeping or searching unit keeps the run alive
            continue;
        }
        status = Status::Reported;
        // Into document coordinates; the set drops "any" and keeps the later of two writes.
        // Pushing a set's cells in pop order into an empty set rebuilds it as it is: then the set
        // is handed over and moved (the unit keeps the empty set's memory for its next pass).
        if (writes.isEmpty()) {
            writes.swap(ctx.writes);
            writes.translate(ctx.origin.x, ctx.origin.y, ctx.origin.z);
        } else {
            int x, y, z, v;
            while (ctx.popWrite(x, y, z, v))
                writes.push(CCell(x + ctx.origin.x, y + ctx.origin.y, z + ctx.origin.z, v));
        }
        if (ctx.state != CMatchContext::State::Ended) allEnded = 0;
        if (ctx.endMessages.isEmpty() && ctx.sendMessages.isEmpty()) continue;  // the common case: no message to make
        CMessage m;
        while (ctx.popEndMessage(m)) endMessages.push(m);
        while (ctx.popSendMessage(m)) sendMessages.push(m);
    }
    if (allEnded) status = Status::Finished;
    return status != Status::Quiet ? 1 : 0;
}

int CMatchContextList::isFinished() const { return status == Status::Finished ? 1 : 0; }
