#include "game/round_engine.h"

namespace koropika {

void RoundEngine::deal(int cardCount, int level, Random& random) {
    random_ = &random;
    seeded_ = dynamic_cast<SeededRandom*>(&random);
    level_ = level;
    memory_ = choices::memoryBoundFor(level);
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

bool RoundEngine::blinkFirstCard() {
    const bool show = state_.blinkShowNext != 0;
    table_.setFaceShown(state_.firstSlot, show);
    state_.blinkShowNext = show ? 0 : 1;
    return show;
}

std::optional<TurnedCard> RoundEngine::turnComputerCardFromAnySource() {
    return turnComputerCardFrom(*random_);
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

}  // namespace koropika
