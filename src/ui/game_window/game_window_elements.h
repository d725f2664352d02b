// GameWindowElements: every element, image list, menu item and timer of one load of the game
// window, each the handle its row gave back.
#pragma once

#include <array>

#include "ui/elements/element_array.h"
#include "ui/elements/window.h"

namespace koropika {

// Made by the game window's load step, as a generated form class's set-up is: building it adds
// each row to the loading window (game_window_layout.cpp) and keeps the handle the row gives
// back. Members are made in the order they are declared: top-level elements front to back, then
// the children of each container, then the image lists, menus and timers.
struct GameWindowElements {
    explicit GameWindowElements(Window& window);

    // Top level.
    Element& Picture5;  // the result panel
    Element& Picture4;  // the computer's panel
    Element& Picture3;  // the player's panel
    Element& Picture1;  // the dice panel
    Element& Frame1;    // the card back chooser
    Element& Label11;
    Element& Label10;
    ElementArray ura1;    // card faces, by slot
    ElementArray omote1;  // card backs, by slot
    Element& Image7;      // the start button's plain picture
    Element& Image6;      // its hand picture
    Element& Image5;      // its pressed picture
    Element& Label12;

    // The result panel.
    Element& Label14;
    Element& Image16;
    Element& Label13;
    Element& Image15;
    Element& Image14;  // normal result button picture
    Element& Image13;  // pressed result button picture
    Element& Label21;
    Element& Label20;
    Element& Label19;
    Element& Image12;
    Element& Image11;
    Element& Image8;
    Element& Label18;
    Element& Label17;
    Element& Label16;
    Element& Label15;
    ElementArray Image9;   // the player's result stack
    ElementArray Image10;  // the computer's result stack

    // The computer's panel.
    Element& Label7;
    ElementArray Image3;  // the computer's pile
    ElementArray Shape1;  // level markers
    Element& Label1;
    Element& Label5;
    Element& Label3;  // cards the computer has taken

    // The player's panel.
    Element& Label6;
    ElementArray Image2;  // the player's pile: 0 slides onto 1
    Element& Label4;
    Element& Label2;  // cards the player has taken

    // The dice panel.
    Element& Picture2;  // the dice
    Element& Label9;    // dice rule, then who starts
    Element& Label8;    // dice prompt, then the start button's caption
    Element& Image4;    // the start button

    // The card back chooser.
    Element& Command1;
    ElementArray Image1;  // the five back designs

    const ImageList& ImageList2;                 // dice faces 1..6
    std::array<const ImageList*, 5> ImageList1;  // card faces of suits 1..4 (0 unused)

    MenuItem& 設定に戻る;
    MenuItem& カード選択;
    MenuItem& 終了;

    Timer& Timer9;
    Timer& Timer7;
    Timer& Timer6;
    Timer& Timer5;
    Timer& Timer4;
    Timer& Timer3;
    Timer& Timer2;
    Timer& Timer1;
};

}  // namespace koropika
