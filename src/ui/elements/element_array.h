#pragma once

#include <string>
#include <vector>

#include "ui/elements/element.h"

namespace koropika {

class Window;

// The members of one element array of a loaded window, by index. Member 0, where the layout has
// one, is the template; further members are created at run time as hidden copies of it. Bound once
// per load, so a handler reaches a member without looking its name up.
class ElementArray {
  public:
    // Binds every member the load created; a name the layout lacks fails here, at load.
    ElementArray(Window& window, std::string name);

    const std::string& name() const { return name_; }
    // The member `index`; asking for one that does not exist is a programming error.
    Element& operator[](int index) const;
    bool has(int index) const;
    // Creates member `index` as a hidden copy of member 0, in front of its siblings.
    Element& create(int index);
    // One past the highest index bound.
    int end() const { return static_cast<int>(members_.size()); }

  private:
    Window* window_;
    std::string name_;
    std::vector<Element*> members_;  // by index; null where there is no member
};

}  // namespace koropika
