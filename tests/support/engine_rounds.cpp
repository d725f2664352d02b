#include "support/engine_rounds.h"

#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

namespace koropika::testing {

PlayerPolicy drivenPlayer(std::uint64_t policySeed) {
    auto generator = std::make_shared<std::mt19937_64>(policySeed);
    return [generator](const RoundEngine&, const std::vector<int>& slots) {
        return slots[(*generator)() % slots.size()];
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
    std::vector<int> offered;
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
                offered.clear();
                for (int slot = 1; slot <= engine.table().cardCount(); ++slot) {
                    if (engine.playerMayTurn(slot)) {
                        offered.push_back(slot);
                    }
                }
                engine.turnPlayerCard(policy(engine, offered));
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
