#include "ui/settings/settings_keyboard.h"

#include <vector>

#include "ui/elements/focus_ring.h"
#include "ui/settings/settings_window.h"

namespace koropika {

bool settingsWindowKey(Window& window, SettingsWindowElements& ui, Key key) {
    Element* focused = window.focusedElement();
    if (key == Key::Tab || key == Key::BackTab) {
        std::vector<Element*> ring = {&ui.Combo1, &ui.Combo2,  &ui.Label2, &ui.Label8,
                                      &ui.Label9, &ui.Label10, &ui.Label7};
        // While a second player plays, their name replaces the computer's level in the ring.
        if (ui.Combo3.visible()) {
            ring[1] = &ui.Label2;
            ring[2] = &ui.Combo3;
        }
        // The web page link lies below the choices, seen only while the window is grown.
        if (window.heightTwips() == kExpandedHeightTwips) {
            ring.push_back(&ui.Label4);
        }
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
