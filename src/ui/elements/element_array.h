// ElementArray: the members of one element array of a loaded window, by index.
#pragma once

#include <string>
#include <vector>

#include "ui/elements/element.h"

namespace koropika {

class Window;

// Member 0, where the layout has one, is the template; further members are created at run time
// as hidden copies of it. A handler reaches a member by index, without looking its name up.
class ElementArray {
  public:
    // The array `member` belongs to, as its row gave it back.
    explicit ElementArray(Element& member);
    // The array by name; a name the load lacks fails here.
    ElementArray(Window& window, const std::string& name);

    const std::string& name() const { return name_; }
    // The member `index`; asking for one that does not exist is a programming error.
    Element& operator[](int index) const {
        if (!has(index)) {
            missing(index);
        }
        return *(*members_)[static_cast<std::size_t>(index)];
    }
    bool has(int index) const {
        return index >= 0 && index < end() &&
               (*members_)[static_cast<std::size_t>(index)] != nullptr;
    }
    // Creates member `index` as a hidden copy of member 0, in front of its siblings.
    Element& create(int index);
    // One past the highest index that has had a place in this load.
    int end() const { return static_cast<int>(members_->size()); }

  private:
    [[noreturn]] void missing(int index) const;

    Window* window_;
    std::string name_;
    const std::vector<Element*>* members_;  // the load's, by index; null where there is no member
};

}  // namespace koropika
