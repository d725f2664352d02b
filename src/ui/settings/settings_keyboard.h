// The settings window's keys.
#pragma once

#include "ui/elements/keys.h"

namespace koropika {

class Window;
struct SettingsWindowElements;

// The settings window by keyboard. Tab and Shift+Tab go through the name box, the level list,
// the three card counts and the version link in the order they stand, and the web page link
// while the version area is open; Enter or Space on a link or a card count acts as a click on
// it, through the window's click path. Keys in the two boxes stay with the boxes.
bool settingsWindowKey(Window& window, SettingsWindowElements& ui, Key key);

}  // namespace koropika
