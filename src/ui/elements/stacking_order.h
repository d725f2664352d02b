#pragma once

#include <cstdint>
#include <vector>

namespace koropika {

class Element;

// The children of a container, front to back. Bringing a child to the front (or adding one
// there) only notes it; the order is brought up to date when it is next read, in one pass over
// the list. A deal brings a whole table of cards to the front one by one, and moving each
// through a long list at once would cost a pass per card.
class StackingOrder {
  public:
    // Front to back, with every noted move applied.
    const std::vector<Element*>& frontToBack() const {
        if (!toFront_.empty()) {
            applyMoves();
        }
        return order_;
    }
    bool empty() const { return order_.empty() && toFront_.empty(); }
    std::size_t size() const {
        frontToBack();
        return order_.size();
    }

    void clear() {
        order_.clear();
        toFront_.clear();
    }
    // A new child behind all others.
    void addAtBack(Element* child) { order_.push_back(child); }
    // A new child in front of all others, or a child that moves there.
    void addAtFront(Element* child) { toFront_.push_back(child); }
    void bringToFront(Element* child) { toFront_.push_back(child); }
    // Whether the child is in front of all others now.
    bool atFront(const Element* child) const {
        return !toFront_.empty() ? toFront_.back() == child
                                 : !order_.empty() && order_.front() == child;
    }

  private:
    void applyMoves() const;

    mutable std::vector<Element*> order_;
    // Children moved to the front since the order was last brought up to date, oldest first;
    // a child may be listed more than once, and its latest move counts.
    mutable std::vector<Element*> toFront_;
    mutable std::vector<Element*> scratch_;
};

}  // namespace koropika
