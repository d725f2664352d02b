#pragma once

#include "ui/elements/layout.h"

namespace koropika {

// The web page the version area links to.
inline constexpr const char* kLinkAddress = "https://ja.wikipedia.org/wiki/神経衰弱";

// The settings window 設定: the choice area (name, level, card count) on a lit background, and
// the version area below it that shows only while the window is expanded.
const WindowLayout& settingsWindowLayout();

}  // namespace koropika
