#include "game/round_engine.h"

#include "game/computer_choices.h"

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

std::optional<TurnedCard> RoundEngine::turnComputerCard() {
    return seeded_ != nullptr ? turnComputerCardFrom(*seeded_) : turnComputerCardFrom(*random_);
}

template <typename Source>
std::optional<TurnedCard> RoundEngine::turnComputerCardFrom(Source& random) {
    if (state_.flippedThisTurn == 1) {
        const bool fromMemory = choices::chooseFirst(table_, state_, level_, random);
        const int slot = state_.cpuFirstSlot;
        const int rank = table_.rank(slot);
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
    moveLog_.record(Side::Computer, slot, table_.rank(slot));
    TurnedCard card = secondCard(Side::Computer, slot);
    card.fromMemory = fromMemory;
    // The computer's two cards wait for its resolution, which no click can disturb.
    state_.resolvingPair = 0;
    return card;
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
