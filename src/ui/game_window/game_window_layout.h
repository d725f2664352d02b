// The game window トランプ: its window-level look (the rows are added by GameWindowElements).
#pragma once

#include <string>

#include "ui/elements/layout.h"

namespace koropika {

// The game window as it stands before any code runs: caption, icon, background and designed
// client area. Its rows (the table area on the left, the side strip with the two players'
// panels on the right, the dice panel, the hidden result panel and the hidden card back
// chooser; its timers, menus and image lists) are added at each load by the set-up of
// GameWindowElements, in game_window_layout.cpp.
const WindowLayout& gameWindowLayout();

class Desktop;

// The result panel's offer of the next level, "レベル 4 に挑戦する", in the windows' language.
std::string levelOffer(const Desktop& desktop, int level);

}  // namespace koropika
