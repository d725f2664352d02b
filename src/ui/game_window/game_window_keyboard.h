#pragma once

// The game window by keyboard and for screen readers.

#include <cstdint>
#include <memory>
#include <string>

#include "game/round_engine.h"
#include "ui/elements/keys.h"

namespace koropika {

class Element;
class Window;
struct GameWindowElements;

// Which slots of the table lie face down, and how the table is laid out: what the keyboard
// needs to move the focus from card to card.
struct TableView {
    std::uint64_t faceDownSlots = 0;  // bit s: slot s
    int cardCount = 0;
    int columns = 0;
    int rows = 0;
    bool faceDown(int slot) const {
        return slot >= 1 && slot <= cardCount && ((faceDownSlots >> slot) & 1U) != 0;
    }
};

// Which element has the focus at each step of a round, what the keys do there, and what is
// announced as the round goes. A key runs the very handler a click on the focused element runs,
// through the window's own click path, so every guard of a click holds. The game window calls
// the hooks below where things happen, with what happened.
class GameWindowKeyboard {
  public:
    // `elements` are those of the current load (null while the window is not loaded); `table`
    // is the table as the window has painted it. Both are read, never changed.
    GameWindowKeyboard(Window& window, const std::unique_ptr<GameWindowElements>& elements,
                       const TableView& table)
        : window_(window), elements_(elements), table_(table) {}

    // The window has loaded: the dice takes the focus.
    void windowLoaded();
    // The dice has stopped on `face` (1..6): its face and who starts are told; the start button
    // takes the focus.
    void diceStopped(int face, Side starter);
    // Every card lies on the table: the first face-down card takes the focus.
    void tableReady(Side first);
    // A card has just turned face up; after a second card, whether the move made a pair.
    void cardTurned(const TurnedCard& card);
    // A move has been resolved (its cards turned back or taken): whose turn it is now.
    void moveResolved(const MoveOutcome& outcome);
    // The round is over: the result is told and the first result button takes the focus.
    void roundOver(const std::string& resultLine, const RoundResult& result);

    bool keyPressed(Key key);

    // The face-down card after (or before) `slot` in the direction of an arrow key, wrapping at
    // the ends of rows and columns; `slot` itself may be face up or taken. 0 when none is face
    // down.
    static int nextFaceDown(const TableView& table, int slot, Key arrow);

  private:
    void announceTurn(Side side);
    int focusedSlot() const;
    void focusFirstFaceDownFrom(int slot);
    void focusCard(int slot);
    bool resultButtonKey(Element& focused, Key key);

    Window& window_;
    const std::unique_ptr<GameWindowElements>& elements_;
    const TableView& table_;
};

}  // namespace koropika
