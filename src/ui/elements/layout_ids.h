#pragma once

#include <span>
#include <stdexcept>
#include <string>

#include "ui/elements/layout.h"

namespace koropika {

// A fixed id as a window's code names it, with the row it must stand for.
struct ElementRow {
    ElementId id;
    const char* name;
    int index;  // -1 outside arrays; an array is named by its first listed member
};

// A timer, menu item or image list named by its place in the layout's table.
struct NamedPlace {
    int place;
    const char* name;
};

namespace detail {

template <typename Spec>
void checkPlaces(const std::string& window, const char* what, const std::vector<Spec>& specs,
                 std::span<const NamedPlace> places) {
    for (const NamedPlace& p : places) {
        if (p.place < 0 || static_cast<std::size_t>(p.place) >= specs.size() ||
            specs[static_cast<std::size_t>(p.place)].name != p.name) {
            throw std::logic_error(window + ": the " + what + " id of " + p.name +
                                   " does not match the layout");
        }
    }
}

}  // namespace detail

// Fails when a fixed id does not name the row the code expects: the ids are written next to
// the layout, and this keeps them true when rows are added or moved.
inline void checkLayoutIds(const WindowLayout& layout, std::span<const ElementRow> rows,
                           std::span<const NamedPlace> timers, std::span<const NamedPlace> menus,
                           std::span<const NamedPlace> imageLists) {
    for (const ElementRow& row : rows) {
        const auto place = static_cast<std::size_t>(row.id);
        if (row.id < 0 || place >= layout.elements.size() ||
            layout.elements[place].name != row.name || layout.elements[place].index != row.index) {
            throw std::logic_error(layout.name + ": the element id of " + row.name +
                                   " does not match the layout");
        }
    }
    detail::checkPlaces(layout.name, "timer", layout.timers, timers);
    detail::checkPlaces(layout.name, "menu", layout.menus, menus);
    detail::checkPlaces(layout.name, "image list", layout.imageLists, imageLists);
}

}  // namespace koropika
