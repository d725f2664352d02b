#include "game/round_engine.h"

#include "game/computer.h"

namespace koropika {

void RoundEngine::deal(int cardCount, int level, Random& random) {
    random_ = &random;
    seeded_ = dynamic_cast<SeededRandom*>(&random);
    level_ = level;
    if (seeded_ != nullptr) {
        table_.deal(cardCount, *seeded_);
    } else {
        table_.deal(cardCount, random);
    }
    // Everything of the last round goes, also a move that was cut off half-way when the window
    // closed: a pair still waiting to be resolved must not lock the next round's clicks.
    state_ = RoundState{};
    state_.cardsLeft = static_cast<std::int16_t>(table_.cardCount());
    moveLog_.clear();
    playerCards_ = 0;
    computerCards_ = 0;
}

Side RoundEngine::decideStarter(int diceFace) {
    state_.playerTurn = diceFace % 2 == 1 ? 1 : 0;
    state_.gamePhase = 1;
    return state_.playerTurn != 0 ? Side::Player : Side::Computer;
}

bool RoundEngine::pressStart() {
    if (state_.gamePhase == 0) {
        return false;
    }
    state_.gamePhase = 2;
    return true;
}

void RoundEngine::beginReveal() {
    state_.gamePhase = 0;
}

void RoundEngine::revealCard(int slot) {
    table_.setBackShown(slot, true);
}

bool RoundEngine::beginPlay() {
    state_.gamePhase = 2;
    return state_.playerTurn == 0;
}

bool RoundEngine::passTurn() {
    if (state_.flippedThisTurn != 0 || state_.resolvingPair != 0) {
        return false;
    }
    state_.playerTurn = state_.playerTurn == 0 ? 1 : 0;
    return true;
}

bool RoundEngine::playerMayTurn(int slot) const {
    const RoundState& s = state_;
    if (s.playerTurn == 0 || s.flippedThisTurn == 2 || s.resolvingPair == 1 || s.gamePhase < 2 ||
        (s.flippedThisTurn == 1 && slot == s.firstSlot)) {
        return false;
    }
    return slot >= 1 && slot <= table_.cardCount() && table_.faceDown(slot);
}

TurnedCard RoundEngine::turnPlayerCard(int slot) {
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

bool RoundEngine::blinkFirstCard() {
    const bool show = state_.blinkShowNext != 0;
    table_.setFaceShown(state_.firstSlot, show);
    state_.blinkShowNext = show ? 0 : 1;
    return show;
}

bool RoundEngine::computerStep() {
    ++state_.flippedThisTurn;
    // With no card face down there is nothing to pick; a round played by the rules never gets
    // there, since the round ends with the last pair.
    return !(state_.flippedThisTurn == 3 || state_.playerTurn == 1 || !table_.anyFaceDown());
}

std::optional<TurnedCard> RoundEngine::turnComputerCard() {
    if (state_.flippedThisTurn == 1) {
        const bool fromMemory = seeded_ != nullptr
                                    ? chooseFirstCard(table_, state_, level_, *seeded_)
                                    : chooseFirstCard(table_, state_, level_, *random_);
        const int slot = state_.cpuFirstSlot;
        state_.firstRank = static_cast<std::int16_t>(table_.rank(slot));
        state_.firstSlot = static_cast<std::int16_t>(slot);
        moveLog_.record(Side::Computer, slot, table_.rank(slot));
        turnUp(slot);
        state_.blinkShowNext = 1;
        state_.resolvingPair = 0;
        return TurnedCard{Side::Computer, slot, table_.rank(slot), false, false, fromMemory};
    }
    if (state_.flippedThisTurn != 2) {
        return std::nullopt;
    }
    const bool fromMemory = seeded_ != nullptr ? chooseSecondCard(table_, state_, level_, *seeded_)
                                               : chooseSecondCard(table_, state_, level_, *random_);
    const int slot = state_.cpuSecondSlot;
    if (slot == state_.firstSlot) {
        return std::nullopt;
    }
    moveLog_.record(Side::Computer, slot, table_.rank(slot));
    TurnedCard card = secondCard(Side::Computer, slot);
    card.fromMemory = fromMemory;
    // The computer's two cards wait for its resolution, which no click can disturb.
    state_.resolvingPair = 0;
    return card;
}

MoveOutcome RoundEngine::resolveMove() {
    MoveOutcome outcome;
    outcome.mover = state_.playerTurn != 0 ? Side::Player : Side::Computer;
    outcome.firstSlot = state_.firstSlot;
    outcome.secondSlot = state_.secondSlot;
    outcome.pairTaken = table_.rank(state_.secondSlot) == state_.firstRank;
    // Taken: gone from the table. Mismatched: face down again, the face kept under the back.
    const bool keep = !outcome.pairTaken;
    table_.setBackShown(outcome.firstSlot, keep);
    table_.setFaceShown(outcome.firstSlot, keep);
    table_.setBackShown(outcome.secondSlot, keep);
    table_.setFaceShown(outcome.secondSlot, keep);
    if (outcome.pairTaken) {
        outcome.roundOver = state_.cardsLeft == 0;
    } else {
        state_.playerTurn = state_.playerTurn == 0 ? 1 : 0;
    }
    state_.resolvingPair = 0;
    state_.flippedThisTurn = 0;
    return outcome;
}

RoundResult RoundEngine::result() const {
    RoundResult result{playerCards_, computerCards_, RoundResult::Winner::Draw};
    const int d = playerCards_ - computerCards_;
    if (d > 0) {
        result.winner = RoundResult::Winner::Player;
    } else if (d < 0) {
        result.winner = RoundResult::Winner::Computer;
    }
    return result;
}

void RoundEngine::turnUp(int slot) {
    table_.setBackShown(slot, false);
    table_.setFaceShown(slot, true);
}

TurnedCard RoundEngine::secondCard(Side side, int slot) {
    table_.setBackShown(slot, false);
    table_.setFaceShown(state_.firstSlot, true);  // shown whatever point its blink had reached
    table_.setFaceShown(slot, true);
    state_.secondRank = static_cast<std::int16_t>(table_.rank(slot));
    state_.secondSlot = static_cast<std::int16_t>(slot);
    state_.resolvingPair = 1;
    TurnedCard card{side, slot, table_.rank(slot), true};
    card.pair = table_.rank(slot) == state_.firstRank;
    if (card.pair) {
        (side == Side::Player ? playerCards_ : computerCards_) += 2;
        state_.cardsLeft = static_cast<std::int16_t>(state_.cardsLeft - 2);
    }
    return card;
}

}  // namespace koropika
