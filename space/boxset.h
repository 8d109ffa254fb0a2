// CBoxSet: a list of boxes that refuses duplicates.
#pragma once

#include "space/box.h"
#include "space/linklist.h"

class CBoxSet : public CLinkList<CBox> {
public:
    CBoxSet() = default;
    CBoxSet(const CBoxSet& other) : CLinkList<CBox>(other) {}
    CBoxSet& operator=(const CBoxSet& other)
    {
        assign(other);
        return *this;
    }

    void push(const CBox& b) override
    {
        for (const Node* n = head; n; n = n->next)
            if (n->element.isEqual(b)) return;
        CLinkList<CBox>::push(b);
    }
};
