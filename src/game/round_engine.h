#pragma once

// One round of the game as plain rules: the engine and the values its calls return.

#include <optional>

#include "game/move_log.h"
#include "game/random.h"
#include "game/round_state.h"
#include "game/table.h"

namespace koropika {

using Side = MoveLog::Side;

// A card that was just turned face up, and what it did to the move.
struct TurnedCard {
    Side side = Side::Player;
    int slot = 0;
    Card face;                // the card now showing
    bool second = false;      // the move's second card: the first one, `firstSlot`, shows too
    int firstSlot = 0;        // the move's first card
    bool pair = false;        // a second card of the first card's rank: both are taken
    bool fromMemory = false;  // the computer's pick came from its memory
    int playerCards = 0;      // both sides' taken cards after this one
    int computerCards = 0;
};

// The first card of a move as its blink leaves it.
struct Blink {
    int slot = 0;
    bool faceShown = false;
};

// How a move ended, once its two cards have been looked at long enough.
struct MoveOutcome {
    Side mover = Side::Player;
    int firstSlot = 0;
    int secondSlot = 0;
    bool pairTaken = false;    // else both cards lie face down again and the turn has passed
    bool roundOver = false;    // the pair was the last one on the table
    Side next = Side::Player;  // who moves now
};

// Who won a finished round: the side with more cards, or neither.
enum class Winner { Draw, Player, Computer };

// A finished round: how many cards each side took, and who won.
struct RoundResult {
    int playerCards = 0;
    int computerCards = 0;
    Winner winner = Winner::Draw;
};

// The rules of one round: the deal, both sides' moves, the computer's memory and choices, the
// resolution of every move, the turn, and the result. It has no windows, timers, files or sounds:
// each call returns what happened, and the caller decides when the next call comes (the game
// window drives it from its timers and paints what it returns).
//
// A round goes: deal → dice decides who starts → the start button → the cards are revealed one
// by one → moves until the table is empty. A move is the mover's first card, second card, and
// the resolution one second later.
class RoundEngine {
  public:
    // A fresh round: `cardCount` cards dealt face down (not yet shown) from `random`, which also
    // serves the computer's choices until the next deal. Returns where the cards lie.
    Deal deal(int cardCount, int level, Random& random);

    // Start-up: an odd dice face gives the first move to the player, an even one to the
    // computer. Returns the side that starts.
    Side decideStarter(int diceFace);
    // The start button goes down: refused (false) until the dice has decided who starts.
    bool pressStart();
    // The start button is released: the cards are laid face down one by one (no card can be
    // picked meanwhile), then play begins with the side `beginPlay` returns.
    void beginReveal();
    void revealCard(int slot);
    Side beginPlay();
    // The game window goes back to the settings window: the round is abandoned.
    void abandon() { state_.gamePhase = GamePhase::StartUp; }

    // A second person sits in the computer's seat: both sides move by clicks, through
    // playerMayTurn and turnPlayerCard, each on their own turn, and the computer never moves.
    // Holds for every round dealt until it is changed.
    void seatSecondPlayer(bool seated) { secondPlayer_ = seated; }
    bool secondPlayerSeated() const { return secondPlayer_; }

    GamePhase phase() const { return state_.gamePhase; }
    Side turn() const { return state_.playerTurn ? Side::Player : Side::Computer; }

    // A person's move. A click counts only on a face-down card, during play, on the
    // player's turn (either side's with a second player seated), while fewer than two cards are up
    // and none wait to be resolved, and not on the first card again.
    bool playerMayTurn(int slot) const;
    // Turns the card for the side whose turn it is; call only when playerMayTurn(slot).
    TurnedCard turnPlayerCard(int slot);

    // The first card of a move blinks: its face shown and hidden in turn.
    Blink blinkFirstCard();

    // The computer's move, one step per tick of its timer: the first tick turns its first card,
    // the second its second card, the third ends its part of the move. `computerStep` counts the
    // tick and says whether a card is to be turned (false: the computer stops moving for now).
    bool computerStep();
    // Whether the computer's next step turns a card.
    bool computerCardDue() const;
    // Chooses and turns the card of this step. Empty when the choice gave the first card again,
    // which the choices never do.
    std::optional<TurnedCard> turnComputerCard();

    // Resolves the move whose two cards are up, for either side: a pair is taken and the mover
    // goes again, a mismatch is turned back face down and the turn passes.
    MoveOutcome resolveMove();

    bool roundOver() const { return state_.cardsLeft == 0 && table_.cardCount() > 0; }
    RoundResult result() const;

    // The round as it stands, for tests and scripted players.
    const Table& table() const { return table_; }
    const RoundState& state() const { return state_; }
    const MoveLog& moveLog() const { return moveLog_; }
    // The cards of the move log that belong to resolved moves (the first ones).
    int turnsResolved() const { return turnsResolved_; }
    int playerCards() const { return playerCards_; }
    int computerCards() const { return computerCards_; }

  private:
    TurnedCard turnUp(Side side, int slot, bool fromMemory);

    Table table_;
    RoundState state_;
    MoveLog moveLog_;
    int turnsResolved_ = 0;
    Random* random_ = nullptr;
    int level_ = 1;
    bool secondPlayer_ = false;
    int playerCards_ = 0;
    int computerCards_ = 0;
};

}  // namespace koropika
