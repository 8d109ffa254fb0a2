// CMatchContextList: one Match sweep over the units. `status` tells what the last sweep found:
// 0 nothing reported, 1 some context reported, 2 every context ended (or there is none).
#include "interpreter/matchcontextlist.h"

int CMatchContextList::matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages,
                                  std::string& text, const std::function<void()>& check)
{
    if (!head) {
        status = 2;
        return 1;
    }
    status = 0;
    int allEnded = 1;
    CSearchPoll poll{check};
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
        status = 1;
        // Into document coordinates; the set drops "any" and keeps the later of two writes.
        int x, y, z, v;
        while (ctx.popWrite(x, y, z, v)) writes.push(CCell(x + ctx.origin.x, y + ctx.origin.y, z + ctx.origin.z, v));
        if (ctx.state != 3) allEnded = 0;
        CMessage m;
        while (ctx.popEndMessage(m)) endMessages.push(m);
        while (ctx.popSendMessage(m)) sendMessages.push(m);
    }
    if (allEnded) status = 2;
    return status != 0 ? 1 : 0;
}

int CMatchContextList::isFinished() const { return status == 2 ? 1 : 0; }
