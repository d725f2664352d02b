#pragma once

#include <cstdint>
#include <optional>

#include "game/computer_choices.h"
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
    int rank = 0;
    bool second = false;      // the move's second card
    bool pair = false;        // a second card of the first card's rank: both are taken
    bool fromMemory = false;  // the computer's pick came from its memory
};

// How a move ended, once its two cards have been looked at long enough.
struct MoveOutcome {
    Side mover = Side::Player;
    int firstSlot = 0;
    int secondSlot = 0;
    bool pairTaken = false;  // else both cards lie face down again and the turn has passed
    bool roundOver = false;  // the pair was the last one on the table
};

// Who won a finished round, and with how many cards each.
struct RoundResult {
    enum class Winner { Draw, Player, Computer };
    int playerCards = 0;
    int computerCards = 0;
    Winner winner = Winner::Draw;
};

// The rules of one round of the game: the deal, both sides' moves, the computer's memory and
// choices, the resolution of every move, the turn, and the result. It has no windows, timers,
// files or sounds: each call says what happened, and the caller decides when the next call comes
// (the game window drives it from its timers and paints what it reports).
//
// A round goes: deal → dice decides who starts → the start button → the cards are revealed one
// by one → moves until the table is empty. A move is the mover's first card, second card, and
// the resolution one second later.
class RoundEngine {
  public:
    RoundEngine() = default;
    // The window's fields refer to the engine's table and state, so it stays where it is.
    RoundEngine(const RoundEngine&) = delete;
    RoundEngine& operator=(const RoundEngine&) = delete;

    // A fresh round: `cardCount` cards dealt face down (not yet shown) from `random`, which also
    // serves the computer's choices until the next deal.
    void deal(int cardCount, int level, Random& random);

    const Table& table() const { return table_; }
    const RoundState& state() const { return state_; }
    const MoveLog& moveLog() const { return moveLog_; }
    int level() const { return level_; }
    int playerCards() const { return playerCards_; }
    int computerCards() const { return computerCards_; }

    // Start-up: an odd dice face gives the first move to the player, an even one to the
    // computer. Returns the side that starts.
    Side decideStarter(int diceFace);
    // The start button goes down: refused (false) until the dice has decided who starts.
    bool pressStart();
    // The start button is released: the cards are laid face up one by one (no card can be
    // picked meanwhile), then play begins. `beginPlay` returns whether the computer moves first.
    void beginReveal();
    void revealCard(int slot);
    // The same for every card at once.
    void revealAllCards() { table_.showAllBacks(); }
    bool beginPlay();
    // The game window goes back to the settings window: the round is abandoned.
    void abandon() { state_.gamePhase = 0; }
    // A side that sits the round out hands its turn over between two moves without turning a
    // card (the benchmark's rounds of the computer alone). False, and nothing changes, while a
    // card of the move is up.
    bool passTurn();

    // The player's move. A click counts only on a face-down card, during play, on the
    // player's turn, while fewer than two cards are up and none wait to be resolved, and not
    // on the first card again.
    bool playerMayTurn(int slot) const;
    // Turns the card; call only when playerMayTurn(slot).
    TurnedCard turnPlayerCard(int slot);

    // The first card of a move blinks: returns whether its face is now shown.
    bool blinkFirstCard();

    // The computer's move, one step per tick of its timer: the first tick turns its first card,
    // the second its second card, the third ends its part of the move. `computerStep` counts the
    // tick and says whether a card is to be turned (false: the computer stops moving for now).
    bool computerStep();
    // Chooses and turns the card of this step. Empty when the choice gave the first card again,
    // which the choices never do.
    std::optional<TurnedCard> turnComputerCard();

    // Resolves the move whose two cards are up, for either side: a pair is taken and the mover
    // goes again, a mismatch is turned back face down and the turn passes.
    MoveOutcome resolveMove();

    bool roundOver() const { return state_.cardsLeft == 0 && table_.cardCount() > 0; }
    RoundResult result() const;

  private:
    template <typename Source>
    std::optional<TurnedCard> turnComputerCardFrom(Source& random);
    // A scripted source's path, kept out of line so that the game's own stays small.
    std::optional<TurnedCard> turnComputerCardFromAnySource();
    void turnUp(int slot);
    TurnedCard secondCard(Side side, int slot);

    Table table_;
    RoundState state_;
    MoveLog moveLog_;
    Random* random_ = nullptr;
    SeededRandom* seeded_ = nullptr;  // the same source when it is the game's own
    int level_ = 1;
    int playerCards_ = 0;
    int computerCards_ = 0;
};

// Called for every card, so they are kept where the caller can inline them.

inline void RoundEngine::revealCard(int slot) {
    table_.setBackShown(slot, true);
}

inline bool RoundEngine::playerMayTurn(int slot) const {
    const RoundState& s = state_;
    if (s.playerTurn == 0 || s.flippedThisTurn == 2 || s.resolvingPair == 1 || s.gamePhase < 2 ||
        (s.flippedThisTurn == 1 && slot == s.firstSlot)) {
        return false;
    }
    return slot >= 1 && slot <= table_.cardCount() && table_.faceDown(slot);
}

inline TurnedCard RoundEngine::turnPlayerCard(int slot) {
    ++state_.flippedThisTurn;
    table_.remember(slot);
    moveLog_.record(Side::Player, slot, table_.rank(slot));
    if (state_.flippedThisTurn == 1) {
        state_.firstRank = static_cast<std::int16_t>(table_.rank(slot));
        state_.firstSlot = static_cast<std::int16_t>(slot);
        turnUp(slot);
        state_.blinkShowNext = 1;
        return {Side::Player, slot, table_.rank(slot)};
    }
    return secondCard(Side::Player, slot);
}

inline bool RoundEngine::computerStep() {
    ++state_.flippedThisTurn;
    // With no card face down there is nothing to pick; a round played by the rules never gets
    // there, since the round ends with the last pair.
    return !(state_.flippedThisTurn == 3 || state_.playerTurn == 1 || !table_.anyFaceDown());
}

inline MoveOutcome RoundEngine::resolveMove() {
    MoveOutcome outcome;
    outcome.mover = state_.playerTurn != 0 ? Side::Player : Side::Computer;
    outcome.firstSlot = state_.firstSlot;
    outcome.secondSlot = state_.secondSlot;
    outcome.pairTaken = table_.rankAt(state_.secondSlot) == state_.firstRank;
    // Taken: gone from the table. Mismatched: face down again, the face kept under the back.
    // The move's slots are the engine's own (0 before any card), so they need no check.
    table_.settleMove(outcome.firstSlot, outcome.secondSlot, outcome.pairTaken);
    if (outcome.pairTaken) {
        outcome.roundOver = state_.cardsLeft == 0;
    } else {
        state_.playerTurn = state_.playerTurn == 0 ? 1 : 0;
    }
    state_.resolvingPair = 0;
    state_.flippedThisTurn = 0;
    return outcome;
}

inline void RoundEngine::turnUp(int slot) {
    table_.turnFaceUp(slot);
}

inline TurnedCard RoundEngine::secondCard(Side side, int slot) {
    table_.turnFaceUp(slot);
    table_.showFace(state_.firstSlot);  // shown whatever point its blink had reached
    const int rank = table_.rankAt(slot);
    state_.secondRank = static_cast<std::int16_t>(rank);
    state_.secondSlot = static_cast<std::int16_t>(slot);
    state_.resolvingPair = 1;
    TurnedCard card{side, slot, rank, true};
    card.pair = rank == state_.firstRank;
    if (card.pair) {
        (side == Side::Player ? playerCards_ : computerCards_) += 2;
        state_.cardsLeft = static_cast<std::int16_t>(state_.cardsLeft - 2);
    }
    return card;
}

inline std::optional<TurnedCard> RoundEngine::turnComputerCard() {
    if (seeded_ != nullptr) [[likely]] {
        return turnComputerCardFrom(*seeded_);
    }
    return turnComputerCardFromAnySource();
}

template <typename Source>
[[gnu::always_inline]] inline std::optional<TurnedCard> RoundEngine::turnComputerCardFrom(
    Source& random) {
    if (state_.flippedThisTurn == 1) {
        const bool fromMemory = choices::chooseFirst(table_, state_, level_, random);
        const int slot = state_.cpuFirstSlot;
        const int rank = table_.rankAt(slot);
        state_.firstRank = static_cast<std::int16_t>(rank);
        state_.firstSlot = static_cast<std::int16_t>(slot);
        turnUp(slot);
        state_.blinkShowNext = 1;
        state_.resolvingPair = 0;
        moveLog_.record(Side::Computer, slot, rank);
        return TurnedCard{Side::Computer, slot, rank, false, false, fromMemory};
    }
    if (state_.flippedThisTurn != 2) {
        return std::nullopt;
    }
    const bool fromMemory = choices::chooseSecond(table_, state_, level_, random);
    const int slot = state_.cpuSecondSlot;
    if (slot == state_.firstSlot) {
        return std::nullopt;
    }
    moveLog_.record(Side::Computer, slot, table_.rankAt(slot));
    TurnedCard card = secondCard(Side::Computer, slot);
    card.fromMemory = fromMemory;
    // The computer's two cards wait for its resolution, which no click can disturb.
    state_.resolvingPair = 0;
    return card;
}

}  // namespace koropika
