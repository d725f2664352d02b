// Moving the keyboard focus through a ring of elements.
#pragma once

#include <vector>

#include "ui/elements/element.h"

namespace koropika {

// The element of `ring` after `current` (before it when `forward` is false) that a person can
// reach now, shown and enabled, wrapping at the ends; from outside the ring, the first (or
// last) reachable one. nullptr when none is reachable.
Element* nextInRing(const std::vector<Element*>& ring, const Element* current, bool forward);

}  // namespace koropika
