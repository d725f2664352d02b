#include "support/harness.h"

#include <stdexcept>

namespace koropika::testing {

namespace {

Point centreOf(const Element& element) {
    const Rect r = element.windowRect();
    return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace

Harness::Harness()
    : desktop(folder_.path()),
      sound(loop),
      program_(loop, desktop, sound, random, [this] { return nextSeed++; }) {}

Window& Harness::windowOnScreen() {
    if (desktop.onScreen.size() != 1) {
        throw std::logic_error(std::to_string(desktop.onScreen.size()) + " windows on screen");
    }
    return *desktop.onScreen.front();
}

Element& Harness::onScreen(const std::string& name, int index) {
    return windowOnScreen().at(name, index);
}

void Harness::settle() {
    // Everything the action set off at this moment; an operation that holds the thread (a
    // sound) ends the settling, as the clock has moved past the action.
    loop.advanceBy(0);
}

void Harness::click(const std::string& name, int index) {
    windowOnScreen().click(onScreen(name, index));
    settle();
}

void Harness::pressAndRelease(const std::string& name, MouseButton button) {
    Window& window = windowOnScreen();
    const Point at = centreOf(window.at(name));
    window.pointerPressed(at, button);
    window.pointerReleased(at, button);
    settle();
}

void Harness::moveOver(const std::string& name) {
    Window& window = windowOnScreen();
    window.pointerMoved(centreOf(window.at(name)));
    settle();
}

void Harness::type(const std::string& comboName, const std::string& text) {
    Window& window = windowOnScreen();
    window.typeText(window.at(comboName), text);
    settle();
}

void Harness::pick(const std::string& comboName, int index) {
    Window& window = windowOnScreen();
    window.pickItem(window.at(comboName), index);
    settle();
}

void Harness::chooseMenu(const std::string& name) {
    windowOnScreen().menu(name).choose();
    settle();
}

}  // namespace koropika::testing
