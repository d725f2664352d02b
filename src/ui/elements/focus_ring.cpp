#include "ui/elements/focus_ring.h"

#include <algorithm>

namespace koropika {

Element* nextInRing(const std::vector<Element*>& ring, const Element* current, bool forward) {
    const int count = static_cast<int>(ring.size());
    if (count == 0) {
        return nullptr;
    }
    const auto at = std::find(ring.begin(), ring.end(), current);
    const int start =
        at == ring.end() ? (forward ? -1 : count) : static_cast<int>(at - ring.begin());
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (forward ? step : -step)) % count + count) % count;
        Element* candidate = ring[static_cast<std::size_t>(i)];
        if (candidate->shown() && candidate->enabled()) {
            return candidate;
        }
    }
    return nullptr;
}

}  // namespace koropika
