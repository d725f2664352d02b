#include "game/round_engine.h"

#include "game/computer.h"

namespace koropika {

Deal RoundEngine::deal(int cardCount, int level, Random& random) {
    Deal dealt = dealCards(cardCount, random);
    table_ = Table(dealt);
    random_ = &random;
    level_ = level;
    // Everything of the last round goes, also a move that was cut off half-way when the window
    // closed: a pair still waiting to be resolved must not lock the next round's clicks.
    state_ = RoundState{};
    state_.cardsLeft = table_.cardCount();
    moveLog_.clear();
    turnsResolved_ = 0;
    playerCards_ = 0;
    computerCards_ = 0;
    return dealt;
}

Side RoundEngine::decideStarter(int diceFace) {
    state_.playerTurn = diceFace % 2 == 1;
    state_.gamePhase = GamePhase::StarterDecided;
    return turn();
}

bool RoundEngine::pressStart() {
    if (state_.gamePhase == GamePhase::StartUp) {
        return false;
    }
    state_.gamePhase = GamePhase::Play;
    return true;
}

void RoundEngine::beginReveal() {
    state_.gamePhase = GamePhase::StartUp;
}

void RoundEngine::revealCard(int slot) {
    table_.setBackShown(slot, true);
}

Side RoundEngine::beginPlay() {
    state_.gamePhase = GamePhase::Play;
    return turn();
}

bool RoundEngine::playerMayTurn(int slot) const {
    const RoundState& s = state_;
    if ((!s.playerTurn && !secondPlayer_) || s.flippedThisTurn == 2 || s.resolvingPair ||
        s.gamePhase != GamePhase::Play || (s.flippedThisTurn == 1 && slot == s.firstSlot)) {
        return false;
    }
    return slot >= 1 && slot <= table_.cardCount() && table_.faceDown(slot);
}

TurnedCard RoundEngine::turnPlayerCard(int slot) {
    ++state_.flippedThisTurn;
    table_.remember(slot);
    return turnUp(turn(), slot, false);
}

Blink RoundEngine::blinkFirstCard() {
    const Blink blink{state_.firstSlot, state_.blinkShowNext};
    table_.setFaceShown(blink.slot, blink.faceShown);
    state_.blinkShowNext = !blink.faceShown;
    return blink;
}

bool RoundEngine::computerStep() {
    if (secondPlayer_) {
        return false;  // the computer has no seat at this table
    }
    const bool due = computerCardDue();
    ++state_.flippedThisTurn;
    return due;
}

bool RoundEngine::computerCardDue() const {
    // With no card face down there is nothing to pick; a round played by the rules never gets
    // there, since the round ends with the last pair. With two people it never turns one.
    return !secondPlayer_ && state_.flippedThisTurn + 1 != kComputerStopTick &&
           !state_.playerTurn && table_.anyFaceDown();
}

std::optional<TurnedCard> RoundEngine::turnComputerCard() {
    if (secondPlayer_) {
        return std::nullopt;
    }
    if (state_.flippedThisTurn == 1) {
        const bool fromMemory = chooseFirstCard(table_, state_, level_, *random_);
        return turnUp(Side::Computer, state_.cpuFirstSlot, fromMemory);
    }
    if (state_.flippedThisTurn != 2) {
        return std::nullopt;
    }
    const bool fromMemory = chooseSecondCard(table_, state_, level_, *random_);
    if (state_.cpuSecondSlot == state_.firstSlot) {
        return std::nullopt;
    }
    TurnedCard card = turnUp(Side::Computer, state_.cpuSecondSlot, fromMemory);
    // The computer's two cards wait for its resolution, which no click can disturb.
    state_.resolvingPair = false;
    return card;
}

// The move's card turned face up, for either side; `flippedThisTurn` already counts it.
TurnedCard RoundEngine::turnUp(Side side, int slot, bool fromMemory) {
    TurnedCard card{side, slot, table_.card(slot)};
    card.fromMemory = fromMemory;
    moveLog_.record({side, slot, card.face.rank, card.face.suit, fromMemory});
    table_.setBackShown(slot, false);
    table_.setFaceShown(slot, true);
    if (state_.flippedThisTurn == 1) {
        state_.firstSlot = slot;
        state_.firstRank = card.face.rank;
        state_.blinkShowNext = true;
        state_.resolvingPair = false;
    } else {
        table_.setFaceShown(state_.firstSlot, true);  // whatever point its blink had reached
        state_.secondSlot = slot;
        state_.secondRank = card.face.rank;
        state_.resolvingPair = true;
        card.second = true;
        card.pair = card.face.rank == state_.firstRank;
        if (card.pair) {
            (side == Side::Player ? playerCards_ : computerCards_) += 2;
            state_.cardsLeft -= 2;
        }
    }
    card.firstSlot = state_.firstSlot;
    card.playerCards = playerCards_;
    card.computerCards = computerCards_;
    return card;
}

MoveOutcome RoundEngine::resolveMove() {
    MoveOutcome outcome;
    outcome.mover = turn();
    outcome.firstSlot = state_.firstSlot;
    outcome.secondSlot = state_.secondSlot;
    outcome.pairTaken = table_.rank(state_.secondSlot) == state_.firstRank;
    // Taken: gone from the table. Mismatched: face down again, the face kept under the back.
    for (const int slot : {outcome.firstSlot, outcome.secondSlot}) {
        table_.setBackShown(slot, !outcome.pairTaken);
        table_.setFaceShown(slot, !outcome.pairTaken);
    }
    if (outcome.pairTaken) {
        outcome.roundOver = state_.cardsLeft == 0;
    } else {
        state_.playerTurn = !state_.playerTurn;
    }
    state_.resolvingPair = false;
    state_.blinkShowNext = false;  // the blink ends with the move
    state_.flippedThisTurn = 0;
    turnsResolved_ = static_cast<int>(moveLog_.turns().size());
    outcome.next = turn();
    return outcome;
}

RoundResult RoundEngine::result() const {
    RoundResult result{playerCards_, computerCards_, Winner::Draw};
    if (playerCards_ > computerCards_) {
        result.winner = Winner::Player;
    } else if (playerCards_ < computerCards_) {
        result.winner = Winner::Computer;
    }
    return result;
}

}  // namespace koropika
