#pragma once

#include "game/round_engine.h"
#include "ui/elements/keys.h"

namespace koropika {

class Element;
class GameWindow;

// The game window by keyboard and for screen readers: which element has the focus at each step
// of a round, what the keys do there, and what is announced as the round goes. A key runs the
// very handler a click on the focused element runs, through the window's own click path, so
// every guard of a click holds. The window's handlers call the hooks below where things happen.
class GameWindowKeyboard {
  public:
    explicit GameWindowKeyboard(GameWindow& game) : game_(game) {}

    // The window has loaded: the dice takes the focus.
    void windowLoaded();
    // The dice has stopped: its face and who starts are told; the start button takes the focus.
    void diceStopped();
    // Every card lies on the table: the first face-down card takes the focus.
    void tableReady();
    // A card has just turned face up; after a second card, whether the move made a pair.
    void cardTurned(const TurnedCard& card);
    // A move has been resolved (its cards turned back or taken): whose turn it is now.
    void moveResolved();
    // The round is over: the result is told and the first result button takes the focus.
    void roundOver();

    bool keyPressed(Key key);

    // The face-down card after (or before) `slot` in the direction of an arrow key, wrapping at
    // the ends of rows and columns; `slot` itself may be face up or taken. 0 when none is face
    // down.
    int nextFaceDown(int slot, Key arrow) const;
    // The same on `table`, laid out in `columns` × `rows`.
    static int nextFaceDown(const Table& table, int columns, int rows, int slot, Key arrow);

  private:
    void announceTurn();
    int focusedSlot() const;
    void focusFirstFaceDownFrom(int slot);
    void focusCard(int slot);
    bool resultButtonKey(Element& focused, Key key);

    GameWindow& game_;
};

}  // namespace koropika
