#include "ui/elements/stacking_order.h"

#include "ui/elements/element.h"

namespace koropika {

void StackingOrder::applyMoves() const {
    // Each update marks the children it has placed with a stamp no other update uses.
    static thread_local std::uint64_t updates = 0;
    const std::uint64_t stamp = ++updates;
    scratch_.clear();
    // The latest move is the frontmost; an earlier move of the same child no longer counts.
    for (auto it = toFront_.rbegin(); it != toFront_.rend(); ++it) {
        Element* child = *it;
        if (child->stackingStamp_ != stamp) {
            child->stackingStamp_ = stamp;
            scratch_.push_back(child);
        }
    }
    for (Element* child : order_) {
        if (child->stackingStamp_ != stamp) {
            scratch_.push_back(child);
        }
    }
    order_.swap(scratch_);
    toFront_.clear();
}

}  // namespace koropika
