// CBoxSet: the list itself is the base class's; beside it `boxes` holds a copy of every stored box
// and `nodes` the list's nodes from head to tail, so push, pop and popBack take constant time
// however many boxes one rule group produces. Both are rebuilt whenever the list is copied.
// Duplicates can only come in through assign from a plain list, which copies them as they are.
#include "space/boxset.h"

std::size_t CBoxSet::Hash::operator()(const CBox& b) const
{
    std::size_t h = 0;
    for (int v : {b.x0, b.y0, b.z0, b.x1, b.y1, b.z1}) h = h * 1000003u ^ std::size_t(unsigned(v));
    return h;
}

CBoxSet::CBoxSet(const CBoxSet& other) : CLinkList<CBox>() { assign(other); }

CBoxSet& CBoxSet::operator=(const CBoxSet& other)
{
    assign(other);
    return *this;
}

CLinkList<CBox>& CBoxSet::assign(const CLinkList<CBox>& other)
{
    if (&other == this) return *this;
    CLinkList<CBox>::assign(other);  // clears through our clear(), then copies node by node
    reindex();
    return *this;
}

void CBoxSet::reindex()
{
    boxes.clear();
    nodes.clear();
    for (Node* n = head; n; n = n->next) {
        nodes.push_back(n);
        boxes.insert(n->element);
    }
}

void CBoxSet::forget(const CBox& b)
{
    auto it = boxes.find(b);
    if (it != boxes.end()) boxes.erase(it);
}

void CBoxSet::clear()
{
    for (Node* n : nodes) delete n;
    head = nullptr;
    nodes.clear();
    boxes.clear();
}

void CBoxSet::push(const CBox& b)
{
    if (boxes.find(b) != boxes.end()) return;
    CLinkList<CBox>::push(b);
    nodes.push_front(head);
    boxes.insert(b);
}

int CBoxSet::pop(CBox& out)
{
    if (!CLinkList<CBox>::pop(out)) return 0;
    nodes.pop_front();
    forget(out);
    return 1;
}

int CBoxSet::popBack(CBox& out)
{
    if (nodes.empty()) return 0;
    Node* last = nodes.back();
    nodes.pop_back();
    if (nodes.empty())
        head = nullptr;
    else
        nodes.back()->next = nullptr;
    out = last->element;
    delete last;
    forget(out);
    return 1;
}
