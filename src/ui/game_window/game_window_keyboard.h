#pragma once

// The game window by keyboard.

#include "game/round_engine.h"
#include "ui/elements/keys.h"

namespace koropika {

class Element;
class Window;
struct GameWindowElements;

// Which element has the focus at each step of a round, and what the keys do there. A key runs
// the very handler a click on the focused element runs, through the window's own click path, so
// every guard of a click holds. The game window calls the hooks below where things happen.
class GameWindowKeyboard {
  public:
    // Which cards lie face down is read from `engine`'s table, which is never changed here.
    GameWindowKeyboard(Window& window, const RoundEngine& engine)
        : window_(window), engine_(engine) {}

    // A load has made `elements`: the dice takes the focus.
    void windowLoaded(GameWindowElements& elements);
    // The load's elements are going: keys do nothing until the next load.
    void windowUnloading() { ui_ = nullptr; }
    // The dice has decided who starts: the start button takes the focus.
    void diceStopped();
    // Every card lies on the table: the first face-down card takes the focus.
    void tableReady();
    // A move has been resolved (its cards turned back or taken) and play goes on.
    void moveResolved();
    // The round is over: the first result button takes the focus.
    void roundOver();

    bool keyPressed(Key key);

    // The face-down card of `table` after (or before) `slot` in the direction of an arrow key,
    // in the grid the table's card count is laid out in, wrapping at the ends of rows and
    // columns; `slot` itself may be face up or taken. 0 when none is face down.
    static int nextFaceDown(const Table& table, int slot, Key arrow);

  private:
    int focusedSlot() const;
    void focusFirstFaceDownFrom(int slot);
    void focusCard(int slot);
    bool resultButtonKey(Element& focused, Key key);

    Window& window_;
    const RoundEngine& engine_;
    GameWindowElements* ui_ = nullptr;
};

}  // namespace koropika
