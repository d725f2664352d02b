// A window's input: the pointer, keys and the keyboard focus, routed to the elements'
// handlers with their guards.
#include <utility>

#include "ui/elements/window.h"

namespace koropika {

namespace {

template <typename Handler, typename... Args>
void callCopy(const Handler& handler, Args&&... args) {
    if (handler) {
        // A copy keeps the callable alive even if the handler unloads its own element.
        Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}

Point localTo(const Element& element, Point windowPoint) {
    const Rect r = element.windowRect();
    return {windowPoint.x - r.left, windowPoint.y - r.top};
}

}  // namespace

Element* Window::hitTest(const std::vector<Element*>& children, Point local) const {
    // Panels and native controls lie in front of the plain elements of their container: the
    // frontmost of those under the point wins, else the frontmost plain element. One pass
    // finds both.
    Element* plain = nullptr;
    for (Element* child : children) {
        if (!child->visible() || !child->rect().contains(local)) {
            continue;
        }
        if (!isHeavyweight(child->kind())) {
            if (plain == nullptr) {
                plain = child;
            }
            continue;
        }
        if (isContainer(child->kind())) {
            const Point inner{local.x - child->left(), local.y - child->top()};
            if (Element* hit = hitTest(child->children(), inner)) {
                return hit;
            }
        }
        return child;
    }
    return plain;  // plain elements hold no children
}

Element* Window::elementAt(Point windowPoint) const {
    return loaded_ ? hitTest(topLevel(), windowPoint) : nullptr;
}

void Window::pointerPressed(Point windowPoint, MouseButton button) {
    showFocusFrame(false);
    if (pressed_ != nullptr) {
        if (button != pressedButton_) {
            return;  // the first button held keeps the capture
        }
        // The same button cannot go down twice: its release was lost (a grab taken away by the
        // desktop), so the old capture must not keep the window deaf to the mouse.
        pressed_ = nullptr;
    }
    Element* target = elementAt(windowPoint);
    const bool ground = target == nullptr || !target->handlesMouse();
    if (target != nullptr) {
        pressElement(*target, button, localTo(*target, windowPoint));
    }
    if (ground && button == MouseButton::Left && loaded_ && onGroundClick) {
        const auto handler = onGroundClick;  // the handler may unload the window
        handler();
    }
}

void Window::pointerReleased(Point windowPoint, MouseButton button) {
    if (pressed_ == nullptr || button != pressedButton_) {
        return;
    }
    Element& target = *pressed_;
    pressed_ = nullptr;
    deliverRelease(target, button, localTo(target, windowPoint), elementAt(windowPoint) == &target);
}

void Window::pointerMoved(Point windowPoint) {
    Element* target = pressed_ != nullptr ? pressed_ : elementAt(windowPoint);
    if (target != nullptr) {
        deliverMove(*target, localTo(*target, windowPoint));
    }
}

void Window::pressElement(Element& element, MouseButton button, Point local) {
    if (!element.shown()) {
        return;  // nobody can press what is not on screen
    }
    pressed_ = &element;
    pressedButton_ = button;
    deliverPress(element, button, local);
}

void Window::releaseOn(Element& element, MouseButton button, Point local) {
    if (pressed_ == &element && pressedButton_ == button) {
        pressed_ = nullptr;
        deliverRelease(element, button, local, true);
    }
}

void Window::click(Element& element) {
    pressElement(element, MouseButton::Left);
    releaseOn(element, MouseButton::Left);
}

void Window::pickItem(Element& combo, int index) {
    // Only an entry of the list can be picked: an index outside it changes nothing.
    if (!combo.shown() || index < 0 || index >= static_cast<int>(combo.items().size())) {
        return;
    }
    combo.setSelectedIndex(index);
    if (combo.enabled()) {
        callCopy(combo.clickHandler(), combo.index());
    }
}

void Window::typeText(Element& combo, const std::string& text) {
    if (combo.kind() == ElementKind::ComboBox) {
        combo.setText(text);
    }
}

void Window::deliverPress(Element& target, MouseButton button, Point local) {
    if (target.enabled()) {
        callCopy(target.mouseDownHandler(), target.index(), MouseEvent{button, local});
    }
}

void Window::deliverRelease(Element& target, MouseButton button, Point local, bool stillOver) {
    if (!target.enabled()) {
        return;
    }
    callCopy(target.mouseUpHandler(), target.index(), MouseEvent{button, local});
    // The release handler may have unloaded the window; then the click is gone with it.
    if (button == MouseButton::Left && stillOver && target.alive()) {
        callCopy(target.clickHandler(), target.index());
    }
}

void Window::deliverMove(Element& target, Point local) {
    if (target.enabled() && (target.shown() || &target == pressed_)) {
        callCopy(target.mouseMoveHandler(), target.index(), MouseEvent{MouseButton::Left, local});
    }
}

void Window::setFocusedElement(Element* element) {
    if (element != focused_ && (element == nullptr || &element->window() == this)) {
        focused_ = element;
        if (observer_ != nullptr) {
            observer_->focusChanged(*this);
        }
    }
}

void Window::showFocusFrame(bool shown) {
    if (focusFrameShown_ != shown) {
        focusFrameShown_ = shown;
        if (observer_ != nullptr && focused_ != nullptr) {
            observer_->focusChanged(*this);
        }
    }
}

bool Window::keyPressed(Key key) {
    if (!loaded_) {
        return false;
    }
    showFocusFrame(true);
    if (!onKey) {
        return false;
    }
    const auto handler = onKey;  // the key step may unload the window
    return handler(key);
}

void Window::pressByKey(Element& element) {
    if (!element.shown()) {
        return;
    }
    pressElement(element, MouseButton::Left);
    Element* target = &element;
    after(kKeyPressShowMs, [this, target] { releaseOn(*target, MouseButton::Left); });
}

void Window::announce(const std::string& text) {
    if (observer_ != nullptr && !text.empty()) {
        observer_->announced(*this, text);
    }
}

}  // namespace koropika
