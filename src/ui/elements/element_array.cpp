#include "ui/elements/element_array.h"

#include <stdexcept>
#include <utility>

#include "ui/elements/window.h"

namespace koropika {

ElementArray::ElementArray(Window& window, std::string name)
    : window_(&window), name_(std::move(name)) {
    for (Element* element : window.elements()) {
        if (element->name() != name_ || element->index() < 0) {
            continue;
        }
        const auto index = static_cast<std::size_t>(element->index());
        if (members_.size() <= index) {
            members_.resize(index + 1, nullptr);
        }
        members_[index] = element;
    }
    if (members_.empty()) {
        throw std::logic_error(window.name() + " has no element array " + name_);
    }
}

bool ElementArray::has(int index) const {
    return index >= 0 && index < end() && members_[static_cast<std::size_t>(index)] != nullptr;
}

Element& ElementArray::operator[](int index) const {
    if (!has(index)) {
        throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
    }
    return *members_[static_cast<std::size_t>(index)];
}

Element& ElementArray::create(int index) {
    Element& member = window_->createMember(name_, index);
    const auto slot = static_cast<std::size_t>(index);
    if (members_.size() <= slot) {
        members_.resize(slot + 1, nullptr);
    }
    members_[slot] = &member;
    return member;
}

}  // namespace koropika
