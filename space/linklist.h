// CLinkList<T>: the program's one container, a singly linked list that is both a stack (push and
// pop at the head) and a queue (push at the head, popBack from the tail). Nodes own copies of
// their elements. `link2` and `link3` are kept for the node layout; no list uses them any more
// (CCellSet keeps its own arrays). Nodes come from CNodePool rather than one allocation each,
// except under AddressSanitizer, which should see every node's life.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "space/nodepool.h"
#include "space/object.h"

#if defined(__SANITIZE_ADDRESS__)
#define TESSERA_POOL_NODES 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSERA_POOL_NODES 0
#endif
#endif
#ifndef TESSERA_POOL_NODES
#define TESSERA_POOL_NODES 1
#endif

template <class T>
class CLinkNode : public CObject {
public:
    CLinkNode() = default;
    explicit CLinkNode(const T& e) : element(e) {}
    explicit CLinkNode(T&& e) : element(std::move(e)) {}
    CLinkNode(const CLinkNode& other) : CObject(), element(other.element) {}
    CLinkNode& operator=(const CLinkNode& other)
    {
        if (this != &other) element = other.element;
        next = link2 = link3 = nullptr;
        return *this;
    }
    ~CLinkNode() override = default;  // the nodes it points to are not touched

#if TESSERA_POOL_NODES
    static void* operator new(std::size_t) { return CNodePool<sizeof(CLinkNode)>::allocate(); }
    static void operator delete(void* p) { CNodePool<sizeof(CLinkNode)>::release(p); }
#endif

    // 1 plus the nodes reachable over the three links; walks with its own stack so that long
    // chains cannot exhaust the call stack.
    int count() const
    {
        int n = 0;
        std::vector<const CLinkNode*> todo{this};
        while (!todo.empty()) {
            const CLinkNode* node = todo.back();
            todo.pop_back();
            n++;
            for (const CLinkNode* link : {node->next, node->link2, node->link3})
                if (link) todo.push_back(link);
        }
        return n;
    }

    T element{};
    CLinkNode* next = nullptr;
    CLinkNode* link2 = nullptr;
    CLinkNode* link3 = nullptr;
};

template <class T>
class CLinkList : public CObject {
public:
    using Node = CLinkNode<T>;

    CLinkList() = default;
    CLinkList(const CLinkList& other) : CObject() { CLinkList::assign(other); }
    CLinkList& operator=(const CLinkList& other) { return assign(other); }
    // Moving hands the nodes over; the source is left empty. Subclasses with members of their
    // own give themselves moves that also carry those.
    CLinkList(CLinkList&& other) noexcept : CObject(), head(other.head) { other.head = nullptr; }
    CLinkList& operator=(CLinkList&& other) noexcept
    {
        if (&other == this) return *this;
        CLinkList::clear();
        head = other.head;
        other.head = nullptr;
        return *this;
    }
    ~CLinkList() override { CLinkList::clear(); }

    // The nodes this list already has take the other's elements in place (a space keeps its
    // memory when the sizes agree): a list copied over an equal one at every pass allocates
    // nothing. Nodes beyond the other's length are freed; missing ones are made.
    virtual CLinkList& assign(const CLinkList& other)
    {
        if (&other == this) return *this;
        Node** tail = &head;
        const Node* n = other.head;
        for (; n && *tail; n = n->next, tail = &(*tail)->next) (*tail)->element = n->element;
        for (; n; n = n->next, tail = &(*tail)->next) *tail = new Node(n->element);
        while (Node* rest = *tail) {
            *tail = rest->next;
            delete rest;
        }
        return *this;
    }

    // Frees every node directly: taking each element out as a copy first would cost a deep copy
    // per element, which is long for groups holding many match positions.
    virtual void clear()
    {
        while (head) {
            Node* node = head;
            head = head->next;
            delete node;
        }
    }

    virtual void push(const T& e)
    {
        Node* node = new Node(e);
        node->next = head;
        head = node;
    }
    // The same, taking over an element the caller no longer needs. A subclass that changes how
    // push stores elements overrides both.
    virtual void push(T&& e)
    {
        Node* node = new Node(std::move(e));
        node->next = head;
        head = node;
    }

    // The node is destroyed right after, so the element is moved out rather than copied.
    virtual int pop(T& out)
    {
        if (!head) return 0;
        out = std::move(head->element);
        Node* old = head;
        head = head->next;
        delete old;
        return 1;
    }

    virtual int popBack(T& out)
    {
        if (!head) return 0;
        Node** last = &head;
        while ((*last)->next) last = &(*last)->next;
        out = std::move((*last)->element);
        delete *last;
        *last = nullptr;
        return 1;
    }

    // Turns the list round in place: the oldest element comes to the head, where pop takes it in
    // constant time. Loops that take a long list oldest first reverse it once and pop, rather than
    // calling popBack, which walks the whole list each time. (The cell and box sets keep their
    // elements elsewhere and never use it.) Answers the number of elements, which it walks anyway.
    int reverse()
    {
        Node* done = nullptr;
        int n = 0;
        while (head) {
            Node* node = head;
            head = node->next;
            node->next = done;
            done = node;
            n++;
        }
        head = done;
        return n;
    }

    virtual int isEmpty() const { return head == nullptr ? 1 : 0; }

    // The element pop would take, left in place; null when the list is empty.
    T* front() { return head ? &head->element : nullptr; }
    // Hands the head node, element and all, over to the head of `to`: what pop and push do,
    // without moving the element or making and freeing a node. 0 when this list is empty.
    int moveFrontTo(CLinkList& to)
    {
        if (!head) return 0;
        Node* node = head;
        head = node->next;
        node->next = to.head;
        to.head = node;
        return 1;
    }

    // Along `next` while no node has the other links (as in every list but a cell set); from the
    // first node that has them, the full walk.
    virtual int count() const
    {
        int n = 0;
        for (const Node* node = head; node; node = node->next) {
            if (node->link2 || node->link3) return n + node->count();
            n++;
        }
        return n;
    }

    // Read-only walk from the head along `next`, for code that inspects without taking out.
    template <class Visit>
    void forEach(Visit visit) const
    {
        for (const Node* n = head; n; n = n->next) visit(n->element);
    }
    // The same walk, for code that changes elements in place.
    template <class Visit>
    void forEach(Visit visit)
    {
        for (Node* n = head; n; n = n->next) visit(n->element);
    }

protected:
    Node* head = nullptr;
};
