#include "ui/settings/settings_keyboard.h"

#include <vector>

#include "ui/elements/focus_ring.h"
#include "ui/settings/settings_window.h"

namespace koropika {

bool settingsWindowKey(Window& window, SettingsWindowElements& ui, Key key) {
    Element* focused = window.focusedElement();
    if (key == Key::Tab || key == Key::BackTab) {
        // While a second player plays, their name takes the place of the computer's level.
        Element* opponent = ui.Combo3.visible() ? &ui.Combo3 : &ui.Combo2;
        std::vector<Element*> ring = {&ui.Combo1, opponent,    &ui.Label8,
                                      &ui.Label9, &ui.Label10, &ui.Label7};
        // The web page link lies below the choices, seen only while the window is grown.
        if (window.heightTwips() == kExpandedHeightTwips) {
            ring.push_back(&ui.Label4);
        }
        // The choice of a second player comes last, so that it is a step back from the name.
        ring.push_back(&ui.Label2);
        if (Element* next = nextInRing(ring, focused, key == Key::Tab)) {
            window.setFocusedElement(next);
        }
        return true;
    }
    if (focused == nullptr || (key != Key::Enter && key != Key::Space)) {
        return false;
    }
    for (Element* clickable :
         {&ui.Label8, &ui.Label9, &ui.Label10, &ui.Label7, &ui.Label4, &ui.Label2}) {
        if (focused == clickable) {
            window.click(*focused);  // may unload the window: nothing may follow
            return true;
        }
    }
    return false;
}

}  // namespace koropika
