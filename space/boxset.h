// CBoxSet: a list of boxes that refuses duplicates.
#pragma once

#include <cstddef>
#include <deque>
#include <unordered_set>

#include "space/box.h"
#include "space/linklist.h"

class CBoxSet : public CLinkList<CBox> {
public:
    CBoxSet() = default;
    CBoxSet(const CBoxSet& other);
    CBoxSet& operator=(const CBoxSet& other);
    ~CBoxSet() override = default;

    CLinkList<CBox>& assign(const CLinkList<CBox>& other) override;
    void clear() override;
    void push(const CBox& b) override;  // nothing when an equal box is stored already
    int pop(CBox& out) override;
    int popBack(CBox& out) override;
    int count() const override { return int(nodes.size()); }

private:
    struct Hash {
        std::size_t operator()(const CBox& b) const;
    };
    struct Same {
        bool operator()(const CBox& a, const CBox& b) const { return a.isEqual(b) != 0; }
    };
    void reindex();
    void forget(const CBox& b);

    std::unordered_multiset<CBox, Hash, Same> boxes;  // the stored boxes, for the duplicate test
    std::deque<Node*> nodes;                          // the list's nodes, head first
};
