#pragma once

#include "ui/elements/layout.h"

namespace koropika {

// The fixed ids of the game window's layout rows, timers, menu items and image lists, as a
// generated form class holds them: code binds its elements by these, never by a name search.
// The layout checks them when it is built.
namespace game_window_ids {

// Elements; an array by its first listed member.
inline constexpr ElementId Picture5 = 0;
inline constexpr ElementId Picture4 = 1;
inline constexpr ElementId Picture3 = 2;
inline constexpr ElementId Picture1 = 3;
inline constexpr ElementId Frame1 = 4;
inline constexpr ElementId Label11 = 5;
inline constexpr ElementId Label10 = 6;
inline constexpr ElementId ura1 = 7;
inline constexpr ElementId omote1 = 8;
inline constexpr ElementId Image7 = 9;
inline constexpr ElementId Image6 = 10;
inline constexpr ElementId Image5 = 11;
inline constexpr ElementId Label12 = 12;
inline constexpr ElementId Label14 = 13;
inline constexpr ElementId Image16 = 14;
inline constexpr ElementId Label13 = 15;
inline constexpr ElementId Image15 = 16;
inline constexpr ElementId Image14 = 17;
inline constexpr ElementId Image13 = 18;
inline constexpr ElementId Label21 = 19;
inline constexpr ElementId Label20 = 20;
inline constexpr ElementId Label19 = 21;
inline constexpr ElementId Image12 = 22;
inline constexpr ElementId Image11 = 23;
inline constexpr ElementId Image8 = 24;
inline constexpr ElementId Label18 = 25;
inline constexpr ElementId Label17 = 26;
inline constexpr ElementId Label16 = 27;
inline constexpr ElementId Label15 = 28;
inline constexpr ElementId Image9 = 29;
inline constexpr ElementId Image10 = 30;
inline constexpr ElementId Label7 = 31;
inline constexpr ElementId Image3 = 32;
inline constexpr ElementId Shape1 = 34;
inline constexpr ElementId Label1 = 40;
inline constexpr ElementId Label5 = 41;
inline constexpr ElementId Label3 = 42;
inline constexpr ElementId Label6 = 43;
inline constexpr ElementId Image2 = 44;
inline constexpr ElementId Label4 = 46;
inline constexpr ElementId Label2 = 47;
inline constexpr ElementId Picture2 = 48;
inline constexpr ElementId Label9 = 49;
inline constexpr ElementId Label8 = 50;
inline constexpr ElementId Image4 = 51;
inline constexpr ElementId Command1 = 52;
inline constexpr ElementId Image1 = 53;
// Timers, by their place in the timer table.
inline constexpr int Timer9 = 0;
inline constexpr int Timer7 = 1;
inline constexpr int Timer6 = 2;
inline constexpr int Timer5 = 3;
inline constexpr int Timer4 = 4;
inline constexpr int Timer3 = 5;
inline constexpr int Timer2 = 6;
inline constexpr int Timer1 = 7;
// Menu items.
inline constexpr int 設定に戻る = 0;
inline constexpr int カード選択 = 1;
inline constexpr int 終了 = 2;
// Image lists; an array of lists by its first member.
inline constexpr int ImageList2 = 0;
inline constexpr int ImageList1 = 1;

}  // namespace game_window_ids

// The game window トランプ as it stands before any code runs: the table area on the left, the
// side strip with the two players' panels on the right, the dice panel, the hidden result panel
// and the hidden card back chooser; its timers, menus and image lists. Built once, shared by
// every load of the window.
const WindowLayout& gameWindowLayout();

}  // namespace koropika
