// CMatchContextList: the units of a running program, one match context each, with the outcome
// of the last Match sweep.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "interpreter/matchcontext.h"
#include "interpreter/matchstatustext.h"
#include "interpreter/messagelist.h"
#include "space/cellset.h"
#include "space/linklist.h"

class CMatchContextList : public CLinkList<CMatchContext> {
public:
    CMatchContextList() = default;
    CMatchContextList(const CMatchContextList&) = default;
    CMatchContextList& operator=(const CMatchContextList&) = default;
    ~CMatchContextList() override { CMatchContextList::clear(); }

    // Deletes the nodes directly: taking each context out as a copy first, as the list template
    // does, costs a deep copy of every unit's program and cells.
    void clear() override
    {
        while (head) {
            Node* n = head;
            head = head->next;
            delete n;
        }
    }

    // One search step for every context that is not asleep; reported writes (in document
    // coordinates) and messages are collected and each stepped context's text is appended.
    // `check` runs now and then during long steps and may throw to abandon the sweep.
    int matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages, std::string& text,
                   const std::function<void()>& check = {});
    // The same with the caller's poll, which a run keeps from sweep to sweep (its count starts
    // afresh at every sweep), adding the pieces to the begun status text.
    int matchSweep(CCellSet& writes, CMessageList& endMessages, CMessageList& sendMessages, CMatchStatusText& text,
                   CSearchPoll& poll);
    int isFinished() const;

    // Visits every context in place, from the head: refreshing contexts needs no copies.
    template <class Visit>
    void forEachContext(Visit visit)
    {
        for (Node* n = head; n; n = n->next) visit(n->element);
    }

    // Visits every context in place, oldest first (from the tail), as delivery walks them.
    template <class Visit>
    void forEachOldestFirst(Visit visit)
    {
        std::vector<Node*> nodes;
        for (Node* n = head; n; n = n->next) nodes.push_back(n);
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) visit((*it)->element);
    }

    // Asks `keep` about every context, oldest first, and removes those it answers false for;
    // the others keep their order.
    template <class Keep>
    void keepOldestFirst(Keep keep)
    {
        std::vector<Node*> nodes;
        for (Node* n = head; n; n = n->next) nodes.push_back(n);
        std::vector<char> kept(nodes.size());
        for (size_t i = nodes.size(); i-- > 0;) kept[i] = keep(nodes[i]->element) ? 1 : 0;
        Node** tail = &head;
        for (size_t i = 0; i < nodes.size(); i++) {
            if (kept[i]) {
                *tail = nodes[i];
                tail = &nodes[i]->next;
            } else {
                delete nodes[i];
            }
        }
        *tail = nullptr;
    }

    // What the last sweep found.
    enum class Status {
        Quiet,     // no context reported
        Reported,  // some context reported
        Finished,  // every context ended, or there is none
    };
    Status status = Status::Quiet;
    // Whether every unit was asleep at the end of the last sweep (false when there is none).
    bool everyAsleep = false;
};
