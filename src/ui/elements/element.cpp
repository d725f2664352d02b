#include "ui/elements/element.h"

#include <algorithm>
#include <utility>

#include "ui/elements/desktop.h"
#include "ui/elements/window.h"

namespace koropika {

Element::Element(Window& window, WindowObserver* const& observer, const std::string& name,
                 int index, ElementKind kind, Element* container,
                 const ElementProperties& properties)
    : window_(window),
      observer_(&observer),
      name_(&name),
      index_(index),
      kind_(kind),
      container_(container),
      madeFrom_(&properties),
      props_(properties) {}

void Element::reset(Element* container, const ElementProperties& properties) {
    nameWriter_ = nullptr;
    handlersOf_ = nullptr;
    container_ = container;
    alive_ = true;
    children_.clear();
    // Assigning keeps the storage of the strings and lists, so a reload allocates little. Made
    // again from the same properties, a text that did not change since is still theirs.
    if (madeFrom_ != &properties) {
        props_ = properties;
        staleTexts_ = 0;
    } else if (changedFields_ != 0) {  // untouched, it still has every property it was made with
        const ElementProperties& from = properties;
        ElementProperties& to = props_;
        const std::uint8_t changed = changedFields_;
        const auto copyIfChanged = [&](std::uint8_t bit, auto ElementProperties::*field) {
            if ((changed & bit) != 0) {
                to.*field = from.*field;
            }
        };
        copyIfChanged(kCaptionChanged, &ElementProperties::caption);
        copyIfChanged(kFontChanged, &ElementProperties::font);
        staleTexts_ |= changed & (kAccessibleNameChanged | kPictureChanged | kTagChanged);
        copyIfChanged(kItemsChanged, &ElementProperties::items);
        copyIfChanged(kItemsChanged, &ElementProperties::selectedIndex);
        // Every other property is copied always, in the order they lie, as one block.
        to.rect = from.rect;
        to.textColour = from.textColour;
        to.backColour = from.backColour;
        to.borderColour = from.borderColour;
        to.tabIndex = from.tabIndex;
        to.visible = from.visible;
        to.enabled = from.enabled;
        to.stretch = from.stretch;
        to.transparent = from.transparent;
        to.autoSize = from.autoSize;
        to.innerUnitTwips = from.innerUnitTwips;
        to.alignment = from.alignment;
        to.pointer = from.pointer;
        to.customPointer = from.customPointer;
        to.border = from.border;
    }
    madeFrom_ = &properties;
    changedFields_ = 0;
    if (onClick) {
        onClick = nullptr;
    }
    if (onMouseDown) {
        onMouseDown = nullptr;
    }
    if (onMouseUp) {
        onMouseUp = nullptr;
    }
    if (onMouseMove) {
        onMouseMove = nullptr;
    }
}

void Element::notifyChanged() {
    (*observer_)->elementChanged(*this);
}

void Element::setWidth(int width) {
    width = std::max(0, width);
    if (props_.rect.width != width) {
        props_.rect.width = width;
        changed();
    }
}

void Element::setHeight(int height) {
    height = std::max(0, height);
    if (props_.rect.height != height) {
        props_.rect.height = height;
        changed();
    }
}

void Element::move(const Rect& rect) {
    if (props_.rect != rect) {
        props_.rect = rect;
        props_.rect.width = std::max(0, rect.width);
        props_.rect.height = std::max(0, rect.height);
        changed();
    }
}

void Element::setEnabled(bool enabled) {
    if (props_.enabled != enabled) {
        props_.enabled = enabled;
        changed();
    }
}

void Element::setCaption(const std::string& caption) {
    if (props_.caption != caption) {
        props_.caption = caption;
        changedFields_ |= kCaptionChanged;
        fitToText();
        changed();
    }
}

void Element::setAccessibleName(const std::string& name) {
    nameWriter_ = nullptr;
    if (currentText(kAccessibleNameChanged, &ElementProperties::accessibleName) != name) {
        props_.accessibleName = name;
        staleTexts_ &= ~kAccessibleNameChanged;
        changedFields_ |= kAccessibleNameChanged;
        changed();
    }
}

void Element::setAccessibleName(NameWriter writer, std::uint64_t value) {
    nameWriter_ = writer;
    nameValue_ = value;
    staleTexts_ &= ~kAccessibleNameChanged;  // the writer writes the whole name
    changedFields_ |= kAccessibleNameChanged;
    changed();
}

void Element::updateTexts(bool writeName) const {
    // Only texts are written, into storage the element owns; to a reader the element has had
    // them since they were set (or since its load).
    auto& props = const_cast<ElementProperties&>(props_);
    if (staleTexts_ != 0) {
        if ((staleTexts_ & kAccessibleNameChanged) != 0) {
            props.accessibleName = madeFrom_->accessibleName;
        }
        if ((staleTexts_ & kPictureChanged) != 0) {
            props.picture = madeFrom_->picture;
        }
        if ((staleTexts_ & kTagChanged) != 0) {
            props.tag = madeFrom_->tag;
        }
        staleTexts_ = 0;
    }
    if (const NameWriter writer = nameWriter_; writer != nullptr && writeName) {
        nameWriter_ = nullptr;
        writer(nameValue_, props.accessibleName);
    }
}

void Element::setPicture(const std::string& pictureKey) {
    if (currentText(kPictureChanged, &ElementProperties::picture) != pictureKey) {
        props_.picture = pictureKey;
        staleTexts_ &= ~kPictureChanged;
        changedFields_ |= kPictureChanged;
        changed();
    }
}

void Element::setTextColour(const Colour& colour) {
    if (props_.textColour != colour) {
        props_.textColour = colour;
        changed();
    }
}

void Element::setBackColour(const Colour& colour) {
    if (props_.backColour != colour) {
        props_.backColour = colour;
        changed();
    }
}

void Element::setFont(const Font& font) {
    if (props_.font != font) {
        props_.font = font;
        changedFields_ |= kFontChanged;
        fitToText();
        changed();
    }
}

void Element::setFontSize(double points) {
    Font font = props_.font;
    font.points = points;
    setFont(font);
}

void Element::setCustomPointerShown(bool shown) {
    const Pointer pointer = shown ? props_.customPointer : Pointer::Normal;
    if (props_.pointer != pointer) {
        props_.pointer = pointer;
        changed();
    }
}

void Element::setBorder(Border border) {
    if (props_.border != border) {
        props_.border = border;
        changed();
    }
}

void Element::clearItems() {
    if (!props_.items.empty() || props_.selectedIndex != -1) {
        props_.items.clear();
        props_.selectedIndex = -1;
        changedFields_ |= kItemsChanged | kCaptionChanged;
        if (kind_ == ElementKind::DropDownList) {
            props_.caption.clear();
        }
        changed();
    }
}

void Element::addItem(const std::string& item) {
    props_.items.push_back(item);
    changedFields_ |= kItemsChanged;
    changed();
}

void Element::setSelectedIndex(int index) {
    if (index < -1 || index >= static_cast<int>(props_.items.size())) {
        index = -1;
    }
    props_.selectedIndex = index;
    changedFields_ |= kItemsChanged | kCaptionChanged;
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
        changedFields_ |= kCaptionChanged | kItemsChanged;
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

void Element::fitToText() {
    if (!props_.autoSize || kind_ != ElementKind::Label) {
        return;
    }
    const Size size = window_.desktop().measureText(props_.font, props_.caption);
    if (props_.rect.width != size.width || props_.rect.height != size.height) {
        props_.rect.width = size.width;
        props_.rect.height = size.height;
        changedFields_ |= kOtherChanged;
    }
}

}  // namespace koropika
