#include "ui/elements/element.h"

#include <algorithm>
#include <utility>

#include "ui/elements/desktop.h"
#include "ui/elements/window.h"

namespace koropika {

Element::Element(Window& window, std::string name, int index, ElementKind kind, Element* container,
                 const ElementProperties& properties, const Element* handlersOf)
    : window_(window),
      name_(std::move(name)),
      index_(index),
      kind_(kind),
      container_(container),
      handlersOf_(handlersOf),
      props_(properties) {
    if (!window_.beyondClient(windowRect())) {
        resizeToText();
    }
}

const std::vector<Element*>& Element::children() const {
    return window_.childrenOf(this);
}

void Element::changed() {
    if (alive_ && window_.observer() != nullptr) {
        window_.observer()->elementChanged(*this);
    }
}

void Element::move(const Rect& rect) {
    set(props_.rect, Rect{rect.left, rect.top, std::max(0, rect.width), std::max(0, rect.height)});
}

void Element::setCaption(const std::string& caption) {
    if (props_.caption != caption) {
        props_.caption = caption;
        resizeToText();
        changed();
    }
}

void Element::setFont(const Font& font) {
    if (props_.font != font) {
        props_.font = font;
        resizeToText();
        changed();
    }
}

void Element::setFontSize(double points) {
    Font font = props_.font;
    font.points = points;
    setFont(font);
}

void Element::clearItems() {
    if (!props_.items.empty() || props_.selectedIndex != -1) {
        props_.items.clear();
        props_.selectedIndex = -1;
        if (kind_ == ElementKind::DropDownList) {
            props_.caption.clear();
        }
        changed();
    }
}

void Element::addItem(const std::string& item) {
    props_.items.push_back(item);
    changed();
}

void Element::setSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(props_.items.size())) {
        index = -1;
    }
    props_.selectedIndex = index;
    if (index >= 0) {
        props_.caption = props_.items[static_cast<std::size_t>(index)];
    } else if (kind_ == ElementKind::DropDownList) {
        props_.caption.clear();
    }
    changed();
}

void Element::setText(const std::string& text) {
    if (kind_ == ElementKind::DropDownList) {
        // The box can only show one of its entries.
        const auto it = std::find(props_.items.begin(), props_.items.end(), text);
        setSelectedIndex(it == props_.items.end()
                             ? -1
                             : static_cast<int>(std::distance(props_.items.begin(), it)));
        return;
    }
    if (props_.caption != text) {
        props_.caption = text;
        // Typed text that differs from the picked entry leaves no entry selected.
        if (props_.selectedIndex >= 0 &&
            props_.items[static_cast<std::size_t>(props_.selectedIndex)] != text) {
            props_.selectedIndex = -1;
        }
        changed();
    }
}

void Element::bringToFront() {
    window_.bringToFront(*this);
}

bool Element::shown() const {
    for (const Element* e = this; e != nullptr; e = e->container_) {
        if (!e->props_.visible) {
            return false;
        }
    }
    return alive_;
}

Rect Element::windowRect() const {
    Rect r = props_.rect;
    for (const Element* c = container_; c != nullptr; c = c->container_) {
        r.left += c->props_.rect.left;
        r.top += c->props_.rect.top;
    }
    return r;
}

bool Element::resizeToText() {
    if (!props_.autoSize || kind_ != ElementKind::Label) {
        return false;
    }
    const Size size = window_.desktop().measureText(props_.font, props_.caption);
    if (props_.rect.width == size.width && props_.rect.height == size.height) {
        return false;
    }
    props_.rect.width = size.width;
    props_.rect.height = size.height;
    return true;
}

}  // namespace koropika
