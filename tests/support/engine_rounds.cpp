#include "support/engine_rounds.h"

#include <bit>
#include <memory>
#include <random>
#include <stdexcept>

namespace koropika::testing {

int nthSlot(std::uint64_t slots, unsigned n) {
    for (; n > 0; --n) {
        slots &= slots - 1;
    }
    return std::countr_zero(slots);
}

PlayerPolicy drivenPlayer(std::uint64_t policySeed) {
    auto generator = std::make_shared<std::mt19937_64>(policySeed);
    return [generator](const RoundEngine&, std::uint64_t offered) {
        const auto count = static_cast<unsigned>(std::popcount(offered));
        return nthSlot(offered, static_cast<unsigned>((*generator)() % count));
    };
}

ComputerPicks playEngineRound(RoundEngine& engine, int cardCount, int level, Random& random,
                              int diceFace, const PlayerPolicy& policy) {
    ComputerPicks computer;
    engine.deal(cardCount, level, random);
    engine.decideStarter(diceFace);
    if (!engine.pressStart()) {
        throw std::logic_error("the start button was refused after the dice");
    }
    engine.beginReveal();
    for (int slot = 1; slot <= engine.table().cardCount(); ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    for (int move = 0; !engine.roundOver(); ++move) {
        if (move > 100'000) {
            throw std::logic_error("the round does not end");
        }
        if (engine.state().playerTurn != 0 && !policy) {
            engine.passTurn();
            continue;
        }
        if (engine.state().playerTurn != 0) {
            for (int card = 0; card < 2; ++card) {
                std::uint64_t offered = engine.table().faceDownSlots();
                if (card == 1) {
                    offered &= ~(std::uint64_t{1} << engine.state().firstSlot);
                }
                const int slot = policy(engine, offered);
                if (!engine.playerMayTurn(slot)) {
                    throw std::logic_error("the player chose a card it may not turn");
                }
                engine.turnPlayerCard(slot);
            }
        } else {
            // The computer's timer: first card, second card, then the tick that stops it.
            for (int step = 0; step < 3; ++step) {
                if (engine.computerStep()) {
                    if (const auto card = engine.turnComputerCard()) {
                        ++computer.picks;
                        computer.fromMemory += card->fromMemory ? 1 : 0;
                    }
                }
            }
        }
        engine.resolveMove();
    }
    return computer;
}

}  // namespace koropika::testing
