// CCellSet keeps its cells in a three-level tree made of the list's own nodes: the chain from
// `head` over `next` has one node per distinct x; each of those starts a `link2` chain with one
// node per distinct y at that x; each of those starts a `link3` chain, one node per z.
#include "space/cellset.h"

CCellSet::CCellSet(const CCellSet& other) : CLinkList<CCell>() { assign(other); }

CCellSet& CCellSet::operator=(const CCellSet& other)
{
    assign(other);
    return *this;
}

CCellSet::~CCellSet() { clear(); }

namespace {
using Node = CLinkNode<CCell>;

// Copies the z chain that starts at src's link3 onto the copy `dst`.
void copyZChain(const Node* src, Node* dst)
{
    for (const Node* s = src->link3; s; s = s->link3) {
        dst->link3 = new Node(s->element);
        dst = dst->link3;
    }
}

// Copies a y chain (a node, its link3 chain, then each link2 node with its own link3 chain).
void copyYChain(const Node* src, Node* dst)
{
    copyZChain(src, dst);
    for (const Node* s = src->link2; s; s = s->link2) {
        dst->link2 = new Node(s->element);
        dst = dst->link2;
        copyZChain(s, dst);
    }
}
}  // namespace

CLinkList<CCell>& CCellSet::assign(const CLinkList<CCell>& other)
{
    if (&other == this) return *this;
    clear();
    const auto* set = dynamic_cast<const CCellSet*>(&other);
    if (!set) {
        // A plain list has no tree to rebuild: take its cells one by one, as pushes.
        other.forEach([this](const CCell& c) { push(c); });
        return *this;
    }
    const Node* src = set->head;
    if (!src) return *this;
    // Rebuild the same tree: the root with its chains, then each x node of the root's next chain.
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

void CCellSet::clear()
{
    CCell scratch;
    while (pop(scratch)) {
    }
}

void CCellSet::push(const CCell& cell)
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
    cur->element.value = cell.value;  // same position: the later write wins, in place
}

int CCellSet::pop(CCell& out)
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
