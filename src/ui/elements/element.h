// Element: one element of a window (label, picture, panel, group box, button, combo box or
// shape), its properties and its mouse handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/elements/layout.h"
#include "ui/elements/values.h"

namespace koropika {

class Window;

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    Point position;  // pixels, relative to the element's top-left corner
};

// One element of a window. Every change goes through a setter so the front end hears of it.
// Elements belong to one load of their window: made by it, and gone once it is over.
class Element {
  public:
    // Handlers get the element's index (-1 outside arrays), so an array shares one handler.
    using ClickHandler = std::function<void(int index)>;
    using MouseHandler = std::function<void(int index, const MouseEvent&)>;

    // A member of an element array runs the handlers of `handlersOf` (its template) where it
    // has none of its own. A label sized to its text is measured at once, unless it lies
    // beyond its window's client area (it is measured once the window reaches it).
    Element(Window& window, std::string name, int index, ElementKind kind, Element* container,
            const ElementProperties& properties, const Element* handlersOf = nullptr);
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    Window& window() const { return window_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }
    ElementKind kind() const { return kind_; }
    Element* container() const { return container_; }
    // Children front to back (containers only).
    const std::vector<Element*>& children() const;
    const ElementProperties& properties() const { return props_; }

    const Rect& rect() const { return props_.rect; }
    int left() const { return props_.rect.left; }
    int top() const { return props_.rect.top; }
    int width() const { return props_.rect.width; }
    int height() const { return props_.rect.height; }
    void setLeft(int left) { move({left, top(), width(), height()}); }
    void setTop(int top) { move({left(), top, width(), height()}); }
    void setWidth(int width) { move({left(), top(), width, height()}); }
    void setHeight(int height) { move({left(), top(), width(), height}); }
    // Sizes below zero count as zero.
    void move(const Rect& rect);

    bool visible() const { return props_.visible; }
    // Visible, in a visible container, on a loaded window: only then can a person reach it.
    bool shown() const;
    void setVisible(bool visible) { set(props_.visible, visible); }
    bool enabled() const { return props_.enabled; }
    void setEnabled(bool enabled) { set(props_.enabled, enabled); }

    const std::string& caption() const { return props_.caption; }
    void setCaption(const std::string& caption);

    // What a screen reader calls the element: the name given to it, or else its caption.
    const std::string& accessibleName() const {
        return props_.accessibleName.empty() ? props_.caption : props_.accessibleName;
    }
    // "" goes back to the caption.
    void setAccessibleName(const std::string& name) { set(props_.accessibleName, name); }

    const std::string& picture() const { return props_.picture; }
    void setPicture(const std::string& pictureKey) { set(props_.picture, pictureKey); }
    void copyPicture(const Element& from) { setPicture(from.picture()); }
    bool stretch() const { return props_.stretch; }
    void setStretch(bool stretch) { set(props_.stretch, stretch); }

    const Colour& textColour() const { return props_.textColour; }
    void setTextColour(const Colour& colour) { set(props_.textColour, colour); }
    const Colour& backColour() const { return props_.backColour; }
    void setBackColour(const Colour& colour) { set(props_.backColour, colour); }
    const Colour& borderColour() const { return props_.borderColour; }
    bool transparent() const { return props_.transparent; }

    const Font& font() const { return props_.font; }
    void setFont(const Font& font);
    void setFontSize(double points);
    Alignment alignment() const { return props_.alignment; }
    bool autoSize() const { return props_.autoSize; }
    // A label sized to its text takes the size its text needs in its font.
    void fitToText() {
        if (resizeToText()) {
            changed();
        }
    }

    Pointer pointer() const { return props_.pointer; }
    Pointer customPointer() const { return props_.customPointer; }
    // Shows the element's stored hand, or the normal arrow.
    void setCustomPointerShown(bool shown) {
        set(props_.pointer, shown ? props_.customPointer : Pointer::Normal);
    }

    Border border() const { return props_.border; }
    void setBorder(Border border) { set(props_.border, border); }
    bool innerUnitTwips() const { return props_.innerUnitTwips; }
    int tabIndex() const { return props_.tabIndex; }

    // Free text the game logic keeps on the element; nothing is drawn from it.
    const std::string& tag() const { return props_.tag; }
    void setTag(const std::string& tag) { props_.tag = tag; }

    // Combo boxes: the list and the text in the box.
    const std::vector<std::string>& items() const { return props_.items; }
    void clearItems();
    void addItem(const std::string& item);
    int selectedIndex() const { return props_.selectedIndex; }
    // Selects entry `index` (or none with -1); the box shows its text.
    void setSelectedIndex(int index);
    const std::string& text() const { return props_.caption; }
    void setText(const std::string& text);

    // Front-to-back position among its container's children (the window keeps the order).
    void bringToFront();

    // The element's own handlers. A member of an element array that has none of its own runs
    // its template's, as the handlers below tell.
    ClickHandler onClick;
    MouseHandler onMouseDown;
    MouseHandler onMouseUp;
    MouseHandler onMouseMove;
    // The handlers that run: the element's own, else its template's.
    const ClickHandler& clickHandler() const {
        return onClick || handlersOf_ == nullptr ? onClick : handlersOf_->onClick;
    }
    const MouseHandler& mouseDownHandler() const {
        return onMouseDown || handlersOf_ == nullptr ? onMouseDown : handlersOf_->onMouseDown;
    }
    const MouseHandler& mouseUpHandler() const {
        return onMouseUp || handlersOf_ == nullptr ? onMouseUp : handlersOf_->onMouseUp;
    }
    const MouseHandler& mouseMoveHandler() const {
        return onMouseMove || handlersOf_ == nullptr ? onMouseMove : handlersOf_->onMouseMove;
    }
    bool handlesMouse() const {
        return clickHandler() || mouseDownHandler() || mouseUpHandler() || mouseMoveHandler();
    }

    // False once the load that made it is over; from then on nobody hears of its changes.
    bool alive() const { return alive_; }
    void retire() { alive_ = false; }
    // The element's rectangle in window client pixels.
    Rect windowRect() const;

  private:
    // Sets a property and tells the window's observer, when it changed.
    template <typename T>
    void set(T& property, const T& value) {
        if (property != value) {
            property = value;
            changed();
        }
    }
    void changed();
    // Sizes a label sized to its text; says whether its size changed.
    bool resizeToText();

    Window& window_;
    std::string name_;
    int index_;
    ElementKind kind_;
    Element* container_;
    const Element* handlersOf_;
    bool alive_ = true;
    ElementProperties props_;
};

}  // namespace koropika
