#pragma once

#include "ui/elements/layout.h"

namespace koropika {

// The fixed ids of the settings window's layout rows and image list, as a generated form class
// holds them; the layout checks them when it is built.
namespace settings_ids {

// Elements; an array by its first listed member.
inline constexpr ElementId Picture1 = 0;
inline constexpr ElementId Label6 = 1;
inline constexpr ElementId Label5 = 2;
inline constexpr ElementId Image11 = 3;
inline constexpr ElementId Label4 = 4;
inline constexpr ElementId Combo2 = 5;
inline constexpr ElementId Combo1 = 6;
inline constexpr ElementId Label10 = 7;
inline constexpr ElementId Label9 = 8;
inline constexpr ElementId Label8 = 9;
inline constexpr ElementId Label7 = 10;
inline constexpr ElementId Label3 = 11;
inline constexpr ElementId Label1 = 12;
// Image lists; an array of lists by its first member.
inline constexpr int ImageList1 = 0;

}  // namespace settings_ids

// The web page the version area links to.
inline constexpr const char* kLinkAddress = "https://ja.wikipedia.org/wiki/神経衰弱";

// The settings window 設定: the choice area (name, level, card count) on a lit background, and
// the version area below it that shows only while the window is expanded.
const WindowLayout& settingsWindowLayout();

}  // namespace koropika
