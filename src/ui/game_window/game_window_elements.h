#pragma once

#include <array>

#include "ui/elements/element_array.h"
#include "ui/elements/window.h"

namespace koropika {

// Every element, timer, menu item and image list of one load of the game window, bound once
// when it loads by the fixed ids of the layout (see game_window_layout.h).
struct GameWindowElements {
    explicit GameWindowElements(Window& window);

    // Panels: dice panel, dice, the player's and the computer's panels, result panel, backs.
    Element& Picture1;
    Element& Picture2;
    Element& Picture3;
    Element& Picture4;
    Element& Picture5;
    Element& Frame1;
    Element& Command1;

    Element& Label2;  // cards the player has taken
    Element& Label3;  // cards the computer has taken
    Element& Label8;  // dice prompt, then the start button's caption
    Element& Label9;  // dice rule, then who starts
    Element& Label10;
    Element& Label11;
    Element& Label12;
    Element& Label13;
    Element& Label15;
    Element& Label16;
    Element& Label17;
    Element& Label18;
    Element& Label19;
    Element& Label20;
    Element& Label21;

    Element& Image4;  // the start button
    Element& Image5;  // its pressed picture
    Element& Image6;  // its hand picture
    Element& Image7;  // its plain picture
    Element& Image8;
    Element& Image11;
    Element& Image12;
    Element& Image13;  // pressed result button picture
    Element& Image14;  // normal result button picture

    ElementArray omote1;   // card backs, by slot
    ElementArray ura1;     // card faces, by slot
    ElementArray Shape1;   // level markers
    ElementArray Image1;   // the five back designs
    ElementArray Image2;   // the player's pile: 0 slides onto 1
    ElementArray Image3;   // the computer's pile
    ElementArray Image9;   // the player's result stack
    ElementArray Image10;  // the computer's result stack

    Timer& Timer1;
    Timer& Timer2;
    Timer& Timer3;
    Timer& Timer4;
    Timer& Timer5;
    Timer& Timer6;
    Timer& Timer7;
    Timer& Timer9;

    MenuItem& 設定に戻る;
    MenuItem& カード選択;
    MenuItem& 終了;

    const ImageList& ImageList2;                 // dice faces 1..6
    std::array<const ImageList*, 5> ImageList1;  // card faces of suits 1..4 (0 unused)
};

}  // namespace koropika
