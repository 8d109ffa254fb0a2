// The straightforward cell set, kept as the model the fast CCellSet is checked against: a
// three-level tree in the list's own nodes. The chain from `head` over `next` has one node per
// distinct x; each of those starts a `link2` chain, one node per y at that x; each of those
// starts a `link3` chain, one node per z. A push walks the chains (appending a new position at
// the end of the chain where the walk stopped); a pop takes the root and promotes a successor.
#pragma once

#include "space/cell.h"
#include "space/linklist.h"

class CCellSetModel : public CLinkList<CCell> {
public:
    CCellSetModel() = default;
    CCellSetModel(const CCellSetModel& other) : CLinkList<CCell>() { *this = other; }
    CCellSetModel& operator=(const CCellSetModel& other)
    {
        if (&other == this) return *this;
        clear();
        const Node* src = other.head;
        if (!src) return *this;
        head = new Node(src->element);
        Node* dst = head;
        copyYChain(src, dst);
        for (const Node* s = src->next; s; s = s->next) {
            dst->next = new Node(s->element);
            dst = dst->next;
            copyYChain(s, dst);
        }
        return *this;
    }
    ~CCellSetModel() override { clear(); }

    void clear() override
    {
        CCell scratch;
        while (pop(scratch)) {
        }
    }

    void push(const CCell& cell) override
    {
        if (cell.value == 1) return;
        if (!head) {
            head = new Node(cell);
            return;
        }
        Node* cur = head;
        while (cur->element.x != cell.x) {
            if (!cur->next) {
                cur->next = new Node(cell);
                return;
            }
            cur = cur->next;
        }
        while (cur->element.y != cell.y) {
            if (!cur->link2) {
                cur->link2 = new Node(cell);
                return;
            }
            cur = cur->link2;
        }
        while (cur->element.z != cell.z) {
            if (!cur->link3) {
                cur->link3 = new Node(cell);
                return;
            }
            cur = cur->link3;
        }
        cur->element.value = cell.value;
    }

    int pop(CCell& out) override
    {
        if (!head) return 0;
        out = head->element;
        Node* x = head->next;
        Node* y = head->link2;
        Node* z = head->link3;
        delete head;
        if (z) {
            z->next = x;
            z->link2 = y;
            head = z;
        } else if (x && y) {
            y->next = x;
            head = y;
        } else if (x) {
            head = x;
        } else {
            head = y;
        }
        return 1;
    }

private:
    static void copyZChain(const Node* src, Node* dst)
    {
        for (const Node* s = src->link3; s; s = s->link3) {
            dst->link3 = new Node(s->element);
            dst = dst->link3;
        }
    }
    static void copyYChain(const Node* src, Node* dst)
    {
        copyZChain(src, dst);
        for (const Node* s = src->link2; s; s = s->link2) {
            dst->link2 = new Node(s->element);
            dst = dst->link2;
            copyZChain(s, dst);
        }
    }
};
