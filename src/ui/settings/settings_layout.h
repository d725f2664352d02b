// The settings window's window-level look and the address its link opens.
#pragma once

#include "shared/texts.h"
#include "ui/elements/layout.h"

namespace koropika {

// The web page the version area links to, looked up with the context "WebPage": each language
// links to the article in its own.
inline constexpr const char* kLinkAddress =
    TRANSLATABLE("WebPage", "https://ja.wikipedia.org/wiki/神経衰弱");

// The settings window 設定 as it stands before any code runs: caption, icon, background and
// designed client area. Its rows (the choice area with name, level and card count on a lit
// background, and the version area below it that shows only while the window is expanded) are
// added at each load by the set-up of SettingsWindowElements, in settings_layout.cpp.
const WindowLayout& settingsWindowLayout();

}  // namespace koropika
