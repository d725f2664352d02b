#include "ui/elements/element_array.h"

#include <stdexcept>

#include "ui/elements/window.h"

namespace koropika {

ElementArray::ElementArray(Element& member) : ElementArray(member.window(), member.name()) {}

ElementArray::ElementArray(Window& window, const std::string& name)
    : window_(&window), name_(name), members_(&window.members(name)) {}

void ElementArray::missing(int index) const {
    throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
}

Element& ElementArray::create(int index) {
    return window_->createMember(name_, index);
}

}  // namespace koropika
