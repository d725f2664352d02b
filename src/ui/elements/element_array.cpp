#include "ui/elements/element_array.h"

#include <stdexcept>

#include "ui/elements/window.h"

namespace koropika {

namespace {

ElementId firstRowNamed(const Window& window, const std::string& name) {
    const auto& rows = window.layout().elements;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].name == name && rows[row].index >= 0) {
            return static_cast<ElementId>(row);
        }
    }
    throw std::logic_error(window.name() + " has no element array " + name);
}

}  // namespace

ElementArray::ElementArray(Window& window, ElementId array)
    : window_(&window), array_(array), members_(&window.members(array)) {}

ElementArray::ElementArray(Window& window, const std::string& name)
    : ElementArray(window, firstRowNamed(window, name)) {}

const std::string& ElementArray::name() const {
    return window_->layout().elements[static_cast<std::size_t>(array_)].name;
}

void ElementArray::missing(int index) const {
    throw std::out_of_range(name() + "(" + std::to_string(index) + ") does not exist");
}

Element& ElementArray::create(int index) {
    return window_->createMember(array_, index);
}

}  // namespace koropika
