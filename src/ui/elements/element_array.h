#pragma once

#include <string>
#include <vector>

#include "ui/elements/element.h"
#include "ui/elements/layout.h"

namespace koropika {

class Window;

// The members of one element array of a loaded window, by index. Member 0, where the layout has
// one, is the template; further members are created at run time as hidden copies of it. Bound once
// per load, so a handler reaches a member without looking its name up.
class ElementArray {
  public:
    // Binds the array of layout row `array` (any of its listed members), in constant time.
    ElementArray(Window& window, ElementId array);
    // Binds the array by name; a name the layout lacks fails here, at load.
    ElementArray(Window& window, const std::string& name);

    const std::string& name() const;
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
    ElementId array_;
    const std::vector<Element*>* members_;  // the load's, by index; null where there is no member
};

}  // namespace koropika
