#pragma once

#include "ui/elements/layout.h"

namespace koropika {

// The game window トランプ as it stands before any code runs: the table area on the left, the
// side strip with the two players' panels on the right, the dice panel, the hidden result panel
// and the hidden card back chooser; its timers, menus and image lists. Built once, shared by
// every load of the window.
const WindowLayout& gameWindowLayout();

}  // namespace koropika
