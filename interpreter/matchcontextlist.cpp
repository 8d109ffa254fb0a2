// CMatchContextList: one Match sweep over the units. `status` tells what the last sweep found.
#include "interpreter/matchcontextlist.h"

namespace {
// Takes what a unit that has just reported leaves: its writes, into document coordinates (the
// set drops "any" and keeps the later of two writes), and its messages. True when it has ended.
bool collectReport(CMatchContext& ctx, CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages)
{
    // Pushing a set's cells in pop order into an empty set rebuilds it as it is: then the set
    // is handed over and moved (the unit keeps the empty set's memory for its next pass).
    if (writes.isEmpty()) {
        writes.swap(ctx.writes);
        writes.translate(ctx.origin.x, ctx.origin.y, ctx.origin.z);
    } else {
        int x, y, z, v;
        while (ctx.popWrite(x, y, z, v)) writes.push(CCell(x + ctx.origin.x, y + ctx.origin.y, z + ctx.origin.z, v));
    }
    if (!ctx.endMessages.isEmpty() || !ctx.sendMessages.isEmpty()) {  // mostly there is no message
        CMessage m;
        while (ctx.popEndMessage(m)) endMessages.push(m);
        while (ctx.popSendMessage(m)) sendMessages.push(m);
    }
    return ctx.state == CMatchContext::State::Ended;
}
}  // namespace

int CMatchContextList::matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages,
                                  std::string& text, const std::function<void()>& check)
{
    CSearchPoll poll{check};
    CMatchStatusText pieces;
    pieces.begin();
    const int reported = matchSweep(writes, endMessages, sendMessages, pieces, poll);
    pieces.close();
    text += pieces.pieces();
    return reported;
}

int CMatchContextList::matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages,
                                  CMatchStatusText& text, CSearchPoll& poll)
{
    everyAsleep = false;
    if (!head) {
        status = Status::Finished;
        return 1;
    }
    Status found = Status::Quiet;
    bool allEnded = true, allAsleep = true;
    poll.count = 0;
    for (Node* n = head; n; n = n->next) {
        CMatchContext& ctx = n->element;
        if (ctx.isSleeping()) {
            allEnded = false;  // a sleeping unit keeps the run alive and adds no text
            continue;
        }
        const int reported = ctx.step(poll);
        text.add(ctx.statusPiece);
        // Its step may have taken the last result it had: then it sleeps from now on.
        if (!ctx.isSleeping()) allAsleep = false;
        if (!reported) {
            allEnded = false;  // a searching unit keeps the run alive
            continue;
        }
        found = Status::Reported;
        if (!collectReport(ctx, writes, endMessages, sendMessages)) allEnded = false;
    }
    // Every unit reported its end (an empty sweep cannot get here).
    status = allEnded ? Status::Finished : found;
    everyAsleep = allAsleep;
    return status != Status::Quiet ? 1 : 0;
}

int CMatchContextList::isFinished() const { return status == Status::Finished ? 1 : 0; }
