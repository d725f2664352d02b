#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/elements/layout.h"
#include "ui/elements/stacking_order.h"
#include "ui/elements/values.h"

namespace koropika {

class Window;
class WindowObserver;

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    Point position;  // pixels, relative to the element's top-left corner
};

// One element of a window: a label, picture, panel, group box, button, combo box or shape.
// Every change goes through a setter so the front end hears of it. Elements belong to their
// window and live from its load to its unload.
class Element {
  public:
    // Handlers get the element's index (-1 outside arrays), so an array shares one handler.
    using ClickHandler = std::function<void(int index)>;
    using MouseHandler = std::function<void(int index, const MouseEvent&)>;

    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    Window& window() const { return window_; }
    const std::string& name() const { return *name_; }
    int index() const { return index_; }
    ElementKind kind() const { return kind_; }
    Element* container() const { return container_; }
    // Children front to back (containers only).
    const std::vector<Element*>& children() const { return children_.frontToBack(); }
    const ElementProperties& properties() const {
        bringTextsUpToDate();
        return props_;
    }

    const Rect& rect() const { return props_.rect; }
    int left() const { return props_.rect.left; }
    int top() const { return props_.rect.top; }
    int width() const { return props_.rect.width; }
    int height() const { return props_.rect.height; }
    void setLeft(int left) {
        if (props_.rect.left != left) {
            props_.rect.left = left;
            changed();
        }
    }
    void setTop(int top) {
        if (props_.rect.top != top) {
            props_.rect.top = top;
            changed();
        }
    }
    void setWidth(int width);
    void setHeight(int height);
    void move(const Rect& rect);

    bool visible() const { return props_.visible; }
    // Visible, in a visible container, on a loaded window: only then can a person reach it.
    bool shown() const;
    void setVisible(bool visible) {
        if (props_.visible != visible) {
            props_.visible = visible;
            changed();
        }
    }
    bool enabled() const { return props_.enabled; }
    void setEnabled(bool enabled);

    const std::string& caption() const { return props_.caption; }
    void setCaption(const std::string& caption);

    // What a screen reader calls the element: the name given to it, or else its caption.
    const std::string& accessibleName() const {
        bringTextsUpToDate();
        return props_.accessibleName.empty() ? props_.caption : props_.accessibleName;
    }
    // "" goes back to the caption.
    void setAccessibleName(const std::string& name);
    // A name written only when something first reads it, by `writer` from `value`: for names
    // that change with every round and are rarely read (nobody reads them without a screen).
    // The element counts as changed at once, as if the name had been set.
    using NameWriter = void (*)(std::uint64_t value, std::string& name);
    void setAccessibleName(NameWriter writer, std::uint64_t value);

    const std::string& picture() const {
        restoreStaleTexts();
        return props_.picture;
    }
    void setPicture(const std::string& pictureKey);
    void copyPicture(const Element& from) { setPicture(from.picture()); }
    bool stretch() const { return props_.stretch; }
    void setStretch(bool stretch) {
        if (props_.stretch != stretch) {
            props_.stretch = stretch;
            changed();
        }
    }

    const Colour& textColour() const { return props_.textColour; }
    void setTextColour(const Colour& colour);
    const Colour& backColour() const { return props_.backColour; }
    void setBackColour(const Colour& colour);
    const Colour& borderColour() const { return props_.borderColour; }
    bool transparent() const { return props_.transparent; }

    const Font& font() const { return props_.font; }
    void setFont(const Font& font);
    void setFontSize(double points);
    Alignment alignment() const { return props_.alignment; }
    bool autoSize() const { return props_.autoSize; }

    Pointer pointer() const { return props_.pointer; }
    Pointer customPointer() const { return props_.customPointer; }
    // Shows the element's stored hand, or the normal arrow.
    void setCustomPointerShown(bool shown);

    Border border() const { return props_.border; }
    void setBorder(Border border);
    bool innerUnitTwips() const { return props_.innerUnitTwips; }
    int tabIndex() const { return props_.tabIndex; }

    // Free text the game logic keeps on the element.
    const std::string& tag() const {
        restoreStaleTexts();
        return props_.tag;
    }
    void setTag(const std::string& tag) {
        props_.tag = tag;
        staleTexts_ &= ~kTagChanged;
        changedFields_ |= kTagChanged;
    }

    // Combo boxes: the list and the text in the box.
    const std::vector<std::string>& items() const { return props_.items; }
    void clearItems();
    void addItem(const std::string& item);
    int selectedIndex() const { return props_.selectedIndex; }
    // Selects entry `index` (or none with -1); the box shows its text.
    void setSelectedIndex(int index);
    const std::string& text() const { return props_.caption; }
    void setText(const std::string& text);

    // Front-to-back position among its container's children (the window changes the order).
    void bringToFront();

    // The element's own handlers. A member of an element array that has none of its own runs
    // the array template's (member 0), as the handlers below tell.
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

    bool alive() const { return alive_; }
    bool handlesMouse() const {
        return clickHandler() || mouseDownHandler() || mouseUpHandler() || mouseMoveHandler();
    }
    // The element's rectangle in window client pixels.
    Rect windowRect() const;

  private:
    // Only the window creates elements, resets them for a new load and changes the tree.
    friend class Window;
    friend class StackingOrder;

    // `name` is the layout's, which outlives the window; `observer` is where the window keeps
    // its observer.
    Element(Window& window, WindowObserver* const& observer, const std::string& name, int index,
            ElementKind kind, Element* container, const ElementProperties& properties);
    // Starts the element afresh with `properties`, as a load creates it.
    void reset(Element* container, const ElementProperties& properties);
    // Untouched since its load made it: its properties are still those it was made from.
    bool pristine() const { return changedFields_ == 0; }
    // What it was last made from: a layout row's properties, which never change.
    const ElementProperties* madeFrom() const { return madeFrom_; }

    // Notes a change of a plain property and tells the window's observer, if any.
    void changed() {
        changedFields_ |= kOtherChanged;
        if (alive_ && *observer_ != nullptr) {
            notifyChanged();
        }
    }
    void notifyChanged();
    void fitToText();
    // Texts are brought up to date when read: a name still to be written, and texts a reload
    // left as the last load had them.
    void bringTextsUpToDate() const {
        if (staleTexts_ != 0 || nameWriter_ != nullptr) [[unlikely]] {
            updateTexts();
        }
    }
    void restoreStaleTexts() const {
        if (staleTexts_ != 0) [[unlikely]] {
            updateTexts(false);
        }
    }
    void updateTexts(bool writeName = true) const;
    // The text `bit` names as a reader would see it, without bringing it up to date.
    const std::string& currentText(std::uint8_t bit, std::string ElementProperties::*field) const {
        return (staleTexts_ & bit) != 0 ? madeFrom_->*field : props_.*field;
    }

    Window& window_;
    const Element* handlersOf_ = nullptr;  // the template whose handlers a member runs
    WindowObserver* const* observer_;      // the window's observer, or null while it has none
    const std::string* name_;
    int index_;
    ElementKind kind_;
    Element* container_;
    bool alive_ = true;  // false once its window has unloaded it
    // Which properties changed since the last reset, so that a reset for the next load copies
    // only those texts (the other properties are copied always).
    enum : std::uint8_t {
        kCaptionChanged = 1,
        kAccessibleNameChanged = 2,
        kPictureChanged = 4,
        kFontChanged = 8,
        kTagChanged = 16,
        kItemsChanged = 32,
        kOtherChanged = 64,
    };
    std::uint8_t changedFields_ = 0;
    // The accessible name, picture and tag (by the bits above) that a reload made from the same
    // properties left as the last load had them: each is copied from `madeFrom_` only when read,
    // since a new load mostly sets its own at once.
    mutable std::uint8_t staleTexts_ = 0;
    const ElementProperties* madeFrom_ = nullptr;
    StackingOrder children_;
    std::uint64_t stackingStamp_ = 0;  // the last update of its container's order that placed it
    ElementProperties props_;
    // A name still to be written into the properties, and what it is written from.
    mutable NameWriter nameWriter_ = nullptr;
    std::uint64_t nameValue_ = 0;
};

}  // namespace koropika
